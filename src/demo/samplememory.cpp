#include "samplememory.h"

#include "bytefield.h"
#include "datetimetext.h"
#include "samplerecords.h"

#include <cmath>

namespace {

// ---- autosequences, in wire order ----------------------------------------------

// Until the autosequence, wave record and capture types exist, their samples
// are written here field by field, in wire order.
using AutoSeqBytes = ByteRecord<std::size_t(kAutoSeqRecords.blockSize)>;

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
  ByteRecord<std::size_t(kWaveRecords.blockSize)> w;
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
  return QByteArray(w.data(), kWaveRecords.blockSize);
}

QByteArray sampleCapture() {
  ByteRecord<std::size_t(kCaptureBlockSize)> c;
  c.setText(0, 16, "ER-DEFIB-01");
  c.setU8(16, 30), c.setU8(17, 41), c.setU8(18, 10), c.setU8(19, 8), c.setU8(20, 3), c.setU8(21, 25);
  const quint16 defib[] = {1410, 2820, 600, 310, 1240, 705, 1410, 1015, 536, 2030, 1072, 520, 400, 40, 0, 0, 2000};
  for (int i = 0; i < 17; ++i) c.setU16BigEndian(22 + 2 * i, defib[i]);
  c.setU8(65, 1);
  for (int i = 0; i < 5120; ++i) {
    const double t = i * 0.0114 - 5.0;
    c.setU16BigEndian(66 + 2 * i, quint16(qint16(std::lround(biphasicShape(t) * 4000))));
  }
  return QByteArray(c.data(), kCaptureBlockSize);
}

}  // namespace

AnalyzerMemory sampleAnalyzerMemory() {
  AnalyzerMemory memory;
  QByteArray info("K5 FW V2.0.3");  // bytes 0 to 11, which the program does not read
  memory.systemInfo = SystemInfo(info);
  memory.systemInfo.setAnalyzerId(QByteArrayLiteral("A1234567"));
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
