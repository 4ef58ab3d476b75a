#pragma once
#include "analyzer/recordkinds.h"
#include "analyzer/systeminfo.h"

#include <QByteArray>
#include <QList>

// What an analyzer holds, as bytes in wire order (16-bit fields big-endian):
// the system-information block, the records of each kind, and the blocks its
// real-time captures send. The simulator knows only their sizes, never their fields.
struct AnalyzerMemory {
  SystemInfo systemInfo;
  QList<QByteArray> autoSeqs;     // kAutoSeqRecords.blockSize bytes each
  QList<QByteArray> testRecords;  // kTestReportRecords.blockSize bytes each
  QList<QByteArray> waveRecords;  // kWaveRecords.blockSize bytes each
  // The blocks real-time captures send, one per capture in turn (kCaptureBlockSize each).
  QList<QByteArray> captures = {QByteArray(kCaptureBlockSize, '\0')};

  QList<QByteArray>& records(const RecordKind& kind);
  const QList<QByteArray>& records(const RecordKind& kind) const;

  // Sets the count byte of every kind from its list (at most 255 each).
  void setCountsFromLists();
};
