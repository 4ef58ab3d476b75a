#include "archive/devicehistory.h"

#include "analyzer/codetables.h"
#include "archive/archive.h"

#include <QMap>
#include <cmath>

using namespace testrec;

namespace {
constexpr double kNearShare = 0.8;  // of the tolerance, or of the maximum charge time
constexpr int kTrendTests = 3;      // tests in a row that moved towards the limit
constexpr double kRounding = 1e-9;  // a value on the 80 % line counts as reaching it

QString joules(double value) { return QString::number(value, 'f', 1) + QStringLiteral(" J"); }
QString seconds(double value) { return QString::number(value, 'f', 2) + QStringLiteral(" s"); }

// How far a value is from where it should be, in the direction of its limit.
double offTarget(const HistoryPoint& p) {
  return p.test == HistoryPoint::Test::Energy ? std::abs(p.measured - p.target) / p.target : p.measured;
}

// Marks the series' latest point when each of the last kTrendTests points is
// further towards the limit than the one before it.
bool movedTowardsLimit(const QList<HistoryPoint*>& series) {
  if (series.size() < kTrendTests + 1) return false;
  for (qsizetype i = series.size() - kTrendTests; i < series.size(); ++i)
    if (!(offTarget(*series[i]) > offTarget(*series[i - 1]))) return false;
  return true;
}

void warn(QList<LimitWarning>& warnings, HistoryPoint& p, const QString& value, const QString& reason) {
  p.nearLimit = true;
  warnings.append({p.testId, p.tested, value, reason});
}
}  // namespace

QList<HistoryPoint> historyPoints(const QList<DeviceTest>& tests) {
  QList<HistoryPoint> points;
  for (const DeviceTest& t : tests) {
    // Energy entries with targets are a defibrillator's; an AED's charge time counts too.
    for (std::size_t k = 0; k < EnergyEntry::Count && t.record.u8(DutTypeByte) == DutDefibrillator; ++k) {
      const EnergyEntry e = entryAt<EnergyEntry>(t.record, k);
      if (e.result == NotPerformed || e.targetEnergy == 0) continue;
      HistoryPoint p{t.id, t.tested, HistoryPoint::Test::Energy, e.targetEnergy / 10.0, e.totalEnergy / 10.0};
      p.tolerance = tolerancePercent(e.tolerance);
      p.low = p.target * (1 - p.tolerance / 100.0);
      p.high = p.target * (1 + p.tolerance / 100.0);
      p.passed = e.result == Pass;
      points.append(p);
    }
    const ChargeTimeTest c = entryAt<ChargeTimeTest>(t.record, 0);
    if (c.result != NotPerformed && c.maxChargeTime != 0) {
      HistoryPoint p{t.id, t.tested, HistoryPoint::Test::ChargeTime, c.targetEnergy / 10.0, c.chargeTime / 100.0};
      p.high = c.maxChargeTime / 10.0;
      p.passed = c.result == Pass;
      points.append(p);
    }
  }
  return points;
}

QList<LimitWarning> nearLimitWarnings(QList<HistoryPoint>& points) {
  // Each target energy is a series of its own, the charge time one more; a test
  // is one point of a series, its entry furthest towards the limit standing for it.
  QMap<qint64, QList<HistoryPoint*>> energies;
  QList<HistoryPoint*> chargeTimes;
  const auto addTo = [](QList<HistoryPoint*>& series, HistoryPoint& p) {
    if (series.isEmpty() || series.last()->testId != p.testId) series.append(&p);
    else if (offTarget(p) > offTarget(*series.last())) series.last() = &p;
  };
  for (HistoryPoint& p : points) {
    if (p.test == HistoryPoint::Test::ChargeTime) addTo(chargeTimes, p);
    else addTo(energies[qRound64(p.target * 10)], p);
  }
  QList<LimitWarning> warnings;
  for (const QList<HistoryPoint*>& series : std::as_const(energies)) {
    HistoryPoint& latest = *series.last();
    const QString value = QStringLiteral("delivered energy at ") + joules(latest.target);
    const double off = offTarget(latest) * 100;
    if (latest.tolerance > 0 && off >= kNearShare * latest.tolerance - kRounding)
      warn(warnings, latest, value,
           QStringLiteral("%1 is %2 % off its target, %3 % or more of its ±%4 % tolerance")
               .arg(joules(latest.measured), QString::number(off, 'f', 1))
               .arg(qRound(kNearShare * 100))
               .arg(latest.tolerance));
    else if (movedTowardsLimit(series))
      warn(warnings, latest, value,
           QStringLiteral("it moved further off its target in each of the last %1 tests").arg(kTrendTests));
  }
  if (!chargeTimes.isEmpty()) {
    HistoryPoint& latest = *chargeTimes.last();
    const QString value = QStringLiteral("charge time");
    if (latest.measured >= kNearShare * latest.high - kRounding)
      warn(warnings, latest, value,
           QStringLiteral("%1 is %2 % of its maximum of %3")
               .arg(seconds(latest.measured), QString::number(latest.measured / latest.high * 100, 'f', 0),
                    seconds(latest.high)));
    else if (movedTowardsLimit(chargeTimes))
      warn(warnings, latest, value, QStringLiteral("it grew in each of the last %1 tests").arg(kTrendTests));
  }
  return warnings;
}

QList<DeviceTest> deviceTests(const Archive& archive, const QString& device, ArchiveFailure* failure) {
  QList<DeviceTest> tests;
  for (const Archive::ReportBytes& r : archive.testReportsOf(device, failure))
    if (r.bytes.size() == TTestRec::Size) tests.append({r.id, r.tested, testRecFromBytes(r.bytes.constData())});
  return tests;
}
