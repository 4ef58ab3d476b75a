#include "cli/printingloader.h"

#include <QDir>
#include <QLibrary>

namespace {
QString programFolder(int& argc, char** argv) {
  const QCoreApplication asking(argc, argv);  // the one way Qt tells where the program file is
  return QCoreApplication::applicationDirPath();
}
}  // namespace

std::unique_ptr<PrintingLayer> startPrintingLayer(int& argc, char** argv, QString* error) {
  const QDir folder(programFolder(argc, argv));
  const QString places[] = {folder.filePath(QLatin1String(kPrintingModule)),
                            folder.filePath(QStringLiteral(KALYX_MODULE_DIR_FROM_BIN "/") + QLatin1String(kPrintingModule))};
  QStringList failures;
  for (const QString& place : places) {
    QLibrary module(place);
    auto start = reinterpret_cast<StartPrintingLayer>(module.resolve(kStartPrintingLayer));
    if (start) return std::unique_ptr<PrintingLayer>(start(&argc, argv));  // the module stays loaded
    failures << module.errorString();
  }
  *error = QStringLiteral("printing is not available: %1").arg(failures.join(QStringLiteral("; ")));
  return nullptr;
}
