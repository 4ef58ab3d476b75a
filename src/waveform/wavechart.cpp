#include "waveform/wavechart.h"

#include "waveform/axisrange.h"

#include <QLineSeries>
#include <QValueAxis>
#include <algorithm>

namespace {
// The span of the points along one coordinate; a flat or empty series gets a span of one.
template <class Coordinate>
std::pair<double, double> spanOf(const QList<QPointF>& points, Coordinate coordinate) {
  if (points.isEmpty()) return {0, 1};
  double low = coordinate(points.first()), high = low;
  for (const QPointF& p : points) low = std::min(low, coordinate(p)), high = std::max(high, coordinate(p));
  if (high <= low) return {low - 0.5, low + 0.5};
  return {low, high};
}
}  // namespace

TWaveChart::TWaveChart() : series_(new QLineSeries), time_(new QValueAxis), current_(new QValueAxis) {
  setBackgroundBrush(Qt::white);
  legend()->hide();
  setTitleBrush(QColor(0, 0, 128));
  setAnimationOptions(QChart::NoAnimation);

  series_->setPen(QPen(QColor(0, 0, 160), 1.0));
  series_->setMarkerSize(3);
  series_->setPointsVisible(false);
  addSeries(series_);

  time_->setTitleText(QStringLiteral("Time (msec)"));
  current_->setTitleText(QStringLiteral("Current (A)"));
  for (QValueAxis* axis : {time_, current_}) axis->setLabelFormat(QStringLiteral("%.2f"));
  current_->setMinorTickCount(1);
  current_->setMinorGridLineVisible(true);
  current_->setMinorGridLineColor(QColor(192, 192, 192));
  addAxis(time_, Qt::AlignBottom);
  addAxis(current_, Qt::AlignLeft);
  series_->attachAxis(time_);
  series_->attachAxis(current_);
}

void TWaveChart::setWaveform(const QList<QPointF>& points, bool pacer) {
  series_->replace(points);  // in one call: appending 5,120 points one by one takes a second
  saved_ = fitCurrentAxis(points, pacer);
  current_->setTitleText(saved_.title);
  undoZoom();
}

void TWaveChart::setTitleFor(const QString& deviceId, const QString& date) {
  // The title is rich text: its two lines are broken with <br>, and the texts escaped.
  setTitle(QStringLiteral("Device ID: ") + deviceId.toHtmlEscaped() + QStringLiteral("<br>") + date.toHtmlEscaped());
}

void TWaveChart::fitTimeAxis() {
  const auto [low, high] = spanOf(series_->points(), [](const QPointF& p) { return p.x(); });
  time_->setRange(low, high);
}

void TWaveChart::fitCurrentAxisToPoints() {
  const auto [low, high] = spanOf(series_->points(), [](const QPointF& p) { return p.y(); });
  current_->setRange(low, high);
}

void TWaveChart::undoZoom() {
  fitTimeAxis();
  if (saved_.automatic) fitCurrentAxisToPoints();
  else current_->setRange(saved_.minimum, saved_.maximum);
}

void TWaveChart::zoomAboutCentre(double spanFactor) {
  for (QValueAxis* axis : {time_, current_}) {
    const double centre = (axis->min() + axis->max()) / 2;
    const double half = (axis->max() - axis->min()) / 2 * spanFactor;
    axis->setRange(centre - half, centre + half);
  }
}

void TWaveChart::setRanges(const AxisRanges& ranges) {
  time_->setRange(ranges.timeMin, ranges.timeMax);
  current_->setRange(ranges.currentMin, ranges.currentMax);
}

void TWaveChart::setPointsShown(bool shown) { series_->setPointsVisible(shown); }

bool TWaveChart::pointsShown() const { return series_->pointsVisible(); }

void TWaveChart::copyViewTo(TWaveChart& other) const {
  other.series_->replace(series_->points());
  other.series_->setPointsVisible(series_->pointsVisible());
  other.saved_ = saved_;
  other.setTitle(title());
  other.current_->setTitleText(current_->titleText());
  other.time_->setRange(time_->min(), time_->max());
  other.current_->setRange(current_->min(), current_->max());
}
