// The printing module of kalyx5pc-cli: the graphical layer, loaded only for a
// command that prints.

#include "cli/pdfprinter.h"
#include "print/lineprinter.h"
#include "waveform/waveformprinter.h"

#include <QApplication>

namespace {
class ViewerPdfPrinter : public PdfPrinter {
 public:
  std::optional<SaveFailure> printLines(const QString& path, const QList<QStringList>& documents) override {
    return printLinesToPdf(path, documents);
  }
  std::optional<SaveFailure> printWorklist(const QString& path, const QStringList& lines) override {
    return printToPdf(path, true, [&lines](QPagedPaintDevice& device) { return ::printLines(device, {lines}); });
  }
  std::optional<SaveFailure> printWaveforms(const QString& path, const QList<Waveform>& waves) override {
    return printWaveformsToPdf(path, waves);
  }
};
}  // namespace

// The application runs on the offscreen platform unless told otherwise: it
// prints, and never opens a window.
extern "C" Q_DECL_EXPORT PrintingLayer* kalyx5pcStartPrintingLayer(int* argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  auto* layer = new PrintingLayer;
  layer->application = std::make_unique<QApplication>(*argc, argv);  // the waveform chart is a widget
  layer->printer = std::make_unique<ViewerPdfPrinter>();
  return layer;
}
