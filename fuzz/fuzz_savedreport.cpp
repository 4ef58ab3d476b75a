// Any file opened as a saved test report: its lines and their pages must
// neither crash nor lose a byte of text between lines.
#include "print/pagelayout.h"
#include "testreport/savedreport.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
  const QStringList lines = savedReportLines(bytes);
  const int perPage = int(size % 97) + 1;
  const QList<PrintedPage> pages = layoutPages({lines, lines}, perPage);
  qsizetype placed = 0;
  for (const PrintedPage& page : pages) {
    if (page.size() > perPage) std::abort();
    placed += page.size();
  }
  if (placed != 2 * lines.size()) std::abort();
  return 0;
}
