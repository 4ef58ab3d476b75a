#pragma once
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QWidget>

// Notes when a widget has been painted, so a benchmark can time "open until first paint".
class PaintWatch : public QObject {
 public:
  explicit PaintWatch(QWidget* widget) { widget->installEventFilter(this); }
  bool painted = false;
  // Runs events until the widget has been painted.
  void wait() {
    while (!painted) QApplication::processEvents(QEventLoop::AllEvents, 5);
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted = true;
    return false;
  }
};

// Shows `window` and returns the milliseconds from `clock`'s start until
// `painted` (the window or a part of it) has been painted for the first time.
inline double showUntilPainted(QWidget& window, QWidget* painted, const QElapsedTimer& clock) {
  PaintWatch watch(painted);
  window.show();
  watch.wait();
  return clock.nsecsElapsed() / 1e6;
}
