// Any autoseq.dat, as a colleague's editor or a damaged disk may leave it: the
// records read from it, their list cells, sort keys and printout lines must
// neither crash nor read outside a record or a table, and writing the records
// back gives the file's bytes (padded to whole records, at most 32 of them).
#include "analyzer/recordkinds.h"
#include "autoseq/autoseqfile.h"
#include "autoseq/autoseqlist.h"
#include "autoseq/autoseqprintout.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
  const QList<TAutoSeq> records = autoSeqsFromFileBytes(bytes);
  for (int i = 0; i < records.size(); ++i) {
    for (int column = 0; column < 3; ++column) {
      (void)autoseqlist::cellText(records[i], i, column);
      (void)autoseqlist::sortKey(records[i], i, column);
    }
    (void)autoSeqPrintLines(records[i]);
  }
  const QByteArray written = autoSeqFileBytes(records);
  const qsizetype kept = qMin<qsizetype>(bytes.size(), qsizetype(kAutoSeqRecords.limit) * kAutoSeqRecords.blockSize);
  if (written.left(kept) != bytes.left(kept) || written.size() % kAutoSeqRecords.blockSize != 0) std::abort();
  return 0;
}
