#include "device/commprogress.h"
#include "grid/listpage.h"
#include "grid/stringgridex.h"
#include "support/testreportbuilders.h"
#include "support/testreportmemory.h"
#include "support/uiharness.h"
#include "testreport/testreportframe.h"
#include "testreport/testreportlist.h"
#include "testreport/testreportviewer.h"

#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace testrec;

namespace {
// Eight reports with what the list has to tell apart: two I.D.s that differ only
// in case, AEDs, an I.D. that contains "aed" without being one, manual tests, and
// one test of 2013.
QList<TTestRec> frameTestRecords() {
  return {makeTestRec("ER-DEFIB-01", {14, 1, 25, 9, 12, 40}, 1, DutDefibrillator),
          makeTestRec("OR3 MONO", {14, 1, 25, 10, 2, 5}, 0, DutDefibrillator),
          makeTestRec("ICU-DEFIB-07", {5, 3, 13, 14, 5, 9}, 2, DutDefibrillator),
          makeTestRec("lobby-aed-2", {10, 2, 25, 8, 45, 12}, 4, DutAed),
          makeTestRec("GYM AED 5", {10, 2, 25, 9, 20, 33}, 4, DutAed),
          makeTestRec("TCP-PACER-03", {21, 2, 25, 13, 0, 0}, 0, 0),
          makeTestRec("icu-defib-07", {4, 3, 25, 16, 20, 2}, 0, DutDefibrillator),
          makeTestRec("PAEDS DEFIB", {5, 3, 25, 7, 55, 19}, 2, DutDefibrillator)};
}

class FrameTest : public UiHarness {
 protected:
  std::unique_ptr<TTestReportFrame> frame;
  TStringGridEx* grid = nullptr;
  QLineEdit* search = nullptr;

  void SetUp() override {
    useMemory(memoryOfTestReports(frameTestRecords()));
    frame = std::make_unique<TTestReportFrame>(services());
    frame->resize(700, 450);
    frame->show();
    grid = frame->grid();
    search = frame->findChild<QLineEdit*>("txtSearch");
  }
  void TearDown() override {
    while (!viewers().isEmpty()) delete viewers().first();
    frame.reset();
  }
  const QList<QWidget*>& viewers() const { return frame->listPage()->viewers(); }
  TTestReportViewer* viewer(int i) const { return qobject_cast<TTestReportViewer*>(viewers().at(i)); }
  void download() {
    frame->tbDownloadClick();
    if (TCommProgress* dialog = frame->progressHost()->current()) dialog->closeProgress();
  }
  QList<int> shownRecords() const { return grid->dispLst(); }
  QList<int> selectedRecords() const {
    QList<int> out;
    for (int i = 0; i < grid->getSelLstSize(); ++i)
      if (grid->getSelLst(i)) out << i;
    return out;
  }
  void pressHeader(int column) {
    QTest::mousePress(grid->horizontalHeader()->viewport(), Qt::LeftButton, {},
                      QPoint(grid->columnViewportPosition(column) + 10, 5));
    QTest::mouseRelease(grid->horizontalHeader()->viewport(), Qt::LeftButton, {},
                        QPoint(grid->columnViewportPosition(column) + 10, 5));
  }
};
}  // namespace

TEST_F(FrameTest, DownloadListsEveryReportAndSelectsTheCurrentRow) {
  EXPECT_EQ(frame->statusText(), "");
  download();
  ASSERT_EQ(frame->records().size(), 8);
  EXPECT_EQ(shownRecords(), (QList<int>{0, 1, 2, 3, 4, 5, 6, 7}));
  EXPECT_EQ(frame->statusText(), "8/50 Test Reports");
  EXPECT_EQ(grid->cellText(3, 1), "ICU-DEFIB-07");
  EXPECT_EQ(grid->cellText(3, 3), "Mar 05, 2013 02:05:09 PM");
  EXPECT_EQ(grid->cellText(3, 4), "Autosequence 2");
  EXPECT_EQ(selectedRecords(), (QList<int>{0}));
  EXPECT_TRUE(messages.shown.isEmpty());
  EXPECT_EQ(driver.closes, 1);
}

TEST_F(FrameTest, AFailedOrCancelledDownloadLeavesRecordsAndSelection) {
  download();
  grid->setSelLst(3, true);
  const QList<int> selected = selectedRecords();

  driver.attached = false;
  frame->tbDownloadClick();
  EXPECT_EQ(messages.shown.last().text, "Device Not Detected.\nPlease check connection.\n\nOperation Canceled.");
  driver.attached = true;

  driver.engine().memory().systemInfo.setCount(kTestReportRecords, 0);
  frame->tbDownloadClick();
  EXPECT_EQ(messages.shown.last().text, "No test reports to download.");
  driver.engine().memory().systemInfo.setCount(kTestReportRecords, 8);

  driver.engine().setBlockDelay(60);
  QTimer::singleShot(200, [this] { frame->progressHost()->current()->findChild<QPushButton*>("btnCancel")->click(); });
  frame->tbDownloadClick();
  EXPECT_FALSE(frame->progressHost()->current()->isVisible());

  EXPECT_EQ(frame->records().size(), 8);
  EXPECT_EQ(selectedRecords(), selected);
  EXPECT_EQ(shownRecords().size(), 8);
  EXPECT_EQ(messages.shown.size(), 2);  // Cancel shows nothing
}

TEST_F(FrameTest, ASecondDownloadKeepsEarlierSelectionsAndSelectsTheCurrentRow) {
  download();
  grid->setSelLst(5, true);
  grid->setCurrentGridRow(8);
  download();
  EXPECT_EQ(selectedRecords(), (QList<int>{0, 5, 7}));
}

TEST_F(FrameTest, SearchIsTrimmedCaseBlindAndHidesAndDeselects) {
  download();
  grid->setSelLst(1, true);
  search->setText("  AeD ");
  EXPECT_EQ(shownRecords(), (QList<int>{3, 4, 7}));  // two AEDs, and PAEDS in an I.D.
  EXPECT_EQ(frame->statusText(), "3/50 Test Reports");
  EXPECT_TRUE(selectedRecords().isEmpty());  // records 0 and 1 were hidden and lost their selection
  search->setText("manual");
  EXPECT_EQ(shownRecords(), (QList<int>{1, 5, 6}));
  search->setText("2013");
  EXPECT_EQ(shownRecords(), (QList<int>{2}));
  search->setText("   ");
  EXPECT_EQ(shownRecords().size(), 8);
  search->setText("no such report");
  EXPECT_TRUE(shownRecords().isEmpty());
  EXPECT_EQ(grid->rowCount(), 1);
  QTest::keyClick(search, Qt::Key_Escape);
  EXPECT_EQ(search->text(), "");
  EXPECT_EQ(shownRecords().size(), 8);
  EXPECT_TRUE(selectedRecords().isEmpty());  // shown again, unselected
}

// What the user then views, saves, prints or deletes is what the user sees.
TEST_F(FrameTest, SelectAllDuringASearchSelectsOnlyTheShownRecords) {
  download();
  search->setText("aed");
  const int shown = grid->getDispLstSize();
  ASSERT_GT(shown, 0);
  ASSERT_LT(shown, 8);
  frame->tbSelectAllClick();
  EXPECT_EQ(grid->getSelCount(), shown);
  frame->tbViewTestReportClick();
  ASSERT_EQ(viewers().size(), 1);
  EXPECT_EQ(viewer(0)->reports().size(), shown);
  EXPECT_EQ(viewer(0)->windowTitle(), "Kalyx 5pc Test Report Viewer");
}

TEST_F(FrameTest, ViewOpensTheSelectedRecordsInIndexOrder) {
  download();
  grid->setDispLst({7, 6, 5, 4, 3, 2, 1, 0});
  grid->deselectAll();
  grid->setSelLst(6, true);
  grid->setSelLst(2, true);
  frame->tbViewTestReportClick();
  ASSERT_EQ(viewers().size(), 1);
  const QList<QStringList>& reports = viewer(0)->reports();
  ASSERT_EQ(reports.size(), 2);
  EXPECT_EQ(reports[0][3], "                               TEST REPORT No. 3");
  EXPECT_EQ(reports[1][3], "                               TEST REPORT No. 7");
  delete viewers()[0];
  EXPECT_TRUE(viewers().isEmpty());  // a closed viewer leaves the list
}

TEST_F(FrameTest, HeaderPressesSortWithTiesInBothDirections) {
  download();
  pressHeader(1);  // Device ID ascending; ICU-DEFIB-07 and icu-defib-07 tie
  EXPECT_EQ(grid->sortColumn(), 1);
  EXPECT_TRUE(grid->ascending());
  EXPECT_EQ(shownRecords(), (QList<int>{0, 4, 2, 6, 3, 1, 7, 5}));
  pressHeader(1);
  EXPECT_FALSE(grid->ascending());
  EXPECT_EQ(shownRecords(), (QList<int>{5, 7, 1, 3, 6, 2, 4, 0}));
  pressHeader(0);
  pressHeader(0);  // "No." twice: report number descending
  EXPECT_EQ(shownRecords(), (QList<int>{7, 6, 5, 4, 3, 2, 1, 0}));
}

TEST_F(FrameTest, DoubleClickOpensTheRowsReportButNotOnTheHeader) {
  download();
  QTest::mouseDClick(grid->horizontalHeader()->viewport(), Qt::LeftButton, {}, QPoint(10, 5));
  EXPECT_TRUE(viewers().isEmpty());
  const QPoint row3 = grid->cellRect(3, 1).center();
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, row3);
  QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, row3);
  ASSERT_EQ(viewers().size(), 1);
  ASSERT_EQ(viewer(0)->reports().size(), 1);
  EXPECT_EQ(viewer(0)->reports()[0][8], "                          DEVICE I.D.:  ICU-DEFIB-07");
}

TEST_F(FrameTest, OpenShowsSavedFilesAndRemembersTheFolder) {
  const QString saved = dataHome.path() + "/ICU.2013_03_05.14_05_09.txt";
  QFile file(saved);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("line one\r\n\r\nline three\r\n");
  file.close();
  files.openAnswer = {saved};
  frame->tbOpenClick();
  ASSERT_EQ(viewers().size(), 1);
  EXPECT_TRUE(viewer(0)->fileMode());
  EXPECT_EQ(viewer(0)->reports()[0], (QStringList{"line one", "", "line three"}));
  EXPECT_EQ(files.asked[0][2], "Text Files (*.txt);;All Files (*.*)");
  frame->tbOpenClick();
  EXPECT_EQ(files.asked[1][1], dataHome.path() + "/");  // the chosen file's folder is the next start

  files.openAnswer = {dataHome.path() + "/gone.txt"};
  frame->tbOpenClick();
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_EQ(messages.shown[0].text, "File does not exist.");
  EXPECT_EQ(messages.shown[0].caption, "Error opening file");
  EXPECT_EQ(messages.shown[0].icon, UserMessages::Icon::Error);
  EXPECT_EQ(viewers().size(), 2);
}

TEST_F(FrameTest, ADownloadStartedWhileOneRunsIsRefusedAndTheFirstFinishes) {
  driver.engine().setBlockDelay(30);
  TCommProgress* running = nullptr;
  QTimer::singleShot(100, [this, &running] {
    running = frame->progressHost()->current();
    frame->tbDownloadClick();  // the windows are disabled, but a shortcut or a script could try
  });
  frame->tbDownloadClick();
  EXPECT_EQ(frame->progressHost()->current(), running);  // the first transfer's dialog was never destroyed
  EXPECT_EQ(frame->records().size(), 8);
  EXPECT_EQ(driver.opens, 1);
  EXPECT_TRUE(messages.shown.isEmpty());
}

// The Overall Pass badge is a picture; a screen reader says its word, row by
// row, whatever the order.
TEST_F(FrameTest, AScreenReaderHearsEachRowsVerdict) {
  download();
  pressHeader(1);  // another order than the records'
  for (int row = 1; row <= grid->getDispLstSize(); ++row) {
    const TTestRec& rec = frame->records()[grid->getDispLst(row - 1)];
    const QModelIndex cell = grid->model()->index(row - 1, grid->columnCount() - 1);
    EXPECT_EQ(cell.data(Qt::AccessibleTextRole).toString(), testRecPassed(rec) ? "PASS" : "FAIL") << row;
  }
}

// Where the user has stored no widths, every column shows its texts whole in
// the font in use (a Linux desktop's larger one here); a width the user set is
// kept as stored.
TEST_F(UiHarness, ColumnsFitTheirTextsInTheFontInUseAndStoredWidthsStay) {
  const QFont before = QApplication::font();
  QApplication::setFont(QFont("DejaVu Sans", 11));
  useMemory(memoryOfTestReports(frameTestRecords() << makeTestRec("ICU-DEFIB-000017", {28, 9, 25, 23, 58, 58}, 15, DutDefibrillator)));
  const auto shownFrame = [this] {
    auto frame = std::make_unique<TTestReportFrame>(services());
    frame->listPage()->loadGridSettings(settings);  // as the main window does
    frame->resize(1400, 450);
    frame->show();
    frame->tbDownloadClick();
    if (TCommProgress* dialog = frame->progressHost()->current()) dialog->closeProgress();
    return frame;
  };
  {
    auto frame = shownFrame();
    TStringGridEx* grid = frame->grid();
    ASSERT_EQ(grid->getDispLstSize(), 9);
    for (int row = 1; row <= grid->getDispLstSize(); ++row)
      for (int column = 0; column < testreportlist::kPassColumn; ++column)
        EXPECT_TRUE(grid->cellTextFits(row, column)) << grid->cellText(row, column).toStdString();
  }
  settings.writeInteger("sgTestReport", "COL_3_WIDTH", 40);
  EXPECT_EQ(shownFrame()->grid()->columnWidth(3), 40);
  QApplication::setFont(before);
}
