// One device's history from a department's archive holding 1,000,000 reports:
// its tests read from the server, their points and the near-limit rule,
// against the bare indexed query of the same rows, in the same run.

#include "archivebench.h"
#include "benchsupport.h"
#include "departmentbench.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <cstdio>

namespace {
constexpr int kShown = 50;  // histories read in one round, each of another device

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  DepartmentBench bench;
  if (!bench.ready()) return benchExitCode();
  if (!fillLargeDepartment(bench.admin)) return benchExitCode();
  ArchiveFailure failure;
  std::unique_ptr<Archive> department = Archive::openDepartment(bench.sender, &failure);
  if (!department) {
    noteFailure(failure.message());
    return benchExitCode();
  }
  constexpr int kRounds = 9;
  std::printf("history of %d devices among %d reports on the server: the history and its near-limit rule vs the "
              "bare indexed query, median of %d rounds\n", kShown, kLargeReports, kRounds);
  const Medians m = alternate(
      kRounds, [&] { return historyRound(*department, kShown); }, [&] { return bareHistoryRound(*department, kShown); });
  printRow(QStringLiteral("%1 devices").arg(kShown), m);
  printRatio(m);
  return benchExitCode();
}
