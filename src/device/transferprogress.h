#pragma once
#include <QElapsedTimer>
#include <QObject>
#include <QString>

class QTimer;

// What a transfer needs of its progress display: the block loops restart the
// time-out before each block, step the bar after it, and poll `cancelled`,
// which Cancel and the time-out set. Once the last block is in, the transfer
// stops the time-out, so that nothing it does with the records (a message about
// a file, say) can end in a time-out.
class TransferProgress {
 public:
  virtual ~TransferProgress() = default;
  virtual void restartTimeout() = 0;
  virtual void stopTimeout() = 0;
  virtual void stepProgress() = 0;
  virtual void setProgressText(const QString& text) = 0;
  virtual void finishProgress() = 0;
  virtual bool cancelled() const = 0;
  virtual void closeProgress() = 0;
};

// Where a transfer gets its progress display: the owner releases the display of
// its previous transfer and creates a fresh one, shown, for this transfer.
class ProgressHost {
 public:
  virtual ~ProgressHost() = default;
  virtual TransferProgress& beginProgress(const QString& lineText, int maximum, quint32 timeoutMs) = 0;
};

// The time-out and cancel state shared by every progress display. The clock runs
// from construction when the time-out is not 0; when it fires it stops, sets
// `cancelled` and emits timedOut, and the display shows timeoutMessage().
// A restart only notes the time: the timer, when it fires early because of a
// restart, waits out the rest. The loops restart it for every block, and
// re-registering a timer each time would cost more than reading the block.
class ProgressClock : public QObject {
  Q_OBJECT
 public:
  explicit ProgressClock(quint32 timeoutMs, QObject* parent = nullptr);
  quint32 timeout() const { return timeout_; }
  void restart();
  void stop();
  bool isRunning() const;
  void cancel() { cancelled_ = true; }
  bool cancelled() const { return cancelled_; }

 signals:
  void timedOut();

 private:
  void expireOrWaitOn();

  QTimer* timer_;
  QElapsedTimer sinceRestart_;
  quint32 timeout_;
  bool cancelled_ = false;
};

QString timeoutMessageText();
QString timeoutMessageCaption();
