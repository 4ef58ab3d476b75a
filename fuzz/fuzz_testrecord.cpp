// Any 736 bytes from the analyzer: conversion, verdict, rendering and exports
// must neither crash nor read outside the record or its tables.
#include "reportexport.h"
#include "reportrender.h"
#include "testrecord.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TTestRec rec;
  std::memcpy(rec.bytes.data(), data, std::min(size, TTestRec::Size));
  swapTestRec(rec);
  const QByteArray info(reinterpret_cast<const char*>(data), int(std::min<size_t>(size, 37)));
  const QStringList lines = renderTestReport(rec, int(size % 60), &info);
  ShownReport shown{rec, 0, lines};
  (void)mupLine(shown);
  (void)csvLine(rec, QStringLiteral("/x/") + reportFileName(rec));
  (void)testRecPassed(rec);
  return 0;
}
