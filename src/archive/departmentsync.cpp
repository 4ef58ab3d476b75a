#include "archive/departmentsync.h"

#include "archive/departmentserver.h"

#include <QScopeGuard>
#include <QThread>

namespace {
// Sends a batch that the server refused record by record: those it refuses for
// what they hold are set aside, the others go. False, with `failed`, when the
// link failed meanwhile.
bool sendOneByOne(Archive& local, Archive& department, const Sender& sender, const QList<Archive::Queued>& batch,
                  SyncResult& result, ArchiveFailure& failed) {
  for (const Archive::Queued& q : batch) {
    ArchiveFailure one;
    if (const std::optional<Archive::Stored> stored = department.receive({q.record}, sender, &one)) {
      if (!local.unqueue({q.entry}, &failed)) return false;
      result.sent += stored->added;
      result.known += stored->known;
    } else if (one.refused) {
      if (!local.setAside(q.entry, one.reason, &failed)) return false;
      if (result.setAside++ == 0) result.refusal = one.reason;
    } else {
      failed = one;
      return false;
    }
  }
  return true;
}
}  // namespace

namespace {
constexpr int kStopWaitMs = 2000;  // the most a closing program waits for a sending to stop
}  // namespace

std::optional<SyncResult> sendQueued(Archive& local, Archive& department, const Sender& sender,
                                     ArchiveFailure* failure, int batch) {
  SyncResult result;
  ArchiveFailure failed;
  for (;;) {
    const QList<Archive::Queued> queued = local.queued(batch, &failed);
    if (!failed.reason.isEmpty() || queued.isEmpty()) break;
    QList<ArchivedRecord> records;
    QList<qint64> entries;
    for (const Archive::Queued& q : queued) records << q.record, entries << q.entry;
    ArchiveFailure refused;
    const std::optional<Archive::Stored> stored = department.receive(records, sender, &refused);
    if (!stored && refused.refused) {
      if (!sendOneByOne(local, department, sender, queued, result, failed)) break;
      continue;
    }
    if (!stored) {
      failed = refused;
      break;
    }
    if (!local.unqueue(entries, &failed)) break;
    result.sent += stored->added;
    result.known += stored->known;
  }
  if (!failed.reason.isEmpty()) {
    *failure = failed;
    return std::nullopt;
  }
  ArchiveFailure counting;
  result.waiting = local.queuedCount(&counting).value_or(0);
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
      const QList<Archive::SetAside> aside = local->setAsideRecords(&counting);
      result->refused = int(aside.size());
      for (const Archive::SetAside& record : aside)
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
