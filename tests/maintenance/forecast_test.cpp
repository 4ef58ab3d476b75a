// The forecast of when a value reaches its limit, on hand-written histories
// whose answers are worked out by hand.
#include "maintenance/forecast.h"

#include <gtest/gtest.h>

using Kind = HistoryPoint::Test;

namespace {
const QDate kFirst(2024, 1, 10);

// A test `day` days after the first: a charge time (s) against a 10 s maximum.
HistoryPoint charge(int day, double seconds, qint64 id = 0) {
  HistoryPoint p;
  p.testId = id ? id : day + 1;
  p.tested = QDateTime(kFirst.addDays(day), QTime(9, 0));
  p.test = Kind::ChargeTime;
  p.measured = seconds;
  p.maximum = 10;
  return p;
}
// An energy (J) delivered against 200 J ±10 % (the limit is 20 J off).
HistoryPoint energy(int day, double joules, double target = 200) {
  HistoryPoint p = charge(day, 0);
  p.test = Kind::Energy;
  p.target = target;
  p.measured = joules;
  p.tolerance = 10;
  p.maximum = 0;
  return p;
}
}  // namespace

TEST(Forecast, AStraightDriftGivesItsDateAndTooLittleOrNoiseGivesNone) {
  const struct {
    const char* history;
    QList<HistoryPoint> points;
    std::optional<QDate> reaches;
    const char* why;  // in the reason there is none
  } cases[] = {
      // 50 % then 10 points of the maximum every 100 days: 100 % on day 500.
      {"charge time drifting", {charge(0, 5), charge(100, 6), charge(200, 7), charge(300, 8)}, kFirst.addDays(500), ""},
      // 4, 6, 8 J off a 20 J tolerance every 60 days: 20 J off on day 480.
      {"energy drifting", {energy(0, 204), energy(60, 206), energy(120, 208)}, kFirst.addDays(480), ""},
      // Below the target counts as much as above it.
      {"energy drifting low", {energy(0, 196), energy(60, 194), energy(120, 192)}, kFirst.addDays(480), ""},
      // 210 J, then 4 J less every 90 days: through the target, and at 180 J on day 675.
      {"energy drifting through its target",
       {energy(0, 210), energy(90, 206), energy(180, 202), energy(270, 198), energy(360, 194), energy(450, 190)},
       kFirst.addDays(675),
       ""},
      {"drifting too slowly", {charge(0, 5), charge(1000, 5.001), charge(2000, 5.002)}, std::nullopt, "no drift"},
      {"reaching it in 137 years", {charge(0, 5), charge(1000, 5.1), charge(2000, 5.2)}, std::nullopt, "10 years"},
      {"two tests", {charge(0, 5), charge(200, 7)}, std::nullopt, "too few tests"},
      {"three tests in 60 days", {charge(0, 5), charge(30, 6), charge(60, 7)}, std::nullopt, "span 60 days"},
      {"flat", {charge(0, 5), charge(100, 5), charge(200, 5)}, std::nullopt, "no drift"},
      {"receding", {charge(0, 8), charge(100, 7), charge(200, 6)}, std::nullopt, "no drift"},
      {"noisy",
       {charge(0, 2), charge(100, 6), charge(200, 1), charge(300, 7), charge(400, 2), charge(500, 5)},
       std::nullopt,
       "scatter"},
      {"over its limit", {charge(0, 9), charge(100, 10), charge(200, 11)}, std::nullopt, "at its limit already"},
      // Only the last 6 count: two wild early tests change nothing.
      {"the last six",
       {charge(0, 9.5), charge(50, 1), charge(100, 5), charge(200, 5.5), charge(300, 6), charge(400, 6.5),
        charge(500, 7), charge(600, 7.5)},
       kFirst.addDays(1100),
       ""},
  };
  for (const auto& c : cases) {
    const QList<Forecast> found = forecasts(c.points);
    ASSERT_EQ(found.size(), 1) << c.history;
    EXPECT_EQ(found[0].reaches, c.reaches) << c.history << ": " << found[0].text().toStdString();
    EXPECT_TRUE(found[0].why.contains(c.why)) << c.history << ": " << found[0].why.toStdString();
  }
}

TEST(Forecast, EachSeriesHasItsOwnAndSaysWhatItRestsOn) {
  const QList<Forecast> found = forecasts({energy(0, 204), energy(0, 100, 100), energy(60, 206), energy(60, 100, 100),
                                           energy(120, 208), energy(120, 100, 100)});
  ASSERT_EQ(found.size(), 2);
  int dated = 0;
  for (const Forecast& f : found) {
    if (!f.reaches) {
      EXPECT_EQ(f.value, "delivered energy at 100.0 J");
      EXPECT_EQ(f.why, "no drift towards its limit");
      continue;
    }
    ++dated;
    EXPECT_EQ(f.value, "delivered energy at 200.0 J");
    EXPECT_EQ(f.tests, 3);
    EXPECT_EQ(f.text(), "delivered energy at 200.0 J is expected to reach its limit (180.0-220.0 J) in May 2025 (a "
                        "straight line through its last 3 tests, Jan 10, 2024 to May 9, 2024)");
    // The line in joules, for the chart: 204 J at the first test, the 220 J edge at the limit.
    EXPECT_NEAR(f.startValue, 204.0, 1e-9);
    EXPECT_NEAR(f.limitValue, 220.0, 1e-9);
  }
  EXPECT_EQ(dated, 1);
}

TEST(Forecast, MarksADeviceWhenItsDateComesBeforeTheTestAfterNext) {
  Forecast f;
  f.reaches = QDate(2026, 3, 1);
  EXPECT_TRUE(forecastMarks(f, QDate(2025, 6, 1), 12));   // before Jun 1, 2026
  EXPECT_FALSE(forecastMarks(f, QDate(2025, 3, 1), 12));  // on the day: not before
  f.reaches.reset();
  EXPECT_FALSE(forecastMarks(f, QDate(2025, 6, 1), 12));

  // Of a device's forecasts, those that mark it, earliest first.
  Forecast late, early, after, none;
  late.reaches = QDate(2026, 4, 1), early.reaches = QDate(2025, 9, 1), after.reaches = QDate(2026, 7, 1);
  const QList<Forecast> marking = markingForecasts({late, none, after, early}, QDate(2025, 6, 1), 12);
  ASSERT_EQ(marking.size(), 2);
  EXPECT_EQ(marking[0].reaches, early.reaches);
  EXPECT_EQ(marking[1].reaches, late.reaches);
}
