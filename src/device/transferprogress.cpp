#include "transferprogress.h"

#include <QTimer>

ProgressClock::ProgressClock(quint32 timeoutMs, QObject* parent)
    : QObject(parent), timer_(new QTimer(this)), timeout_(timeoutMs) {
  timer_->setSingleShot(false);
  timer_->setTimerType(Qt::PreciseTimer);  // a time-out never fires before its interval
  connect(timer_, &QTimer::timeout, this, [this] {
    timer_->stop();
    cancelled_ = true;
    emit timedOut();
  });
  if (timeout_ != 0) {
    timer_->setInterval(int(timeout_));
    timer_->start();
  }
}

void ProgressClock::restart() {
  timer_->stop();
  if (timeout_ == 0) return;  // no time-out: the clock never runs
  timer_->setInterval(int(timeout_));
  timer_->start();
}

void ProgressClock::stop() { timer_->stop(); }

bool ProgressClock::isRunning() const { return timer_->isActive(); }

QString timeoutMessageText() {
  return QStringLiteral(
      "Communications has timed out.     \r\nPlease note this version software only works with Kalyx 5 firmware V2.0 "
      "and above.");
}

QString timeoutMessageCaption() { return QStringLiteral("Communications time out"); }
