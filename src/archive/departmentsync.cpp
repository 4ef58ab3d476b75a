#include "archive/departmentsync.h"

#include "archive/departmentserver.h"

#include <QScopeGuard>
#include <QThread>
#include <algorithm>
#include <functional>

namespace {
constexpr int kStopWaitMs = 2000;  // the most a closing program waits for a sending to stop
constexpr int kDetailBatch = 500;   // changes to device details sent in one transaction

// One queue to the department's archive: how its next batch is read, how the
// server takes a batch, and how an item leaves the queue or is set aside.
template <class Item>
struct Queue {
  std::function<QList<Item>(int, ArchiveFailure*)> next;
  std::function<std::optional<Archive::Stored>(const QList<Item>&, ArchiveFailure*)> send;
  std::function<bool(const QList<qint64>&, ArchiveFailure*)> unqueue;
  std::function<bool(qint64, const QString&, ArchiveFailure*)> setAside;
};

qint64 entryOf(const Archive::Queued& queued) { return queued.entry; }
qint64 entryOf(const Archive::DetailChange& change) { return change.entry; }

// Sends a queue in batches until it is empty: an item leaves the queue only
// after the server holds it. A batch the server refused for what it holds is
// sent again item by item: those it refuses are set aside, the others go.
// False, with `failed`, when the link failed or the queue could not be read.
template <class Item>
bool drain(const Queue<Item>& queue, int batch, int& sent, int& known, SyncResult& result, ArchiveFailure& failed) {
  const auto took = [&](const QList<Item>& items, const Archive::Stored& stored) {
    QList<qint64> entries;
    for (const Item& item : items) entries << entryOf(item);
    sent += stored.added;
    known += stored.known;
    return queue.unqueue(entries, &failed);
  };
  for (;;) {
    const QList<Item> items = queue.next(batch, &failed);
    if (!failed.reason.isEmpty()) return false;
    if (items.isEmpty()) return true;
    ArchiveFailure refused;
    if (const std::optional<Archive::Stored> stored = queue.send(items, &refused)) {
      if (!took(items, *stored)) return false;
      continue;
    }
    if (!refused.refused) {
      failed = refused;
      return false;
    }
    for (const Item& item : items) {
      ArchiveFailure one;
      if (const std::optional<Archive::Stored> stored = queue.send({item}, &one)) {
        if (!took({item}, *stored)) return false;
      } else if (one.refused) {
        if (!queue.setAside(entryOf(item), one.reason, &failed)) return false;
        if (result.setAside++ == 0) result.refusal = one.reason;
      } else {
        failed = one;
        return false;
      }
    }
  }
}
}  // namespace

std::optional<SyncResult> sendQueued(Archive& local, Archive& department, const Sender& sender,
                                     ArchiveFailure* failure, int batch) {
  SyncResult result;
  ArchiveFailure failed;
  const Queue<Archive::Queued> records{
      [&](int limit, ArchiveFailure* f) { return local.queued(limit, f); },
      [&](const QList<Archive::Queued>& items, ArchiveFailure* f) {
        QList<ArchivedRecord> sending;
        for (const Archive::Queued& q : items) sending << q.record;
        return department.receive(sending, sender, f);
      },
      [&](const QList<qint64>& entries, ArchiveFailure* f) { return local.unqueue(entries, f); },
      [&](qint64 entry, const QString& reason, ArchiveFailure* f) { return local.setAside(entry, reason, f); }};
  const Queue<Archive::DetailChange> details{
      [&](int limit, ArchiveFailure* f) { return local.queuedDetails(limit, f); },
      [&](const QList<Archive::DetailChange>& items, ArchiveFailure* f) {
        return department.receiveDetails(items, sender, f);
      },
      [&](const QList<qint64>& entries, ArchiveFailure* f) { return local.unqueueDetails(entries, f); },
      [&](qint64 entry, const QString& reason, ArchiveFailure* f) { return local.setDetailAside(entry, reason, f); }};
  int detailsKnown = 0;
  if (!drain(records, batch, result.sent, result.known, result, failed) ||
      !drain(details, std::min(batch, kDetailBatch), result.details, detailsKnown, result, failed)) {
    *failure = failed;
    return std::nullopt;
  }
  // What colleagues changed comes back: this computer's details follow the
  // department's latest, so that an edit here starts from them. What was sent
  // stays sent where that read fails; the next sending takes them back.
  ArchiveFailure readBack;
  if (const std::optional<QList<Archive::DeviceDetail>> latest = department.deviceDetails(&readBack))
    local.adoptDepartmentDetails(*latest, &readBack);
  result.readBack = readBack.reason;
  ArchiveFailure counting;
  result.waiting = local.queuedCount(&counting).value_or(0);
  result.detailsWaiting = local.queuedDetailCount(&counting).value_or(0);
  return result;
}

DepartmentSync::DepartmentSync(QString localPath, const DepartmentServer& server, int retryMs, QObject* parent)
    : QObject(parent), localPath_(std::move(localPath)), address_(server.address()), retry_(new QTimer(this)) {
  retry_->setSingleShot(true);
  retry_->setInterval(retryMs);
  connect(retry_, &QTimer::timeout, this, &DepartmentSync::start);
}

DepartmentSync::~DepartmentSync() {
  // A sending that ended is freed here, as its finished notice no longer
  // arrives; one still blocked in a server call past the wait is left to end
  // with the closing program.
  if (stop(kStopWaitMs)) delete thread_;
}

void DepartmentSync::start() {
  if (running_) {
    again_ = true;
    return;
  }
  running_ = true;
  again_ = false;
  retry_->stop();
  auto result = std::make_shared<SyncResult>();
  auto failure = std::make_shared<ArchiveFailure>();
  auto cancel = cancel_ = std::make_shared<std::atomic<bool>>(false);
  const QString localPath = localPath_;
  const QString address = address_;
  thread_ = QThread::create([localPath, address, result, failure, cancel] {
    QString error;
    const std::optional<DepartmentServer> server = DepartmentServer::parse(address, &error);
    if (!server) {
      *failure = {address, error, true};
      return;
    }
    std::unique_ptr<Archive> local = Archive::open(localPath, failure.get(), Archive::Opening::Existing);
    if (!local || !failure->reason.isEmpty()) return;
    // What waits and what is set aside, as the queue holds them after the sending.
    const auto countWaiting = qScopeGuard([&] {
      ArchiveFailure counting;
      result->waiting = local->queuedCount(&counting).value_or(0);
      result->detailsWaiting = local->queuedDetailCount(&counting).value_or(0);
      const QList<Archive::SetAside> records = local->setAsideRecords(&counting);
      const QList<Archive::SetAside> details = local->setAsideDetails(&counting);
      result->refused = int(records.size());
      result->detailsRefused = int(details.size());
      for (const Archive::SetAside& record : records + details)
        if (!result->refusals.contains(record.reason)) result->refusals << record.reason;
    });
    // A server of another schema version is told of and sent nothing.
    if (*cancel) return;
    std::unique_ptr<Archive> department = Archive::openDepartment(*server, failure.get());
    if (!department || !failure->reason.isEmpty()) return;
    department->setCancel(cancel.get());
    if (const std::optional<SyncResult> sent = sendQueued(*local, *department, Sender::current(), failure.get()))
      *result = *sent;
  });
  connect(thread_, &QThread::finished, this, [this, result, failure] {
    thread_->deleteLater();
    thread_ = nullptr;
    gaveUp_ = false;
    running_ = false;
    emit finished(*result, *failure);
    if (again_) start();
    else if (!failure->reason.isEmpty()) retry_->start();
  });
  thread_->start();
}

void DepartmentSync::cancel() {
  retry_->stop();
  again_ = false;
  if (thread_) *cancel_ = true;
}

bool DepartmentSync::stop(int waitMs) {
  cancel();
  if (!thread_) return true;
  if (gaveUp_) return false;
  gaveUp_ = !thread_->wait(QDeadlineTimer(waitMs));
  return !gaveUp_;
}
