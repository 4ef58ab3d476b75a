#include "print/lineprinter.h"

#include "print/pagelayout.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

QFont printFont() {
  QFont font(QStringLiteral("Courier New"), 10);
  font.setStyleHint(QFont::TypeWriter);
  return font;
}

void drawLineBands(QPainter& painter, const QList<PlacedLine>& lines, int left, int top, int right, int lineHeight) {
  for (const PlacedLine& line : lines) {
    const QRect band(left, top + line.slot * lineHeight, qMax(0, right - left), lineHeight);
    painter.save();
    painter.setClipRect(band);  // a long line is cut at the right margin, not wrapped
    painter.drawText(band, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, line.text);
    painter.restore();
  }
}

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
  for (qsizetype p = 0; p < pages.size(); ++p) {
    if (p > 0) device.newPage();
    drawLineBands(painter, pages[p], 200, 200, device.width() - 200, h);
  }
  return painter.end();
}

std::optional<SaveFailure> printToPdf(const QString& path, bool landscape,
                                      const std::function<bool(QPagedPaintDevice&)>& print) {
  QBuffer pdf;
  pdf.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&pdf);
    writer.setResolution(1200);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                     landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF()));
    if (!print(writer)) return SaveFailure{path, QStringLiteral("The PDF could not be started.")};
  }
  return saveWholeFile(path, pdf.data());
}

std::optional<SaveFailure> printLinesToPdf(const QString& path, const QList<QStringList>& documents) {
  return printToPdf(path, false, [&documents](QPagedPaintDevice& device) { return printLines(device, documents); });
}
