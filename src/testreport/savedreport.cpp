#include "testreport/savedreport.h"

#include "core/text8bit.h"

QStringList savedReportLines(const QByteArray& fileBytes) {
  QString text = decodeFileText(fileBytes);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QStringList lines = text.split(QLatin1Char('\n'));
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();  // the last line's own ending
  return lines;
}
