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
// an energy delivered against its target and tolerance, or a charge time
// against its maximum.
struct HistoryPoint {
  // Which test delivered it: the energy test, a cardioversion (synchronised)
  // shock, the shock of the charge time test, or the charge time itself.
  enum class Test { Energy, Cardioversion, ChargeTimeShock, ChargeTime };
  qint64 testId = 0;
  QDateTime tested;
  Test test = Test::Energy;
  double target = 0;    // J: the energy aimed at (for a charge time, the energy charged to)
  double measured = 0;  // J delivered, or s of charge time
  int tolerance = 0;    // ± percent of the target; 0 where the record gives none, and for a charge time
  double maximum = 0;   // s: the maximum charge time; 0 for an energy
  bool passed = false;  // the test's own result
  bool nearLimit = false;

  bool isEnergy() const { return test != Test::ChargeTime; }
  // An energy with a tolerance, or a charge time with a maximum: something to measure against.
  bool hasLimit() const { return isEnergy() ? tolerance > 0 && target > 0 : maximum > 0; }
  // The tolerance band's edges in J, exactly as the verdict takes them.
  double low() const { return target * (100 - tolerance) / 100.0; }
  double high() const { return target * (100 + tolerance) / 100.0; }
  // How much of its limit the value uses: its distance from the target as a
  // share of the tolerance, or the charge time as a share of its maximum. 0
  // without a limit.
  double limitShare() const;
};

// The energy and charge time values of a device's test reports, oldest first:
// each energy entry of a defibrillator and each cardioversion shock that was run
// with a target (an AED's energy entries hold none), and the charge time test
// when it was run: its charge time when it has a maximum, its shock when it has
// a target.
QList<HistoryPoint> historyPoints(const QList<DeviceTest>& tests);

// The series of a history that have a limit, each oldest first: each test
// (energy, cardioversion, the charge time test's shock) at each target, and
// the charge time. A test report is one point of a series, its entry furthest
// towards the limit. The pointers are into `points`.
QList<QList<HistoryPoint*>> limitSeries(QList<HistoryPoint>& points);

// The name of the test that gave a value: "energy", "cardioversion", "charge time".
QString testName(HistoryPoint::Test test);
// Which value a point is, for a sentence: "delivered energy at 200.0 J",
// "cardioversion energy at 100.0 J", "charge time test's energy at 200.0 J", "charge time".
QString valueName(const HistoryPoint& p);
// The measured value with its unit: "183.2 J", "4.50 s".
QString measuredText(const HistoryPoint& p);
// The limit the verdict is taken against, to its last digit: "180.0-220.0 J",
// "4.25-5.75 J", "10.00 s"; empty where the record gives none.
QString limitText(const HistoryPoint& p);
