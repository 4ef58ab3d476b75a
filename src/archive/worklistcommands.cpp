#include "archive/worklistcommands.h"

#include "archive/archive.h"
#include "archive/worklist.h"
#include "core/appservices.h"
#include "core/fileprompts.h"
#include "core/initialdir.h"
#include "core/printprompts.h"
#include "core/savefile.h"
#include "core/settingsfile.h"
#include "core/usermessages.h"
#include "print/lineprinter.h"
#include "print/printjob.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QInputDialog>
#include <QPrinter>
#include <QPointer>
#include <QProgressDialog>
#include <QThread>
#include <atomic>

namespace {
const QString kCaption = QStringLiteral("Worklist");

struct Worklist {
  QList<DeviceDue> devices;
  QString period;
};

// The days ahead, asked with the settings' own as the answer offered; none when the user cancels.
std::optional<int> askDays(QWidget* owner, const DuePolicy& policy) {
  bool ok = false;
  const int days = QInputDialog::getInt(owner, kCaption, QStringLiteral("List the devices due within (days):"),
                                        policy.dueWithinDays, 0, 3660, 1, &ok);
  return ok ? std::optional(days) : std::nullopt;
}

// Every device's due date, read on a thread of its own through a connection of
// its own, so that the window keeps painting through a long read; the user may
// cancel it. Until the progress dialog shows, the program takes no keys or
// clicks, so no command starts meanwhile. None, with `failure`, when the read
// failed or was cancelled, or the window that asked went away (closed by the
// window manager).
std::optional<QList<DeviceDue>> readDue(QWidget* owner, const WorklistSource& source, const DuePolicy& policy,
                                        const QDate& today, ArchiveFailure* failure, bool* cancelled) {
  std::atomic<bool> stop = false;
  std::optional<QList<DeviceDue>> devices;
  QThread* reader = QThread::create([&] {
    if (std::unique_ptr<Archive> own = source(failure)) {
      *failure = {};  // a notice (read only) is no failure here
      own->setCancel(&stop);  // a department's server is let go at once
      devices = devicesDue(*own, policy, today, failure, &stop);
    }
  });
  const QPointer<QWidget> asking = owner;
  // Not the window's child: the window may not take it down while it runs.
  QProgressDialog progress(QStringLiteral("Reading the archive for the worklist..."), QStringLiteral("Cancel"), 0, 0);
  progress.setObjectName(QStringLiteral("dlgWorklistRead"));
  progress.setWindowTitle(kCaption);
  progress.setWindowModality(Qt::ApplicationModal);
  progress.setMinimumDuration(500);
  // Cancelled, it stays up saying so until the read has stopped.
  QObject::connect(&progress, &QProgressDialog::canceled, [&stop, &progress] {
    stop = true;
    progress.setLabelText(QStringLiteral("Stopping..."));
    progress.show();
  });
  QEventLoop wait;
  QObject::connect(reader, &QThread::finished, &wait, &QEventLoop::quit);
  reader->start();
  while (!reader->isFinished())
    wait.processEvents(progress.isVisible() ? QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents
                                            : QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
  reader->wait();
  delete reader;
  progress.reset();
  *cancelled = stop || !asking;
  return *cancelled ? std::nullopt : devices;
}

// The devices due within `days`; none, after saying why, when the archive cannot be read.
std::optional<Worklist> readWorklist(QWidget* owner, const AppServices& services, const WorklistSource& source,
                                     const DuePolicy& policy, int days) {
  const QDate today = QDate::currentDate();
  ArchiveFailure failure;
  bool cancelled = false;
  const std::optional<QList<DeviceDue>> devices = readDue(owner, source, policy, today, &failure, &cancelled);
  if (!devices) {  // never a worklist from part of the archive
    if (!cancelled && services.messages) services.messages->show(failure.message(), kCaption, UserMessages::Icon::Error);
    return std::nullopt;
  }
  return Worklist{worklistDevices(*devices, days, today), worklistPeriod(days, today)};
}

DuePolicy policyOf(const AppServices& services) { return services.settings ? duePolicy(*services.settings) : DuePolicy{}; }

QStringList lines(const Worklist& worklist) {
  return worklistLines(worklist.devices, worklist.period, QDateTime::currentDateTime());
}
}  // namespace

void printWorklist(QWidget* owner, const AppServices& services, const WorklistSource& source) {
  const DuePolicy policy = policyOf(services);
  const std::optional<int> days = askDays(owner, policy);
  if (!days) return;
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageOrientation(QPageLayout::Landscape);
  if (!services.printing || !services.printing->choosePrinter(owner, printer)) return;
  const std::optional<Worklist> worklist = readWorklist(owner, services, source, policy, *days);
  if (!worklist) return;
  const QStringList printed = lines(*worklist);
  const PrintOutcome outcome =
      runPrintJob(printer, [&printed](QPagedPaintDevice& device) { return printLines(device, {printed}); });
  if (services.messages) reportPrintOutcome(outcome, *services.messages);
}

void exportWorklist(QWidget* owner, const AppServices& services, const WorklistSource& source) {
  const DuePolicy policy = policyOf(services);
  const std::optional<int> days = askDays(owner, policy);
  if (!days || !services.files) return;
  const QString section = QStringLiteral("SaveDialogWorklist");
  const QString folder = services.settings ? readInitialDir(*services.settings, section) : QString();
  const QString path = services.files->saveFile(owner, folder, QStringLiteral("worklist.pdf"),
                                                QStringLiteral("PDF Files (*.pdf);;CSV Files (*.csv)"), QStringLiteral("pdf"));
  if (path.isEmpty()) return;
  if (services.settings) writeInitialDir(*services.settings, section, QFileInfo(path).absolutePath());
  const std::optional<Worklist> worklist = readWorklist(owner, services, source, policy, *days);
  if (!worklist) return;
  const QStringList printed = lines(*worklist);
  const std::optional<SaveFailure> failure =
      QFileInfo(path).suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0
          ? saveWholeFile(path, dueCsv(worklist->devices))
          : printToPdf(path, true, [&printed](QPagedPaintDevice& device) { return printLines(device, {printed}); });
  if (failure && services.messages)
    services.messages->show(failure->message(), QStringLiteral("Error saving file"), UserMessages::Icon::Error);
}
