#include "samplememory.h"

#include "bytefield.h"
#include "testrecord.h"

#include <cmath>

namespace {

// ---- test reports, built in host order and converted to wire order -----------

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

TTestRec completeRecord() {
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

  list << completeRecord();

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

// ---- autosequences, in wire order ----------------------------------------------

using AutoSeqBytes = ByteRecord<276>;

AutoSeqBytes defibAutoSeq(const char* title, quint8 deviceCode, std::initializer_list<quint16> energies) {
  AutoSeqBytes a;
  a.setText(0, 16, title);
  a.setU8(16, deviceCode);
  a.setU8(17, 1);
  int k = 0;
  for (quint16 energy : energies) {
    const std::size_t base = 18 + 6 * k++;
    a.setU16BigEndian(base, energy);
    a.setU8(base + 2, 3), a.setU8(base + 3, 40), a.setU8(base + 4, 0), a.setU8(base + 5, 1);
  }
  a.setU16BigEndian(114, 150), a.setU16BigEndian(116, energies.size() ? *(energies.end() - 1) : 0);
  a.setU8(118, 3), a.setU8(119, 15), a.setU8(121, 1);
  a.setU16BigEndian(122, 500), a.setU8(124, 3), a.setU8(125, 1), a.setU8(126, 31), a.setU8(128, 1), a.setU8(129, 1);
  a.setU8(162, 15), a.setU8(163, 40);
  return a;
}

AutoSeqBytes aedAutoSeq(const char* title, std::initializer_list<quint8> rhythms) {
  AutoSeqBytes a;
  a.setText(0, 16, title);
  a.setU8(16, 2);
  int k = 0;
  for (quint8 rhythm : rhythms) {
    const std::size_t base = 18 + 3 * k++;
    a.setU8(base, rhythm), a.setU8(base + 1, 0), a.setU8(base + 2, 1);
  }
  return a;
}

void addPacerPlan(AutoSeqBytes& a) {
  a.setU8(175, 1), a.setU8(176, 1), a.setU8(177, 1);
  const quint8 pulse[8] = {0, 70, 20, 70, 2, 2, 2, 1};
  for (int i = 0; i < 8; ++i) a.setU8(178 + i, pulse[i]);
  a.setU16BigEndian(258, 150), a.setU8(260, 44), a.setU8(261, 1);
  a.setU16BigEndian(266, 250), a.setU16BigEndian(268, 350), a.setU8(270, 44);
}

QList<QByteArray> sampleAutoSeqs() {
  QList<AutoSeqBytes> list = {
      defibAutoSeq("BIPHASIC 150-360", 1, {1500, 2000, 3600}),
      defibAutoSeq("BIPHASIC 200", 3, {2000}),
      defibAutoSeq("MONO 200-360", 1, {2000, 3000, 3600}),
      defibAutoSeq("PEDIATRIC 2-50J", 4, {20, 50, 100, 200, 500}),
      defibAutoSeq("QUICK CHECK", 5, {300}),
      defibAutoSeq("ANNUAL PM DEFIB", 1, {500, 1000, 1500, 2000, 3000, 3600}),
      aedAutoSeq("AED STANDARD", {40, 34, 38, 41}),
      aedAutoSeq("AED SHOCKABLE", {37, 38, 39, 40}),
      aedAutoSeq("AED NON-SHOCK", {31, 33, 35, 42}),
      defibAutoSeq("PACER + DEFIB", 1, {1500, 2000}),
      defibAutoSeq("SYNC ONLY", 1, {}),
      defibAutoSeq("ICU UNITS", 3, {1200, 1500, 2000}),
  };
  addPacerPlan(list[9]);
  addPacerPlan(list[11]);
  QList<QByteArray> out;
  for (const AutoSeqBytes& a : list) out.append(QByteArray(a.data(), AutoSeqBytes::Size));
  return out;
}

// ---- wave records and the capture, in wire order -------------------------------

// Current of a biphasic truncated exponential pulse at t ms, relative to its first peak.
double biphasicShape(double t) {
  if (t < 0) return 0;
  if (t < 6.0) return std::exp(-t / 8.5);
  if (t < 6.4) return 0;
  if (t < 10.4) return -0.5 * std::exp(-(t - 6.4) / 8.5);
  return 0;
}

// A damped sine (monophasic) pulse, normalised to a peak of 1.
double monophasicShape(double t) {
  if (t < 0 || t > 12) return 0;
  const double v = std::exp(-t / 2.2) * std::sin(t * 3.14159265 / 12.0);
  return v / 0.53;
}

QByteArray waveRecord(const char* id, DateTimeBytes when, quint16 peakV, quint16 peakI, quint16 energy, bool mono,
                      quint8 testType, quint8 testNumber) {
  ByteRecord<1314> w;
  w.setText(0, 16, id);
  w.setU8(16, when.day), w.setU8(17, when.month), w.setU8(18, when.year);
  w.setU8(19, when.hour), w.setU8(20, when.minute), w.setU8(21, when.second);
  w.setU16BigEndian(22, peakV), w.setU16BigEndian(24, peakI);
  w.setU16BigEndian(26, mono ? 820 : 600), w.setU16BigEndian(28, mono ? 410 : 310), w.setU16BigEndian(30, energy);
  w.setU8(32, mono ? 1 : 0);  // 45.6 µs per sample for the long monophasic pulse, else 11.4 µs
  w.setU8(34, quint8(testType | (testNumber << 4)));
  const double step = mono ? 0.0456 : 0.0114;
  for (int i = 0; i < 1279; ++i) {
    const double t = i * step - 2.0;
    const double v = mono ? monophasicShape(t) : biphasicShape(t);
    w.setU8(35 + i, quint8(qint8(std::lround(v * 127))));
  }
  return QByteArray(w.data(), 1314);
}

QByteArray sampleCapture() {
  ByteRecord<10306> c;
  c.setText(0, 16, "ER-DEFIB-01");
  c.setU8(16, 30), c.setU8(17, 41), c.setU8(18, 10), c.setU8(19, 8), c.setU8(20, 3), c.setU8(21, 25);
  const quint16 defib[] = {1410, 2820, 600, 310, 1240, 705, 1410, 1015, 536, 2030, 1072, 520, 400, 40, 0, 0, 2000};
  for (int i = 0; i < 17; ++i) c.setU16BigEndian(22 + 2 * i, defib[i]);
  c.setU8(65, 1);
  for (int i = 0; i < 5120; ++i) {
    const double t = i * 0.0114 - 5.0;
    c.setU16BigEndian(66 + 2 * i, quint16(qint16(std::lround(biphasicShape(t) * 4000))));
  }
  return QByteArray(c.data(), 10306);
}

}  // namespace

QByteArray sampleCompleteTestRecord() {
  const TTestRec r = completeRecord();
  return QByteArray(r.data(), TTestRec::Size);
}

AnalyzerMemory sampleAnalyzerMemory() {
  AnalyzerMemory memory;
  const char firmware[] = "K5 FW V2.0.3";
  for (int i = 0; i < 12; ++i) memory.systemInfo[i] = firmware[i];
  memory.setAnalyzerId(QByteArrayLiteral("A1234567"));
  memory.autoSeqs = sampleAutoSeqs();
  for (TTestRec rec : sampleTestRecords()) {
    swapTestRec(rec);
    memory.testRecords.append(QByteArray(rec.data(), TTestRec::Size));
  }
  memory.waveRecords = {
      waveRecord("ER-DEFIB-01", {14, 1, 25, 9, 12, 40}, 1410, 2820, 2000, false, 0, 1),
      waveRecord("ER-DEFIB-01", {14, 1, 25, 9, 14, 2}, 1730, 3460, 3600, false, 0, 2),
      waveRecord("OR3 LIFEPAK", {14, 1, 25, 10, 2, 5}, 2690, 5380, 2000, true, 0, 1),
      waveRecord("ICU-DEFIB-07", {5, 3, 13, 14, 5, 9}, 1500, 3000, 2000, false, 1, 1),
      waveRecord("CCU-DEF-12", {3, 2, 25, 15, 30, 0}, 1330, 2660, 500, false, 2, 1),
  };
  memory.capture = sampleCapture();
  memory.setCountsFromLists();
  return memory;
}
