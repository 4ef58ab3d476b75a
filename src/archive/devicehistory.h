#pragma once
#include "testreport/testrecord.h"

#include <QDateTime>
#include <QList>
#include <QString>

// One test report of a device, as its history reads it.
struct DeviceTest {
  qint64 id = 0;  // the archive's record
  QDateTime tested;
  TTestRec record;
};

// One measured value of one test, as the device's history lists and charts it:
// a delivered energy against its target and tolerance band, or a charge time
// against its maximum.
struct HistoryPoint {
  enum class Test { Energy, ChargeTime };
  qint64 testId = 0;
  QDateTime tested;
  Test test = Test::Energy;
  double target = 0;    // J: the energy aimed at (for a charge time, the energy charged to)
  double measured = 0;  // J delivered, or s of charge time
  double low = 0;       // J: the tolerance band's lower end; 0 for a charge time
  double high = 0;      // J: the band's upper end, or s: the maximum charge time
  int tolerance = 0;    // ± percent of the target; 0 for a charge time
  bool passed = false;  // the test's own result
  bool nearLimit = false;
};

// The energy and charge time values of a device's test reports, oldest first:
// every energy entry that was run with a target (a defibrillator's; an AED's
// entries hold no target), and the charge time test when it was run with a maximum.
QList<HistoryPoint> historyPoints(const QList<DeviceTest>& tests);

class Archive;
struct ArchiveFailure;

// A device's test reports from the archive, oldest first (a row of the wrong
// size is left out, never read past its end).
QList<DeviceTest> deviceTests(const Archive& archive, const QString& device, ArchiveFailure* failure);

// A value that is near its limit, and the test that shows it.
struct LimitWarning {
  qint64 testId = 0;
  QDateTime tested;
  QString value;   // "delivered energy at 200.0 J", "charge time"
  QString reason;  // what about it is near the limit
};

// A device is near a limit when, for some target energy, its latest delivered
// energy is off the target by 80 % of the tolerance or more; when its latest
// charge time is 80 % of its maximum or more; or when either moved towards its
// limit in each of its last three tests (each further off the target, or each
// charge time longer, than the test before). Where a test delivered a target
// several times, its entry furthest off stands for the test. Marks the points
// that raise a warning.
QList<LimitWarning> nearLimitWarnings(QList<HistoryPoint>& points);
