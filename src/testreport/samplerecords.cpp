#include "testreport/samplerecords.h"

#include <cmath>

using namespace testrec;

namespace {

// A biphasic truncated exponential pulse delivering `energy` tenths of a joule into 50 ohms.
EnergyEntry biphasic(quint16 energy, quint16 target, quint8 result) {
  const double joules = energy / 10.0;
  const quint16 peakV = quint16(std::lround(std::sqrt(joules * 50.0 / 0.0045) * 0.55));
  EnergyEntry e;
  e.peakVoltage = peakV, e.peakCurrent = quint16(peakV * 2), e.width10 = 600, e.width50 = 310;
  e.totalEnergy = energy, e.phase1Energy = quint16(energy * 0.62);
  e.phase2PeakVoltage = qint16(peakV * 0.5), e.phase2PeakCurrent = qint16(peakV);
  e.avgVoltage1 = quint16(peakV * 0.72), e.avgVoltage2 = qint16(peakV * 0.38);
  e.avgCurrent1 = quint16(peakV * 1.44), e.avgCurrent2 = qint16(peakV * 0.76);
  e.tilt = 520, e.phase2Width = 400, e.interphaseDelay = 40, e.range = energy > 500;
  e.targetEnergy = target, e.tolerance = 3, e.ecgWave = 15, e.ecgScale = 0, e.result = result;
  return e;
}

EnergyEntry monophasic(quint16 energy, quint16 target, quint8 result) {
  const quint16 peakV = quint16(std::lround(std::sqrt(energy / 10.0) * 190));
  EnergyEntry e;
  e.peakVoltage = peakV, e.peakCurrent = quint16(peakV * 2), e.width10 = 820, e.width50 = 410;
  e.totalEnergy = energy, e.phase1Energy = energy, e.range = energy > 500;
  e.targetEnergy = target, e.tolerance = 3, e.ecgWave = 15, e.result = result;
  return e;
}

void addPacerTests(TTestRec& r, quint8 loadIndex) {
  r.setU8(testrec::PacerLoad, loadIndex);
  PacerEntry p;
  p.amplitude = 702, p.width = 2010, p.rate = 701, p.energy = -2345, p.method = 0;
  p.targetAmplitude = 70, p.targetWidth = 20, p.targetRate = 70;
  p.amplitudeTolerance = 2, p.widthTolerance = 2, p.rateTolerance = 2, p.result = Pass;
  setEntryAt(r, 0, p);
  setEntryAt(r, 0, NoiseImmunityTest{1, 1000});
  DemandEntry d;
  d.triggerAmplitude = 200, d.sensitivityLimit = 150, d.triggerWave = 44, d.result = Pass;
  setEntryAt(r, 0, d);
  RefractoryEntry f;
  f.pacedPeriod = 305, f.sensedPeriod = 252, f.minimum = 250, f.triggerWave = 44, f.result = Pass;
  setEntryAt(r, 0, f);
}

}  // namespace

TTestRec sampleCompleteTestRecord() {
  TTestRec r = newTestRec("ICU-DEFIB-07", {5, 3, 13, 14, 5, 9}, 2, DutDefibrillator);
  EnergyEntry e1;
  e1.peakVoltage = 1500, e1.peakCurrent = 3000, e1.width10 = 400, e1.width50 = 200, e1.totalEnergy = 2000;
  e1.phase1Energy = 1200, e1.phase2PeakVoltage = 700, e1.phase2PeakCurrent = 1500, e1.avgVoltage1 = 1000;
  e1.avgVoltage2 = 500, e1.avgCurrent1 = 2000, e1.avgCurrent2 = 1000, e1.tilt = 555, e1.phase2Width = 450;
  e1.interphaseDelay = 50, e1.range = 1, e1.targetEnergy = 2000, e1.tolerance = 3, e1.ecgWave = 15;
  e1.result = Pass;
  setEntryAt(r, 0, e1);
  EnergyEntry e3;
  e3.peakVoltage = 300, e3.peakCurrent = 600, e3.width10 = 410, e3.width50 = 210, e3.totalEnergy = 50;
  e3.phase1Energy = 30, e3.phase2PeakVoltage = 150, e3.phase2PeakCurrent = 300, e3.avgCurrent2 = 5;
  e3.phase2Width = 440, e3.interphaseDelay = 50, e3.ecgWave = 15, e3.ecgScale = 2, e3.result = NoVerdict;
  setEntryAt(r, 2, e3);
  setEntryAt(r, 0, ChargeTimeTest{612, 1985, 150, 2000, 3, 15, 0, Pass});
  r.setU8(testrec::PreTestDischarges, 3);
  CardioversionEntry c;
  c.energy = 498, c.range = 0, c.syncDelay = 35, c.targetEnergy = 500, c.tolerance = 3, c.syncLimits = 1;
  c.ecgWave = 15, c.ecgScale = 0, c.syncToRWave = 1, c.result = Pass;
  setEntryAt(r, 0, c);
  setEntryAt(r, 0, EcgEntry{25, 0, Pass});
  setEntryAt(r, 1, EcgEntry{40, 1, NoVerdict});
  addPacerTests(r, 1);
  return r;
}

QList<TTestRec> sampleTestRecords() {
  QList<TTestRec> list;

  TTestRec er1 = newTestRec("ER-DEFIB-01", {14, 1, 25, 9, 12, 40}, 1, DutDefibrillator);
  setEntryAt(er1, 0, biphasic(1500, 1500, Pass));
  setEntryAt(er1, 1, biphasic(2000, 2000, Pass));
  setEntryAt(er1, 2, biphasic(3600, 3600, Pass));
  setEntryAt(er1, 0, ChargeTimeTest{548, 3588, 150, 3600, 3, 15, 0, Pass});
  er1.setU8(testrec::PreTestDischarges, 2);
  list << er1;

  TTestRec mono = newTestRec("OR3 LIFEPAK", {14, 1, 25, 10, 2, 5}, 0, DutDefibrillator);
  setEntryAt(mono, 0, monophasic(2000, 2000, Pass));
  setEntryAt(mono, 1, monophasic(2990, 3600, Fail));
  list << mono;

  list << sampleCompleteTestRecord();

  TTestRec pulsed = newTestRec("CCU-DEF-12", {3, 2, 25, 15, 30, 0}, 3, DutDefibrillator);
  EnergyEntry pb = biphasic(1200, 1200, Pass);
  pb.pulseFrequency = 2500, pb.dutyCycle = 625;
  setEntryAt(pulsed, 0, pb);
  EnergyEntry pb2 = biphasic(1700, 1700, Pass);
  pb2.pulseFrequency = 2500, pb2.dutyCycle = 625;
  setEntryAt(pulsed, 1, pb2);
  CardioversionEntry sync;
  sync.energy = 502, sync.syncDelay = 42, sync.targetEnergy = 500, sync.tolerance = 3, sync.syncLimits = 1;
  sync.ecgWave = 31, sync.syncToRWave = 1, sync.result = Pass;
  setEntryAt(pulsed, 0, sync);
  list << pulsed;

  TTestRec aed = newTestRec("LOBBY-AED-2", {10, 2, 25, 8, 45, 12}, 4, DutAed);
  setEntryAt(aed, 0, AedEntry{1502, 40, 0, AedEntry::PassBit | AedEntry::ShockableBit});
  setEntryAt(aed, 1, AedEntry{0, 34, 0, AedEntry::PassBit});
  setEntryAt(aed, 2, AedEntry{1498, 38, 0, AedEntry::PassBit | AedEntry::ShockableBit});
  setEntryAt(aed, 3, AedEntry{0, 41, 1, 0x04});
  list << aed;

  TTestRec aedFail = newTestRec("GYM AED 5", {10, 2, 25, 9, 20, 33}, 4, DutAed);
  setEntryAt(aedFail, 0, AedEntry{1510, 40, 0, AedEntry::PassBit | AedEntry::ShockableBit});
  setEntryAt(aedFail, 1, AedEntry{0, 37, 0, AedEntry::FailBit | AedEntry::ShockableBit});
  list << aedFail;

  TTestRec pacer = newTestRec("TCP-PACER-03", {21, 2, 25, 13, 0, 0}, 0, 0);
  addPacerTests(pacer, 3);
  PacerEntry p2 = entryAt<PacerEntry>(pacer, 0);
  p2.amplitude = 1498, p2.targetAmplitude = 150, p2.energy = 412, p2.method = 3;
  setEntryAt(pacer, 2, p2);
  list << pacer;

  TTestRec ward = newTestRec("WARD7-DEFIB", {2, 3, 25, 11, 15, 27}, 1, DutDefibrillator);
  setEntryAt(ward, 0, biphasic(1500, 1500, Pass));
  setEntryAt(ward, 1, biphasic(2000, 2000, Pass));
  setEntryAt(ward, 0, ChargeTimeTest{1720, 1995, 150, 2000, 3, 15, 0, Fail});
  setEntryAt(ward, 0, EcgEntry{15, 0, Pass});
  setEntryAt(ward, 1, EcgEntry{40, 0, Pass});
  setEntryAt(ward, 2, EcgEntry{38, 1, Pass});
  list << ward;

  TTestRec noise = newTestRec("TCP-PACER-04", {2, 3, 25, 14, 40, 51}, 5, 0);
  addPacerTests(noise, 1);
  setEntryAt(noise, 0, NoiseImmunityTest{2, 995});
  list << noise;

  TTestRec manual = newTestRec("ICU-DEFIB-07", {4, 3, 25, 16, 20, 2}, 0, DutDefibrillator);
  setEntryAt(manual, 0, biphasic(50, 0, NoVerdict));
  list << manual;

  TTestRec amb = newTestRec("AMBULANCE 14", {5, 3, 25, 7, 55, 19}, 2, DutDefibrillator);
  setEntryAt(amb, 0, biphasic(1500, 1500, Pass));
  setEntryAt(amb, 3, biphasic(2000, 2000, Pass));
  setEntryAt(amb, 0, ChargeTimeTest{603, 1992, 0, 2000, 3, 15, 0, Pass});
  list << amb;

  TTestRec clinic = newTestRec("clinic-aed-9", {6, 3, 25, 10, 10, 10}, 4, DutAed);
  setEntryAt(clinic, 0, AedEntry{1495, 39, 0, AedEntry::PassBit | AedEntry::ShockableBit});
  list << clinic;
  return list;
}
