// kalyx5pc: the desktop companion program of the Kalyx 5 defibrillator analyzer.

#include "analyzerdriver.h"
#include "fileprompts.h"
#include "kalyxapplication.h"
#include "linkoptions.h"
#include "names.h"
#include "paths.h"
#include "printprompts.h"
#include "qalmain.h"
#include "qtusermessages.h"

#include <QCommandLineParser>
#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
  KalyxApplication app(argc, argv);
  QApplication::setApplicationName(productName());
  QApplication::setApplicationDisplayName(productName());
  QApplication::setApplicationVersion(productVersion());

  QStringList arguments = app.arguments();
  LinkOptions linkOptions;
  QString error;
  const bool linkOk = takeLinkOptions(&arguments, {}, &linkOptions, &error);

  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("The desktop companion program of the Kalyx 5 analyzer.\n\n"
                                                  "Link options:\n") +
                                   linkOptionsHelp());
  parser.addHelpOption();
  parser.addVersionOption();
  parser.process(arguments);
  if (!linkOk) {
    std::fprintf(stderr, "kalyx5pc: %s\n", qPrintable(error));
    return 2;
  }

  try {
    std::unique_ptr<AnalyzerDriver> driver = createDriver(linkOptions, &error);
    if (!driver) {
      std::fprintf(stderr, "kalyx5pc: %s\n", qPrintable(error));
      return 2;
    }
    QtUserMessages messages;
    QtFilePrompts files;
    QtPrintPrompts printing;
    AppServices services;
    services.driver = driver.get();
    services.messages = &messages;
    services.files = &files;
    services.printing = &printing;
    TQalMain window(services);
    window.show();
    return app.exec();
  } catch (const std::exception& e) {
    showException(e.what());
    return 1;
  }
}
