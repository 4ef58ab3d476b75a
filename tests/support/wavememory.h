#pragma once
#include "simulator/analyzermemory.h"
#include "support/wavebuilders.h"

// An analyzer holding these wave records (host order) in wire order, and one capture block.
inline AnalyzerMemory memoryOfWaveRecords(const QList<WaveRecord>& records, const QByteArray& capture = QByteArray()) {
  AnalyzerMemory memory;
  for (const WaveRecord& rec : records) memory.waveRecords.append(waveRecordOnWire(rec));
  if (!capture.isEmpty()) memory.captures = {capture};
  memory.systemInfo.setAnalyzerId("A1234567");
  memory.setCountsFromLists();
  return memory;
}
