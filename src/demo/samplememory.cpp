#include "demo/samplememory.h"

#include "autoseq/sampleautoseqs.h"
#include "testreport/samplerecords.h"
#include "waveform/samplewaves.h"

AnalyzerMemory sampleAnalyzerMemory() {
  AnalyzerMemory memory;
  QByteArray info("K5 FW V2.0.3");  // bytes 0 to 11, which the program does not read
  memory.systemInfo = SystemInfo(info);
  memory.systemInfo.setAnalyzerId(QByteArrayLiteral("A1234567"));
  for (TAutoSeq rec : sampleAutoSeqs()) {
    swapAutoSeq(rec.data());
    memory.autoSeqs.append(QByteArray(rec.data(), TAutoSeq::Size));
  }
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
