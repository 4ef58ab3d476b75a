// One device's history among 1,000,000 reports: its tests read, their energy
// and charge time points and the near-limit rule, against the bare indexed
// query of the same rows, in the same run.

#include "archivebench.h"
#include "benchsupport.h"

#include <QCoreApplication>
#include <cstdio>

namespace {
constexpr int kDevices = 50;  // histories read in one round, each of another device

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  std::unique_ptr<Archive> archive = openLargeArchive();
  if (!archive) return benchExitCode();
  constexpr int kRounds = 9;
  std::printf("history of %d devices among %d reports: the history and its near-limit rule vs the bare indexed "
              "query, median of %d rounds\n", kDevices, kLargeReports, kRounds);
  const Medians m = alternate(
      kRounds, [&] { return historyRound(*archive, kDevices); }, [&] { return bareHistoryRound(*archive, kDevices); });
  printRow(QStringLiteral("%1 devices").arg(kDevices), m);
  printRatio(m);
  return benchExitCode();
}
