#include "reportprinter.h"

#include "pagelayout.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

namespace {
QFont reportFont() {
  QFont font(QStringLiteral("Courier New"), 10);
  font.setStyleHint(QFont::TypeWriter);
  return font;
}
}  // namespace

int reportLineHeight(QPrinter& printer) {
  const QFontMetrics metrics(reportFont(), &printer);
  return metrics.size(Qt::TextSingleLine, lineHeightSample()).height() + 10;
}

bool printReports(QPrinter& printer, const QList<QStringList>& reports) {
  const int h = reportLineHeight(printer);
  const QList<PrintedPage> pages = layoutPages(reports, linesPerPage(printer.height(), h));
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  painter.setFont(reportFont());
  const int right = printer.width() - 200;
  for (qsizetype p = 0; p < pages.size(); ++p) {
    if (p > 0) printer.newPage();
    for (const PlacedLine& line : pages[p]) {
      const QRect box(200, 200 + line.slot * h, qMax(0, right - 200), h);
      painter.save();
      painter.setClipRect(box);  // a long line is cut at the right margin, not wrapped
      painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, line.text);
      painter.restore();
    }
  }
  return painter.end();
}
