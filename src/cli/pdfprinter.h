#pragma once
#include "core/savefile.h"
#include "waveform/waveinfo.h"

#include <QCoreApplication>
#include <QList>
#include <QStringList>
#include <memory>
#include <optional>

// The printouts the commands make for --pdf, as the viewers print them.
class PdfPrinter {
 public:
  virtual ~PdfPrinter() = default;
  // Fixed-pitch documents (test reports, autosequences), each from a new page.
  virtual std::optional<SaveFailure> printLines(const QString& path, const QList<QStringList>& documents) = 0;
  // The worklist's fixed-width lines, on landscape pages.
  virtual std::optional<SaveFailure> printWorklist(const QString& path, const QStringList& lines) = 0;
  // One page per waveform.
  virtual std::optional<SaveFailure> printWaveforms(const QString& path, const QList<Waveform>& waves) = 0;
};

// Printing needs the graphical layer (fonts, and widgets for the waveform
// chart). It lives in a module of its own, loaded only for a command that
// prints, so that every other command starts on Qt Core alone. The module's
// entry point starts the application and hands it over with its printer.
struct PrintingLayer {
  std::unique_ptr<QCoreApplication> application;
  std::unique_ptr<PdfPrinter> printer;
};
using StartPrintingLayer = PrintingLayer* (*)(int* argc, char** argv);
inline constexpr char kStartPrintingLayer[] = "kalyx5pcStartPrintingLayer";
inline constexpr char kPrintingModule[] = "kalyx5pc-cli-printing";
