// kalyx5pc: the desktop companion program of the Kalyx 5 defibrillator analyzer.

#include "app/departmentstatus.h"
#include "app/duenote.h"
#include "app/helpwindow.h"
#include "app/kalyxapplication.h"
#include "app/qalmain.h"
#include "archive/archivekeeper.h"
#include "archive/backupcommand.h"
#include "archive/archivelocation.h"
#include "archive/archivewindow.h"
#include "archive/devicelist.h"
#include "archive/departmentserver.h"
#include "archive/departmentsync.h"
#include "core/fileprompts.h"
#include "core/names.h"
#include "core/paths.h"
#include "core/printprompts.h"
#include "core/qtusermessages.h"
#include "core/settingsfile.h"
#include "core/toolicons.h"
#include "demo/connectioncheck.h"
#include "demo/linkoptions.h"
#include "device/analyzerdriver.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QPointer>
#include <QStatusBar>
#include <QDeadlineTimer>
#include <QTimer>
#include <cstdio>
#include <exception>

namespace {
void nameApplication() {
  QCoreApplication::setApplicationName(productName());
  QCoreApplication::setApplicationVersion(productVersion());
}

// Reads the command line. --help and --version print and end the program here,
// before any window system is needed, so they work on a terminal without a display.
bool readCommandLine(int& argc, char** argv, LinkOptions* linkOptions, QString* archiveOption, QString* sharedOption) {
  const QCoreApplication parsing(argc, argv);
  nameApplication();
  QStringList arguments = QCoreApplication::arguments();
  QString error;
  if (!takeLinkOptions(&arguments, {}, linkOptions, &error) || !takeArchiveOption(&arguments, archiveOption, &error) ||
      !takeSharedOption(&arguments, sharedOption, &error)) {
    std::fprintf(stderr, "kalyx5pc: %s\n", qPrintable(error));
    return false;
  }

  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("The desktop companion program of the Kalyx 5 analyzer.\n\n"
                                                  "Link options:\n") +
                                   linkOptionsHelp() + archiveOptionHelp() + sharedOptionHelp());
  parser.addHelpOption();
  parser.addVersionOption();
  parser.process(arguments);
  return true;
}
}  // namespace

int main(int argc, char** argv) {
  LinkOptions linkOptions;
  QString archiveOption;
  QString sharedOption;
  if (!readCommandLine(argc, argv, &linkOptions, &archiveOption, &sharedOption)) return 2;

  KalyxApplication app(argc, argv);
  nameApplication();
  // The application name, "Kalyx 5pc", is the taskbar text. No display name is set:
  // X11 and Wayland would append it to every window caption.
  QGuiApplication::setDesktopFileName(QStringLiteral("com.velmora.kalyx5pc"));
  QApplication::setWindowIcon(applicationIcon());
  try {
    QString error;
    std::unique_ptr<AnalyzerDriver> driver = createDriver(linkOptions, &error);
    if (!driver) {
      std::fprintf(stderr, "kalyx5pc: %s\n", qPrintable(error));
      return 2;
    }
    QtUserMessages messages;
    QtFilePrompts files(&messages);
    QtPrintPrompts printing;
    SettingsFile settings(iniPath());
    HelpWindowViewer help(programHelpSource());
    AppServices services;
    services.driver = driver.get();
    services.messages = &messages;
    services.files = &files;
    services.printing = &printing;
    services.settings = &settings;
    services.help = &help;
    services.checkConnection = [&linkOptions, &driver] {
      QStringList lines;
      for (const LinkFinding& finding : checkConnection(linkOptions, *driver)) lines << findingLine(finding);
      return lines;
    };
    services.autoSeqFile = autoSeqPath();
    ArchiveKeeper keeper(archiveLocation(archiveOption, linkOptions.demo), settings, messages);
    services.keeper = &keeper;
    // The department's archive, when one is named: what this computer keeps is
    // sent there in the background, at start and after each download.
    std::optional<DepartmentServer> department;
    if (const QString address = departmentAddress(sharedOption, settings, linkOptions.demo); !address.isEmpty()) {
      QString error;
      department = DepartmentServer::parse(address, &error);
      if (!department)
        messages.show(error, QStringLiteral("Archive"), UserMessages::Icon::Warning, UserMessages::Buttons::Ok);
    }
    std::unique_ptr<DepartmentSync> sync;
    DepartmentReader::Opener openDepartment;  // run by the Archive window's reader, on its thread
    if (department) {
      sync = std::make_unique<DepartmentSync>(keeper.path(), *department);
      openDepartment = [server = *department](ArchiveFailure* failure) { return Archive::openDepartment(server, failure); };
    }
    QPointer<TArchiveWindow> archiveWindow;
    services.showArchive = [&] {
      if (archiveWindow) {
        archiveWindow->raise();
        archiveWindow->activateWindow();
      } else if (Archive* archive = keeper.archive()) {
        archiveWindow = new TArchiveWindow(services, *archive, openDepartment);
        // Device details go to the department as soon as they are kept, as records do.
        if (sync) QObject::connect(archiveWindow, &TArchiveWindow::detailsKept, sync.get(), &DepartmentSync::start);
        archiveWindow->show();
      } else {  // asked for by the user: said each time
        messages.show(keeper.openFailure().message(), QStringLiteral("Archive"), UserMessages::Icon::Warning,
                      UserMessages::Buttons::Ok);
      }
    };
    services.backUpArchive = [&](QWidget* owner) { backUpArchiveInteractively(owner, services, keeper.path()); };
    keeper.stored = [&archiveWindow, &sync] {
      if (archiveWindow) archiveWindow->refresh();
      if (sync) sync->start();
    };
    TQalMain window(services);
    // How many devices are due, from this computer's archive where one is kept already.
    DueNote due(*window.statusBar(), [&] {
      services.showArchive();
      if (archiveWindow) archiveWindow->deviceList()->setDueFilter(TArchiveDeviceList::DueFilter::DueSoon);
    });
    // Read on the note's thread, for reading only: the window never waits on the archive, nor is it made here.
    if (QFileInfo::exists(keeper.path()))
      due.start([path = keeper.path()](ArchiveFailure* failure) {
        return Archive::open(path, failure, Archive::Opening::ReadOnly);
      }, duePolicy(settings));
    if (sync) {
      new DepartmentStatus(*sync, *window.statusBar());
      // What an earlier run kept and could not send goes now; no archive is made for it.
      if (QFileInfo::exists(keeper.path())) QTimer::singleShot(0, sync.get(), &DepartmentSync::start);
    }
    window.show();
    const int status = app.exec();
    // Exit never waits on a server: the window's reads and the sending stop
    // together, within one wait; what was not sent stays queued.
    const QDeadlineTimer exitBy(2000);
    if (sync) sync->cancel();
    delete archiveWindow;  // before the archives it shows
    if (sync) sync->stop(int(exitBy.remainingTime()));
    return status;
  } catch (const std::exception& e) {
    showException(e.what());
    return 1;
  }
}
