// Download of test reports ("GS", then "GT" and one 736-byte block per report)
// from kalyx5-simulator on a pseudo-terminal, as fast as it serves: the program's
// transport against a raw client reading the same bytes from the same terminal.
// For 50 reports it also times QSerialPort opening and closing the terminal
// alone against the raw client's whole download: the part of the program's
// figure that is the serial port's fixed cost (its lock file among it).

#include "benchsupport.h"
#include "linkbench.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  constexpr int kRounds = 15;
  std::printf("download of test reports: transport vs raw client, wall time, median of %d rounds\n", kRounds);
  const Medians m = measureSizes({10, 25, 50}, "report", [](int reports) {
    const Simulator simulator(reports, 0);
    if (simulator.path().isEmpty()) noteFailure(QStringLiteral("the simulator did not start"));
    auto timed = [&](LinkFigures (*client)(const QString&, int), const char* name) {
      return [&simulator, reports, client, name] {
        const LinkFigures f = client(simulator.path(), reports);
        if (!f.ok) noteFailure(QStringLiteral("%1 of %2 reports").arg(QLatin1String(name)).arg(reports));
        return f.wallMs;
      };
    };
    if (reports == 50) {
      const Medians openClose = alternate(
          kRounds, [&] { return serialOpenClose(simulator.path()).wallMs; },
          [&] { return rawDownload(simulator.path(), reports).wallMs; });
      printRow(QStringLiteral("QSerialPort open+close"), openClose);
    }
    return alternate(kRounds, timed(programDownload, "transport"), timed(rawDownload, "raw client"));
  });
  printRatio(m);
  return benchExitCode();
}
