// A slow analyzer: kalyx5-simulator sends each block 20 ms after the one before.
// The wait is the whole transfer, so the figure is the processor time spent
// waiting: the program's transport against a raw client that sleeps in blocking
// reads, in the same run; and their wall times, which should be the same.

#include "benchsupport.h"
#include "linkbench.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  constexpr int kRounds = 5;
  constexpr int kBlockDelayMs = 20;
  std::printf("download of test reports, one block every %d ms: transport vs raw client, median of %d rounds\n",
              kBlockDelayMs, kRounds);
  QList<int> sizes{10, 25, 50};
  Medians cpu;
  for (int reports : sizes) {
    const Simulator simulator(reports, kBlockDelayMs);
    if (simulator.path().isEmpty()) noteFailure(QStringLiteral("the simulator did not start"));
    QList<double> programCpu, rawCpu, programWall, rawWall, programWakeups, rawWakeups;
    auto run = [&](LinkFigures (*client)(const QString&, int), QList<double>& cpuOut, QList<double>& wallOut,
                   QList<double>& wakeupsOut) {
      const LinkFigures f = client(simulator.path(), reports);
      if (!f.ok) noteFailure(QStringLiteral("a download of %1 reports").arg(reports));
      cpuOut << f.cpuMs, wallOut << f.wallMs, wakeupsOut << double(f.wakeups);
      return f.cpuMs;
    };
    alternate(kRounds, [&] { return run(programDownload, programCpu, programWall, programWakeups); },
              [&] { return run(rawDownload, rawCpu, rawWall, rawWakeups); });
    // The unmeasured first run of each is in the lists too: leave it out.
    for (QList<double>* list : {&programCpu, &rawCpu, &programWall, &rawWall, &programWakeups, &rawWakeups})
      list->removeFirst();
    cpu = {median(programCpu), median(rawCpu)};
    const Medians wall{median(programWall), median(rawWall)};
    printRow(QStringLiteral("%1 reports, cpu").arg(reports), cpu);
    printRow(QStringLiteral("%1 reports, wall").arg(reports), wall);
    printRow(QStringLiteral("%1 reports, wake-ups").arg(reports), {median(programWakeups), median(rawWakeups)}, "  ");
    std::printf("  %-22s wall time differs by %.1f %%\n", "", (wall.ratio() - 1) * 100);
  }
  printRatio(cpu);
  return benchExitCode();
}
