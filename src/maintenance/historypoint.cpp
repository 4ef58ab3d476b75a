#include "maintenance/historypoint.h"

#include "analyzer/codetables.h"

#include <QMap>
#include <cmath>

using namespace testrec;

namespace {
// A value kept in tenths (of a joule) or hundredths (of a second), as the record holds it.
double tenths(quint16 raw) { return raw / 10.0; }

HistoryPoint energyPoint(const DeviceTest& t, HistoryPoint::Test test, quint16 delivered, quint16 target,
                         quint8 toleranceCode, quint8 result) {
  HistoryPoint p;
  p.testId = t.id;
  p.tested = t.tested;
  p.test = test;
  p.target = tenths(target);
  p.measured = tenths(delivered);
  p.tolerance = tolerancePercent(toleranceCode);
  p.passed = result == Pass;
  return p;
}

// Thousandths written with as few digits as they need, but at least one decimal: 180.0, 4.25, 1.955.
QString thousandths(qint64 value) {
  QString text = QString::number(value / 1000) + QLatin1Char('.') +
                 QStringLiteral("%1").arg(value % 1000, 3, 10, QLatin1Char('0'));
  while (text.endsWith(QLatin1Char('0')) && text.indexOf(QLatin1Char('.')) < text.size() - 2) text.chop(1);
  return text;
}
}  // namespace

double HistoryPoint::limitShare() const {
  if (!hasLimit()) return 0;
  if (!isEnergy()) return measured / maximum;
  return std::abs(measured - target) / (target * tolerance / 100.0);
}

QList<HistoryPoint> historyPoints(const QList<DeviceTest>& tests) {
  QList<HistoryPoint> points;
  for (const DeviceTest& t : tests) {
    // Energy entries with targets are a defibrillator's: an AED's record holds
    // its own entries in the same bytes.
    for (std::size_t k = 0; k < EnergyEntry::Count && t.record.u8(DutTypeByte) == DutDefibrillator; ++k) {
      const EnergyEntry e = entryAt<EnergyEntry>(t.record, k);
      if (e.result != NotPerformed && e.targetEnergy != 0)
        points.append(energyPoint(t, HistoryPoint::Test::Energy, e.totalEnergy, e.targetEnergy, e.tolerance, e.result));
    }
    for (std::size_t k = 0; k < CardioversionEntry::Count; ++k) {
      const CardioversionEntry e = entryAt<CardioversionEntry>(t.record, k);
      if (e.result != NotPerformed && e.targetEnergy != 0)
        points.append(energyPoint(t, HistoryPoint::Test::Cardioversion, e.energy, e.targetEnergy, e.tolerance, e.result));
    }
    const ChargeTimeTest c = entryAt<ChargeTimeTest>(t.record, 0);
    if (c.result == NotPerformed) continue;
    if (c.maxChargeTime != 0) {
      HistoryPoint p = energyPoint(t, HistoryPoint::Test::ChargeTime, 0, c.targetEnergy, 0, c.result);
      p.measured = c.chargeTime / 100.0;
      p.maximum = tenths(c.maxChargeTime);
      points.append(p);
    }
    if (c.targetEnergy != 0)
      points.append(energyPoint(t, HistoryPoint::Test::ChargeTimeShock, c.energy, c.targetEnergy, c.tolerance, c.result));
  }
  return points;
}

QString testName(HistoryPoint::Test test) {
  switch (test) {
    case HistoryPoint::Test::Energy: return QStringLiteral("energy");
    case HistoryPoint::Test::Cardioversion: return QStringLiteral("cardioversion");
    case HistoryPoint::Test::ChargeTimeShock:
    case HistoryPoint::Test::ChargeTime: return QStringLiteral("charge time");
  }
  return QString();
}

QString valueName(const HistoryPoint& p) {
  const QString at = QStringLiteral(" at ") + QString::number(p.target, 'f', 1) + QStringLiteral(" J");
  switch (p.test) {
    case HistoryPoint::Test::Energy: return QStringLiteral("delivered energy") + at;
    case HistoryPoint::Test::Cardioversion: return QStringLiteral("cardioversion energy") + at;
    case HistoryPoint::Test::ChargeTimeShock: return QStringLiteral("charge time test's energy") + at;
    case HistoryPoint::Test::ChargeTime: return QStringLiteral("charge time");
  }
  return QString();
}

QString measuredText(const HistoryPoint& p) {
  return p.isEnergy() ? QString::number(p.measured, 'f', 1) + QStringLiteral(" J")
                      : QString::number(p.measured, 'f', 2) + QStringLiteral(" s");
}

QString limitText(const HistoryPoint& p) {
  if (!p.hasLimit()) return QString();
  if (!p.isEnergy()) return QString::number(p.maximum, 'f', 2) + QStringLiteral(" s");
  // In thousandths of a joule the edges are whole numbers: target (0.1 J) × (100 ± tolerance) (%).
  const qint64 target = qRound64(p.target * 10);
  return thousandths(target * (100 - p.tolerance)) + QLatin1Char('-') + thousandths(target * (100 + p.tolerance)) +
         QStringLiteral(" J");
}

QList<QList<HistoryPoint*>> limitSeries(QList<HistoryPoint>& points) {
  // A series is a test and, for an energy, its target in 0.1 J; a test report
  // is one point of it: its entry furthest towards the limit.
  QMap<std::pair<int, qint64>, QList<HistoryPoint*>> series;
  for (HistoryPoint& p : points) {
    if (!p.hasLimit()) continue;
    QList<HistoryPoint*>& s = series[{int(p.test), p.isEnergy() ? qRound64(p.target * 10) : 0}];
    if (s.isEmpty() || s.last()->testId != p.testId) s.append(&p);
    else if (p.limitShare() > s.last()->limitShare()) s.last() = &p;
  }
  return series.values();
}
