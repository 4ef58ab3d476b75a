#pragma once
#include <QApplication>
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
