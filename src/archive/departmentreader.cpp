#include "archive/departmentreader.h"

#include "archive/archivedialect.h"
#include "archive/devicehistory.h"
#include "archive/devicemarks.h"


namespace {
// The most a closing window waits for a read to stop: a cut read ends at once,
// only a connect under way does not.
constexpr unsigned long kStopWaitMs = 300;
}  // namespace

DepartmentReader::DepartmentReader(Opener open, QObject* parent)
    : QObject(parent),
      thread_(new QThread),
      worker_(new DepartmentReaderWorker),
      shared_(std::make_shared<Shared>(Shared{std::move(open), nullptr})),
      readBound_(archivesql::kReadBound) {
  worker_->moveToThread(thread_);
  connect(worker_, &DepartmentReaderWorker::done, this, [](const std::function<void()>& deliver) { deliver(); });
  // The archive and the worker are let go on their own thread, as it ends.
  connect(thread_, &QThread::finished, thread_, [shared = shared_, worker = worker_] {
    shared->archive.reset();
    delete worker;
  }, Qt::DirectConnection);
  thread_->start();
}

DepartmentReader::~DepartmentReader() {
  cancel();  // a read that runs is cut
  // A connect the server does not answer ends only by its own bound: the
  // window does not wait for it, and the thread goes once it ends (while the
  // program's event loop runs; at Exit it is left to end with the program).
  connect(thread_, &QThread::finished, thread_, &QObject::deleteLater);
  thread_->quit();
  if (thread_->wait(kStopWaitMs)) delete thread_;  // the deletion it posted goes with it
}

void DepartmentReader::cancel() {
  *devicesCancel_ = true;
  *deviceCancel_ = true;
}

template <class Result>
void DepartmentReader::run(Flag cancel, std::function<Result(Archive&, ArchiveFailure*)> read,
                           std::function<void(const Result&, const ArchiveFailure&)> done) {
  if (running_++ == 0) emit busyChanged(true);
  const std::chrono::milliseconds bound = readBound_;
  DepartmentReaderWorker* worker = worker_;
  QMetaObject::invokeMethod(worker_, [worker, shared = shared_, read, done, cancel, bound, this] {
    ArchiveFailure failure;
    Result result{};
    if (!shared->archive && !*cancel) {
      shared->archive = shared->open(&failure);
      if (shared->archive) {  // a notice (read only) is no failure of the read
        emit worker->done([this, address = shared->archive->path(), notice = failure] { emit opened(address, notice); });
        failure = {};
      }
    }
    if (shared->archive && !*cancel) {
      shared->archive->setCancel(cancel.get());
      shared->archive->setServerBounds(bound, bound);
      result = read(*shared->archive, &failure);
      shared->archive->setCancel(nullptr);
    }
    // Delivered on the reader's thread, and only while the reader lives.
    emit worker->done([this, result, failure, done] {
      done(result, failure);
      finished();
    });
  }, Qt::QueuedConnection);
}

void DepartmentReader::finished() {
  if (--running_ == 0) emit busyChanged(false);
}

void DepartmentReader::readDevices() {
  *devicesCancel_ = true;  // an older list read gives way, with its marks
  const Flag cancel = devicesCancel_ = std::make_shared<std::atomic<bool>>(false);
  run<QList<DeviceRow>>(
      cancel,
      [](Archive& archive, ArchiveFailure* failure) { return archive.deviceRows(failure); },
      [this, cancel](const QList<DeviceRow>& rows, const ArchiveFailure& failure) {
        if (*cancel) return;  // stopped, or a newer read took its place
        emit devicesRead(rows, failure);
        if (failure.reason.isEmpty()) readMarks();  // the marks read every report: the list shows meanwhile
      });
}

void DepartmentReader::readMarks() {
  const Flag cancel = devicesCancel_;
  run<QHash<QString, QList<LimitWarning>>>(
      cancel,
      [cancel](Archive& archive, ArchiveFailure* failure) {
        return allNearLimitWarnings(archive, *cancel, failure).value_or(QHash<QString, QList<LimitWarning>>());
      },
      [this, cancel](const QHash<QString, QList<LimitWarning>>& warnings, const ArchiveFailure& failure) {
        if (*cancel) return;
        emit warningsRead(warnings, failure);
      });
}

void DepartmentReader::readDevice(const QString& device) {
  *deviceCancel_ = true;  // the device shown before gives way
  const Flag cancel = deviceCancel_ = std::make_shared<std::atomic<bool>>(false);
  using Read = std::pair<QList<ArchivedRecord>, QList<HistoryPoint>>;
  run<Read>(
      cancel,
      [device](Archive& archive, ArchiveFailure* failure) {
        Read read;
        read.first = archive.records({.device = device, .wholeDevice = true}, failure);
        if (failure->reason.isEmpty()) read.second = historyPoints(deviceTests(archive, device, failure));
        if (!failure->reason.isEmpty()) read = {};
        return read;
      },
      [this, device, cancel](const Read& read, const ArchiveFailure& failure) {
        if (*cancel) return;  // stopped, or another device shown since
        emit deviceRead(device, read.first, read.second, failure);
      });
}
