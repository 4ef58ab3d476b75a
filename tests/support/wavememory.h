#pragma once
#include "simulator/analyzermemory.h"
#include "waveform/waverecord.h"

// An analyzer holding these wave records (host order) in wire order, and one capture block.
inline AnalyzerMemory memoryOfWaveRecords(const QList<WaveRecord>& records, const QByteArray& capture = QByteArray()) {
  AnalyzerMemory memory;
  for (WaveRecord rec : records) {
    swapWaveRec(rec.data());
    memory.waveRecords.append(QByteArray(rec.data(), WaveRecord::Size));
  }
  if (!capture.isEmpty()) memory.captures = {capture};
  memory.systemInfo.setAnalyzerId("A1234567");
  memory.setCountsFromLists();
  return memory;
}
