#include "archive/departmentsync.h"

#include "archive/departmentserver.h"

#include <QScopeGuard>
#include <QThread>

std::optional<SyncResult> sendQueued(Archive& local, Archive& department, const Sender& sender,
                                     ArchiveFailure* failure, int batch) {
  SyncResult result;
  for (;;) {
    const QList<ArchivedRecord> records = local.queued(batch, failure);
    if (!failure->reason.isEmpty()) return std::nullopt;
    if (records.isEmpty()) break;
    const std::optional<Archive::Stored> stored = department.receive(records, sender, failure);
    if (!stored) break;
    QList<qint64> ids;
    for (const ArchivedRecord& r : records) ids << r.id;
    if (!local.unqueue(ids, failure)) return std::nullopt;
    result.sent += stored->added;
    result.known += stored->known;
  }
  ArchiveFailure counting;
  result.waiting = local.queuedCount(&counting).value_or(0);
  if (!failure->reason.isEmpty()) return std::nullopt;
  return result;
}

DepartmentSync::DepartmentSync(QString localPath, const DepartmentServer& server, QObject* parent)
    : QObject(parent), localPath_(std::move(localPath)), address_(server.address()) {}

DepartmentSync::~DepartmentSync() { wait(); }

void DepartmentSync::start() {
  if (running_) {
    again_ = true;
    return;
  }
  running_ = true;
  again_ = false;
  auto result = std::make_shared<SyncResult>();
  auto failure = std::make_shared<ArchiveFailure>();
  const QString localPath = localPath_;
  const QString address = address_;
  thread_ = QThread::create([localPath, address, result, failure] {
    QString error;
    const std::optional<DepartmentServer> server = DepartmentServer::parse(address, &error);
    if (!server) {
      *failure = {address, error, true};
      return;
    }
    std::unique_ptr<Archive> local = Archive::open(localPath, failure.get());
    if (!local || !failure->reason.isEmpty()) return;
    const auto countWaiting = qScopeGuard([&] {
      ArchiveFailure counting;
      result->waiting = local->queuedCount(&counting).value_or(0);
    });
    // A server of another schema version is told of and sent nothing.
    std::unique_ptr<Archive> department = Archive::openDepartment(*server, failure.get());
    if (!department || !failure->reason.isEmpty()) return;
    if (const std::optional<SyncResult> sent = sendQueued(*local, *department, Sender::current(), failure.get()))
      *result = *sent;
  });
  connect(thread_, &QThread::finished, this, [this, result, failure] {
    thread_->deleteLater();
    thread_ = nullptr;
    running_ = false;
    emit finished(*result, *failure);
    if (again_) start();
  });
  thread_->start();
}

void DepartmentSync::wait() {
  if (thread_) thread_->wait();
}
