// The near-limit rule on hand-written histories of one defibrillator.
#include "archive/devicehistory.h"
#include "support/testreportbuilders.h"

#include <gtest/gtest.h>

using namespace testrec;

namespace {
// One test of the device: delivered energies at 200 J (±10 %) and, when given,
// a charge time (0.01 s) against a 10 s maximum.
struct Visit {
  QList<quint16> delivered;  // 0.1 J, each aimed at 200 J
  quint16 chargeTime = 0;    // 0.01 s; 0: no charge time test
};

QList<DeviceTest> history(const QList<Visit>& visits) {
  QList<DeviceTest> tests;
  for (qsizetype i = 0; i < visits.size(); ++i) {
    TTestRec rec = makeTestRec("DEFIB-1", {1, quint8(1 + i), 25, 9, 0, 0}, 1, DutDefibrillator);
    for (qsizetype k = 0; k < visits[i].delivered.size(); ++k)
      setEntryAt(rec, std::size_t(k),
                 EnergyEntry{.totalEnergy = visits[i].delivered[k], .targetEnergy = 2000, .tolerance = 2, .result = Pass});
    if (visits[i].chargeTime)
      setEntryAt(rec, 0, ChargeTimeTest{visits[i].chargeTime, 2000, 100, 2000, 2, 0, 0, Pass});
    tests.append({i + 1, QDateTime(QDate(2025, int(1 + i), 1), QTime(9, 0)), rec});
  }
  return tests;
}

QStringList warningsOf(const QList<Visit>& visits) {
  QList<HistoryPoint> points = historyPoints(history(visits));
  QStringList out;
  for (const LimitWarning& w : nearLimitWarnings(points)) out << QString("%1: %2").arg(w.testId).arg(w.value);
  return out;
}
}  // namespace

TEST(NearLimit, TheRuleOnHandWrittenHistories) {
  const struct {
    const char* name;
    QList<Visit> visits;
    QStringList warnings;
  } cases[] = {
      {"well inside: 7 % off a 10 % tolerance", {{{2140}}, {{1860}}}, {}},
      {"the latest at 8 % off", {{{2000}}, {{2160}}}, {"2: delivered energy at 200.0 J"}},
      {"an earlier test near the limit does not count", {{{2170}}, {{2010}}}, {}},
      {"charge time at 80 % of its maximum", {{{2000}, 700}, {{2000}, 800}}, {"2: charge time"}},
      {"charge time at 79 %", {{{2000}, 790}}, {}},
      {"further off in each of the last three tests", {{{2000}}, {{2010}}, {{1980}}, {{2030}}},
       {"4: delivered energy at 200.0 J"}},
      {"only two moves", {{{2010}}, {{1980}}, {{2030}}}, {}},
      {"a step back breaks the trend", {{{2000}}, {{2030}}, {{2010}}, {{2040}}}, {}},
      {"charge time grew in each of the last three", {{{}, 300}, {{}, 310}, {{}, 320}, {{}, 330}}, {"4: charge time"}},
      {"the worst of a test's pulses at one target counts", {{{2000}}, {{2180, 2010}}}, {"2: delivered energy at 200.0 J"}},
      {"pulses within one test are no trend", {{{2000, 2010, 2030, 2050}}}, {}},
  };
  for (const auto& c : cases) EXPECT_EQ(warningsOf(c.visits), c.warnings) << c.name;
}

TEST(NearLimit, TheWarningSaysWhichValueAndTestAndMarksItsPoint) {
  QList<HistoryPoint> points = historyPoints(history({{{2000}, 500}, {{1832}, 900}}));
  const QList<LimitWarning> warnings = nearLimitWarnings(points);
  ASSERT_EQ(warnings.size(), 2);
  EXPECT_EQ(warnings[0].tested, QDateTime(QDate(2025, 2, 1), QTime(9, 0)));
  EXPECT_EQ(warnings[0].reason, "183.2 J is 8.4 % off its target, 80 % or more of its ±10 % tolerance");
  EXPECT_EQ(warnings[1].reason, "9.00 s is 90 % of its maximum of 10.00 s");
  int marked = 0;
  for (const HistoryPoint& p : points) marked += p.nearLimit;
  EXPECT_EQ(marked, 2);
}

// An AED's energies have no target: only its charge time is followed. A test
// that was not run gives nothing.
TEST(NearLimit, AnAedGivesItsChargeTimeAndTestsNotRunGiveNothing) {
  TTestRec aed = makeTestRec("AED-1", {1, 1, 25, 9, 0, 0}, 0, DutAed);
  setEntryAt(aed, 0, EnergyEntry{.totalEnergy = 1500, .targetEnergy = 1500, .result = Pass});  // the same bytes, read as a defibrillator's
  setEntryAt(aed, 0, ChargeTimeTest{800, 1500, 100, 1500, 2, 0, 0, Pass});
  const QList<HistoryPoint> points = historyPoints({{1, {}, aed}});
  ASSERT_EQ(points.size(), 1);
  EXPECT_EQ(points[0].test, HistoryPoint::Test::ChargeTime);

  TTestRec notRun = makeTestRec("DEFIB-1", {1, 1, 25, 9, 0, 0}, 0, DutDefibrillator);
  setEntryAt(notRun, 0, EnergyEntry{.totalEnergy = 1000, .targetEnergy = 2000, .result = NotPerformed});
  EXPECT_TRUE(historyPoints({{2, {}, notRun}}).isEmpty());
}
