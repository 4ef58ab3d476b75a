#include "device/transferprogress.h"

#include <QTimer>

ProgressClock::ProgressClock(quint32 timeoutMs, QObject* parent)
    : QObject(parent), timer_(new QTimer(this)), timeout_(timeoutMs) {
  timer_->setSingleShot(true);
  timer_->setTimerType(Qt::PreciseTimer);  // a time-out never fires before its interval
  connect(timer_, &QTimer::timeout, this, &ProgressClock::expireOrWaitOn);
  restart();
}

void ProgressClock::restart() {
  if (timeout_ == 0) return;  // no time-out: the clock never runs
  sinceRestart_.start();
  if (!timer_->isActive()) timer_->start(int(timeout_));
}

void ProgressClock::stop() { timer_->stop(); }

void ProgressClock::expireOrWaitOn() {
  const qint64 leftNs = qint64(timeout_) * 1000000 - sinceRestart_.nsecsElapsed();
  if (leftNs > 0) {
    timer_->start(int((leftNs + 999999) / 1000000));
    return;
  }
  cancelled_ = true;
  emit timedOut();
}

bool ProgressClock::isRunning() const { return timer_->isActive(); }

QString timeoutMessageText() {
  return QStringLiteral(
      "Communications has timed out.     \r\nPlease note this version software only works with Kalyx 5 firmware V2.0 "
      "and above.");
}

QString timeoutMessageCaption() { return QStringLiteral("Communications time out"); }
