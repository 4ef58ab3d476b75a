#pragma once
#include "maintenance/historypoint.h"

#include <QDate>
#include <QList>
#include <QString>
#include <optional>

// When a value of a device is expected to reach its limit, from the straight
// line that fits its last tests best (least squares), in the share of its limit
// each test used: an energy's signed distance from its target against the
// tolerance (so a drift through the target is one line, towards whichever
// edge it heads for), a charge time against its maximum. A forecast is given only from enough tests
// that show a drift: at least kForecastMinTests, spanning at least
// kForecastMinDays, of which the last kForecastMaxTests count, with a line that
// moves towards the limit (by 1 % of it or more over their span), explains at
// least kForecastMinFit of their spread (R²) and reaches the limit within ten
// years. Otherwise it says why there is none.
constexpr int kForecastMinTests = 3;
constexpr int kForecastMaxTests = 6;
constexpr int kForecastMinDays = 90;
constexpr double kForecastMinFit = 0.6;

struct Forecast {
  QString value;          // valueName(): "delivered energy at 200.0 J", "charge time"
  HistoryPoint::Test test = HistoryPoint::Test::Energy;
  QString limit;          // limitText() of the latest test: "180.0-220.0 J", "10.00 s"
  std::optional<QDate> reaches;  // the day the line reaches 100 % of the limit
  // With a date: the fitted line in the value's own unit (J, s), at its first
  // test and at the limit, for a chart to draw it.
  double startValue = 0;
  double limitValue = 0;
  int tests = 0;          // the tests the line was fitted to (or found)
  QDate from, to;         // the first and last of them
  QString why;            // without a date: why there is none

  // "delivered energy at 200.0 J is expected to reach its limit in Mar 2027
  // (a straight line through its last 5 tests, Jan 5, 2025 to Jun 9, 2026)",
  // or "charge time: no forecast, too few tests (2; it takes 3)".
  QString text() const;
};

// A forecast for each series of a history that has a limit.
QList<Forecast> forecasts(QList<HistoryPoint> points);

// Whether a forecast marks its device: its date falls before the test after
// next (the next due date plus one interval).
bool forecastMarks(const Forecast& forecast, const QDate& nextDue, int intervalMonths);
// The forecasts that mark their device, earliest first.
QList<Forecast> markingForecasts(const QList<Forecast>& all, const QDate& nextDue, int intervalMonths);
