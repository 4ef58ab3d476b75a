// The Archive window on 1,000,000 reports of 20,000 devices: from its creation
// until its device list's first paint, against a bare QSqlQueryModel in a
// QTableView on a query of the same columns, in the same run; and the resident
// memory the window adds.

#include "archive/archivedialect.h"
#include "archive/archivewindow.h"
#include "archivebench.h"
#include "benchsupport.h"
#include "paintwatch.h"
#include "reportbench.h"

#include <QApplication>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QTableView>
#include <cstdio>

namespace {
double windowRound(const AppServices& services, Archive& archive) {
  QElapsedTimer clock;
  clock.start();
  TArchiveWindow window(services, archive);
  window.setAttribute(Qt::WA_DeleteOnClose, false);
  auto* list = window.findChild<QTableView*>(QStringLiteral("sgArchiveDevices"));
  return showUntilPainted(window, list->viewport(), clock);
}

double bareRound(Archive& archive) {
  QElapsedTimer clock;
  clock.start();
  // The list's columns: the device's row, with its location and interval beside it.
  QSqlQueryModel model;
  model.setQuery(QStringLiteral("SELECT r.device, r.dut_type, r.tests, r.last, r.verdict, NULL AS near_limit, "
                                "NULL AS forecast, d.location, d.interval_months, NULL AS status FROM (%1) AS r "
                                "LEFT JOIN device_detail AS d ON d.device = r.device")
                     .arg(archivesql::devicesQuery(ArchiveBackend::Local, QString(), QStringLiteral("device ASC"))),
                 archive.database());
  QTableView view;
  view.setModel(&model);
  view.resize(1100, 680);
  return showUntilPainted(view, view.viewport(), clock);
}
}  // namespace

int main(int argc, char** argv) {
  prepareWidgetBench();
  QApplication app(argc, argv);
  std::unique_ptr<Archive> archive = openLargeArchive();
  if (!archive) return benchExitCode();
  BenchServices bench;
  constexpr int kRounds = 5;
  std::printf("Archive window on %d reports of %d devices: open until the device list's first paint vs a bare "
              "QSqlQueryModel in a QTableView, median of %d rounds\n", kLargeReports, kLargeDevices, kRounds);
  const double before = residentMiB();
  {
    TArchiveWindow window(bench.services, *archive);
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    showUntilPainted(window, window.findChild<QTableView*>(QStringLiteral("sgArchiveDevices"))->viewport(),
                     QElapsedTimer());
    std::printf("memory: +%.1f MiB with the window open (aim: at most 50)\n", residentMiB() - before);
  }
  const Medians m = alternate(kRounds, [&] { return windowRound(bench.services, *archive); },
                              [&] { return bareRound(*archive); });
  printRow(QStringLiteral("%1 devices").arg(kLargeDevices), m);
  printRatio(m);
  return benchExitCode();
}
