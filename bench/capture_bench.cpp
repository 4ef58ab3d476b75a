// Real-time capture ("WD": 10,306 bytes, read one byte per step) from
// kalyx5-simulator on a pseudo-terminal: the program's transport against a raw
// client reading the same bytes from the same terminal. For one capture it also
// times QSerialPort opening and closing the terminal alone against the raw
// client's whole capture: the fixed part of the program's figure.

#include "benchsupport.h"
#include "linkbench.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  constexpr int kRounds = 9;
  std::printf("capture: transport vs raw client, wall time, median of %d rounds\n", kRounds);
  const Simulator simulator(0, 0);
  if (simulator.path().isEmpty()) noteFailure(QStringLiteral("the simulator did not start"));
  const Medians m = measureSizes({1, 5, 10}, "capture", [&simulator](int captures) {
    auto timed = [&](LinkFigures (*client)(const QString&, int), const char* name) {
      return [&simulator, captures, client, name] {
        const LinkFigures f = client(simulator.path(), captures);
        if (!f.ok) noteFailure(QStringLiteral("%1 of %2 captures").arg(QLatin1String(name)).arg(captures));
        return f.wallMs;
      };
    };
    if (captures == 1) {
      const Medians openClose = alternate(
          kRounds, [&] { return serialOpenClose(simulator.path()).wallMs; },
          [&] { return rawCapture(simulator.path(), 1).wallMs; });
      printRow(QStringLiteral("QSerialPort open+close"), openClose);
    }
    return alternate(kRounds, timed(programCapture, "transport"), timed(rawCapture, "raw client"));
  });
  printRatio(m);
  return benchExitCode();
}
