#include "testreport/reportcommands.h"

#include "core/fileprompts.h"
#include "core/initialdir.h"
#include "core/printprompts.h"
#include "core/settingsfile.h"
#include "core/usermessages.h"
#include "print/lineprinter.h"
#include "print/printjob.h"

#include <QDateTime>
#include <QFileInfo>
#include <QPrinter>

namespace {
void reportFailure(const AppServices& services, const std::optional<SaveFailure>& failure) {
  if (failure)
    services.messages->show(failure->message(), QStringLiteral("Error saving file"), UserMessages::Icon::Error);
}

QString askSaveFile(QWidget* owner, const AppServices& services, const QString& section, const QString& proposedName,
                    const QString& filter, const QString& suffix) {
  SettingsFile& settings = *services.settings;
  const QString path = services.files->saveFile(owner, readInitialDir(settings, section), proposedName, filter, suffix);
  if (!path.isEmpty()) writeInitialDir(settings, section, QFileInfo(path).absolutePath());
  return path;
}
}  // namespace

void saveReportsToText(QWidget* owner, const AppServices& services, const QList<ShownReport>& reports) {
  SettingsFile& settings = *services.settings;
  const QString section = QStringLiteral("SaveDialogText");
  const QString folder = services.files->chooseFolder(owner, QStringLiteral("Save Test Reports To Folder"),
                                                      readInitialDir(settings, section));
  if (folder.isEmpty()) return;
  writeInitialDir(settings, section, folder);
  reportFailure(services, saveTextFiles(reports, folder));
}

void saveReportsToCsv(QWidget* owner, const AppServices& services, const QList<ShownReport>& reports) {
  const QString path = askSaveFile(owner, services, QStringLiteral("SaveDialogCSV"), QString(),
                                   QStringLiteral("CSV Files (*.csv);;All Files (*.*)"), QStringLiteral("csv"));
  if (!path.isEmpty()) reportFailure(services, saveCsv(reports, path));
}

void saveReportsToMup(QWidget* owner, const AppServices& services, const QList<ShownReport>& reports) {
  const QString path =
      askSaveFile(owner, services, QStringLiteral("SaveDialogMUP"), mupProposedName(QDateTime::currentDateTime()),
                  QStringLiteral("MUP Files (*.mup);;All Files (*.*)"), QStringLiteral("mup"));
  if (!path.isEmpty()) reportFailure(services, saveMup(reports, path));
}

void printReports(QWidget* owner, const AppServices& services, const QList<QStringList>& reports) {
  QPrinter printer(QPrinter::HighResolution);
  if (!services.printing || !services.printing->choosePrinter(owner, printer)) return;
  reportPrintOutcome(runPrintJob(printer, [&reports](QPagedPaintDevice& device) { return printLines(device, reports); }),
                     *services.messages);
}
