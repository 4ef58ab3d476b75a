#pragma once
#include "simulator/analyzermemory.h"
#include "support/wireorder.h"
#include "testreport/testrecord.h"

// An analyzer holding these test reports, in wire order, under the analyzer I.D.
inline AnalyzerMemory memoryOfTestReports(const QList<TTestRec>& records, const char* analyzerId = "A1234567") {
  AnalyzerMemory memory;
  for (const TTestRec& rec : records)
    memory.testRecords.append(wireorder::swapped(QByteArray(rec.data(), TTestRec::Size),
                                                 wireorder::testRecWords(rec.u8(testrec::DutTypeByte))));
  memory.systemInfo.setAnalyzerId(analyzerId);
  memory.setCountsFromLists();
  return memory;
}
