#include "app/qalabout.h"
#include "app/qalmain.h"
#include "autoseq/autoseqedit.h"
#include "autoseq/autoseqfile.h"
#include "autoseq/autoseqframe.h"
#include "device/commprogress.h"
#include "grid/listpage.h"
#include "grid/stringgridex.h"
#include "support/autoseqmemory.h"
#include "support/scriptedprinter.h"
#include "support/testfiles.h"
#include "support/testreportbuilders.h"
#include "support/testreportmemory.h"
#include "support/uiharness.h"
#include "support/wavememory.h"
#include "testreport/testreportframe.h"
#include "testreport/testreportviewer.h"
#include "waveform/samplewaves.h"
#include "waveform/wavedecode.h"
#include "waveform/waveformframe.h"
#include "waveform/waveformviewer.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QPointer>
#include <QScreen>
#include <QStatusBar>
#include <QTabBar>
#include <QTest>
#include <QTimer>

using namespace testrec;

namespace {
class MainWindowTest : public UiHarness {
 protected:
  void SetUp() override {
    useMemory(memoryOfTestReports({makeTestRec("A", {1, 1, 20, 8, 0, 0}, 0, DutDefibrillator),
                                   makeTestRec("B", {2, 1, 20, 8, 0, 0}, 1, DutAed),
                                   makeTestRec("C", {3, 1, 20, 8, 0, 0}, 2, DutDefibrillator)}));
  }
  PdfPrintPrompts printer;
  std::unique_ptr<TQalMain> open() {
    AppServices s = services();
    s.printing = &printer;
    return std::make_unique<TQalMain>(s);
  }
  static QAction* item(TQalMain& w, const char* name) { return w.findChild<QAction*>(name); }

  // Runs `answer` on the next modal dialog, from inside its own loop.
  template <class Answer>
  static void whenModal(Answer answer) {
    QTimer::singleShot(0, [answer] {
      if (QWidget* modal = QApplication::activeModalWidget()) answer(modal);
    });
  }
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
  auto* search = window->findChild<QLineEdit*>("txtSearch");
  EXPECT_EQ(QApplication::focusWidget(), search);
  item(*window, "mmSelectAll")->trigger();
  EXPECT_EQ(window->testReportFrame()->grid()->getSelCount(), 3);
  window->testReportFrame()->grid()->deselectAll();
  search->setText("A");  // Ctrl+A in the box is Select All (of the reports shown), and leaves the text alone
  search->deselect();
  QTest::keyClick(search, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(window->testReportFrame()->grid()->getSelCount(), 3);
  EXPECT_EQ(search->text(), "A");
  EXPECT_FALSE(search->hasSelectedText());
}

// Each download and capture is handed to the keeper (the archive) once it has
// succeeded, as the lists hold the records; a failed one is not.
TEST_F(MainWindowTest, EveryDownloadAndCaptureIsKeptOnceItSucceeds) {
  AnalyzerMemory& memory = driver.engine().memory();
  memory.waveRecords = memoryOfWaveRecords({makeWaveRecord("W", {1, 1, 25, 9, 0, 0}, 0x11)}).waveRecords;
  memory.captures = {sampleDefibCapture()};
  memory.setCountsFromLists();
  auto window = open();
  window->show();
  window->showFrame(1);
  item(*window, "mmDownload")->trigger();
  window->showFrame(2);
  item(*window, "mmDownload")->trigger();
  EXPECT_EQ(window->statusBar()->currentMessage(), "1 records kept");  // what the keeper said of it
  item(*window, "mmCaptureWaveform")->trigger();
  ASSERT_EQ(keeper.kept.size(), 3);
  EXPECT_EQ(keeper.kept[0].kind, ArchiveKind::TestReport);
  EXPECT_EQ(keeper.kept[0].analyzerId, "A1234567");
  ASSERT_EQ(keeper.kept[0].records.size(), 3);
  EXPECT_EQ(keeper.kept[0].records[1], QByteArray(window->testReportFrame()->records()[1].data(), TTestRec::Size));
  EXPECT_EQ(keeper.kept[1].kind, ArchiveKind::WaveRecord);
  EXPECT_EQ(keeper.kept[1].records,
            QList<QByteArray>{QByteArray(window->waveformFrame()->records()[0].data(), WaveRecord::Size)});
  EXPECT_EQ(keeper.kept[2].kind, ArchiveKind::Capture);
  EXPECT_EQ(keeper.kept[2].records, QList<QByteArray>{sampleDefibCapture()});

  memory.testRecords.clear();  // the analyzer has nothing: the download ends with its message
  memory.setCountsFromLists();
  window->showFrame(1);
  item(*window, "mmDownload")->trigger();
  EXPECT_EQ(messages.shown.last().text, "No test reports to download.");
  EXPECT_EQ(keeper.kept.size(), 3);

  QAction* keeping = item(*window, "mmArchiveDownloads");  // Tools: the user turns keeping off
  ASSERT_TRUE(keeping->isChecked());
  keeping->trigger();
  EXPECT_FALSE(keeper.keeping());
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

TEST_F(MainWindowTest, StartUpReadsTheWindowSettings) {
  settings.writeInteger("QalMain", "TOP", 100);  // LEFT absent: centred, TOP ignored
  settings.writeInteger("QalMain", "WINDOWSTATE", 1);
  settings.writeInteger("QalMain", "SHOW_MAINMENU", 0);
  settings.writeInteger("QalMain", "FRAME", 2);
  auto window = open();
  window->show();
  EXPECT_EQ(window->windowState(), Qt::WindowNoState);  // minimised at exit starts normal
  const QRect screen = window->screen()->availableGeometry();
  EXPECT_NEAR(window->frameGeometry().center().x(), screen.center().x(), 2);
  EXPECT_NEAR(window->frameGeometry().center().y(), screen.center().y(), 2);
  EXPECT_FALSE(window->findChild<QTabBar*>("TabMenu")->isVisibleTo(window.get()));
  EXPECT_FALSE(item(*window, "mmShowMainMenu")->isChecked());
  EXPECT_EQ(window->frameIndex(), 2);
  EXPECT_TRUE(item(*window, "RadWaveform")->isChecked());

  settings.writeInteger("QalMain", "WINDOWSTATE", 2);
  auto maximized = open();
  maximized->show();
  EXPECT_TRUE(maximized->windowState() & Qt::WindowMaximized);
}

// Each command of the File, Edit and Tools menus on each frame: what reaches the
// frame showing, and what a disabled item (shortcut included) leaves alone.
TEST_F(MainWindowTest, EveryMenuCommandReachesTheFrameShowing) {
  writeAll(autoSeqFile(), autoSeqFileBytes({makeAutoSeq("FIRST"), makeAutoSeq("SECOND")}));
  AnalyzerMemory memory = memoryOfWaveRecords(sampleWaveRecords(), sampleDefibCapture());
  memory.testRecords = memoryOfTestReports({makeTestRec("A", {1, 1, 20, 8, 0, 0}, 0, DutDefibrillator)}).testRecords;
  memory.autoSeqs = memoryOfAutoSeqs({makeAutoSeq("ANALYZER PLAN")}).autoSeqs;
  memory.setCountsFromLists();
  useMemory(memory);
  auto window = open();
  window->show();
  QApplication::setActiveWindow(window.get());
  const auto lastCommand = [this] { return driver.engine().commands().isEmpty() ? QString() : driver.engine().commands().last(); };
  const auto key = [&](QKeySequence keys) {
    QApplication::setActiveWindow(window.get());  // a closed progress dialog leaves no window active
    QTest::keySequence(window.get(), keys);
  };
  const auto closeProgress = [&](int frame) {
    CommProgressHost* host = frame == 0   ? window->autoSeqFrame()->progressHost()
                             : frame == 1 ? window->testReportFrame()->progressHost()
                                          : window->waveformFrame()->progressHost();
    if (TCommProgress* p = host->current()) p->closeProgress();
  };

  // Autosequences.
  TAutoSeqFrame* autoSeqs = window->autoSeqFrame();
  autoSeqs->grid()->setCurrentGridRow(1);
  key(QKeySequence(Qt::CTRL | Qt::Key_C));
  EXPECT_EQ(autoSeqs->records().size(), 3);
  messages.answers = {UserMessages::Result::No};
  key(QKeySequence(Qt::Key_Delete));
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_EQ(messages.shown[0].caption, "Delete Autosequences?");
  key(QKeySequence(Qt::CTRL | Qt::Key_N));
  EXPECT_EQ(autoSeqs->records().size(), 4);
  key(QKeySequence(Qt::CTRL | Qt::Key_P));
  EXPECT_EQ(printer.asked, 1);  // cancelled in the print dialog
  key(QKeySequence(Qt::CTRL | Qt::Key_A));
  EXPECT_EQ(autoSeqs->grid()->getSelCount(), 4);
  key(QKeySequence(Qt::CTRL | Qt::Key_U));
  EXPECT_EQ(lastCommand(), "PA");
  EXPECT_EQ(driver.engine().memory().autoSeqs.size(), 4);  // the analyzer's one plan replaced by the four
  closeProgress(0);
  key(QKeySequence(Qt::CTRL | Qt::Key_W));  // no capture here
  EXPECT_EQ(lastCommand(), "PA");
  key(QKeySequence(Qt::CTRL | Qt::Key_O));  // nor Open
  EXPECT_TRUE(files.asked.isEmpty());
  key(QKeySequence(Qt::CTRL | Qt::Key_F));  // nor the search box, which is on another page
  EXPECT_NE(QApplication::focusWidget(), window->findChild<QLineEdit*>("txtSearch"));
  messages.answers = {UserMessages::Result::Yes};
  key(QKeySequence(Qt::CTRL | Qt::Key_D));
  EXPECT_EQ(lastCommand(), "GA");
  closeProgress(0);
  EXPECT_EQ(autoSeqs->records().size(), 4);

  // Test reports: Open, Select All, Download and Ctrl+F; none of the autosequence commands.
  window->showFrame(1);
  const int plans = autoSeqs->records().size();
  messages.shown.clear();
  for (QKeySequence keys : {QKeySequence(Qt::CTRL | Qt::Key_N), QKeySequence(Qt::CTRL | Qt::Key_C),
                            QKeySequence(Qt::Key_Delete), QKeySequence(Qt::CTRL | Qt::Key_U),
                            QKeySequence(Qt::CTRL | Qt::Key_P), QKeySequence(Qt::CTRL | Qt::Key_W)})
    key(keys);
  EXPECT_EQ(autoSeqs->records().size(), plans);
  EXPECT_TRUE(messages.shown.isEmpty());
  EXPECT_EQ(printer.asked, 1);
  EXPECT_EQ(lastCommand(), "GA");
  key(QKeySequence(Qt::CTRL | Qt::Key_D));
  EXPECT_EQ(lastCommand(), "GT");
  EXPECT_EQ(window->testReportFrame()->records().size(), 1);
  closeProgress(1);
  key(QKeySequence(Qt::CTRL | Qt::Key_A));
  EXPECT_EQ(window->testReportFrame()->grid()->getSelCount(), 1);
  key(QKeySequence(Qt::CTRL | Qt::Key_O));
  ASSERT_EQ(files.asked.size(), 1);
  EXPECT_EQ(files.asked[0][2], "Text Files (*.txt);;All Files (*.*)");

  // Waveforms: Open, Select All, Download and Capture Waveform.
  window->showFrame(2);
  for (QKeySequence keys : {QKeySequence(Qt::CTRL | Qt::Key_N), QKeySequence(Qt::CTRL | Qt::Key_C),
                            QKeySequence(Qt::Key_Delete), QKeySequence(Qt::CTRL | Qt::Key_U),
                            QKeySequence(Qt::CTRL | Qt::Key_P)})
    key(keys);
  EXPECT_EQ(printer.asked, 1);
  EXPECT_EQ(autoSeqs->records().size(), plans);
  EXPECT_TRUE(messages.shown.isEmpty());
  key(QKeySequence(Qt::CTRL | Qt::Key_D));
  EXPECT_EQ(lastCommand(), "GW");
  EXPECT_EQ(window->waveformFrame()->records().size(), sampleWaveRecords().size());
  closeProgress(2);
  key(QKeySequence(Qt::CTRL | Qt::Key_A));
  EXPECT_EQ(window->waveformFrame()->grid()->getSelCount(), sampleWaveRecords().size());
  key(QKeySequence(Qt::CTRL | Qt::Key_W));
  EXPECT_EQ(lastCommand(), "WD");
  key(QKeySequence(Qt::CTRL | Qt::Key_O));
  ASSERT_EQ(files.asked.size(), 2);
  EXPECT_NE(files.asked[1][2], files.asked[0][2]);  // the waveform file filter
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w != window.get() && w->inherits("TWaveformViewer")) w->close();
}

TEST_F(MainWindowTest, HelpOpensTheStartPageAndExitClosesEveryHelpWindow) {
  {
    auto window = open();
    window->show();
    QApplication::setActiveWindow(window.get());
    QTest::keyClick(window.get(), Qt::Key_F1);
    EXPECT_EQ(help.pages, QStringList{"QalHelp.html"});
    EXPECT_EQ(help.closeAlls, 0);
    item(*window, "mmExit")->trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(help.closeAlls, 1);
    EXPECT_EQ(settings.readInteger("QalMain", "FRAME", -1), 0);  // the state is saved as well
  }
  EXPECT_EQ(help.closeAlls, 1);  // once, not again when the window is destroyed
  auto unshown = open();
  unshown.reset();  // destroyed without a close: still saved and closed
  EXPECT_EQ(help.closeAlls, 2);
}

// Exit with a test report viewer and a waveform viewer open: they close, and the
// event loop ends as the program's does.
TEST_F(MainWindowTest, ExitClosesEveryViewerAndEndsTheProgram) {
  driver.engine().memory().captures = {sampleDefibCapture()};
  auto window = open();
  window->show();
  window->showFrame(1);
  item(*window, "mmDownload")->trigger();
  window->testReportFrame()->progressHost()->current()->closeProgress();
  window->testReportFrame()->tbViewTestReportClick();
  window->showFrame(2);
  item(*window, "mmCaptureWaveform")->trigger();
  QList<QPointer<QWidget>> viewers;
  for (TListFrame* frame : {static_cast<TListFrame*>(window->testReportFrame()), static_cast<TListFrame*>(window->waveformFrame())})
    for (QWidget* viewer : frame->listPage()->viewers()) viewers << viewer;
  ASSERT_EQ(viewers.size(), 2);

  QTimer::singleShot(0, item(*window, "mmExit"), &QAction::trigger);
  QObject guard;
  QTimer::singleShot(3000, &guard, [] { QCoreApplication::exit(1); });  // only if the program would live on
  EXPECT_EQ(QApplication::exec(), 0);
  for (const QPointer<QWidget>& viewer : viewers) EXPECT_TRUE(viewer.isNull());
  EXPECT_NE(settings.readInteger("TestReportViewer", "WIDTH", -1), -1);  // each viewer wrote its place
  EXPECT_NE(settings.readInteger("WaveformViewer", "WIDTH", -1), -1);
}

TEST_F(MainWindowTest, F1InEachWindowOpensItsOwnPage) {
  TTestReportViewer reports(services(), {completeDefibRecord()}, {0}, "A1234567");
  reports.show();
  QApplication::setActiveWindow(&reports);
  QTest::keyClick(&reports, Qt::Key_F1);
  TWaveformViewer waves(services(), decodeWaveRecord(sampleWaveRecords().first()));
  waves.setAttribute(Qt::WA_DeleteOnClose, false);
  waves.show();
  QApplication::setActiveWindow(&waves);
  QTest::keyClick(&waves, Qt::Key_F1);
  TAutoSeq plan = makeAutoSeq("PLAN");
  TAutoSeqEdit editor(nullptr, plan, services());
  editor.show();
  QApplication::setActiveWindow(&editor);
  QTest::keyClick(&editor, Qt::Key_F1);
  editor.findChild<QPushButton*>("btnHelp")->click();
  EXPECT_EQ(help.pages, (QStringList{"QalTestReportHelp.html", "QalWaveformViewerHelp.html",
                                     "QalAutosequenceEditHelp.html", "QalAutosequenceEditHelp.html"}));
}

TEST_F(MainWindowTest, AboutIsMadeFreshForEachShowing) {
  auto window = open();
  window->show();
  struct Seen {
    QString caption, version;
    bool firstPage = false;
  };
  QList<Seen> seen;
  const auto look = [&](QWidget* modal) {
    seen.append({modal->windowTitle(), modal->findChild<QLabel*>("lblVersion")->text(),
                 modal->findChild<QWidget*>("panelAbout")->isVisible()});
    modal->findChild<QPushButton*>("btnMore")->click();  // left on the second page
    modal->findChild<QPushButton*>("btnOK")->click();
  };
  whenModal(look);
  item(*window, "mmAbout")->trigger();
  whenModal(look);
  item(*window, "mmAbout")->trigger();
  ASSERT_EQ(seen.size(), 2);
  for (const Seen& s : seen) {
    EXPECT_EQ(s.caption, "About Kalyx 5pc");
    EXPECT_EQ(s.version, "Version 2.0.2.0");
    EXPECT_TRUE(s.firstPage);
  }
  EXPECT_TRUE(window->findChildren<TQalAbout*>().isEmpty());  // destroyed after use
}

TEST_F(MainWindowTest, CheckAnalyzerConnectionShowsTheFindings) {
  EXPECT_FALSE(item(*open(), "mmCheckConnection")->isVisible());  // offered only where the program can check
  AppServices s = services();
  int checks = 0;
  s.checkConnection = [&checks] {
    ++checks;
    return QStringList{"         Port /dev/ttyUSB0: USB 0403:6001", "PROBLEM  You may not open /dev/ttyUSB0."};
  };
  TQalMain window(s);
  window.show();
  QString report, verdict, caption;
  whenModal([&](QWidget* modal) {
    caption = modal->windowTitle();
    report = modal->findChild<QPlainTextEdit*>("txtReport")->toPlainText();
    verdict = modal->findChild<QLabel*>("lblVerdict")->text();
    static_cast<QDialog*>(modal)->reject();
  });
  QAction* check = item(window, "mmCheckConnection");
  EXPECT_EQ(check->text(), "Check Analyzer &Connection");
  check->trigger();
  EXPECT_EQ(checks, 1);
  EXPECT_EQ(caption, "Check Analyzer Connection");
  EXPECT_EQ(report, "         Port /dev/ttyUSB0: USB 0403:6001\nPROBLEM  You may not open /dev/ttyUSB0.");
  EXPECT_TRUE(verdict.contains("Each line marked PROBLEM says what to do"));
}
