#pragma once
#include <QChartView>

class TWaveChart;

// The view of a waveform chart and what the mouse does on it. With rectangle
// zoom off, a left drag pans both axes; with it on, a left drag zooms both axes
// to the rectangle drawn. Over the line the cursor is a pointing hand and a
// tooltip reads out the current at the mouse's height; elsewhere it is a cross
// in rectangle mode and the arrow otherwise. A right click asks for the pop-up
// menu (it never zooms out), and every press says the chart was clicked.
//
// The keyboard does the same: Left and Right move a cursor from point to point
// (Up and Down ten points, Page Up and Page Down a tenth of those shown, Home
// and End to the first and last shown), which is
// drawn on the line and read out as the mouse's read-out is, and given to a
// screen reader in words ("Time 2.28 msec, Current 41.00 A", cursoraccessible.h); Shift with the
// arrows pans, + and - zoom in and out.
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
  // The keyboard cursor's point (its index in the series), none before a key moves it.
  int cursorPoint() const { return cursor_; }
  // What the keyboard cursor reads out: "Time 2.28 msec, Current 41.00 A"; empty without one.
  QString cursorReadOut() const;
  // Where the keyboard cursor is drawn, on the screen; empty without one.
  QRect cursorRect() const;

 signals:
  void clicked();
  void popupRequested(const QPoint& globalPosition);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void drawForeground(QPainter* painter, const QRectF& rect) override;

 private:
  void showReadOut(QMouseEvent* event);
  Qt::CursorShape restingCursor() const;
  void moveCursorTo(int point);
  // The points whose time the time axis shows: [first, last), by index.
  std::pair<int, int> shownPoints() const;

  TWaveChart* chart_;
  bool rectangleZoom_ = false;
  bool panning_ = false;
  QPoint lastPan_;
  int cursor_ = -1;
};
