#include "archive/historychart.h"

#include "waveform/chartdescription.h"

#include <QAreaSeries>
#include <algorithm>
#include <QChart>
#include <QChartView>
#include <QDateTimeAxis>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMap>
#include <QPen>
#include <QScatterSeries>
#include <QVBoxLayout>
#include <QValueAxis>

namespace {
QChartView* makeView(const char* name, const QString& title, QWidget* parent) {
  auto* chart = new QChart;
  chart->setTitle(title);
  chart->legend()->setAlignment(Qt::AlignBottom);
  // Lines as lines and the near-limit marks as triangles: the legend does not
  // tell "Maximum" from "Near limit" by colour alone.
  chart->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
  auto* view = new QChartView(chart, parent);
  view->setObjectName(QString::fromLatin1(name));
  view->setRenderHint(QPainter::Antialiasing);
  describeChartView(view, title + QStringLiteral(" chart"));
  return view;
}

double when(const HistoryPoint& p) { return double(p.tested.toMSecsSinceEpoch()); }

// Clears the chart and gives it a date axis below and a value axis at the left.
std::pair<QDateTimeAxis*, QValueAxis*> resetChart(QChart* chart, const QString& valueTitle) {
  chart->removeAllSeries();
  for (QAbstractAxis* axis : chart->axes()) {
    chart->removeAxis(axis);
    delete axis;
  }
  auto* dates = new QDateTimeAxis;
  dates->setFormat(QStringLiteral("MMM yyyy"));
  dates->setTitleText(QStringLiteral("Test date"));
  auto* values = new QValueAxis;
  values->setTitleText(valueTitle);
  chart->addAxis(dates, Qt::AlignBottom);
  chart->addAxis(values, Qt::AlignLeft);
  return {dates, values};
}

void addSeries(QChart* chart, QAbstractSeries* series, QDateTimeAxis* dates, QValueAxis* values) {
  chart->addSeries(series);
  series->attachAxis(dates);
  series->attachAxis(values);
}

// The values that raised the mark, as red triangles over their line.
QScatterSeries* nearLimitDots(const QList<const HistoryPoint*>& points) {
  auto* dots = new QScatterSeries;
  dots->setName(QStringLiteral("Near limit"));
  dots->setColor(Qt::red);
  dots->setMarkerShape(QScatterSeries::MarkerShapeTriangle);  // the ▲ of the device list's Near Limit column
  dots->setMarkerSize(11);
  for (const HistoryPoint* p : points)
    if (p->nearLimit) dots->append(when(*p), p->measured);
  return dots;
}

// Fits both axes around what is drawn, with a little room.
void fitAxes(QDateTimeAxis* dates, QValueAxis* values, double firstMs, double lastMs, double low, double high) {
  const qint64 day = 24LL * 3600 * 1000;
  dates->setRange(QDateTime::fromMSecsSinceEpoch(qint64(firstMs) - 15 * day),
                  QDateTime::fromMSecsSinceEpoch(qint64(lastMs) + 15 * day));
  const double room = qMax(1.0, (high - low) * 0.08);
  values->setRange(qMax(0.0, low - room), high + room);
  values->applyNiceNumbers();
}
}  // namespace

THistoryChart::THistoryChart(QWidget* parent) : QWidget(parent) {
  energy_ = makeView("chartArchiveEnergy", QStringLiteral("Delivered energy"), this);
  chargeTime_ = makeView("chartArchiveChargeTime", QStringLiteral("Charge time"), this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(energy_, 1);
  layout->addWidget(chargeTime_, 1);
}

QChart* THistoryChart::energyChart() const { return energy_->chart(); }
QChart* THistoryChart::chargeTimeChart() const { return chargeTime_->chart(); }

void THistoryChart::setHistory(const QList<HistoryPoint>& points) {
  QMap<qint64, QList<const HistoryPoint*>> energies;  // by target, in 0.1 J
  QList<const HistoryPoint*> chargeTimes;
  double first = 0, last = 0;
  if (points.isEmpty()) first = last = double(QDateTime::currentMSecsSinceEpoch());  // an empty year up to today
  for (const HistoryPoint& p : points) {
    if (!p.tested.isValid()) continue;
    first = first == 0 ? when(p) : qMin(first, when(p));
    last = qMax(last, when(p));
    if (p.test == HistoryPoint::Test::Energy) energies[qRound64(p.target * 10)].append(&p);
    else chargeTimes.append(&p);
  }

  const auto [energyDates, joules] = resetChart(energyChart(), QStringLiteral("Energy (J)"));
  double low = 1e9, high = 0;
  QList<const HistoryPoint*> allEnergies;
  for (const QList<const HistoryPoint*>& series : std::as_const(energies)) {
    const QString target = QString::number(series.first()->target, 'f', 1) + QStringLiteral(" J");
    auto* measured = new QLineSeries;
    measured->setName(target);
    measured->setPointsVisible(true);
    auto* upper = new QLineSeries;
    auto* lower = new QLineSeries;
    for (const HistoryPoint* p : series) {
      measured->append(when(*p), p->measured);
      upper->append(when(*p), p->high);
      lower->append(when(*p), p->low);
      low = std::min({low, p->low, p->measured});
      high = std::max({high, p->high, p->measured});
      allEnergies.append(p);
    }
    auto* band = new QAreaSeries(upper, lower);
    upper->setParent(band);  // an area series does not own its edges: they go with it
    lower->setParent(band);
    band->setName(target + QStringLiteral(" tolerance"));
    addSeries(energyChart(), band, energyDates, joules);
    addSeries(energyChart(), measured, energyDates, joules);
    QColor shade = measured->color();  // the band in its line's colour, faint
    shade.setAlpha(50);
    band->setBrush(shade);
    band->setPen(Qt::NoPen);
    energyChart()->legend()->markers(band).first()->setVisible(false);
  }
  addSeries(energyChart(), nearLimitDots(allEnergies), energyDates, joules);
  fitAxes(energyDates, joules, first, last, energies.isEmpty() ? 0 : low, energies.isEmpty() ? 10 : high);

  const auto [chargeDates, seconds] = resetChart(chargeTimeChart(), QStringLiteral("Time (s)"));
  auto* charge = new QLineSeries;
  charge->setName(QStringLiteral("Charge time"));
  charge->setPointsVisible(true);
  auto* maximum = new QLineSeries;
  maximum->setName(QStringLiteral("Maximum"));
  maximum->setPen(QPen(Qt::red, 1.5, Qt::DashLine));
  double most = 1;
  for (const HistoryPoint* p : chargeTimes) {
    charge->append(when(*p), p->measured);
    maximum->append(when(*p), p->high);
    most = std::max({most, p->measured, p->high});
  }
  addSeries(chargeTimeChart(), maximum, chargeDates, seconds);
  addSeries(chargeTimeChart(), charge, chargeDates, seconds);
  addSeries(chargeTimeChart(), nearLimitDots(chargeTimes), chargeDates, seconds);
  fitAxes(chargeDates, seconds, first, last, 0, most);
}
