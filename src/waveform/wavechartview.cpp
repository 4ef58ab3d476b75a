#include "waveform/wavechartview.h"

#include "core/accessiblerole.h"
#include "waveform/cursoraccessible.h"
#include "waveform/wavechart.h"

#include <QLineF>
#include <QLineSeries>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
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
  setFocusPolicy(Qt::StrongFocus);  // the keyboard's cursor, panning and zoom
  setMouseTracking(true);
  setRubberBand(QChartView::NoRubberBand);
  viewport()->setCursor(Qt::ArrowCursor);
  setAccessibleRole(this, QAccessible::Chart);
  installCursorAccessibility(this);
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

namespace {
constexpr double kPanStep = 0.1;  // of the plot area, a Shift+arrow

// An axis title's unit: "Time (msec)" gives "msec".
QString unitOf(const QString& title) {
  const qsizetype open = title.lastIndexOf(QLatin1Char('('));
  return open < 0 ? QString() : title.mid(open + 1).chopped(title.endsWith(QLatin1Char(')')) ? 1 : 0);
}

QString axisText(const QValueAxis* axis, double value) {
  return QString::asprintf(axis->labelFormat().toLatin1().constData(), value) + QLatin1Char(' ') +
         unitOf(axis->titleText());
}
}  // namespace

QRect TWaveChartView::cursorRect() const {
  if (cursor_ < 0 || cursor_ >= chart_->series()->count()) return QRect();
  const QPointF at = chart_->mapToPosition(chart_->series()->at(cursor_), chart_->series());
  const QPoint centre = mapToGlobal(mapFromScene(chart_->mapToScene(at)));
  const int reach = int(kNearLine);
  const QPoint half(reach, reach);
  return QRect(centre - half, centre + half);
}

std::pair<int, int> TWaveChartView::shownPoints() const {
  const QList<QPointF> points = chart_->series()->points();
  const auto byTime = [](const QPointF& p, double t) { return p.x() < t; };
  const int first = int(std::lower_bound(points.begin(), points.end(), chart_->timeAxis()->min(), byTime) - points.begin());
  const int last = int(std::upper_bound(points.begin(), points.end(), chart_->timeAxis()->max(),
                                        [](double t, const QPointF& p) { return t < p.x(); }) - points.begin());
  return {first, std::max(first, last)};
}

QString TWaveChartView::cursorReadOut() const {
  const QList<QPointF> points = chart_->series()->points();
  if (cursor_ < 0 || cursor_ >= points.size()) return QString();
  const QPointF p = points.at(cursor_);
  return QStringLiteral("Time %1, Current %2").arg(axisText(chart_->timeAxis(), p.x()), axisText(chart_->currentAxis(), p.y()));
}

void TWaveChartView::moveCursorTo(int point) {
  const int count = int(chart_->series()->count());
  if (count == 0) return;
  cursor_ = std::clamp(point, 0, count - 1);
  // The point comes into view where it is off it, as a mouse user would drag it there.
  const double t = chart_->series()->at(cursor_).x();
  QValueAxis* time = chart_->timeAxis();
  if (t < time->min() || t > time->max()) {
    const double span = time->max() - time->min();
    time->setRange(t - span / 2, t + span / 2);
  }
  const QString text = cursorReadOut();
  QToolTip::showText(cursorRect().center(), text, this);
  tellCursorMoved(this);
  viewport()->update();
}

void TWaveChartView::keyPressEvent(QKeyEvent* event) {
  const bool shift = event->modifiers() & Qt::ShiftModifier;
  const QRectF area = chart_->plotArea();
  const auto [first, last] = shownPoints();
  const int here = cursor_ >= first && cursor_ < last ? cursor_ : -1;  // a cursor out of sight starts again in it
  switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down: {
      const bool horizontal = event->key() == Qt::Key_Left || event->key() == Qt::Key_Right;
      const int sign = event->key() == Qt::Key_Right || event->key() == Qt::Key_Up ? 1 : -1;
      if (shift) {
        if (horizontal) chart_->scroll(sign * area.width() * kPanStep, 0);
        else chart_->scroll(0, sign * area.height() * kPanStep);
        viewport()->update();
      } else if (here < 0) {
        moveCursorTo(sign > 0 ? first : std::max(first, last - 1));
      } else {
        moveCursorTo(here + sign * (horizontal ? 1 : 10));
      }
      break;
    }
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {  // a tenth of the points shown at a time
      const int step = std::max(1, (last - first) / 10) * (event->key() == Qt::Key_PageDown ? 1 : -1);
      moveCursorTo(here < 0 ? first : here + step);
      break;
    }
    case Qt::Key_Home: moveCursorTo(first); break;
    case Qt::Key_End: moveCursorTo(std::max(first, last - 1)); break;
    case Qt::Key_Plus:
    case Qt::Key_Equal: chart_->zoomAboutCentre(0.8); break;
    case Qt::Key_Minus: chart_->zoomAboutCentre(1.2); break;
    default: QChartView::keyPressEvent(event); return;
  }
  event->accept();
}

void TWaveChartView::drawForeground(QPainter* painter, const QRectF& rect) {
  QChartView::drawForeground(painter, rect);
  if (cursor_ < 0 || cursor_ >= chart_->series()->count()) return;
  const QPointF point = chart_->series()->at(cursor_);
  if (point.x() < chart_->timeAxis()->min() || point.x() > chart_->timeAxis()->max()) return;
  const QPointF at = chart_->mapToScene(chart_->mapToPosition(point, chart_->series()));
  const QRectF area = chart_->mapRectToScene(chart_->plotArea());
  painter->save();
  painter->setPen(QPen(QColor(200, 0, 0), 1, Qt::DashLine));
  painter->drawLine(QPointF(at.x(), area.top()), QPointF(at.x(), area.bottom()));
  painter->setPen(QPen(QColor(200, 0, 0), 2));
  painter->drawEllipse(at, 4, 4);
  painter->restore();
}
