#include "device/commprogress.h"
#include "grid/listpage.h"
#include "grid/stringgridex.h"
#include "support/testfiles.h"
#include "support/uiharness.h"
#include "support/wavebuilders.h"
#include "support/wavememory.h"
#include "waveform/wavedecode.h"
#include "waveform/waveformfile.h"
#include "waveform/waveformframe.h"
#include "waveform/waveformviewer.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {
// Five pulses: two of the same date and time, and two I.D.s that differ only in case.
QList<WaveRecord> frameTestWaves() {
  return {makeWaveRecord("ER-DEFIB-01", {14, 1, 25, 9, 12, 40}, 0x10),
          makeWaveRecord("or3 mono", {14, 1, 25, 10, 2, 5}, 0x11),
          makeWaveRecord("ICU-DEFIB-07", {5, 3, 13, 14, 5, 9}, 0x21),
          makeWaveRecord("OR3 MONO", {14, 1, 25, 9, 12, 40}, 0x32),
          makeWaveRecord("CCU-DEF-12", {3, 2, 25, 15, 30, 0}, 0x12)};
}

QByteArray defibCapture() {
  const quint8 when[6] = {9, 7, 13, 5, 3, 14};
  CaptureHeader h = makeCaptureHeader("CAPTURED", when);
  h.setU16(capture::PeakCurrent1, 4100), h.setU16(capture::TotalEnergy, 1500);
  QByteArray block = captureBlockOf(h);
  setCaptureSample(block, 200, 4000);
  return block;
}

class WaveformFrameTest : public UiHarness {
 protected:
  std::unique_ptr<TWaveformFrame> frame;
  TStringGridEx* grid = nullptr;

  void SetUp() override {
    useMemory(memoryOfWaveRecords(frameTestWaves(), defibCapture()));
    frame = std::make_unique<TWaveformFrame>(services());
    frame->resize(700, 450);
    frame->show();
    grid = frame->grid();
  }
  void TearDown() override {
    while (!viewers().isEmpty()) delete viewers().first();
    frame.reset();
  }
  const QList<QWidget*>& viewers() const { return frame->listPage()->viewers(); }
  TWaveformViewer* viewer(int i) const { return qobject_cast<TWaveformViewer*>(viewers().at(i)); }
  QString shown(int i, const char* control) const {
    const QLabel* label = viewer(i)->findChild<QLabel*>(control);
    return label ? label->text() : QStringLiteral("<no %1>").arg(control);
  }
  void download() {
    frame->tbWaveDownloadClick();
    if (TCommProgress* dialog = frame->progressHost()->current()) dialog->closeProgress();
  }
  void pressHeader(int column) {
    const QPoint at(grid->columnViewportPosition(column) + 10, 5);
    QTest::mousePress(grid->horizontalHeader()->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(grid->horizontalHeader()->viewport(), Qt::LeftButton, {}, at);
  }
  void setStoredCount(int n) { driver.engine().memory().systemInfo.setCount(kWaveRecords, n); }
};
}  // namespace

TEST_F(WaveformFrameTest, DownloadListsTheRecordsWithTheirColumns) {
  EXPECT_EQ(frame->statusText(), "");
  download();
  ASSERT_EQ(frame->records().size(), 5);
  EXPECT_EQ(frame->statusText(), "5/10 Low Resolution Waveforms");
  for (int c = 0; c < 5; ++c)
    EXPECT_EQ(grid->horizontalHeaderItem(c)->text(), (QStringList{"No.", "Device ID", "Date", "Test Type", "Test No."}[c]));
  EXPECT_EQ(grid->cellText(3, 0), "3");
  EXPECT_EQ(grid->cellText(3, 1), "ICU-DEFIB-07");
  EXPECT_EQ(grid->cellText(3, 2), "Mar 05, 2013 02:05:09 PM");
  EXPECT_EQ(grid->cellText(3, 3), "Charge Time");
  EXPECT_EQ(grid->cellText(3, 4), "2");
  EXPECT_EQ(grid->cellText(4, 3), "Cardioversion");
  EXPECT_TRUE(messages.shown.isEmpty());
  EXPECT_EQ(driver.engine().commands(), (QByteArrayList{"GS", "GW"}));
}

TEST_F(WaveformFrameTest, TenAreAcceptedElevenAndNoneAreNot) {
  QList<WaveRecord> ten;
  for (int i = 0; i < 10; ++i) ten.append(makeWaveRecord("TEN", {1, 1, 20, 0, 0, quint8(i)}, 0));
  useMemory(memoryOfWaveRecords(ten));
  download();
  EXPECT_EQ(frame->statusText(), "10/10 Low Resolution Waveforms");

  setStoredCount(11);
  frame->tbWaveDownloadClick();
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_EQ(messages.shown[0].text, "Unexpected number of wave records.");
  EXPECT_EQ(messages.shown[0].caption, "Error downloading wave records");
  EXPECT_EQ(messages.shown[0].icon, UserMessages::Icon::Error);
  setStoredCount(0);
  frame->tbWaveDownloadClick();
  ASSERT_EQ(messages.shown.size(), 2);
  EXPECT_EQ(messages.shown[1].text, "No wave records to download.");
  EXPECT_EQ(messages.shown[1].caption, "Nothing to download");
  EXPECT_EQ(messages.shown[1].icon, UserMessages::Icon::Information);
  EXPECT_EQ(frame->records().size(), 10);  // the list is as it was
}

TEST_F(WaveformFrameTest, DateSortsBothWaysWithTiesByRecordIndex) {
  download();
  pressHeader(2);
  EXPECT_EQ(grid->dispLst(), (QList<int>{2, 0, 3, 1, 4}));  // records 0 and 3 share their date and time
  pressHeader(2);
  EXPECT_EQ(grid->dispLst(), (QList<int>{4, 1, 3, 0, 2}));
  pressHeader(1);  // "or3 mono" and "OR3 MONO" are equal keys
  EXPECT_EQ(grid->dispLst(), (QList<int>{4, 0, 2, 1, 3}));
}

TEST_F(WaveformFrameTest, ViewOpensEachSelectedRecordInItsOwnViewer) {
  download();
  frame->pmViewClick();
  ASSERT_EQ(viewers().size(), 1);  // the current row is selected after a download
  delete viewers().first();
  grid->deselectAll();
  frame->pmViewClick();
  EXPECT_TRUE(viewers().isEmpty());
  for (int index : {4, 1, 2}) grid->setSelLst(index, true);
  frame->pmViewClick();
  ASSERT_EQ(viewers().size(), 3);
  EXPECT_EQ(shown(0, "lblDeviceID"), "or3 mono");  // in increasing record index
  EXPECT_EQ(shown(2, "lblDeviceID"), "CCU-DEF-12");
  EXPECT_EQ(viewer(0)->windowTitle(), "Kalyx 5pc Waveform Viewer");
  EXPECT_EQ(viewer(0)->waveform().points.size(), 1279);
}

TEST_F(WaveformFrameTest, DoubleClickOpensTheRowButNotTheHeaderOrAnEmptyList) {
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->cellRect(1, 1).center());
  QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, grid->cellRect(1, 1).center());
  EXPECT_TRUE(viewers().isEmpty());  // nothing downloaded yet
  download();
  QTest::mouseDClick(grid->horizontalHeader()->viewport(), Qt::LeftButton, {}, QPoint(10, 5));
  EXPECT_TRUE(viewers().isEmpty());
  const QPoint row2 = grid->cellRect(2, 1).center();
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, row2);
  QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, row2);
  ASSERT_EQ(viewers().size(), 1);
  EXPECT_EQ(shown(0, "lblDeviceID"), "or3 mono");
}

TEST_F(WaveformFrameTest, CaptureOpensAViewerAndLeavesTheList) {
  download();
  frame->tbWaveCaptureClick();
  ASSERT_EQ(viewers().size(), 1);
  EXPECT_EQ(shown(0, "lblDeviceID"), "CAPTURED");
  EXPECT_EQ(shown(0, "lblResolution"), "13-bit");
  EXPECT_EQ(shown(0, "lblAmpsP1"), "41.00 A");
  EXPECT_DOUBLE_EQ(viewer(0)->waveform().points[200].y(), 41.0);
  EXPECT_FALSE(frame->progressHost()->current()->isVisible());
  EXPECT_EQ(frame->records().size(), 5);
  EXPECT_EQ(driver.engine().commands().last(), "WD");
}

TEST_F(WaveformFrameTest, AFailedOrCancelledCaptureOpensNothing) {
  download();
  driver.engine().setStallAfter(driver.engine().bytesSent() + 3000);
  QTimer::singleShot(300, [this] { frame->progressHost()->current()->findChild<QPushButton*>("btnCancel")->click(); });
  frame->tbWaveCaptureClick();
  EXPECT_TRUE(viewers().isEmpty());
  EXPECT_TRUE(messages.shown.isEmpty());  // Cancel shows nothing
  EXPECT_FALSE(frame->progressHost()->current()->isVisible());

  driver.engine().setStallAfter(-1);
  driver.readStatusError = 4;
  frame->tbWaveCaptureClick();
  EXPECT_TRUE(viewers().isEmpty());
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_EQ(messages.shown[0].text, "Read status is: 4");
  EXPECT_EQ(frame->records().size(), 5);
  EXPECT_FALSE(driver.isOpen());
}

TEST_F(WaveformFrameTest, OpenShowsAFileRefusesACorruptOneAndRemembersTheFolder) {
  const Waveform wave = decodeCapture(defibCapture());
  const QString good = dataHome.path() + "/capture.csv";
  writeAll(good, waveformFileBytes(wave.info, wave.points));
  files.openAnswer = {good};
  frame->tbWaveOpenClick();
  ASSERT_EQ(viewers().size(), 1);
  EXPECT_EQ(shown(0, "lblDeviceID"), "CAPTURED");
  EXPECT_EQ(viewer(0)->waveform().points.size(), 5120);
  EXPECT_EQ(files.asked[0][0], "open one");  // the dialog lets the user pick one file
  EXPECT_EQ(files.asked[0][2], "CSV Files (*.csv);;All Files (*.*)");
  EXPECT_EQ(files.asked[0][3], "csv");

  const QString corrupt = dataHome.path() + "/corrupt.csv";
  writeAll(corrupt, "h\r\n1,2\r\nx,3\r\n");
  files.openAnswer = {corrupt};
  frame->tbWaveOpenClick();
  EXPECT_EQ(files.asked[1][1], dataHome.path() + "/");
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_EQ(messages.shown[0].text, corrupt + " is not a valid waveform file: line 3: \"x\" is not a number.");
  EXPECT_EQ(messages.shown[0].caption, "Error opening file");

  files.openAnswer = {dataHome.path() + "/gone.csv"};
  frame->tbWaveOpenClick();
  ASSERT_EQ(messages.shown.size(), 2);
  EXPECT_EQ(messages.shown[1].text, "File does not exist.");
  EXPECT_EQ(viewers().size(), 1);
}
