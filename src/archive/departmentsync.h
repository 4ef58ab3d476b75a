#pragma once
#include "archive/archive.h"

#include <QObject>
#include <QStringList>
#include <QTimer>
#include <QString>
#include <atomic>
#include <memory>
#include <optional>

struct DepartmentServer;
struct Sender;

// What one sending of the queue did: records the department's archive took,
// records it held already (sent by a colleague), and records still waiting;
// changes to device details it took.
struct SyncResult {
  int sent = 0;
  int known = 0;
  int waiting = 0;
  int details = 0;         // changes to device details the department's archive took
  int detailsWaiting = 0;  // changes to device details still waiting
  int setAside = 0;   // refused by the server for what they hold, now set aside here
  QString refusal;    // the server's reason for the first of them
  int refused = 0;       // every record set aside on this computer after the sending
  int detailsRefused = 0;  // every change to device details set aside likewise
  QString readBack;        // why the department's latest details did not come back; empty when they did
  QStringList refusals;  // their reasons, each once
};

// Sends this computer's queued records to the department's archive in batches,
// each batch one transaction on the server, then takes them out of the queue.
// A record is taken out only after the server holds it, so a failure or a stop
// at any moment leaves it queued, and the server, which keeps a record once,
// never holds it twice. A record the server refuses for what it holds (not for
// the link) is set aside with the server's reason, and the rest go on. The
// changes to device details follow the records in the same way. None,
// with `failure` saying why, when a batch could not be sent.
std::optional<SyncResult> sendQueued(Archive& local, Archive& department, const Sender& sender,
                                     ArchiveFailure* failure, int batch = 2000);

// Sends the queue in the background so that no download waits on the network:
// each start() opens both archives on a thread of its own and sends what waits;
// a start() while one runs sends again when it ends, and a sending that failed
// is tried again after `retryMs` (the network may be back). Every exchange with
// the server is bounded (archivedialect.h). finished() comes on the thread that
// made this object.
class DepartmentSync : public QObject {
  Q_OBJECT
 public:
  DepartmentSync(QString localPath, const DepartmentServer& server, int retryMs = 5 * 60 * 1000,
                 QObject* parent = nullptr);
  ~DepartmentSync() override;

  void start();
  bool running() const { return running_; }
  // Stops the sending that runs (the program is closing): the server's link is
  // cut, what was not sent stays queued. Waits at most `waitMs` for it; true
  // when no sending runs any more. Once it gave up waiting, nothing waits again.
  bool stop(int waitMs);
  // The same without waiting: the closing program's other work goes on meanwhile.
  void cancel();

 signals:
  // `failure` empty on success.
  void finished(const SyncResult& result, const ArchiveFailure& failure);

 private:

  QString localPath_;
  QString address_;
  QTimer* retry_;
  bool running_ = false;
  bool again_ = false;
  bool gaveUp_ = false;  // a stop waited its time and the sending still ran
  class QThread* thread_ = nullptr;
  std::shared_ptr<std::atomic<bool>> cancel_;  // the running sending's: set, it stops
};
