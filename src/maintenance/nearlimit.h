#pragma once
#include "maintenance/historypoint.h"

// A value that is near its limit, and the test that shows it.
struct LimitWarning {
  qint64 testId = 0;
  QDateTime tested;
  QString value;   // which value: valueName(), "delivered energy at 200.0 J", "charge time"
  QString reason;  // what about it is near the limit, with the tests and dates that show it
};

// The near-limit rule. Each value is a series of its own: the energy of each
// test (energy, cardioversion, the charge time test's shock) at each target,
// and the charge time. A step of a series is measured as the share of its limit
// the value uses (its distance from the target against the tolerance, the charge
// time against the maximum), so that a limit changed between tests moves
// nothing. A series is near its limit when its latest value uses 80 % of its
// limit or more, or when that share grew in each of its last three tests. A
// value without a limit (a tolerance the record does not give) marks nothing.
// Where a test delivered a target several times, its entry furthest towards
// the limit stands for the test. Marks the points that raise a warning.
QList<LimitWarning> nearLimitWarnings(QList<HistoryPoint>& points);
