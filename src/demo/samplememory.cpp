#include "samplememory.h"

#include "bytefield.h"
#include "datetimetext.h"
#include "samplerecords.h"
#include "samplewaves.h"


namespace {

// ---- autosequences, in wire order ----------------------------------------------

// Until the autosequence type exists, its samples are written here field by
// field, in wire order.
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
  for (WaveRecord rec : sampleWaveRecords()) {
    swapWaveRec(rec.data());
    memory.waveRecords.append(QByteArray(rec.data(), WaveRecord::Size));
  }
  memory.captures = {sampleDefibCapture(), samplePacerCapture()};
  memory.setCountsFromLists();
  return memory;
}
