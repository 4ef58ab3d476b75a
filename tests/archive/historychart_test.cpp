// The History chart on hand-made histories: what it draws and what it tells a
// screen reader.
#include "archive/historychart.h"

#include <QApplication>
#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QDateTimeAxis>
#include <QFontMetrics>
#include <QLocale>
#include <QLineSeries>
#include <QSet>
#include <gtest/gtest.h>

namespace {
HistoryPoint energy(QDate date, double measured, int tolerance = 10) {
  HistoryPoint p;
  p.tested = QDateTime(date, QTime(9, 0), Qt::UTC);
  p.target = 200;
  p.measured = measured;
  p.tolerance = tolerance;
  return p;
}

HistoryPoint chargeTime(QDate date, double seconds) {
  HistoryPoint p = energy(date, seconds, 0);
  p.test = HistoryPoint::Test::ChargeTime;
  p.maximum = 10;
  return p;
}

template <class T>
T* seriesOf(QChart* chart) {
  for (QAbstractSeries* s : chart->series())
    if (auto* found = qobject_cast<T*>(s)) return found;
  return nullptr;
}

// Whether a line holds `value` from the date axis's first day to its last.
bool spansAt(const QLineSeries* line, QDateTimeAxis* dates, double value) {
  if (!line || line->count() < 2) return false;
  for (const QPointF& p : line->points())
    if (p.y() != value) return false;
  return line->at(0).x() <= dates->min().toMSecsSinceEpoch() &&
         line->at(line->count() - 1).x() >= dates->max().toMSecsSinceEpoch();
}

QDateTimeAxis* datesOf(QChart* chart) { return qobject_cast<QDateTimeAxis*>(chart->axes(Qt::Horizontal).value(0)); }
}  // namespace

// With a single test, the tolerance band and the maximum charge time are drawn
// across the whole chart, at the limits the verdict takes.
TEST(HistoryChart, BandAndMaximumSpanTheChartFromTheFirstTest) {
  THistoryChart chart;
  chart.setHistory({energy(QDate(2025, 1, 1), 205), chargeTime(QDate(2025, 1, 1), 5)});
  QAreaSeries* band = seriesOf<QAreaSeries>(chart.energyChart());
  ASSERT_TRUE(band);
  EXPECT_TRUE(spansAt(band->lowerSeries(), datesOf(chart.energyChart()), 180));
  EXPECT_TRUE(spansAt(band->upperSeries(), datesOf(chart.energyChart()), 220));
  QLineSeries* maximum = nullptr;
  for (QAbstractSeries* s : chart.chargeTimeChart()->series())
    if (s->name() == "Maximum") maximum = qobject_cast<QLineSeries*>(s);
  EXPECT_TRUE(spansAt(maximum, datesOf(chart.chargeTimeChart()), 10));
}

// The date axis never shows one label twice, over days, months or years.
TEST(HistoryChart, DateLabelsNeverRepeat) {
  const QDate first(2025, 1, 5);
  for (int days : {0, 14, 80, 200, 700, 3650}) {
    THistoryChart chart;
    chart.setHistory({energy(first, 200), energy(first.addDays(days), 200)});
    QDateTimeAxis* dates = datesOf(chart.energyChart());
    ASSERT_TRUE(dates);
    QSet<QString> labels;
    const qint64 from = dates->min().toMSecsSinceEpoch(), to = dates->max().toMSecsSinceEpoch();
    for (int i = 0; i < dates->tickCount(); ++i)
      labels.insert(QDateTime::fromMSecsSinceEpoch(from + (to - from) * i / (dates->tickCount() - 1)).toString(dates->format()));
    EXPECT_EQ(labels.size(), dates->tickCount()) << days << " days: " << dates->format().toStdString();
    EXPECT_GE(dates->tickCount(), 2);
  }
}

// In a narrow pane the date axis shows fewer labels, each whole, never more
// than its plot's width holds; widened, it shows more again.
TEST(HistoryChart, DateLabelsFitThePlotsWidth) {
  const QDate first(2025, 1, 5);
  THistoryChart chart;
  chart.setHistory({energy(first, 200), energy(first.addDays(60), 200)});
  chart.show();
  QChart* energies = chart.energyChart();
  const auto labelsFit = [&] {
    QDateTimeAxis* dates = datesOf(energies);
    const int widest = QFontMetrics(dates->labelsFont()).horizontalAdvance(energies->locale().toString(QDate(2000, 9, 30), dates->format()));
    return dates->tickCount() * widest <= energies->plotArea().width() + widest;
  };
  int counts[2] = {};
  for (int i = 0; i < 2; ++i) {
    chart.resize(i == 0 ? 260 : 1200, 600);
    QApplication::processEvents();
    EXPECT_TRUE(labelsFit()) << chart.width();
    counts[i] = datesOf(energies)->tickCount();
  }
  EXPECT_LT(counts[0], counts[1]);
}

// A screen reader is given each value with its date and limit, not only the axes.
TEST(HistoryChart, AScreenReaderHearsEveryValue) {
  THistoryChart chart;
  HistoryPoint near = energy(QDate(2025, 3, 1), 217);
  near.nearLimit = true;
  chart.setHistory({energy(QDate(2025, 1, 1), 200), near, chargeTime(QDate(2025, 1, 1), 4.5)});
  chart.show();  // the charts are made as they first show
  const QString energies = chart.findChild<QChartView*>("chartArchiveEnergy")->accessibleDescription();
  EXPECT_TRUE(energies.contains("delivered energy at 200.0 J: Jan 01, 2025 200.0 J (180.0-220.0 J), "
                                "Mar 01, 2025 217.0 J (180.0-220.0 J) near limit"))
      << energies.toStdString();
  const QString times = chart.findChild<QChartView*>("chartArchiveChargeTime")->accessibleDescription();
  EXPECT_TRUE(times.contains("Charge time: Jan 01, 2025 4.50 s (10.00 s)")) << times.toStdString();
}

// A value drifting towards its limit: its fitted line is drawn dashed from its
// first test to the limit, on the day the forecast gives (the chart widened to
// show it), and a screen reader hears the forecast.
TEST(HistoryChart, AForecastIsDrawnDashedUpToTheLimit) {
  THistoryChart chart;
  const QDate first(2025, 1, 10);
  // 4, 6, 8 J over 200 J every 60 days: 220 J on day 480.
  QList<HistoryPoint> points{energy(first, 204), energy(first.addDays(60), 206), energy(first.addDays(120), 208)};
  for (int i = 0; i < points.size(); ++i) points[i].testId = i + 1;  // three tests
  chart.setHistory(points);
  chart.show();
  QLineSeries* forecast = nullptr;
  for (QAbstractSeries* s : chart.energyChart()->series())
    if (s->name() == "Forecast") forecast = qobject_cast<QLineSeries*>(s);
  ASSERT_NE(forecast, nullptr);
  EXPECT_EQ(forecast->pen().style(), Qt::DashLine);
  ASSERT_EQ(forecast->count(), 2);
  EXPECT_NEAR(forecast->at(0).y(), 204.0, 1e-6);
  EXPECT_NEAR(forecast->at(1).y(), 220.0, 1e-6);
  EXPECT_EQ(QDateTime::fromMSecsSinceEpoch(qint64(forecast->at(1).x())).date(), first.addDays(480));
  EXPECT_GE(datesOf(chart.energyChart())->max().date(), first.addDays(480));
  const QString heard = chart.findChild<QChartView*>("chartArchiveEnergy")->accessibleDescription();
  EXPECT_TRUE(heard.contains("is expected to reach its limit (180.0-220.0 J) in May 2026")) << heard.toStdString();

  // A charge time drifting up (5, 6, 7 s of 10 s every 100 days) is drawn in its own chart, up to the maximum.
  QList<HistoryPoint> times{chargeTime(first, 5), chargeTime(first.addDays(100), 6), chargeTime(first.addDays(200), 7)};
  for (int i = 0; i < times.size(); ++i) times[i].testId = i + 1;
  chart.setHistory(times);
  QLineSeries* line = nullptr;
  for (QAbstractSeries* s : chart.chargeTimeChart()->series())
    if (s->name() == "Forecast") line = qobject_cast<QLineSeries*>(s);
  ASSERT_NE(line, nullptr);
  EXPECT_NEAR(line->at(1).y(), 10.0, 1e-6);
  EXPECT_EQ(QDateTime::fromMSecsSinceEpoch(qint64(line->at(1).x())).date(), first.addDays(500));
}
