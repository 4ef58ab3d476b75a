#pragma once
#include "testrecord.h"

#include <QFile>
#include <QString>
#include <QStringList>

// Test records built field by field, in host order.
inline TTestRec makeTestRec(const char* id, DateTimeBytes when, quint8 autoSeq, quint8 dutType) {
  return newTestRec(id, when, autoSeq, dutType);
}

// The fully featured defibrillator report: biphasic energy entries 1 (pass) and
// 3 (no verdict), charge time, one cardioversion, two ECG tests, one pacer pulse
// at load index 1 with energy −2345, noise immunity 50 Hz at 1000, one demand
// sensitivity and one refractory period test.
inline TTestRec completeDefibRecord() {
  TTestRec r = makeTestRec("ICU-DEFIB-07", {5, 3, 13, 14, 5, 9}, 2, DutDefibrillator);
  EnergyEntry e1;
  e1.peakVoltage = 1500, e1.peakCurrent = 3000, e1.width10 = 400, e1.width50 = 200, e1.totalEnergy = 2000;
  e1.phase1Energy = 1200, e1.phase2PeakVoltage = 700, e1.phase2PeakCurrent = 1500, e1.avgVoltage1 = 1000;
  e1.avgVoltage2 = 500, e1.avgCurrent1 = 2000, e1.avgCurrent2 = 1000, e1.tilt = 555, e1.phase2Width = 450;
  e1.interphaseDelay = 50, e1.range = 1, e1.targetEnergy = 2000, e1.tolerance = 3, e1.ecgWave = 15, e1.result = Pass;
  setEntryAt(r, 0, e1);
  EnergyEntry e3;
  e3.peakVoltage = 300, e3.peakCurrent = 600, e3.width10 = 410, e3.width50 = 210, e3.totalEnergy = 50;
  e3.phase1Energy = 30, e3.phase2PeakVoltage = 150, e3.phase2PeakCurrent = 300, e3.avgCurrent2 = 5;
  e3.phase2Width = 440, e3.interphaseDelay = 50, e3.ecgWave = 15, e3.ecgScale = 2, e3.result = NoVerdict;
  setEntryAt(r, 2, e3);
  ChargeTimeTest c{};
  c.chargeTime = 612, c.energy = 1985, c.maxChargeTime = 150, c.targetEnergy = 2000, c.tolerance = 3;
  c.ecgWave = 15, c.result = Pass;
  setEntryAt(r, 0, c);
  r.setU8(testrec::PreTestDischarges, 3);
  CardioversionEntry v;
  v.energy = 498, v.syncDelay = 35, v.targetEnergy = 500, v.tolerance = 3, v.syncLimits = 1, v.ecgWave = 15;
  v.syncToRWave = 1, v.result = Pass;
  setEntryAt(r, 0, v);
  setEntryAt(r, 0, EcgEntry{25, 0, Pass});
  setEntryAt(r, 1, EcgEntry{40, 1, NoVerdict});
  r.setU8(testrec::PacerLoad, 1);
  PacerEntry p;
  p.amplitude = 702, p.width = 2010, p.rate = 701, p.energy = -2345, p.targetAmplitude = 70, p.targetWidth = 20;
  p.targetRate = 70, p.amplitudeTolerance = 2, p.widthTolerance = 2, p.rateTolerance = 2, p.result = Pass;
  setEntryAt(r, 0, p);
  setEntryAt(r, 0, NoiseImmunityTest{1, 1000});
  DemandEntry d;
  d.triggerAmplitude = 200, d.sensitivityLimit = 150, d.triggerWave = 44, d.result = Pass;
  setEntryAt(r, 0, d);
  RefractoryEntry f;
  f.pacedPeriod = 305, f.sensedPeriod = 252, f.minimum = 250, f.triggerWave = 44, f.result = Pass;
  setEntryAt(r, 0, f);
  return r;
}

inline QByteArray systemInfoWithId(const char* id) {
  QByteArray info(37, '\0');
  for (int i = 0; id[i] && i < 16; ++i) info[12 + i] = id[i];
  return info;
}

// The lines of a report, each ended by a line feed, as the golden files hold them.
inline QString joinedLines(const QStringList& lines) {
  QString text;
  for (const QString& line : lines) text += line + QLatin1Char('\n');
  return text;
}

inline QString goldenFile(const QString& name) {
  QFile file(QStringLiteral(KALYX_TEST_DATA "/") + name);
  if (!file.open(QIODevice::ReadOnly)) return QStringLiteral("<missing golden file %1>").arg(name);
  return QString::fromUtf8(file.readAll());
}
