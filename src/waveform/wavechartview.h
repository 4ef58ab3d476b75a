#pragma once
#include <QChartView>

class TWaveChart;

// The view of a waveform chart and what the mouse does on it. With rectangle
// zoom off, a left drag pans both axes; with it on, a left drag zooms both axes
// to the rectangle drawn. Over the line the cursor is a pointing hand and a
// tooltip reads out the current at the mouse's height; elsewhere it is a cross
// in rectangle mode and the arrow otherwise. A right click asks for the pop-up
// menu (it never zooms out), and every press says the chart was clicked.
class TWaveChartView : public QChartView {
  Q_OBJECT
 public:
  explicit TWaveChartView(TWaveChart* chart, QWidget* parent = nullptr);

  void setRectangleZoom(bool on);
  bool rectangleZoom() const { return rectangleZoom_; }

  // Whether the line passes within a few pixels of the point (view coordinates).
  bool lineIsUnder(const QPoint& position) const;
  // What the read-out says for a height in the view: the current, in the axis's label format.
  QString readOut(const QPoint& position) const;

 signals:
  void clicked();
  void popupRequested(const QPoint& globalPosition);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  void showReadOut(QMouseEvent* event);
  Qt::CursorShape restingCursor() const;

  TWaveChart* chart_;
  bool rectangleZoom_ = false;
  bool panning_ = false;
  QPoint lastPan_;
};
