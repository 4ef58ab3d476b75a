// The Archive window showing a department's archive of 1,000,000 reports of
// 20,000 devices: from choosing Department until its device list's first paint
// of the rows read, against a bare QSqlQueryModel in a QTableView on the same
// query over a connection of its own, in the same run; and the longest the
// window's event loop stood still meanwhile (it must keep painting).

#include "archive/archivewindow.h"
#include "archive/devicelist.h"
#include "archivebench.h"
#include "benchsupport.h"
#include "departmentbench.h"
#include "paintwatch.h"
#include "reportbench.h"

#include <QApplication>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

namespace {
qint64 longestPause = 0;  // of the window's event loop, in any round

double windowRound(const AppServices& services, Archive& local, const DepartmentServer& server) {
  TArchiveWindow window(services, local, [server](ArchiveFailure* failure) {
    return Archive::openDepartment(server, failure);
  });
  window.setAttribute(Qt::WA_DeleteOnClose, false);
  showUntilPainted(window, window.deviceList()->view()->viewport(), QElapsedTimer());
  QElapsedTimer clock;
  clock.start();
  qint64 last = 0;
  QTimer tick;
  QObject::connect(&tick, &QTimer::timeout, [&] {
    longestPause = std::max(longestPause, clock.elapsed() - last);
    last = clock.elapsed();
  });
  tick.start(10);
  window.showSource(TArchiveWindow::Department);
  while (window.shownSource() != TArchiveWindow::Department) QApplication::processEvents(QEventLoop::AllEvents, 5);
  PaintWatch watch(window.deviceList()->view()->viewport());
  watch.wait();
  return clock.nsecsElapsed() / 1e6;
}

double bareRound(const DepartmentServer& server) {
  QElapsedTimer clock;
  clock.start();
  ArchiveFailure failure;
  std::unique_ptr<Archive> department = Archive::openDepartment(server, &failure);
  if (!department) {
    noteFailure(failure.message());
    return 0;
  }
  QSqlQueryModel model;
  model.setQuery(department->devices(QString(), Archive::DeviceColumn::Device, true));
  QTableView view;
  view.setModel(&model);
  view.resize(1100, 680);
  return showUntilPainted(view, view.viewport(), clock);
}
}  // namespace

int main(int argc, char** argv) {
  prepareWidgetBench();
  QApplication app(argc, argv);
  DepartmentBench bench;
  if (!bench.ready()) return benchExitCode();
  if (!fillLargeDepartment(bench.admin)) return benchExitCode();
  QTemporaryDir dir;
  ArchiveFailure failure;
  std::unique_ptr<Archive> local = Archive::open(dir.filePath(QStringLiteral("archive.sqlite")), &failure);
  if (!local) {
    noteFailure(failure.message());
    return benchExitCode();
  }
  BenchServices services;
  constexpr int kRounds = 5;
  std::printf("Archive window, Department chosen, %d reports of %d devices on the server: until the device list's "
              "first paint vs a bare QSqlQueryModel in a QTableView on the same query, median of %d rounds\n",
              kLargeReports, kLargeDevices, kRounds);
  const Medians m = alternate(kRounds, [&] { return windowRound(services.services, *local, bench.sender); },
                              [&] { return bareRound(bench.sender); });
  printRow(QStringLiteral("%1 devices").arg(kLargeDevices), m);
  std::printf("longest pause of the window's event loop while reading: %lld ms (aim: under 100)\n",
              static_cast<long long>(longestPause));
  printRatio(m);
  return benchExitCode();
}
