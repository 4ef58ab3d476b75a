#pragma once
#include "simulator/analyzermemory.h"
#include "testreport/testrecord.h"

// An analyzer holding these test reports, in wire order, under the analyzer I.D.
inline AnalyzerMemory memoryOfTestReports(const QList<TTestRec>& records, const char* analyzerId = "A1234567") {
  AnalyzerMemory memory;
  for (TTestRec rec : records) {
    swapTestRec(rec);
    memory.testRecords.append(QByteArray(rec.data(), TTestRec::Size));
  }
  memory.systemInfo.setAnalyzerId(analyzerId);
  memory.setCountsFromLists();
  return memory;
}
