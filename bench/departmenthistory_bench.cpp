// One device's history from a department's archive holding 1,000,000 reports:
// its tests read from the server, their points and the near-limit rule,
// against the bare indexed query of the same rows, in the same run.

#include "archivebench.h"
#include "benchsupport.h"
#include "departmentbench.h"
#include "testreport/samplerecords.h"
#include "testreport/testrecord.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlError>
#include <QSqlQuery>
#include <cstdio>

namespace {
constexpr int kShown = 50;  // histories read in one round, each of another device

// Fills the server on its own side: report n is sample n % 12 as device
// "DEV-<n % 20000>", tested a week after that device's test before.
bool fill(QSqlDatabase& db) {
  QSqlQuery query(db);
  if (!query.exec(QStringLiteral("CREATE TEMPORARY TABLE sample (n integer, bytes bytea, dut_type integer)"))) return false;
  const QList<TTestRec> samples = sampleTestRecords();
  query.prepare(QStringLiteral("INSERT INTO sample VALUES (?, ?, ?)"));
  for (int n = 0; n < samples.size(); ++n) {
    query.addBindValue(n);
    query.addBindValue(QByteArray(samples[n].data(), TTestRec::Size));
    query.addBindValue(int(samples[n].u8(testrec::DutTypeByte)));
    if (!query.exec()) return false;
  }
  const bool filled = query.exec(
      QStringLiteral("INSERT INTO record (kind, analyzer, digest, bytes, downloaded, device, tested, dut_type, verdict, "
                     "autoseq, number, title, sent_by, sent_from) "
                     "SELECT 1, 'A1234567', sha256(int8send(g)), s.bytes, '2026-01-01T00:00:00Z', 'DEV-' || (g % %1), "
                     "to_char(timestamp '2001-01-01 08:00' + (g / %1) * interval '7 days' + (g % %1 % 36000) * "
                     "interval '1 second', 'YYYY-MM-DD\"T\"HH24:MI:SS'), s.dut_type, 1, 0, 1, 'Autosequence 1', "
                     "'bench', 'bench' FROM generate_series(0, %2) g JOIN sample s ON s.n = g % %3")
          .arg(kLargeDevices)
          .arg(kLargeReports - 1)
          .arg(samples.size()));
  if (!filled) std::printf("%s\n", qPrintable(query.lastError().text()));
  return filled && query.exec(QStringLiteral("ANALYZE record"));
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  DepartmentBench bench;
  if (!bench.ready()) return benchExitCode();
  QElapsedTimer filling;
  filling.start();
  if (!fill(bench.admin)) {
    noteFailure(QStringLiteral("the server could not be filled"));
    return benchExitCode();
  }
  std::printf("filled the department's archive with %d reports of %d devices in %.0f s\n", kLargeReports, kLargeDevices,
              filling.elapsed() / 1000.0);
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
