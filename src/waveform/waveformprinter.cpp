#include "waveform/waveformprinter.h"

#include "print/lineprinter.h"
#include "waveform/wavechart.h"
#include "waveform/waveprintout.h"

#include <QGraphicsScene>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>

namespace {
// Lays the chart out as on a screen of 96 dots per inch and scales it into the
// target, so its fonts and lines keep their proportions on a printer's dots.
void drawChart(QPainter& painter, const QRect& target, const TWaveChart& source, int deviceDpi) {
  QGraphicsScene scene;
  auto* chart = new TWaveChart;
  scene.addItem(chart);  // the scene owns it
  source.copyViewTo(*chart);
  const QSizeF size = QSizeF(target.size()) * 96.0 / qMax(1, deviceDpi);
  chart->resize(size);
  scene.setSceneRect(QRectF(QPointF(), size));
  scene.render(&painter, target, scene.sceneRect());
}
}  // namespace

void drawWaveformPage(QPainter& painter, QPagedPaintDevice& device, const QStringList& lines, const TWaveChart& chart) {
  constexpr int kMargin = 200;
  painter.setFont(printFont());
  const int h = printLineHeight(device);
  QList<PlacedLine> placed;
  for (int i = 0; i < lines.size(); ++i) placed.append({i, lines[i]});
  drawLineBands(painter, placed, kMargin, kMargin, device.width() - kMargin, h);
  const int chartTop = kMargin + int(lines.size()) * h;
  const QRect target(kMargin, chartTop, device.width() - 2 * kMargin, device.height() - kMargin - chartTop);
  if (target.width() > 0 && target.height() > 0) drawChart(painter, target, chart, device.logicalDpiX());
}

PrintOutcome printWaveform(QPrinter& printer, const QStringList& lines, const TWaveChart& chart) {
  printer.setPageOrientation(QPageLayout::Landscape);
  const PrintOutcome outcome = runPrintJob(printer, [&](QPagedPaintDevice& device) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    drawWaveformPage(painter, device, lines, chart);
    return painter.end();
  });
  printer.setPageOrientation(QPageLayout::Portrait);
  return outcome;
}

std::optional<SaveFailure> printWaveformsToPdf(const QString& path, const QList<Waveform>& waves) {
  return printToPdf(path, true, [&waves](QPagedPaintDevice& device) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    for (qsizetype i = 0; i < waves.size(); ++i) {
      if (i > 0) device.newPage();
      TWaveChart chart;
      chart.setWaveform(waves[i].points, waves[i].pacer);
      chart.setTitleFor(waves[i].info.deviceId, waves[i].info.date);
      drawWaveformPage(painter, device, waveformPrintLines(waves[i].info, waves[i].pacer), chart);
    }
    return painter.end();
  });
}
