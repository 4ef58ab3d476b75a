#include "demo/linkoptions.h"

#include "demo/samplememory.h"
#include "device/d2xxdriver.h"
#include "device/serialdriver.h"
#include "simulator/dumpfolder.h"
#include "simulator/simulatordriver.h"

bool takeLinkOptions(QStringList* arguments, const QStringList& commandWords, LinkOptions* options, QString* error) {
  QStringList rest;
  const QStringList& args = *arguments;
  for (qsizetype i = 0; i < args.size(); ++i) {
    const QString& arg = args[i];
    if (arg == QLatin1String("--port")) {
      if (i + 1 >= args.size()) {
        *error = QStringLiteral("--port needs the path of a serial port");
        return false;
      }
      options->port = args[++i];
    } else if (arg.startsWith(QLatin1String("--port="))) {
      options->port = arg.mid(7);
    } else if (arg == QLatin1String("--demo")) {
      options->demo = true;
      if (i + 1 < args.size() && !args[i + 1].startsWith(QLatin1Char('-')) && !commandWords.contains(args[i + 1]))
        options->demoFolder = args[++i];
    } else if (arg.startsWith(QLatin1String("--demo="))) {
      options->demo = true;
      options->demoFolder = arg.mid(7);
    } else {
      rest.append(arg);
    }
  }
  if (options->port.isEmpty() && !options->demo) options->port = qEnvironmentVariable("KALYX5PC_PORT");
  *arguments = rest;
  return true;
}

std::unique_ptr<AnalyzerDriver> createDriver(const LinkOptions& options, QString* error) {
  if (!options.demo) {
    // A named port is a serial port; otherwise the D2XX library where it is to be used.
    if (options.port.isEmpty())
      if (std::unique_ptr<AnalyzerDriver> d2xx = createD2xxDriver()) return d2xx;
    return std::make_unique<SerialDriver>(options.port);
  }
  if (options.demoFolder.isEmpty()) return std::make_unique<SimulatorDriver>(sampleAnalyzerMemory());
  std::optional<AnalyzerMemory> memory = loadDumpFolder(options.demoFolder, error);
  if (!memory) return nullptr;
  return std::make_unique<SimulatorDriver>(std::move(*memory));
}

QString linkOptionsHelp() {
  return QStringLiteral(
      "  --port PATH     talk to the analyzer on this serial port (or set KALYX5PC_PORT)\n"
      "  --demo [DIR]    use the built-in analyzer simulator, with its sample memory\n"
      "                  or with the dump folder DIR\n");
}
