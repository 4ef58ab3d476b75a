// Any system-information block an analyzer may send: its I.D. and counts, and
// the download road's check of each count against the list's limit, must
// neither crash nor read outside the 37 bytes.
#include "analyzer/recordkinds.h"
#include "analyzer/systeminfo.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  QByteArray block(reinterpret_cast<const char*>(data), qsizetype(size < size_t(kSystemInfoSize) ? size : kSystemInfoSize));
  block.resize(kSystemInfoSize, '\0');
  const SystemInfo info(block);
  if (info.analyzerId().size() > SystemInfo::kIdSize) std::abort();
  for (const RecordKind* kind : {&kAutoSeqRecords, &kTestReportRecords, &kWaveRecords}) {
    const int n = info.count(*kind);
    if (n < 0 || n > 255) std::abort();
  }
  return 0;
}
