#pragma once
#include "simulator/analyzermemory.h"

// An analyzer memory holding `n` records of each kind, each record filled with
// its own index + 1 so that order and identity can be checked.
inline AnalyzerMemory memoryWithRecords(int autoSeqs, int reports, int waves) {
  AnalyzerMemory m;
  for (int i = 0; i < autoSeqs; ++i) m.autoSeqs.append(QByteArray(kAutoSeqRecords.blockSize, char(i + 1)));
  for (int i = 0; i < reports; ++i) m.testRecords.append(QByteArray(kTestReportRecords.blockSize, char(i + 1)));
  for (int i = 0; i < waves; ++i) m.waveRecords.append(QByteArray(kWaveRecords.blockSize, char(i + 1)));
  m.systemInfo.setAnalyzerId("TEST-ANALYZER");
  m.setCountsFromLists();
  return m;
}
