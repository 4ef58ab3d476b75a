#include "print/pagelayout.h"

QList<PrintedPage> layoutPages(const QList<QStringList>& documents, int linesPerPage) {
  linesPerPage = qMax(1, linesPerPage);
  QList<PrintedPage> pages(1);
  for (qsizetype r = 0; r < documents.size(); ++r) {
    int j = 0;
    for (const QString& line : documents[r]) {
      if (j >= linesPerPage) {
        pages.append(PrintedPage());
        j = 0;
      }
      pages.last().append({j, line});
      ++j;
    }
    if (r + 1 < documents.size()) pages.append(PrintedPage());
  }
  return pages;
}

int linesPerPage(int pageHeight, int lineHeight) {
  if (lineHeight <= 0) return 1;
  return qMax(1, (pageHeight - 400) / lineHeight);
}

QString lineHeightSample() {
  return QStringLiteral(
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ123456789!@#$%^&*()_+`-={}|[]\\:\";'<>?,./");
}
