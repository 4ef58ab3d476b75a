#pragma once
#include "archive/archive.h"
#include "maintenance/nearlimit.h"

#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QThread>
#include <atomic>
#include <functional>
#include <memory>

// The reader's half on its own thread: it runs the reads and hands back what
// to do with their results, which reaches the reader only while it lives.
class DepartmentReaderWorker : public QObject {
  Q_OBJECT
 signals:
  void done(const std::function<void()>& deliver);
};

// Reads the department's archive on a thread of its own, for the Archive
// window, which never waits on the server: each read is asked for, and its
// result comes back as a signal on the window's thread. The connection is
// opened on that thread at the first read and again after it was lost. A new
// read of the same kind takes the place of one still running (the older one's
// result is dropped), and cancel() cuts what runs (the server may not answer).
// Every read is bounded (archivedialect.h).
class DepartmentReader : public QObject {
  Q_OBJECT
 public:
  using Opener = std::function<std::unique_ptr<Archive>(ArchiveFailure*)>;
  explicit DepartmentReader(Opener open, QObject* parent = nullptr);
  ~DepartmentReader() override;

  // Every device of the archive, then every device's near-limit warnings.
  void readDevices();
  // One device's records and the values of its history.
  void readDevice(const QString& device);
  // Stops every read; what they read is dropped. A connect under way ends by
  // its own bound.
  void cancel();
  // Whether a read runs.
  bool busy() const { return running_ > 0; }
  // Tests: the bounds on the reads.
  void setServerBounds(std::chrono::milliseconds read) { readBound_ = read; }

 signals:
  void devicesRead(const QList<DeviceRow>& rows, const ArchiveFailure& failure);
  void warningsRead(const QHash<QString, QList<LimitWarning>>& warnings, const ArchiveFailure& failure);
  void deviceRead(const QString& device, const QList<ArchivedRecord>& records, const QList<HistoryPoint>& points,
                  const ArchiveFailure& failure);
  // The archive was opened: its address, and a notice that it is read only
  // (a newer schema) or none.
  void opened(const QString& address, const ArchiveFailure& notice);
  void busyChanged(bool busy);

 private:
  using Flag = std::shared_ptr<std::atomic<bool>>;
  // Runs `read` on the reader's thread with its archive, cut when `cancel` is
  // set; `done` then on this one, unless the read was stopped.
  template <class Result>
  void run(Flag cancel, std::function<Result(Archive&, ArchiveFailure*)> read,
           std::function<void(const Result&, const ArchiveFailure&)> done);
  void finished();
  void readMarks();

  // What the reads share on the reader's thread; it outlives a reader that
  // closed while a read it could not stop still ran.
  struct Shared {
    Opener open;
    std::unique_ptr<Archive> archive;  // made, used and let go on the reader's thread
  };
  QThread* thread_;
  DepartmentReaderWorker* worker_;  // lives on thread_
  std::shared_ptr<Shared> shared_;
  Flag devicesCancel_ = std::make_shared<std::atomic<bool>>(false);  // the list's read and its marks'
  Flag deviceCancel_ = std::make_shared<std::atomic<bool>>(false);   // the shown device's read
  std::chrono::milliseconds readBound_;
  int running_ = 0;
};
