// kalyx5pc: the desktop companion program of the Kalyx 5 defibrillator analyzer.

#include "analyzerdriver.h"
#include "connectioncheck.h"
#include "fileprompts.h"
#include "helpwindow.h"
#include "kalyxapplication.h"
#include "linkoptions.h"
#include "names.h"
#include "paths.h"
#include "printprompts.h"
#include "qalmain.h"
#include "qtusermessages.h"
#include "settingsfile.h"
#include "toolicons.h"

#include <QCommandLineParser>
#include <cstdio>
#include <exception>

namespace {
void nameApplication() {
  QCoreApplication::setApplicationName(productName());
  QCoreApplication::setApplicationVersion(productVersion());
}

// Reads the command line. --help and --version print and end the program here,
// before any window system is needed, so they work on a terminal without a display.
bool readCommandLine(int& argc, char** argv, LinkOptions* linkOptions) {
  const QCoreApplication parsing(argc, argv);
  nameApplication();
  QStringList arguments = QCoreApplication::arguments();
  QString error;
  if (!takeLinkOptions(&arguments, {}, linkOptions, &error)) {
    std::fprintf(stderr, "kalyx5pc: %s\n", qPrintable(error));
    return false;
  }

  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("The desktop companion program of the Kalyx 5 analyzer.\n\n"
                                                  "Link options:\n") +
                                   linkOptionsHelp());
  parser.addHelpOption();
  parser.addVersionOption();
  parser.process(arguments);
  return true;
}
}  // namespace

int main(int argc, char** argv) {
  LinkOptions linkOptions;
  if (!readCommandLine(argc, argv, &linkOptions)) return 2;

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
    QtFilePrompts files;
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
    TQalMain window(services);
    window.show();
    return app.exec();
  } catch (const std::exception& e) {
    showException(e.what());
    return 1;
  }
}
