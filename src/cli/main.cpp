// kalyx5pc-cli: the analyzer transfers and the report exports of the desktop
// program, without windows.

#include "cli/commandline.h"
#include "cli/printingloader.h"
#include "core/names.h"

#include <QCoreApplication>
#include <cstdio>
#include <memory>

namespace {
// Standard error carries the program's own messages only: Qt's notes (a runtime
// folder it made up when XDG_RUNTIME_DIR is unset, say) are no concern of a cron
// job or a service; its critical and fatal errors still show.
void keepQtNotesOffStandardError(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "kalyx5pc-cli: %s\n", qPrintable(text));
}

QStringList argumentsOf(int argc, char** argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  return arguments;
}

int run(PdfPrinter* printer) {
  QCoreApplication::setApplicationName(QStringLiteral("kalyx5pc-cli"));
  QCoreApplication::setApplicationVersion(productVersion());
  return runCommandLine(QCoreApplication::arguments(), printer);
}
}  // namespace

// Only a printout needs the graphical layer, from the printing module; every
// other command runs on a core application, in about half the time and memory.
int main(int argc, char** argv) {
  qInstallMessageHandler(keepQtNotesOffStandardError);
  if (!asksForPrintout(argumentsOf(argc, argv))) {
    const QCoreApplication app(argc, argv);
    return run(nullptr);
  }
  QString error;
  const std::unique_ptr<PrintingLayer> printing = startPrintingLayer(argc, argv, &error);
  if (!printing) {
    std::fprintf(stderr, "kalyx5pc-cli: %s\n", qPrintable(error));
    return 1;
  }
  return run(printing->printer.get());
}
