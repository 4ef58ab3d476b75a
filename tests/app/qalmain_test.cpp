#include "commprogress.h"
#include "listpage.h"
#include "qalmain.h"
#include "stringgridex.h"
#include "testreportbuilders.h"
#include "testreportframe.h"
#include "testreportmemory.h"
#include "uiharness.h"

#include <QAction>
#include <QLineEdit>
#include <QTabBar>
#include <QTest>

namespace {
class MainWindowTest : public UiHarness {
 protected:
  void SetUp() override {
    useMemory(memoryOfTestReports({makeTestRec("A", {1, 1, 20, 8, 0, 0}, 0, DutDefibrillator),
                                   makeTestRec("B", {2, 1, 20, 8, 0, 0}, 1, DutAed),
                                   makeTestRec("C", {3, 1, 20, 8, 0, 0}, 2, DutDefibrillator)}));
  }
  std::unique_ptr<TQalMain> open() { return std::make_unique<TQalMain>(services()); }
  static QAction* item(TQalMain& w, const char* name) { return w.findChild<QAction*>(name); }
};
}  // namespace

TEST_F(MainWindowTest, FirstStartShowsTheAutosequencesCentredAt750By500) {
  auto window = open();
  EXPECT_EQ(window->windowTitle(), "Velmora Kalyx 5pc V2.0.2.0");
  EXPECT_EQ(window->size(), QSize(750, 500));
  QTabBar* tabs = window->findChild<QTabBar*>("TabMenu");
  ASSERT_EQ(tabs->count(), 3);
  EXPECT_EQ(tabs->tabText(0), "Autosequences");
  EXPECT_EQ(tabs->tabText(1), "Test Reports");
  EXPECT_EQ(tabs->tabText(2), "Waveforms");
  EXPECT_EQ(window->frameIndex(), 0);
  EXPECT_TRUE(item(*window, "RadAutoSeq")->isChecked());
  EXPECT_EQ(item(*window, "mmAbout")->text(), "About Kalyx 5pc");
  EXPECT_FALSE(window->testReportFrame()->grid()->ascending());  // the test report list starts descending
}

TEST_F(MainWindowTest, AnUnknownFrameInTheSettingsShowsTheAutosequences) {
  settings.writeInteger("QalMain", "FRAME", 7);
  auto window = open();
  EXPECT_EQ(window->frameIndex(), 0);
  EXPECT_TRUE(item(*window, "RadAutoSeq")->isChecked());
}

// The enabling table: which items each frame enables. Download, Select All and
// the rest are never disabled.
struct EnablingRow {
  int frame;
  const char* radio;
  QStringList enabled;
};

TEST_F(MainWindowTest, EnablingFollowsTheFrameShowing) {
  const QStringList frameItems = {"mmNew",    "mmOpen",   "mmPrint",          "mmCopy",
                                  "mmDelete", "mmUpload", "mmCaptureWaveform"};
  const EnablingRow rows[] = {{0, "RadAutoSeq", {"mmNew", "mmPrint", "mmCopy", "mmDelete", "mmUpload"}},
                              {1, "RadTestReport", {"mmOpen"}},
                              {2, "RadWaveform", {"mmOpen", "mmCaptureWaveform"}}};
  auto window = open();
  for (const EnablingRow& row : rows) {
    window->showFrame(row.frame);
    EXPECT_TRUE(item(*window, row.radio)->isChecked()) << row.radio;
    for (const QString& name : frameItems)
      EXPECT_EQ(item(*window, qPrintable(name))->isEnabled(), row.enabled.contains(name))
          << "frame " << row.frame << ": " << name.toStdString();
    for (const char* always : {"mmDownload", "mmSelectAll", "mmExit", "mmHelp", "mmAbout", "RadAutoSeq",
                               "RadTestReport", "RadWaveform", "mmShowMainMenu"})
      EXPECT_TRUE(item(*window, always)->isEnabled()) << "frame " << row.frame << ": " << always;
  }
}

TEST_F(MainWindowTest, ViewItemsAndTheTabStripStayInStep) {
  auto window = open();
  QTabBar* tabs = window->findChild<QTabBar*>("TabMenu");
  item(*window, "mmShowMainMenu")->trigger();  // the strip hidden still follows the View items
  EXPECT_FALSE(tabs->isVisibleTo(window.get()));
  item(*window, "RadTestReport")->trigger();
  EXPECT_EQ(tabs->currentIndex(), 1);
  EXPECT_EQ(window->frameIndex(), 1);
  tabs->setCurrentIndex(2);
  EXPECT_TRUE(item(*window, "RadWaveform")->isChecked());
  EXPECT_TRUE(item(*window, "mmCaptureWaveform")->isEnabled());
}

TEST_F(MainWindowTest, StateIsSavedAtCloseAndRestored) {
  {
    auto window = open();
    window->show();
    window->showFrame(1);
    item(*window, "mmShowMainMenu")->trigger();  // hides the tab strip
    window->move(20, 30);
    window->close();
  }
  EXPECT_EQ(settings.readInteger("QalMain", "FRAME", -1), 1);
  EXPECT_EQ(settings.readInteger("QalMain", "SHOW_MAINMENU", -1), 0);
  EXPECT_EQ(settings.readInteger("QalMain", "WIDTH", -1), 750);
  EXPECT_EQ(settings.readInteger("sgTestReport", "ASCENDING", -1), 0);
  auto again = open();
  EXPECT_EQ(again->frameIndex(), 1);
  EXPECT_FALSE(item(*again, "mmShowMainMenu")->isChecked());
}

TEST_F(MainWindowTest, CommandsGoToTheFrameShowingOnly) {
  auto window = open();
  window->show();
  messages.answers = {UserMessages::Result::No};
  item(*window, "mmDownload")->trigger();  // the autosequence frame shows: its question, nothing for test reports
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_EQ(messages.shown[0].caption, "Download Autosequences?");
  EXPECT_TRUE(window->testReportFrame()->records().isEmpty());
  EXPECT_EQ(driver.opens, 0);
  window->showFrame(1);
  item(*window, "mmDownload")->trigger();
  EXPECT_EQ(window->testReportFrame()->records().size(), 3);
  EXPECT_FALSE(window->isEnabled());  // while the finished dialog waits for OK
  window->testReportFrame()->progressHost()->current()->closeProgress();
  EXPECT_TRUE(window->isEnabled());
  QApplication::setActiveWindow(window.get());
  item(*window, "ActionSearchFocus")->trigger();
  EXPECT_EQ(QApplication::focusWidget(), window->findChild<QLineEdit*>("txtSearch"));
  item(*window, "mmSelectAll")->trigger();
  EXPECT_EQ(window->testReportFrame()->grid()->getSelCount(), 3);
}

TEST_F(MainWindowTest, OpenReachesTheTestReportsWithTheStripHidden) {
  auto window = open();
  window->showFrame(1);
  item(*window, "mmShowMainMenu")->trigger();
  item(*window, "mmOpen")->trigger();
  ASSERT_EQ(files.asked.size(), 1);
  EXPECT_EQ(files.asked[0][0], "open");
  EXPECT_EQ(files.asked[0][2], "Text Files (*.txt);;All Files (*.*)");
  window->showFrame(0);
  item(*window, "mmOpen")->trigger();  // disabled on the autosequence frame: nothing is asked
  EXPECT_EQ(files.asked.size(), 1);
}
