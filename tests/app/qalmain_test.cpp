#include "qalmain.h"
#include "recordingmessages.h"
#include "samplememory.h"
#include "scopeddatahome.h"
#include "scriptedprompts.h"
#include "settingsfile.h"
#include "simulatordriver.h"
#include "commprogress.h"
#include "stringgridex.h"
#include "testreportframe.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QTabBar>
#include <QTest>

namespace {
class MainWindowTest : public ::testing::Test {
 protected:
  ScopedDataHome dataHome;
  SimulatorDriver driver{sampleAnalyzerMemory()};
  RecordingMessages messages;
  ScriptedFilePrompts files;

  std::unique_ptr<TQalMain> open() {
    AppServices s;
    s.driver = &driver, s.messages = &messages, s.files = &files;
    return std::make_unique<TQalMain>(s);
  }
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
  SettingsFile settings = appSettings();
  settings.writeInteger("QalMain", "FRAME", 7);
  auto window = open();
  EXPECT_EQ(window->frameIndex(), 0);
  EXPECT_TRUE(item(*window, "RadAutoSeq")->isChecked());
}

TEST_F(MainWindowTest, EnablingFollowsTheFrameShowing) {
  auto window = open();
  window->showFrame(1);
  EXPECT_TRUE(item(*window, "RadTestReport")->isChecked());
  EXPECT_TRUE(item(*window, "mmOpen")->isEnabled());
  for (const char* off : {"mmNew", "mmPrint", "mmCopy", "mmDelete", "mmUpload", "mmCaptureWaveform"})
    EXPECT_FALSE(item(*window, off)->isEnabled()) << off;
  window->showFrame(2);
  EXPECT_TRUE(item(*window, "mmCaptureWaveform")->isEnabled());
  EXPECT_FALSE(item(*window, "mmNew")->isEnabled());
  EXPECT_TRUE(item(*window, "mmDownload")->isEnabled());
  EXPECT_TRUE(item(*window, "mmSelectAll")->isEnabled());
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
  const SettingsFile settings = appSettings();
  EXPECT_EQ(settings.readInteger("QalMain", "FRAME", -1), 1);
  EXPECT_EQ(settings.readInteger("QalMain", "SHOW_MAINMENU", -1), 0);
  EXPECT_EQ(settings.readInteger("QalMain", "WIDTH", -1), 750);
  EXPECT_EQ(settings.readInteger("sgTestReport", "ASCENDING", -1), 0);
  auto again = open();
  EXPECT_EQ(again->frameIndex(), 1);
  EXPECT_FALSE(item(*again, "mmShowMainMenu")->isChecked());
}

TEST_F(MainWindowTest, ToolsDownloadAndSearchFocusReachTheTestReportFrame) {
  auto window = open();
  window->show();
  item(*window, "mmDownload")->trigger();  // the autosequence frame shows: nothing for test reports
  EXPECT_TRUE(window->testReportFrame()->records().isEmpty());
  window->showFrame(1);
  item(*window, "mmDownload")->trigger();
  EXPECT_EQ(window->testReportFrame()->records().size(), 12);
  EXPECT_FALSE(window->isEnabled());  // while the finished dialog waits for OK
  window->testReportFrame()->progressHost()->current()->closeProgress();
  EXPECT_TRUE(window->isEnabled());
  QApplication::setActiveWindow(window.get());
  item(*window, "ActionSearchFocus")->trigger();
  EXPECT_EQ(QApplication::focusWidget(), window->findChild<QLineEdit*>("txtSearch"));
  item(*window, "mmSelectAll")->trigger();
  EXPECT_EQ(window->testReportFrame()->grid()->getSelCount(), 12);
}
