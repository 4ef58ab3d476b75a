// kalyx5pc-cli: the analyzer transfers and the report exports of the desktop
// program, without windows.

#include "climessages.h"
#include "clicommands.h"
#include "linkoptions.h"
#include "analyzerdriver.h"
#include "names.h"
#include "transport.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

namespace {
const QStringList kCommands = {QStringLiteral("info"), QStringLiteral("reports")};

int fail(const QString& text) {
  std::fprintf(stderr, "kalyx5pc-cli: %s\n", text.toLocal8Bit().constData());
  return 2;
}
}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("kalyx5pc-cli"));
  QCoreApplication::setApplicationVersion(productVersion());

  QStringList arguments = app.arguments();
  LinkOptions linkOptions;
  QString error;
  if (!takeLinkOptions(&arguments, kCommands, &linkOptions, &error)) return fail(error);

  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Kalyx 5pc without windows.\n\nCommands:\n"
                     "  info      print the analyzer's I.D. and the numbers of stored records\n"
                     "  reports   download all test reports and print them as text reports\n\n"
                     "Link options:\n") +
      linkOptionsHelp());
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("info or reports"));
  parser.process(arguments);

  const QStringList positional = parser.positionalArguments();
  if (positional.size() != 1 || !kCommands.contains(positional.first()))
    return fail(QStringLiteral("give one command: info or reports (see --help)"));

  std::unique_ptr<AnalyzerDriver> driver = createDriver(linkOptions, &error);
  if (!driver) return fail(error);
  CliMessages messages;
  DeviceLink link{*driver, messages};
  QTextStream out(stdout);

  if (positional.first() == QLatin1String("info")) return runInfoCommand(link, out);
  return runReportsCommand(link, ReportsRequest{}, out);
}
