#include "waveform/wavechartview.h"

#include "waveform/wavechart.h"

#include <QLineF>
#include <QLineSeries>
#include <QMouseEvent>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace {
constexpr double kNearLine = 3.0;  // pixels

double distanceToSegment(QPointF p, QPointF a, QPointF b) {
  const QPointF ab = b - a;
  const double length2 = QPointF::dotProduct(ab, ab);
  const double t = length2 > 0 ? std::clamp(QPointF::dotProduct(p - a, ab) / length2, 0.0, 1.0) : 0.0;
  const QPointF nearest = a + t * ab;
  return std::hypot(p.x() - nearest.x(), p.y() - nearest.y());
}
}  // namespace

TWaveChartView::TWaveChartView(TWaveChart* chart, QWidget* parent) : QChartView(chart, parent), chart_(chart) {
  setRenderHint(QPainter::Antialiasing, false);
  setMouseTracking(true);
  setRubberBand(QChartView::NoRubberBand);
  viewport()->setCursor(Qt::ArrowCursor);
}

void TWaveChartView::setRectangleZoom(bool on) {
  rectangleZoom_ = on;
  setRubberBand(on ? QChartView::RectangleRubberBand : QChartView::NoRubberBand);
  chart_->setAnimationOptions(on ? QChart::GridAxisAnimations : QChart::NoAnimation);
  viewport()->setCursor(restingCursor());
}

Qt::CursorShape TWaveChartView::restingCursor() const { return rectangleZoom_ ? Qt::CrossCursor : Qt::ArrowCursor; }

bool TWaveChartView::lineIsUnder(const QPoint& position) const {
  const QList<QPointF> points = chart_->series()->points();
  if (points.isEmpty()) return false;
  const QPointF at = chart_->mapFromScene(mapToScene(position));
  if (points.size() == 1) return QLineF(at, chart_->mapToPosition(points.first(), chart_->series())).length() <= kNearLine;
  // Only the points whose time lies within a few pixels either side are looked at.
  const double left = chart_->mapToValue(at - QPointF(kNearLine, 0), chart_->series()).x();
  const double right = chart_->mapToValue(at + QPointF(kNearLine, 0), chart_->series()).x();
  const auto byTime = [](const QPointF& p, double t) { return p.x() < t; };
  auto first = std::lower_bound(points.begin(), points.end(), left, byTime);
  auto last = std::lower_bound(first, points.end(), right, byTime);
  if (first != points.begin()) --first;
  if (last != points.end()) ++last;
  for (auto it = first; it != last && std::next(it) != points.end(); ++it) {
    const QPointF a = chart_->mapToPosition(*it, chart_->series());
    const QPointF b = chart_->mapToPosition(*std::next(it), chart_->series());
    if (distanceToSegment(at, a, b) <= kNearLine) return true;
  }
  return false;
}

QString TWaveChartView::readOut(const QPoint& position) const {
  const QPointF value = chart_->mapToValue(chart_->mapFromScene(mapToScene(position)), chart_->series());
  return QString::asprintf(chart_->currentAxis()->labelFormat().toLatin1().constData(), value.y());
}

void TWaveChartView::showReadOut(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (lineIsUnder(at)) {
    viewport()->setCursor(Qt::PointingHandCursor);
    const QString text = readOut(at);
    setToolTip(text);
    QToolTip::showText(event->globalPosition().toPoint(), text, this);
  } else {
    viewport()->setCursor(restingCursor());
    setToolTip(QString());
    QToolTip::hideText();
  }
}

void TWaveChartView::mousePressEvent(QMouseEvent* event) {
  emit clicked();
  if (event->button() == Qt::RightButton) {
    event->accept();  // the pop-up shows on release; the chart never zooms out on it
    return;
  }
  if (event->button() == Qt::LeftButton && !rectangleZoom_) {
    panning_ = true;
    lastPan_ = event->position().toPoint();
    event->accept();
    return;
  }
  QChartView::mousePressEvent(event);
}

void TWaveChartView::mouseMoveEvent(QMouseEvent* event) {
  if (panning_) {
    const QPoint at = event->position().toPoint();
    const QPoint delta = at - lastPan_;
    lastPan_ = at;
    chart_->scroll(-delta.x(), delta.y());
    event->accept();
    return;
  }
  showReadOut(event);
  QChartView::mouseMoveEvent(event);
}

void TWaveChartView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    emit popupRequested(event->globalPosition().toPoint());
    event->accept();
    return;
  }
  if (panning_ && event->button() == Qt::LeftButton) {
    panning_ = false;
    event->accept();
    return;
  }
  QChartView::mouseReleaseEvent(event);
}

void TWaveChartView::leaveEvent(QEvent* event) {
  viewport()->setCursor(Qt::ArrowCursor);
  QChartView::leaveEvent(event);
}
