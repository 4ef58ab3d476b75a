// kalyx5-simulator: an analyzer simulator on a pseudo-terminal, so that the
// program's serial link can be tried and tested without an analyzer.

#include "demo/samplememory.h"
#include "kalyx5-simulator/ptyserver.h"
#include "simulator/dumpfolder.h"
#include "simulator/simulatorengine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("kalyx5-simulator"));
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral(
      "Serves a simulated Kalyx 5 analyzer on a new pseudo-terminal and prints the terminal's path.\n"
      "Use it with: kalyx5pc --port PATH, or kalyx5pc-cli --port PATH info"));
  parser.addHelpOption();
  const QCommandLineOption dump(QStringLiteral("dump"), QStringLiteral("Load the analyzer memory from a dump folder."),
                                QStringLiteral("DIR"));
  const QCommandLineOption delay(QStringLiteral("block-delay"),
                                 QStringLiteral("Send each block this many milliseconds after the one before."),
                                 QStringLiteral("MS"));
  parser.addOption(dump);
  parser.addOption(delay);
  parser.process(app);

  AnalyzerMemory memory = sampleAnalyzerMemory();
  if (parser.isSet(dump)) {
    QString error;
    std::optional<AnalyzerMemory> loaded = loadDumpFolder(parser.value(dump), &error);
    if (!loaded) {
      std::fprintf(stderr, "kalyx5-simulator: %s\n", qPrintable(error));
      return 1;
    }
    memory = std::move(*loaded);
  }
  SimulatorEngine engine(std::move(memory));
  engine.setBlockDelay(parser.value(delay).toInt());
  return PtyServer(engine).run();
}
