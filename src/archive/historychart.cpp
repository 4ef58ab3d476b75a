#include "archive/historychart.h"

#include "maintenance/forecast.h"

#include "waveform/chartdescription.h"

#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QDateTimeAxis>
#include <QFontMetrics>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLocale>
#include <QMap>
#include <QPen>
#include <QScatterSeries>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

namespace {
constexpr qint64 kDayMs = 24LL * 3600 * 1000;
constexpr qint64 kRoomMs = 15 * kDayMs;  // before the first test and after the last

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

// A test's wall-clock time where the axis shows it: the axis reads local time.
double when(const HistoryPoint& p) {
  return double(QDateTime(p.tested.date(), p.tested.time(), Qt::LocalTime).toMSecsSinceEpoch());
}

// Date labels that never repeat: days over a few months, months over a few
// years, years beyond; no more ticks than the span holds of its unit, nor than
// the plot's width holds of whole labels (a narrow pane shows fewer, never
// labels cut short). Kept as the plot is resized.
void setDateTicks(QChart* chart, QDateTimeAxis* dates, qint64 spanMs) {
  const qint64 days = spanMs / kDayMs;
  const auto ticks = [](qint64 units) { return int(std::clamp<qint64>(units + 1, 2, 7)); };
  int wanted = 0;
  if (days <= 92) dates->setFormat(QStringLiteral("MMM d")), wanted = ticks(days / 5);
  else if (days <= 3 * 366) dates->setFormat(QStringLiteral("MMM yyyy")), wanted = ticks(days / 31);
  else dates->setFormat(QStringLiteral("yyyy")), wanted = ticks(days / 366);
  const auto fit = [chart, dates, wanted] {
    // The widest label of the format, with room between labels.
    const QString widest = chart->locale().toString(QDate(2000, 9, 30), dates->format());
    const int label = QFontMetrics(dates->labelsFont()).horizontalAdvance(widest + QStringLiteral("MM"));
    const int room = label > 0 ? int(chart->plotArea().width()) / label + 1 : wanted;
    const int count = std::clamp(room, 2, wanted);
    if (dates->tickCount() != count) dates->setTickCount(count);
  };
  fit();
  QObject::connect(chart, &QChart::plotAreaChanged, dates, fit);
}

// Clears the chart and gives it a date axis over [first, last] below and a value axis at the left.
std::pair<QDateTimeAxis*, QValueAxis*> resetChart(QChart* chart, const QString& valueTitle, double first, double last) {
  chart->removeAllSeries();
  for (QAbstractAxis* axis : chart->axes()) {
    chart->removeAxis(axis);
    delete axis;
  }
  auto* dates = new QDateTimeAxis;
  dates->setTitleText(QStringLiteral("Test date"));
  dates->setRange(QDateTime::fromMSecsSinceEpoch(qint64(first)), QDateTime::fromMSecsSinceEpoch(qint64(last)));
  setDateTicks(chart, dates, qint64(last - first));
  auto* values = new QValueAxis;
  values->setTitleText(valueTitle);
  chart->addAxis(dates, Qt::AlignBottom);
  chart->addAxis(values, Qt::AlignLeft);
  return {dates, values};
}

void addSeries(QChart* chart, QAbstractSeries* series) {
  chart->addSeries(series);
  for (QAbstractAxis* axis : chart->axes()) series->attachAxis(axis);
}

// A limit along the series' tests, carried to both edges of the chart so that
// it shows with a single test too.
QLineSeries* limitLine(const QList<const HistoryPoint*>& series, double (*limit)(const HistoryPoint&), double first,
                       double last) {
  auto* line = new QLineSeries;
  for (const HistoryPoint* p : series) {
    if (!p->hasLimit()) continue;
    if (line->count() == 0) line->append(first, limit(*p));
    line->append(when(*p), limit(*p));
  }
  if (line->count() > 0) line->append(last, line->at(line->count() - 1).y());
  return line;
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

// The series' name in the legend, short enough to be read whole beside a
// narrow chart: "200.0 J" for the energy test, "Cardio 100.0 J", "Charging 200.0 J".
QString seriesName(const HistoryPoint& p) {
  const QString target = QString::number(p.target, 'f', 1) + QStringLiteral(" J");
  switch (p.test) {
    case HistoryPoint::Test::Cardioversion: return QStringLiteral("Cardio ") + target;
    case HistoryPoint::Test::ChargeTimeShock: return QStringLiteral("Charging ") + target;
    default: return target;
  }
}

// Each value for a screen reader: "200.0 J: Jan 01, 2025 200.0 J (180.0-220.0 J), ...".
QString valuesText(const QString& name, const QList<const HistoryPoint*>& series) {
  QStringList values;
  for (const HistoryPoint* p : series) {
    QString value = QLocale::c().toString(p->tested.date(), QStringLiteral("MMM dd, yyyy")) + QLatin1Char(' ') +
                    measuredText(*p);
    if (p->hasLimit()) value += QStringLiteral(" (") + limitText(*p) + QLatin1Char(')');
    if (p->nearLimit) value += QStringLiteral(" near limit");
    values << value;
  }
  return name + QStringLiteral(": ") + values.join(QStringLiteral(", "));
}

// A forecast's fitted line, dashed from its first test to the limit; one
// "Forecast" in a legend, however many lines.
void addForecastLine(QChart* chart, const Forecast& f) {
  auto* line = new QLineSeries;
  line->setName(QStringLiteral("Forecast"));
  line->setPen(QPen(QColor(60, 60, 60), 1.5, Qt::DashLine));
  line->append(double(f.from.startOfDay().toMSecsSinceEpoch()), f.startValue);
  line->append(double(f.reaches->startOfDay().toMSecsSinceEpoch()), f.limitValue);
  const QList<QAbstractSeries*> before = chart->series();
  addSeries(chart, line);
  if (std::any_of(before.begin(), before.end(), [](QAbstractSeries* s) { return s->name() == QLatin1String("Forecast"); }))
    chart->legend()->markers(line).first()->setVisible(false);
}

void fitValues(QValueAxis* values, double low, double high) {
  const double room = qMax(1.0, (high - low) * 0.08);
  values->setRange(qMax(0.0, low - room), high + room);
  values->applyNiceNumbers();
}
}  // namespace

THistoryChart::THistoryChart(QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
}

void THistoryChart::makeCharts() {
  if (energy_) return;
  energy_ = makeView("chartArchiveEnergy", QStringLiteral("Delivered energy"), this);
  chargeTime_ = makeView("chartArchiveChargeTime", QStringLiteral("Charge time"), this);
  // Both charts share the pane's height alike, however many legend entries each has.
  static_cast<QVBoxLayout*>(layout())->addWidget(energy_, 1);
  static_cast<QVBoxLayout*>(layout())->addWidget(chargeTime_, 1);
}

QChart* THistoryChart::energyChart() {
  draw();
  return energy_->chart();
}

QChart* THistoryChart::chargeTimeChart() {
  draw();
  return chargeTime_->chart();
}

void THistoryChart::showEvent(QShowEvent* event) {
  draw();
  QWidget::showEvent(event);
}

void THistoryChart::setHistory(const QList<HistoryPoint>& points) {
  points_ = points;
  drawn_ = false;
  if (isVisible()) draw();
}

void THistoryChart::draw() {
  makeCharts();
  if (drawn_) return;
  drawn_ = true;
  const QList<HistoryPoint>& points = points_;
  QMap<std::pair<int, qint64>, QList<const HistoryPoint*>> energies;  // by test and target (0.1 J)
  QList<const HistoryPoint*> chargeTimes;
  double first = 0, last = 0;
  for (const HistoryPoint& p : points) {
    if (!p.tested.isValid()) continue;
    first = first == 0 ? when(p) : qMin(first, when(p));
    last = qMax(last, when(p));
    if (p.isEnergy()) energies[{int(p.test), qRound64(p.target * 10)}].append(&p);
    else chargeTimes.append(&p);
  }
  // Each value's fitted line where it reaches the limit: drawn dashed up to it,
  // the chart widened to show where.
  QList<Forecast> dated;
  for (const Forecast& f : forecasts(points))
    if (f.reaches) {
      dated << f;
      last = qMax(last, double(f.reaches->startOfDay().toMSecsSinceEpoch()));
    }
  if (first == 0) first = last = double(QDateTime::currentMSecsSinceEpoch());  // nothing yet: a month up to today
  first -= kRoomMs;
  last += kRoomMs;

  const auto [energyDates, joules] = resetChart(energy_->chart(), QStringLiteral("Energy (J)"), first, last);
  double low = 1e9, high = 0;
  QList<const HistoryPoint*> allEnergies;
  QStringList described;
  for (const QList<const HistoryPoint*>& series : std::as_const(energies)) {
    const QString name = seriesName(*series.first());
    auto* measured = new QLineSeries;
    measured->setName(name);
    measured->setPointsVisible(true);
    for (const HistoryPoint* p : series) {
      measured->append(when(*p), p->measured);
      low = std::min(low, p->hasLimit() ? std::min(p->low(), p->measured) : p->measured);
      high = std::max(high, p->hasLimit() ? std::max(p->high(), p->measured) : p->measured);
      allEnergies.append(p);
    }
    QLineSeries* upper = limitLine(series, [](const HistoryPoint& p) { return p.high(); }, first, last);
    QLineSeries* lower = limitLine(series, [](const HistoryPoint& p) { return p.low(); }, first, last);
    auto* band = new QAreaSeries(upper, lower);
    upper->setParent(band);  // an area series does not own its edges: they go with it
    lower->setParent(band);
    band->setName(name + QStringLiteral(" tolerance"));
    addSeries(energy_->chart(), band);
    addSeries(energy_->chart(), measured);
    QColor shade = measured->color();  // the band in its line's colour, faint
    shade.setAlpha(50);
    band->setBrush(shade);
    band->setPen(Qt::NoPen);
    energy_->chart()->legend()->markers(band).first()->setVisible(false);
    described << valuesText(valueName(*series.first()), series);
  }
  addSeries(energy_->chart(), nearLimitDots(allEnergies));
  QStringList chargeForecasts;
  for (const Forecast& f : std::as_const(dated)) {
    if (f.test == HistoryPoint::Test::ChargeTime) continue;  // drawn once its chart is made
    addForecastLine(energy_->chart(), f);
    described << f.text();
    low = std::min(low, std::min(f.startValue, f.limitValue));
    high = std::max(high, std::max(f.startValue, f.limitValue));
  }
  // A legend of a few lines fits below the chart; more (each test's targets)
  // are listed beside it, each name whole.
  energy_->chart()->legend()->setAlignment(energies.size() > 2 ? Qt::AlignRight : Qt::AlignBottom);
  fitValues(joules, energies.isEmpty() ? 0 : low, energies.isEmpty() ? 10 : high);
  setChartValuesText(energy_, described.join(QStringLiteral("; ")));

  const auto [chargeDates, seconds] = resetChart(chargeTime_->chart(), QStringLiteral("Time (s)"), first, last);
  auto* charge = new QLineSeries;
  charge->setName(QStringLiteral("Charge time"));
  charge->setPointsVisible(true);
  QLineSeries* maximum = limitLine(chargeTimes, [](const HistoryPoint& p) { return p.maximum; }, first, last);
  maximum->setName(QStringLiteral("Maximum"));
  maximum->setPen(QPen(Qt::red, 1.5, Qt::DashLine));
  double most = 1;
  for (const HistoryPoint* p : chargeTimes) {
    charge->append(when(*p), p->measured);
    most = std::max({most, p->measured, p->maximum});
  }
  addSeries(chargeTime_->chart(), maximum);
  addSeries(chargeTime_->chart(), charge);
  addSeries(chargeTime_->chart(), nearLimitDots(chargeTimes));
  for (const Forecast& f : std::as_const(dated)) {
    if (f.test != HistoryPoint::Test::ChargeTime) continue;
    addForecastLine(chargeTime_->chart(), f);
    chargeForecasts << f.text();
    most = std::max({most, f.startValue, f.limitValue});
  }
  fitValues(seconds, 0, most);
  setChartValuesText(chargeTime_, chargeTimes.isEmpty() ? QString()
                                                      : (QStringList{valuesText(QStringLiteral("Charge time"), chargeTimes)} +
                                                         chargeForecasts).join(QStringLiteral("; ")));
}
