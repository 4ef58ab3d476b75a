// The Archive window on a real archive file.
#include "archive/archivewindow.h"
#include "archive/backupcommand.h"
#include "archive/departmentserver.h"
#include "archive/departmentsync.h"
#include "archive/devicelist.h"
#include "archive/devicemodel.h"
#include "archive/historychart.h"
#include "core/datetimetext.h"
#include "support/fulldisk.h"
#include "support/damagedarchive.h"
#include "support/pdftext.h"
#include "support/postgresserver.h"
#include "support/testfiles.h"
#include "support/testreportbuilders.h"
#include "support/uiharness.h"
#include "support/wavebuilders.h"
#include "testreport/reportexport.h"
#include "testreport/reportrender.h"
#include "testreport/testreportviewer.h"

#include <QAction>
#include <QApplication>
#include <QChart>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QTableView>
#include <QFile>
#include <QSpinBox>
#include <QDialog>
#include <QInputDialog>
#include <QRegularExpression>
#include <QLabel>
#include <QLineEdit>
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QStatusBar>
#include <QScopeGuard>
#include <QPushButton>
#include <QElapsedTimer>

using namespace testrec;

namespace {
// A defibrillator's visit: its 200 J pulse delivered `delivered` (0.1 J, ±10 %).
QByteArray visit(const char* device, quint8 month, quint16 delivered) {
  TTestRec rec = makeTestRec(device, {1, month, 25, 9, 0, 0}, 1, DutDefibrillator);
  setEntryAt(rec, 0, EnergyEntry{.totalEnergy = delivered, .targetEnergy = 2000, .tolerance = 2, .result = Pass});
  return QByteArray(rec.data(), TTestRec::Size);
}

class ArchiveWindowTest : public UiHarness {
 protected:
  void SetUp() override {
    ArchiveFailure failure;
    archive = Archive::open(dataHome.path() + "/archive.sqlite", &failure);
    ASSERT_TRUE(archive) << failure.message().toStdString();
    // ER-1 ends near its limit (8.5 % off a 10 % tolerance); ICU-2 is well inside.
    ASSERT_TRUE(archive->store(ArchiveKind::TestReport, "A1234567", QDateTime::currentDateTimeUtc(),
                               {visit("ER-1", 1, 2000), visit("ICU-2", 2, 2010), visit("ER-1", 3, 2170)}, &failure));
    window = std::make_unique<TArchiveWindow>(services(), *archive);
    window->show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->detailsShown(); }, 5000));
  }
  QTableWidget* tests() const { return window->findChild<QTableWidget*>("sgArchiveTests"); }
  QAction* item(const char* name) const { return window->findChild<QAction*>(name); }
  void selectAllTests() { tests()->selectAll(); }

  std::unique_ptr<Archive> archive;
  std::unique_ptr<TArchiveWindow> window;
};
}  // namespace

TEST_F(ArchiveWindowTest, ListsTheDevicesMarksTheOneNearALimitAndSaysWhy) {
  TArchiveDeviceModel* devices = window->deviceModel();
  ASSERT_EQ(devices->rowCount(), 2);
  EXPECT_EQ(devices->device(0), "ER-1");
  EXPECT_EQ(devices->index(0, TArchiveDeviceModel::Tests).data().toInt(), 2);
  EXPECT_EQ(devices->index(0, TArchiveDeviceModel::LastVerdict).data().toString(), "PASS");
  devices->index(0, TArchiveDeviceModel::NearLimit).data();  // shown: its mark is read next
  ASSERT_TRUE(QTest::qWaitFor([&] { return !devices->index(0, TArchiveDeviceModel::NearLimit).data().toString().isEmpty(); }, 2000));
  EXPECT_TRUE(devices->index(1, TArchiveDeviceModel::NearLimit).data().toString().isEmpty());

  EXPECT_EQ(window->shownDevice(), "ER-1");
  EXPECT_EQ(tests()->rowCount(), 2);
  const QString why = window->findChild<QLabel*>("lblNearLimit")->text();
  EXPECT_TRUE(why.contains("delivered energy at 200.0 J") && why.contains("Mar 01, 2025")) << why.toStdString();
  EXPECT_FALSE(window->historyChart()->energyChart()->series().isEmpty());

  window->findChild<QLineEdit*>("txtArchiveFilter")->setText("icu");  // queried once the typing pauses
  ASSERT_TRUE(QTest::qWaitFor([&] { return devices->rowCount() == 1; }, 2000));
  EXPECT_EQ(window->shownDevice(), "ICU-2");
}

TEST_F(ArchiveWindowTest, ViewShowsTheReportsAsTheyWereRenderedAtTheirDownload) {
  selectAllTests();
  item("mmArchiveView")->trigger();
  TTestReportViewer* viewer = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* v = qobject_cast<TTestReportViewer*>(w); v && v->isVisible()) viewer = v;
  ASSERT_TRUE(viewer);
  const TTestRec first = testRecFromBytes(visit("ER-1", 1, 2000).constData());
  ASSERT_EQ(viewer->reports().size(), 2);
  EXPECT_EQ(viewer->reports()[0], renderTestReport(first, 0, "A1234567"));
  viewer->close();
}

TEST_F(ArchiveWindowTest, ExportWritesWhatTheViewerWrites) {
  selectAllTests();
  files.saveAnswer = dataHome.path() + "/archived.mup";
  item("mmArchiveSaveToMup")->trigger();
  const TTestRec a = testRecFromBytes(visit("ER-1", 1, 2000).constData());
  const TTestRec b = testRecFromBytes(visit("ER-1", 3, 2170).constData());
  ASSERT_TRUE(!saveMup({{a, 0, renderTestReport(a, 0, "A1234567")}, {b, 2, renderTestReport(b, 2, "A1234567")}},
                       dataHome.path() + "/expected.mup"));
  EXPECT_EQ(readAll(dataHome.path() + "/archived.mup"), readAll(dataHome.path() + "/expected.mup"));
}

TEST_F(ArchiveWindowTest, DeleteAsksNamingHowManyAndRemovesOnlyOnYes) {
  selectAllTests();
  messages.answers = {UserMessages::Result::No};
  item("mmArchiveDelete")->trigger();
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_EQ(messages.shown[0].text, "Delete 2 archived records? They cannot be brought back.");
  EXPECT_EQ(window->deviceModel()->rowCount(), 2);
  selectAllTests();
  item("mmArchiveDelete")->trigger();  // Yes
  EXPECT_EQ(window->deviceModel()->rowCount(), 1);
  EXPECT_EQ(window->shownDevice(), "ICU-2");
}

// On a large archive the list fetches its rows as they are shown.
TEST_F(ArchiveWindowTest, ALargeArchiveIsNotLoadedWhole) {
  QList<QByteArray> many;
  for (int i = 0; i < 2000; ++i) many << visit(QByteArray("DEV-" + QByteArray::number(i)).constData(), 4, 2000);
  ArchiveFailure failure;
  ASSERT_TRUE(archive->store(ArchiveKind::TestReport, "A1234567", QDateTime::currentDateTimeUtc(), many, &failure));
  window->refresh();
  EXPECT_LT(window->deviceModel()->rowCount(), 2002);
  EXPECT_TRUE(window->deviceModel()->canFetchMore());
}

// The window's source: the department's archive on a real server shows a
// colleague's device too, and its records cannot be deleted; a server that
// cannot be used is said and this computer's archive stays shown.
class ArchiveWindowDepartmentTest : public ArchiveWindowTest {
 protected:
  // A department whose archive holds this computer's devices and a colleague's.
  bool startDepartment() {
    if (!pg.ready()) return false;
    ArchiveFailure failure;
    if (!Archive::initDepartment(*DepartmentServer::parse(pg.url("kalyx5pc_owner"), nullptr), &failure)) return false;
    auto colleague = Archive::open(dataHome.path() + "/colleague.sqlite", &failure);
    colleague->store(ArchiveKind::TestReport, "B7654321", QDateTime::currentDateTimeUtc(), {visit("OR-3", 4, 2000)},
                     &failure);
    // Where the colleague keeps it, and a spare the colleague listed and never tested.
    colleague->keepDeviceDetails({{"OR-3", "Theatre 2", std::nullopt, ""}, {"SPARE-9", "Store", std::nullopt, ""}},
                                 &failure);
    auto department = Archive::openDepartment(*DepartmentServer::parse(pg.url("tech1"), nullptr), &failure);
    return department && sendQueued(*colleague, *department, {"jdoe", "pc"}, &failure) &&
           sendQueued(*archive, *department, {"me", "pc"}, &failure);
  }
  // The window, reading the department at `serverUrl` (read on the reader's thread).
  void openWindow() {
    window = std::make_unique<TArchiveWindow>(services(), *archive, [this](ArchiveFailure* failure) {
      return Archive::openDepartment(*DepartmentServer::parse(serverUrl, nullptr), failure);
    });
    window->show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->detailsShown(); }, 5000));
  }
  bool showsDepartment() {
    return QTest::qWaitFor([&] { return window->shownSource() == TArchiveWindow::Department; }, 10000);
  }
  QComboBox* source() const { return window->findChild<QComboBox*>("cbArchiveSource"); }

  PostgresServer pg;
  QString serverUrl;
};

TEST_F(ArchiveWindowDepartmentTest, ShowsTheServersDevicesReadOnlyAndSaysWhenItCannot) {
  KALYX_REQUIRE_POSTGRES(pg);
  ASSERT_TRUE(startDepartment());
  serverUrl = "postgresql://tech1@127.0.0.1:1/department";
  openWindow();
  window->showSource(TArchiveWindow::Department);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !messages.shown.isEmpty(); }, 10000));
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_TRUE(messages.shown[0].text.contains("postgresql://tech1@127.0.0.1:1/department"));
  EXPECT_EQ(source()->currentIndex(), TArchiveWindow::ThisComputer);
  EXPECT_EQ(window->deviceList()->rowCount(), 2);
  messages.shown.clear();

  serverUrl = pg.url("tech1");  // the next read opens the archive again
  window->showSource(TArchiveWindow::Department);
  ASSERT_TRUE(showsDepartment());
  ASSERT_EQ(window->deviceList()->rowCount(), 4);
  // The department's details of each device, a device listed and never tested too.
  const QAbstractItemModel* shown = window->deviceList()->view()->model();
  for (int r = 0; r < shown->rowCount(); ++r) {
    const QString device = window->deviceList()->device(r);
    const QString location = shown->index(r, TArchiveDeviceModel::Location).data().toString();
    EXPECT_EQ(location, device == "OR-3" ? "Theatre 2" : device == "SPARE-9" ? "Store" : "") << device.toStdString();
    EXPECT_EQ(shown->index(r, TArchiveDeviceModel::Status).data().toString() == "Never tested", device == "SPARE-9")
        << device.toStdString();
  }
  EXPECT_FALSE(item("mmArchiveDelete")->isEnabled());
  EXPECT_TRUE(window->statusBar()->currentMessage().contains("(read only)"));
  // The first device's records and its near-limit marks follow in the background.
  ASSERT_TRUE(QTest::qWaitFor([&] { return !window->busy() && tests()->rowCount() > 0; }, 10000));
  EXPECT_EQ(window->shownDevice(), window->deviceList()->device(0));
  const QAbstractItemModel* rows = window->deviceList()->view()->model();
  for (int r = 0; r < rows->rowCount(); ++r)  // ER-1 alone ends near its limit
    EXPECT_EQ(rows->index(r, TArchiveDeviceModel::NearLimit).data().toString().contains("Near limit"),
              window->deviceList()->device(r) == "ER-1")
        << window->deviceList()->device(r).toStdString();
  EXPECT_TRUE(messages.shown.isEmpty());

  // A server restarted meanwhile is reached again, without a word.
  ASSERT_TRUE(pg.stop() && pg.start());
  window->showSource(TArchiveWindow::Department);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !window->busy() && tests()->rowCount() > 0; }, 10000));
  EXPECT_EQ(window->shownSource(), TArchiveWindow::Department);
  EXPECT_TRUE(messages.shown.isEmpty()) << messages.shown.value(0).text.toStdString();

  window->showSource(TArchiveWindow::ThisComputer);
  EXPECT_EQ(window->deviceList()->rowCount(), 2);
  EXPECT_TRUE(item("mmArchiveDelete")->isEnabled());
  selectAllTests();  // a Delete here says that what was not sent still goes to the department
  messages.answers = {UserMessages::Result::No};
  item("mmArchiveDelete")->trigger();
  ASSERT_FALSE(messages.shown.isEmpty());
  EXPECT_TRUE(messages.shown.last().text.contains("records not yet sent still go to the department's archive"));
}

// A server that holds the connection and answers nothing: the window goes on
// painting, shows that it is busy, and Stop gives back what showed before;
// the next read opens the link again.
TEST_F(ArchiveWindowDepartmentTest, ASilentServerNeverFreezesTheWindowAndIsStopped) {
  KALYX_REQUIRE_POSTGRES(pg);
  ASSERT_TRUE(startDepartment());
  serverUrl = pg.url("tech1");
  openWindow();
  window->showSource(TArchiveWindow::Department);
  ASSERT_TRUE(showsDepartment());
  ASSERT_TRUE(QTest::qWaitFor([&] { return !window->busy(); }, 10000));

  ASSERT_TRUE(pg.pause(true));
  const auto resume = qScopeGuard([&] { pg.pause(false); });
  window->deviceList()->filterBox()->setText("ICU");  // another device, whose read waits on the server too
  window->showSource(TArchiveWindow::Department);
  auto* stop = window->findChild<QPushButton*>("btnArchiveStop");
  ASSERT_TRUE(stop);
  ASSERT_TRUE(QTest::qWaitFor([&] { return stop->isVisible(); }, 2000));
  // The event loop keeps turning while the server is silent.
  QElapsedTimer clock;
  clock.start();
  qint64 last = 0, longestGap = 0;
  QTimer tick;
  QObject::connect(&tick, &QTimer::timeout, [&] {
    longestGap = std::max(longestGap, clock.elapsed() - last);
    last = clock.elapsed();
  });
  tick.start(20);
  QTest::qWait(1000);
  EXPECT_LT(longestGap, 250);
  EXPECT_TRUE(window->busy());

  QTest::mouseClick(stop, Qt::LeftButton);
  EXPECT_TRUE(window->statusBar()->currentMessage().contains("Stopped"));
  EXPECT_EQ(source()->currentIndex(), TArchiveWindow::Department);  // the list read before still shows
  EXPECT_EQ(window->deviceList()->rowCount(), 1);
  EXPECT_EQ(window->shownDevice(), "ICU-2");
  EXPECT_TRUE(window->findChild<QLabel*>("lblNearLimit")->text().contains("not read"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !window->busy(); }, 3000));
  EXPECT_TRUE(messages.shown.isEmpty());  // a read the user stopped is no failure

  pg.pause(false);
  window->showSource(TArchiveWindow::Department);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !window->busy() && tests()->rowCount() > 0; }, 10000));
  EXPECT_EQ(window->shownDevice(), "ICU-2");
  EXPECT_TRUE(messages.shown.isEmpty());

  // The server falls silent once the list is read, while the marks are: Stop ends that read too.
  auto* reader = window->findChild<DepartmentReader*>();
  ASSERT_TRUE(reader);
  QObject::connect(reader, &DepartmentReader::devicesRead, [&] { pg.pause(true); });
  window->showSource(TArchiveWindow::Department);
  ASSERT_TRUE(showsDepartment());
  QTest::qWait(300);
  EXPECT_TRUE(window->busy());
  QTest::mouseClick(stop, Qt::LeftButton);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !window->busy(); }, 3000));
  const QModelIndex mark = window->deviceList()->view()->model()->index(0, TArchiveDeviceModel::NearLimit);
  EXPECT_EQ(mark.data().toString(), "Not read");

  // The window closed while a read waits on the silent server: it goes at
  // once, and nothing of the read comes back to it.
  window->showSource(TArchiveWindow::Department);
  ASSERT_TRUE(window->busy());
  QElapsedTimer closing;
  closing.start();
  window.reset();
  EXPECT_LT(closing.elapsed(), 1000);
  pg.pause(false);
  QTest::qWait(1500);  // the reader's thread ends, and goes, on its own
  EXPECT_TRUE(messages.shown.isEmpty());
}

// A device whose history stops at a damaged page shows nothing of it: a
// message names the file, once, and no mark is worked out from part of it.
TEST_F(UiHarness, ArchiveWindowADamagedHistoryIsSaidAndShowsNothing) {
  const QString path = dataHome.path() + "/damaged.sqlite";
  makeDamagedArchive(path, 3000, "ER-1");
  ArchiveFailure failure;
  std::unique_ptr<Archive> archive = Archive::open(path, &failure);
  ASSERT_TRUE(archive);
  TArchiveWindow window(services(), *archive);
  window.show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return window.detailsShown(); }, 5000));
  // Whichever read meets the damage, the device list's or the history's.
  ASSERT_TRUE(QTest::qWaitFor([&] { return !messages.shown.isEmpty(); }, 2000));
  EXPECT_EQ(window.findChild<QTableWidget*>("sgArchiveTests")->rowCount(), 0);
  EXPECT_TRUE(window.historyChart()->energyChart()->series().size() <= 1);  // the empty near-limit marks only
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_TRUE(messages.shown[0].text.contains(QDir::toNativeSeparators(path))) << messages.shown[0].text.toStdString();
  const QString label = window.findChild<QLabel*>("lblNearLimit")->text();
  EXPECT_FALSE(label.contains("Near a limit")) << label.toStdString();
  EXPECT_TRUE(label.contains("could not be read") || label.contains("malformed")) << label.toStdString();
  window.refresh();  // said once a window
  QTest::qWait(50);
  EXPECT_EQ(messages.shown.size(), 1);
}

// Tools > Back Up Archive... asks where, writes the backup and says where it went.
TEST_F(ArchiveWindowTest, BackUpArchiveWritesTheFileChosenAndSaysSo) {
  files.saveAnswer = dataHome.path() + "/backup.sqlite";
  backUpArchiveInteractively(window.get(), services(), archive->path());
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_EQ(messages.shown[0].text, "The archive is backed up in " + QDir::toNativeSeparators(files.saveAnswer) + ".");
  ArchiveFailure failure;
  auto copy = Archive::open(files.saveAnswer, &failure, Archive::Opening::Existing);
  ASSERT_TRUE(copy);
  EXPECT_EQ(copy->records({}, &failure).size(), 3);
}

// A report without a device I.D. and a device with waveforms only are devices
// of the list too, whose records can be listed, viewed and deleted; a device's
// waveforms stay when its reports are deleted.
TEST_F(ArchiveWindowTest, EveryRecordIsReachableFromTheDeviceList) {
  ArchiveFailure failure;
  const quint8 when[6] = {9, 5, 14, 2, 3, 25};
  ASSERT_TRUE(archive->store(ArchiveKind::TestReport, "A1234567", QDateTime::currentDateTimeUtc(), {visit("", 5, 2000)}, &failure));
  ASSERT_TRUE(archive->store(ArchiveKind::Capture, "A1234567", QDateTime::currentDateTimeUtc(),
                             {captureBlockOf(makeCaptureHeader("ER-1", when)), captureBlockOf(makeCaptureHeader("SCOPE-9", when))},
                             &failure));
  window->refresh();
  TArchiveDeviceModel* devices = window->deviceModel();
  QStringList shown;
  for (int r = 0; r < devices->rowCount(); ++r) shown << devices->index(r, TArchiveDeviceModel::Device).data().toString();
  EXPECT_EQ(shown, QStringList({"(no I.D.)", "ER-1", "ICU-2", "SCOPE-9"}));

  window->selectDevice(0);
  ASSERT_EQ(tests()->rowCount(), 1);
  selectAllTests();
  item("mmArchiveDelete")->trigger();  // Yes
  EXPECT_EQ(archive->count(ArchiveKind::TestReport, &failure), 3);

  window->selectDevice(0);  // ER-1, its reports deleted: its capture is still there
  ASSERT_EQ(window->shownDevice(), "ER-1");
  selectAllTests();
  item("mmArchiveDelete")->trigger();
  window->refresh();
  ASSERT_EQ(window->shownDevice(), "ER-1");
  auto* waves = window->findChild<QTableWidget*>("sgArchiveWaves");
  EXPECT_EQ(waves->rowCount(), 1);
  EXPECT_EQ(devices->index(0, TArchiveDeviceModel::Tests).data().toInt(), 0);
  EXPECT_TRUE(devices->index(0, TArchiveDeviceModel::LastVerdict).data().toString().isEmpty());
}

// View, Export and Delete act on what the user sees selected: nothing while
// the History tab shows.
TEST_F(ArchiveWindowTest, CommandsWaitWhileTheHistoryShows) {
  selectAllTests();
  window->findChild<QTabWidget*>("PageArchiveDevice")->setCurrentIndex(2);
  for (const char* name : {"mmArchiveView", "mmArchiveDelete", "mmArchiveSaveToMup"}) EXPECT_FALSE(item(name)->isEnabled()) << name;
  item("mmArchiveDelete")->trigger();
  EXPECT_TRUE(messages.shown.isEmpty());
  ArchiveFailure failure;
  EXPECT_EQ(archive->count(ArchiveKind::TestReport, &failure), 3);
  window->findChild<QTabWidget*>("PageArchiveDevice")->setCurrentIndex(1);
  EXPECT_TRUE(item("mmArchiveView")->isEnabled());
  EXPECT_FALSE(item("mmArchiveSaveToMup")->isEnabled());  // Export writes test reports
}

// Sorting by the near-limit mark works every mark out first, then puts the
// marked devices first (descending) or last.
TEST_F(ArchiveWindowTest, TheNearLimitColumnSorts) {
  ArchiveFailure failure;
  ASSERT_TRUE(archive->store(ArchiveKind::TestReport, "A1234567", QDateTime::currentDateTimeUtc(),
                             {visit("AAA-0", 1, 2000), visit("ZZZ-9", 1, 1830)}, &failure));
  window->refresh();
  QHeaderView* header = window->deviceList()->view()->horizontalHeader();
  const auto order = [&] {
    QStringList devices;
    for (int r = 0; r < window->deviceList()->rowCount(); ++r) devices << window->deviceList()->device(r);
    return devices;
  };
  for (const auto& [sortOrder, expected] :
       {std::pair{Qt::DescendingOrder, QStringList({"ER-1", "ZZZ-9", "AAA-0", "ICU-2"})},
        std::pair{Qt::AscendingOrder, QStringList({"AAA-0", "ICU-2", "ER-1", "ZZZ-9"})}}) {
    header->setSortIndicator(TArchiveDeviceModel::NearLimit, sortOrder);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->deviceList()->sortingByMarks(); }, 5000));
    EXPECT_EQ(order(), expected);
  }
  header->setSortIndicator(TArchiveDeviceModel::Device, Qt::AscendingOrder);
  EXPECT_EQ(order(), QStringList({"AAA-0", "ER-1", "ICU-2", "ZZZ-9"}));
}

// Tab into a list that selects nothing selects its current row: Enter then views it.
TEST_F(ArchiveWindowTest, TabIntoAListSelectsItsCurrentRow) {
  tests()->clearSelection();
  QFocusEvent byMouse(QEvent::FocusIn, Qt::MouseFocusReason);  // a click selects what it clicks, nothing more
  QApplication::sendEvent(tests(), &byMouse);
  EXPECT_FALSE(tests()->selectionModel()->hasSelection());
  QFocusEvent focusIn(QEvent::FocusIn, Qt::TabFocusReason);
  QApplication::sendEvent(tests(), &focusIn);
  EXPECT_EQ(tests()->selectionModel()->selectedRows().size(), 1);
  item("mmArchiveView")->trigger();
  bool viewed = false;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* v = qobject_cast<TTestReportViewer*>(w); v && v->isVisible()) viewed = true, v->close();
  EXPECT_TRUE(viewed);
}

// Each device's location, next due date and status follow its last test, its
// interval (its own, else its type's) and today; the list filters by status
// and location and sorts by the due date; a changed interval moves a device at
// once; a value drifting towards its limit is marked Forecast.
TEST_F(ArchiveWindowTest, TheDueColumnsFollowTheIntervalsAndFilterTheList) {
  ArchiveFailure failure;
  ASSERT_TRUE(archive->store(ArchiveKind::TestReport, "A1234567", QDateTime::currentDateTimeUtc(),
                             {testedDaysAgo("OLD-1", 400), testedDaysAgo("SOON-2", 355), testedDaysAgo("NEW-3", 40),
                              testedDaysAgo("DRIFT-4", 300, 2000), testedDaysAgo("DRIFT-4", 200, 2060),
                              testedDaysAgo("DRIFT-4", 100, 2120)},
                             &failure));
  // A device with a capture only has no test to be due from: it is not followed.
  const quint8 when[6] = {9, 5, 14, 2, 3, 25};
  ASSERT_TRUE(archive->store(ArchiveKind::Capture, "A1234567", QDateTime::currentDateTimeUtc(),
                             {captureBlockOf(makeCaptureHeader("SCOPE-9", when))}, &failure));
  ASSERT_TRUE(archive->keepDeviceDetails({{"OLD-1", "ER bay 2", std::nullopt, ""},
                                          {"SOON-2", "ICU", std::nullopt, ""},
                                          {"NEW-3", "ER bay 1", 24, ""},
                                          {"NEVER-5", "Lobby", std::nullopt, ""}},  // imported, never tested
                                         &failure));
  TArchiveDeviceList* list = window->deviceList();
  const QDate today = QDate::currentDate();
  const auto cell = [&](const QString& device, int column) {
    for (int r = 0; r < list->rowCount(); ++r)
      if (list->device(r) == device) return list->view()->model()->index(r, column).data().toString();
    return QString("(not listed)");
  };
  const auto shown = [&] {
    QStringList devices;
    for (int r = 0; r < list->rowCount(); ++r) devices << list->device(r);
    return devices;
  };
  window->refresh();
  const struct {
    const char* device;
    const char* location;
    QDate due;
    const char* status;
  } expected[] = {{"OLD-1", "ER bay 2", today.addDays(-400).addMonths(12), "Overdue"},
                  {"SOON-2", "ICU", today.addDays(-355).addMonths(12), "Due"},
                  {"NEW-3", "ER bay 1", today.addDays(-40).addMonths(24), "OK"},
                  {"NEVER-5", "Lobby", today, "Never tested"}};
  for (const auto& e : expected) {
    EXPECT_EQ(cell(e.device, TArchiveDeviceModel::Location), e.location) << e.device;
    EXPECT_EQ(cell(e.device, TArchiveDeviceModel::NextDue), dateText({e.due, {}})) << e.device;
    EXPECT_EQ(cell(e.device, TArchiveDeviceModel::Status), e.status) << e.device;
  }

  EXPECT_EQ(cell("SCOPE-9", TArchiveDeviceModel::Status), "");
  EXPECT_EQ(cell("SCOPE-9", TArchiveDeviceModel::NextDue), "");
  // ER-1 and ICU-2 were last tested early in 2025.
  list->setDueFilter(TArchiveDeviceList::DueFilter::Overdue);
  EXPECT_EQ(shown(), QStringList({"ER-1", "ICU-2", "OLD-1"}));
  list->setDueFilter(TArchiveDeviceList::DueFilter::DueSoon);
  EXPECT_EQ(shown(), QStringList({"ER-1", "ICU-2", "NEVER-5", "OLD-1", "SOON-2"}));
  list->setDueFilter(TArchiveDeviceList::DueFilter::All, "er BAY");
  EXPECT_EQ(shown(), QStringList({"NEW-3", "OLD-1"}));
  list->setDueFilter(TArchiveDeviceList::DueFilter::All);
  list->view()->horizontalHeader()->setSortIndicator(TArchiveDeviceModel::NextDue, Qt::AscendingOrder);
  EXPECT_EQ(shown().mid(0, 5), QStringList({"ICU-2", "ER-1", "OLD-1", "NEVER-5", "SOON-2"}));
  EXPECT_EQ(shown().mid(shown().size() - 2), QStringList({"NEW-3", "SCOPE-9"}));  // one not followed, last

  ASSERT_TRUE(archive->keepDeviceDetails({{"NEW-3", "ER bay 1", 1, ""}}, &failure));
  window->refresh();
  EXPECT_EQ(cell("NEW-3", TArchiveDeviceModel::Status), "Overdue");

  // A device never tested is found by its I.D. as any other, in any letter case.
  window->findChild<QLineEdit*>("txtArchiveFilter")->setText("nEvEr");
  window->refresh();
  EXPECT_EQ(shown(), QStringList({"NEVER-5"}));
  window->findChild<QLineEdit*>("txtArchiveFilter")->clear();
  window->refresh();

  list->view()->horizontalHeader()->setSortIndicator(TArchiveDeviceModel::Forecast, Qt::DescendingOrder);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !list->sortingByMarks(); }, 5000));
  EXPECT_EQ(shown().first(), "DRIFT-4");
  EXPECT_EQ(cell("DRIFT-4", TArchiveDeviceModel::Forecast), "\u25C6 Forecast");
  EXPECT_EQ(cell("OLD-1", TArchiveDeviceModel::Forecast), "");
}

// The Devices menu: an inventory is kept line by line (a file that cannot be
// read changes nothing); the shown device's details and the types' intervals
// are edited in their dialogs and move the due dates at once.
TEST_F(ArchiveWindowTest, TheDevicesMenuImportsEditsAndSetsIntervals) {
  TArchiveDeviceList* list = window->deviceList();
  const auto cell = [&](const QString& device, int column) {
    for (int r = 0; r < list->rowCount(); ++r)
      if (list->device(r) == device) return list->view()->model()->index(r, column).data().toString();
    return QString("(not listed)");
  };
  const auto detailsKept = [&] {
    ArchiveFailure failure;
    return archive->deviceDetails(&failure).value_or(QList<Archive::DeviceDetail>()).size();
  };
  files.openAnswer = {dataHome.path() + "/missing.csv"};
  window->importDevices();
  ASSERT_FALSE(messages.shown.isEmpty());
  EXPECT_TRUE(messages.shown.last().text.contains("could not be read")) << messages.shown.last().text.toStdString();
  EXPECT_EQ(detailsKept(), 0);

  const QString csv = dataHome.path() + "/inventory.csv";
  QFile file(csv);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("device,location,interval,note\nER-1,Emergency,6,\nICU-2,ICU,0,\n");
  file.close();
  files.openAnswer = {csv};
  window->importDevices();
  EXPECT_TRUE(messages.shown.last().text.startsWith("1 device added, 0 changed, 1 line refused.\nLine 3: "))
      << messages.shown.last().text.toStdString();
  EXPECT_EQ(cell("ER-1", TArchiveDeviceModel::Location), "Emergency");
  EXPECT_EQ(cell("ER-1", TArchiveDeviceModel::NextDue), dateText({QDate(2025, 9, 1), {}}));

  window->selectDevice(0);  // ER-1
  ASSERT_EQ(window->shownDevice(), "ER-1");
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->findChild<QLineEdit*>("txtDeviceLocation")->setText("Ward 7");
    dialog->findChild<QSpinBox*>("spinDeviceInterval")->setValue(0);  // its type's
    dialog->accept();
  });
  window->editDeviceDetails();
  EXPECT_EQ(cell("ER-1", TArchiveDeviceModel::Location), "Ward 7");
  EXPECT_EQ(cell("ER-1", TArchiveDeviceModel::NextDue), dateText({QDate(2026, 3, 1), {}}));

  // Several selected: only what is ticked is set, for each of them.
  for (int r = 0; r < list->rowCount(); ++r)
    if (list->device(r) == "ER-1" || list->device(r) == "ICU-2")
      list->view()->selectionModel()->select(list->view()->model()->index(r, 0),
                                             QItemSelectionModel::Select | QItemSelectionModel::Rows);
  ASSERT_EQ(list->selectedDevices().size(), 2);
  const QString icuDue = cell("ICU-2", TArchiveDeviceModel::NextDue);
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->findChild<QPlainTextEdit*>("txtDeviceNote"), nullptr);
    dialog->findChild<QCheckBox*>("cboxSetLocation")->setChecked(true);
    dialog->findChild<QLineEdit*>("txtDeviceLocation")->setText("Ward 9");
    dialog->findChild<QSpinBox*>("spinDeviceInterval")->setValue(24);  // not ticked: left as it is
    dialog->accept();
  });
  window->editDeviceDetails();
  for (const char* device : {"ER-1", "ICU-2"}) EXPECT_EQ(cell(device, TArchiveDeviceModel::Location), "Ward 9") << device;
  EXPECT_EQ(cell("ER-1", TArchiveDeviceModel::NextDue), dateText({QDate(2026, 3, 1), {}}));
  EXPECT_EQ(cell("ICU-2", TArchiveDeviceModel::NextDue), icuDue);

  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->findChild<QSpinBox*>("spinIntervalDefibrillator")->setValue(3);
    dialog->accept();
  });
  window->editTestIntervals();
  EXPECT_EQ(settings.readInteger("Archive", "IntervalDefibrillator", 0), 3);
  EXPECT_EQ(cell("ICU-2", TArchiveDeviceModel::NextDue), dateText({QDate(2025, 5, 1), {}}));
}

// Export Worklist: the devices due within the days asked, as a PDF file that
// prints the round's list, or as CSV rows, as the file's type says.
TEST_F(ArchiveWindowTest, ExportWorklistWritesThePdfOrTheCsvAsNamed) {
  ArchiveFailure failure;
  ASSERT_TRUE(archive->store(ArchiveKind::TestReport, "A1234567", QDateTime::currentDateTimeUtc(),
                             {testedDaysAgo("SOON-2", 355), testedDaysAgo("NEW-3", 40)}, &failure));
  ASSERT_TRUE(archive->keepDeviceDetails({{"SOON-2", "ICU", std::nullopt, ""}}, &failure));
  const auto answerDays = [] {
    QTimer::singleShot(0, [] {
      auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      dialog->setIntValue(30);
      dialog->accept();
    });
  };
  files.saveAnswer = dataHome.path() + "/worklist.pdf";
  answerDays();
  window->findChild<QAction*>("mmArchiveExportWorklist")->trigger();
  const QString printed = pdfText(files.saveAnswer);
  EXPECT_TRUE(printed.contains("WORKLIST: devices due within 30 days")) << printed.toStdString();
  EXPECT_TRUE(printed.contains("Location: ICU"));
  for (const char* device : {"ER-1", "ICU-2", "SOON-2"})  // ER-1 and ICU-2 are long overdue
    EXPECT_TRUE(printed.contains(QRegularExpression(QString("\\[ \\] +") + device))) << device;
  EXPECT_FALSE(printed.contains("NEW-3"));

  files.saveAnswer = dataHome.path() + "/worklist.csv";
  answerDays();
  window->findChild<QAction*>("mmArchiveExportWorklist")->trigger();
  QFile csv(files.saveAnswer);
  ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
  const QList<QByteArray> rows = csv.readAll().split('\n');
  ASSERT_EQ(rows.size(), 5);  // the header, three devices, and the end of the last line
  EXPECT_TRUE(rows[1].startsWith("SOON-2,Defibrillator,ICU,")) << rows[1].toStdString();  // its location first

  // On a full disk each export says it failed, and the worklist there before stays whole.
  FullDisk disk;
  KALYX_REQUIRE_FULL_DISK(disk);
  for (const char* name : {"worklist.pdf", "worklist.csv"}) {
    files.saveAnswer = disk.filePath(name);
    writeAll(files.saveAnswer, "last week's worklist");
    disk.fill();
    messages.shown.clear();
    answerDays();
    window->findChild<QAction*>("mmArchiveExportWorklist")->trigger();
    ASSERT_FALSE(messages.shown.isEmpty()) << name;
    EXPECT_EQ(messages.shown.last().icon, UserMessages::Icon::Error) << name;
    EXPECT_EQ(readAll(files.saveAnswer), "last week's worklist") << name;
    QFile::remove(disk.filePath(".filler"));
  }
}
