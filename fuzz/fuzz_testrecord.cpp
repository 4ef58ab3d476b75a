// Any record from the analyzer, with its system-information block: conversion,
// verdict, rendering and exports must neither crash nor read outside the record
// or its tables.
#include "analyzer/systeminfo.h"
#include "testreport/reportexport.h"
#include "testreport/reportrender.h"
#include "testreport/testrecord.h"

#include <algorithm>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TTestRec rec;
  std::memcpy(rec.bytes.data(), data, std::min(size, TTestRec::Size));
  swapTestRec(rec);
  const SystemInfo info(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)).right(kSystemInfoSize));
  const QStringList lines = renderTestReport(rec, int(size % 60), info.analyzerId());
  const ShownReport shown{rec, 0, lines};
  (void)mupLine(shown);
  (void)csvLine(rec, QStringLiteral("/x/") + reportFileName(rec));
  (void)testRecPassed(rec);
  return 0;
}
