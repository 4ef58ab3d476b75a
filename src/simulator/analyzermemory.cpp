#include "simulator/analyzermemory.h"

QList<QByteArray>& AnalyzerMemory::records(const RecordKind& kind) {
  if (&kind == &kAutoSeqRecords) return autoSeqs;
  if (&kind == &kTestReportRecords) return testRecords;
  return waveRecords;
}

const QList<QByteArray>& AnalyzerMemory::records(const RecordKind& kind) const {
  return const_cast<AnalyzerMemory*>(this)->records(kind);
}

void AnalyzerMemory::setCountsFromLists() {
  for (const RecordKind* kind : kRecordKinds) systemInfo.setCount(*kind, int(qMin<qsizetype>(records(*kind).size(), 255)));
}
