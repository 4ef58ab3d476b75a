#include "maintenance/nearlimit.h"

#include "maintenance/datelist.h"


namespace {
constexpr double kNearShare = 0.8;  // of the limit
constexpr int kTrendTests = 3;      // tests in a row that each used more of the limit
constexpr double kRounding = 1e-9;  // a value on the 80 % line counts as reaching it

QString percent(double share) { return QString::number(share * 100, 'f', 0) + QStringLiteral(" %"); }

// The latest kTrendTests tests when each used more of its limit than the test
// before it; none otherwise.
QList<const HistoryPoint*> trend(const QList<HistoryPoint*>& series) {
  if (series.size() < kTrendTests + 1) return {};
  QList<const HistoryPoint*> moved;
  for (qsizetype i = series.size() - kTrendTests; i < series.size(); ++i) {
    if (!(series[i]->limitShare() > series[i - 1]->limitShare() + kRounding)) return {};
    moved.append(series[i]);
  }
  return moved;
}

QString nearReason(const HistoryPoint& p) {
  if (!p.isEnergy())
    return QStringLiteral("%1 is %2 of its maximum of %3").arg(measuredText(p), percent(p.limitShare()), limitText(p));
  const double off = std::abs(p.measured - p.target) / p.target * 100;
  return QStringLiteral("%1 is %2 % off its target, %3 of its ±%4 % tolerance (%5)")
      .arg(measuredText(p), QString::number(off, 'f', 1), percent(p.limitShare()))
      .arg(p.tolerance)
      .arg(limitText(p));
}

QString trendReason(const HistoryPoint& latest, const QList<const HistoryPoint*>& moved) {
  QList<QDate> dates;
  for (const HistoryPoint* p : moved) dates << p->tested.date();
  const QString tests = latest.isEnergy()
                            ? QStringLiteral("its last %1 tests at %2 J").arg(kTrendTests).arg(latest.target, 0, 'f', 1)
                            : QStringLiteral("its last %1 tests").arg(kTrendTests);
  return QStringLiteral("it used more of its %1 in each of %2 (%3)")
      .arg(latest.isEnergy() ? QStringLiteral("tolerance") : QStringLiteral("maximum"), tests, dateListText(dates));
}
}  // namespace

QList<LimitWarning> nearLimitWarnings(QList<HistoryPoint>& points) {
  QList<LimitWarning> warnings;
  for (const QList<HistoryPoint*>& s : limitSeries(points)) {
    HistoryPoint& latest = *s.last();
    QString reason;
    if (latest.limitShare() >= kNearShare - kRounding) reason = nearReason(latest);
    else if (const QList<const HistoryPoint*> moved = trend(s); !moved.isEmpty()) reason = trendReason(latest, moved);
    if (reason.isEmpty()) continue;
    latest.nearLimit = true;
    warnings.append({latest.testId, latest.tested, valueName(latest), reason});
  }
  return warnings;
}
