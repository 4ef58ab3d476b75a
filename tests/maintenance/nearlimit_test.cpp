// The near-limit rule on hand-written histories of one device.
#include "maintenance/datelist.h"
#include "maintenance/nearlimit.h"
#include "support/testreportbuilders.h"

#include <gtest/gtest.h>

using namespace testrec;
using Kind = HistoryPoint::Test;

namespace {
// One shock of a test: which test, its target and what it delivered (0.1 J),
// and its tolerance code (2: ±10 %).
struct Shot {
  Kind test = Kind::Energy;
  quint16 target = 2000;
  quint16 delivered = 2000;
  quint8 tolerance = 2;
};
Shot at(quint16 delivered, quint8 tolerance = 2) { return {Kind::Energy, 2000, delivered, tolerance}; }

// One test of the device: its shocks and, when given, a charge time (0.01 s)
// against its maximum (0.1 s; 10 s unless said).
struct Visit {
  QList<Shot> shots;
  quint16 chargeTime = 0;
  quint16 maximum = 100;
  QDate date = {};  // the first of month n for the n-th test of 2025 unless given
};

QList<DeviceTest> history(const QList<Visit>& visits, quint8 dutType = DutDefibrillator) {
  QList<DeviceTest> tests;
  for (qsizetype i = 0; i < visits.size(); ++i) {
    const Visit& v = visits[i];
    TTestRec rec = makeTestRec("DEFIB-1", {1, quint8(1 + i), 25, 9, 0, 0}, 1, dutType);
    std::size_t energies = 0, cardioversions = 0;
    ChargeTimeTest charge{v.chargeTime, 0, v.maximum, 0, 0, 0, 0, quint8(v.chargeTime ? Pass : NotPerformed)};
    for (const Shot& s : v.shots) {
      if (s.test == Kind::Energy)
        setEntryAt(rec, energies++,
                   EnergyEntry{.totalEnergy = s.delivered, .targetEnergy = s.target, .tolerance = s.tolerance, .result = Pass});
      else if (s.test == Kind::Cardioversion)
        setEntryAt(rec, cardioversions++,
                   CardioversionEntry{.energy = s.delivered, .targetEnergy = s.target, .tolerance = s.tolerance, .result = Pass});
      else
        charge.energy = s.delivered, charge.targetEnergy = s.target, charge.tolerance = s.tolerance, charge.result = Pass;
    }
    setEntryAt(rec, 0, charge);
    const QDate date = v.date.isValid() ? v.date : QDate(2025, int(1 + i), 1);
    tests.append({i + 1, QDateTime(date, QTime(9, 0)), rec});
  }
  return tests;
}

// "test: value" for each warning.
QStringList warningsOf(const QList<Visit>& visits) {
  QList<HistoryPoint> points = historyPoints(history(visits));
  QStringList out;
  for (const LimitWarning& w : nearLimitWarnings(points)) out << QString("%1: %2").arg(w.testId).arg(w.value);
  return out;
}
}  // namespace

TEST(NearLimit, TheRuleOnHandWrittenHistories) {
  const Shot cardio114{Kind::Cardioversion, 1000, 1140, 3};  // 114 J of 100 J ±15 %: 93 % of the tolerance
  const struct {
    const char* name;
    QList<Visit> visits;
    QStringList warnings;
  } cases[] = {
      {"well inside: 7 % off a 10 % tolerance", {{{at(2140)}}, {{at(1860)}}}, {}},
      {"exactly 80 % of ±5 %", {{{at(2080, 1)}}}, {"1: delivered energy at 200.0 J"}},
      {"just under 80 % of ±5 %", {{{at(2079, 1)}}}, {}},
      {"exactly 80 % of ±10 %, below the target", {{{at(1840)}}}, {"1: delivered energy at 200.0 J"}},
      {"just under 80 % of ±10 %", {{{at(2159)}}}, {}},
      {"exactly 80 % of ±15 %", {{{at(2240, 3)}}}, {"1: delivered energy at 200.0 J"}},
      {"just under 80 % of ±15 %", {{{at(2239, 3)}}}, {}},
      {"exactly 80 % of ±20 %", {{{at(2320, 4)}}}, {"1: delivered energy at 200.0 J"}},
      {"just under 80 % of ±20 %", {{{at(2319, 4)}}}, {}},
      {"no tolerance given: nothing to measure against", {{{at(2000, 0)}}, {{at(2600, 0)}}}, {}},
      {"a tolerance code outside the table is none", {{{at(2000, 7)}}, {{at(2600, 7)}}}, {}},
      {"no tolerance, however the values move", {{{at(2000, 0)}}, {{at(2010, 0)}}, {{at(2020, 0)}}, {{at(2030, 0)}}}, {}},
      {"an earlier test near the limit does not count", {{{at(2170)}}, {{at(2010)}}}, {}},
      {"several targets: only the one near its limit",
       {{{at(2000), {Kind::Energy, 1000, 1000, 2}}}, {{at(2010), {Kind::Energy, 1000, 1080, 2}}}},
       {"2: delivered energy at 100.0 J"}},
      {"further off in each of the last three tests", {{{at(2000)}}, {{at(2010)}}, {{at(1980)}}, {{at(2030)}}},
       {"4: delivered energy at 200.0 J"}},
      {"only two moves", {{{at(2010)}}, {{at(1980)}}, {{at(2030)}}}, {}},
      {"a step back breaks the trend", {{{at(2000)}}, {{at(2030)}}, {{at(2010)}}, {{at(2040)}}}, {}},
      {"a test without the target is no step of its series",
       {{{at(2000)}}, {{at(2010)}}, {{at(1980)}}, {{{Kind::Energy, 1500, 1500, 2}}}, {{at(2030)}}},
       {"5: delivered energy at 200.0 J"}},
      {"a tolerance that widens: further off in joules, less of the tolerance",
       {{{at(2100, 1)}}, {{at(2120, 2)}}, {{at(2140, 3)}}, {{at(2150, 4)}}}, {}},
      {"a tolerance that narrows: as far off in joules, more of the tolerance",
       {{{at(2100, 4)}}, {{at(2100, 3)}}, {{at(2100, 2)}}, {{at(2110, 2)}}}, {"4: delivered energy at 200.0 J"}},
      {"charge time at 80 % of its maximum", {{{}, 700}, {{}, 800}}, {"2: charge time"}},
      {"charge time at 79 %", {{{}, 790}}, {}},
      {"charge time grew against a fixed maximum", {{{}, 300}, {{}, 310}, {{}, 320}, {{}, 330}}, {"4: charge time"}},
      {"charge time grew but its maximum grew more",
       {{{}, 400, 100}, {{}, 450, 150}, {{}, 500, 200}, {{}, 550, 250}}, {}},
      {"a cardioversion shock near its limit", {{{cardio114}}}, {"1: cardioversion energy at 100.0 J"}},
      {"the charge time test's shock near its limit", {{{{Kind::ChargeTimeShock, 2000, 1830, 2}}, 500}},
       {"1: charge time test's energy at 200.0 J"}},
      {"each test's energy is a series of its own",
       {{{at(2000), {Kind::Cardioversion, 2000, 2000, 2}}}, {{at(2170), {Kind::Cardioversion, 2000, 2010, 2}}}},
       {"2: delivered energy at 200.0 J"}},
      {"the worst of a test's pulses at one target counts", {{{at(2000)}}, {{at(2180), at(2010)}}},
       {"2: delivered energy at 200.0 J"}},
      {"pulses within one test are no trend", {{{at(2000), at(2010), at(2030), at(2050)}}}, {}},
  };
  for (const auto& c : cases) EXPECT_EQ(warningsOf(c.visits), c.warnings) << c.name;
}

TEST(NearLimit, TheWarningSaysWhichValueTestsAndDatesAndMarksItsPoints) {
  QList<HistoryPoint> points = historyPoints(history({{{at(2000)}, 500}, {{at(1832)}, 900}}));
  const QList<LimitWarning> warnings = nearLimitWarnings(points);
  ASSERT_EQ(warnings.size(), 2);
  EXPECT_EQ(warnings[0].tested, QDateTime(QDate(2025, 2, 1), QTime(9, 0)));
  EXPECT_EQ(warnings[0].reason, "183.2 J is 8.4 % off its target, 84 % of its ±10 % tolerance (180.0-220.0 J)");
  EXPECT_EQ(warnings[1].reason, "9.00 s is 90 % of its maximum of 10.00 s");
  int marked = 0;
  for (const HistoryPoint& p : points) marked += p.nearLimit;
  EXPECT_EQ(marked, 2);

  // The trend names the tests that moved, skipping the one without the target.
  QList<HistoryPoint> trend = historyPoints(history({{{at(2000)}, 0, 100, QDate(2024, 11, 5)},
                                                     {{at(2010)}, 0, 100, QDate(2024, 12, 5)},
                                                     {{at(1980)}, 0, 100, QDate(2025, 1, 5)},
                                                     {{{Kind::Energy, 1500, 1500, 2}}, 0, 100, QDate(2025, 3, 2)},
                                                     {{at(2030)}, 0, 100, QDate(2025, 6, 9)}}));
  const QList<LimitWarning> moved = nearLimitWarnings(trend);
  ASSERT_EQ(moved.size(), 1);
  EXPECT_EQ(moved[0].reason,
            "it used more of its tolerance in each of its last 3 tests at 200.0 J (Dec 5, 2024, Jan 5, Jun 9, 2025)");
}

TEST(NearLimit, TheLimitIsPrintedAsTheVerdictTakesIt) {
  const auto limitOf = [](Shot shot) {
    const QList<HistoryPoint> points = historyPoints(history({{{shot}}}));
    return points.isEmpty() ? QString("none") : limitText(points[0]);
  };
  EXPECT_EQ(limitOf(at(2000)), "180.0-220.0 J");
  EXPECT_EQ(limitOf({Kind::Energy, 50, 58, 3}), "4.25-5.75 J");  // 5.8 J is outside, as its FAIL says
  EXPECT_EQ(limitOf({Kind::Energy, 23, 23, 3}), "1.955-2.645 J");
  EXPECT_EQ(limitOf({Kind::Cardioversion, 1000, 1000, 0}), "");   // a tolerance the record does not give
  const QList<HistoryPoint> charge = historyPoints(history({{{}, 450, 150}}));
  ASSERT_EQ(charge.size(), 1);
  EXPECT_EQ(limitText(charge[0]), "15.00 s");
}

// An AED's energy entries hold no target: only its charge time test is
// followed. A test that was not run gives nothing.
TEST(NearLimit, AnAedGivesItsChargeTimeTestAndTestsNotRunGiveNothing) {
  const QList<HistoryPoint> aed = historyPoints(history({{{at(1500), {Kind::ChargeTimeShock, 1500, 1500, 2}}, 800}}, DutAed));
  ASSERT_EQ(aed.size(), 2);
  EXPECT_EQ(aed[0].test, Kind::ChargeTime);
  EXPECT_EQ(aed[1].test, Kind::ChargeTimeShock);

  TTestRec notRun = makeTestRec("DEFIB-1", {1, 1, 25, 9, 0, 0}, 0, DutDefibrillator);
  setEntryAt(notRun, 0, EnergyEntry{.totalEnergy = 1000, .targetEnergy = 2000, .result = NotPerformed});
  setEntryAt(notRun, 0, CardioversionEntry{.energy = 1000, .targetEnergy = 2000, .result = NotPerformed});
  EXPECT_TRUE(historyPoints({{2, {}, notRun}}).isEmpty());
}

TEST(DateList, EachYearIsSaidOnceAfterItsLastDate) {
  EXPECT_EQ(dateListText({QDate(2025, 1, 5), QDate(2025, 3, 2), QDate(2025, 6, 9)}), "Jan 5, Mar 2, Jun 9, 2025");
  EXPECT_EQ(dateListText({QDate(2024, 11, 5), QDate(2025, 3, 2)}), "Nov 5, 2024, Mar 2, 2025");
  EXPECT_EQ(dateListText({}), "");
}
