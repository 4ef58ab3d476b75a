#include "lineprinter.h"

#include "pagelayout.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

namespace {
QFont printFont() {
  QFont font(QStringLiteral("Courier New"), 10);
  font.setStyleHint(QFont::TypeWriter);
  return font;
}
}  // namespace

int printLineHeight(QPaintDevice& device) {
  const QFontMetrics metrics(printFont(), &device);
  return metrics.size(Qt::TextSingleLine, lineHeightSample()).height() + 10;
}

bool printLines(QPagedPaintDevice& device, const QList<QStringList>& documents) {
  const int h = printLineHeight(device);
  const QList<PrintedPage> pages = layoutPages(documents, linesPerPage(device.height(), h));
  QPainter painter;
  if (!painter.begin(&device)) return false;
  painter.setFont(printFont());
  const int right = device.width() - 200;
  for (qsizetype p = 0; p < pages.size(); ++p) {
    if (p > 0) device.newPage();
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

std::optional<SaveFailure> printLinesToPdf(const QString& path, const QList<QStringList>& documents) {
  QBuffer pdf;
  pdf.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&pdf);
    writer.setResolution(1200);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    if (!printLines(writer, documents)) return SaveFailure{path, QStringLiteral("The PDF could not be started.")};
  }
  return saveWholeFile(path, pdf.data());
}
