#pragma once
#include "recordkinds.h"
#include "systeminfo.h"

#include <QByteArray>
#include <QList>

// What an analyzer holds, as bytes in wire order (16-bit fields big-endian):
// the system-information block, the records of each kind, and the block its
// real-time capture sends. The simulator knows only their sizes, never their fields.
struct AnalyzerMemory {
  SystemInfo systemInfo;
  QList<QByteArray> autoSeqs;     // kAutoSeqRecords.blockSize bytes each
  QList<QByteArray> testRecords;  // kTestReportRecords.blockSize bytes each
  QList<QByteArray> waveRecords;  // kWaveRecords.blockSize bytes each
  QByteArray capture = QByteArray(kCaptureBlockSize, '\0');

  QList<QByteArray>& records(const RecordKind& kind);
  const QList<QByteArray>& records(const RecordKind& kind) const;

  // Sets the count byte of every kind from its list (at most 255 each).
  void setCountsFromLists();
};
