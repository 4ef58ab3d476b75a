#include "app/qalmain.h"

#include "app/connectionreport.h"
#include "app/qalabout.h"
#include "autoseq/autoseqframe.h"
#include "core/helpviewer.h"
#include "core/names.h"
#include "core/recordkeeper.h"
#include "core/settingsfile.h"
#include "core/toolicons.h"
#include "core/windowgeometry.h"
#include "grid/listpage.h"
#include "grid/stringgridex.h"
#include "testreport/testreportframe.h"
#include "waveform/waveformframe.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QStatusBar>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

namespace {
const QString kSection = QStringLiteral("QalMain");

// The items a frame enables only when its table has them; Select All and
// Download are enabled for every frame, and the other items never change.
constexpr FrameCommand kFrameItems[] = {FrameCommand::New,    FrameCommand::Open,   FrameCommand::Print,
                                        FrameCommand::Copy,   FrameCommand::Delete, FrameCommand::Upload,
                                        FrameCommand::CaptureWaveform};
}  // namespace

TQalMain::TQalMain(const AppServices& services, QWidget* parent) : QMainWindow(parent), services_(services) {
  setObjectName(QStringLiteral("QalMain"));
  // The frames come first, as their construction may be the first to need the paths.
  auto* central = new QWidget(this);
  frames_[0] = autoSeqWindow_ = new TAutoSeqFrame(services_, central);
  frames_[0]->setObjectName(QStringLiteral("AutoSeqWindow"));
  frames_[1] = testReportWindow_ = new TTestReportFrame(services_, central);
  frames_[1]->setObjectName(QStringLiteral("TestReportWindow"));
  frames_[2] = waveformWindow_ = new TWaveformFrame(services_, central);
  frames_[2]->setObjectName(QStringLiteral("WaveformWindow"));

  tabMenu_ = new QTabBar(central);
  tabMenu_->setObjectName(QStringLiteral("TabMenu"));
  tabMenu_->setIconSize(QSize(32, 32));
  tabMenu_->setDrawBase(false);
  tabMenu_->setExpanding(false);
  tabMenu_->addTab(resourceIcon(QStringLiteral("tab-autosequences")), QStringLiteral("Autosequences"));
  tabMenu_->addTab(resourceIcon(QStringLiteral("tab-testreports")), QStringLiteral("Test Reports"));
  tabMenu_->addTab(resourceIcon(QStringLiteral("tab-waveforms")), QStringLiteral("Waveforms"));

  stack_ = new QStackedWidget(central);
  for (TListFrame* frame : frames_) stack_->addWidget(frame);

  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(tabMenu_);
  layout->addWidget(stack_, 1);
  setCentralWidget(central);

  buildMenus();
  connect(tabMenu_, &QTabBar::currentChanged, this, [this](int index) { showFrame(index); });

  setWindowTitle(companyName() + QLatin1Char(' ') + productName() + QStringLiteral(" V") + productVersion());
  loadWindowState();
}

TQalMain::~TQalMain() {
  shutDown();
  if (services_.keeper) services_.keeper->reported = nullptr;  // the keeper outlives the window
}

QAction* TQalMain::addItem(QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(QString::fromLatin1(name));
  action->setShortcut(shortcut);
  return action;
}

// A menu item that the frame showing carries out, if its table has the command.
QAction* TQalMain::addCommand(QMenu* menu, FrameCommand command, const char* name, const QString& caption,
                              const QKeySequence& shortcut) {
  QAction* action = addItem(menu, name, caption, shortcut);
  commandItems_.insert(command, action);
  connect(action, &QAction::triggered, this, [this, command] { frames_[frameIndex()]->run(command); });
  return action;
}

void TQalMain::buildMenus() {
  QMenu* menuFile = menuBar()->addMenu(QStringLiteral("&File"));
  menuFile->setObjectName(QStringLiteral("menuFile"));
  addCommand(menuFile, FrameCommand::New, "mmNew", QStringLiteral("&New"), QKeySequence(Qt::CTRL | Qt::Key_N));
  addCommand(menuFile, FrameCommand::Open, "mmOpen", QStringLiteral("&Open..."), QKeySequence(Qt::CTRL | Qt::Key_O));
  addCommand(menuFile, FrameCommand::Print, "mmPrint", QStringLiteral("&Print..."), QKeySequence(Qt::CTRL | Qt::Key_P));
  menuFile->addSeparator()->setObjectName(QStringLiteral("N4"));
  QAction* mmExit = addItem(menuFile, "mmExit", QStringLiteral("E&xit"), QKeySequence());
  connect(mmExit, &QAction::triggered, this, &QWidget::close);

  QMenu* menuEdit = menuBar()->addMenu(QStringLiteral("&Edit"));
  menuEdit->setObjectName(QStringLiteral("menuEdit"));
  addCommand(menuEdit, FrameCommand::Copy, "mmCopy", QStringLiteral("&Copy"), QKeySequence(Qt::CTRL | Qt::Key_C));
  addCommand(menuEdit, FrameCommand::Delete, "mmDelete", QStringLiteral("&Delete"), QKeySequence(Qt::Key_Delete));
  addCommand(menuEdit, FrameCommand::SelectAll, "mmSelectAll", QStringLiteral("Select &All"),
             QKeySequence(Qt::CTRL | Qt::Key_A));

  QMenu* menuView = menuBar()->addMenu(QStringLiteral("&View"));
  menuView->setObjectName(QStringLiteral("menuView"));
  auto* group = new QActionGroup(this);
  const char* radNames[3] = {"RadAutoSeq", "RadTestReport", "RadWaveform"};
  const QString radCaptions[3] = {QStringLiteral("&Autosequences"), QStringLiteral("&Test Reports"),
                                  QStringLiteral("&Waveforms")};
  for (int i = 0; i < 3; ++i) {
    radFrames_[i] = addItem(menuView, radNames[i], radCaptions[i], QKeySequence());
    radFrames_[i]->setCheckable(true);
    group->addAction(radFrames_[i]);
    connect(radFrames_[i], &QAction::triggered, this, &TQalMain::radShowFrameClick);
  }
  radFrames_[0]->setChecked(true);
  menuView->addSeparator()->setObjectName(QStringLiteral("N1"));
  mmShowMainMenu_ = addItem(menuView, "mmShowMainMenu", QStringLiteral("Show &Main Menu"), QKeySequence());
  mmShowMainMenu_->setCheckable(true);
  mmShowMainMenu_->setChecked(true);
  // The item toggles the check mark itself, so the automatic toggle is undone first.
  connect(mmShowMainMenu_, &QAction::triggered, this, [this] {
    mmShowMainMenu_->setChecked(!mmShowMainMenu_->isChecked());
    showMainMenuClick();
  });

  QMenu* menuTools = menuBar()->addMenu(QStringLiteral("&Tools"));
  menuTools->setObjectName(QStringLiteral("menuTools"));
  addCommand(menuTools, FrameCommand::Download, "mmDownload", QStringLiteral("&Download"),
             QKeySequence(Qt::CTRL | Qt::Key_D));
  addCommand(menuTools, FrameCommand::Upload, "mmUpload", QStringLiteral("&Upload"), QKeySequence(Qt::CTRL | Qt::Key_U));
  menuTools->addSeparator()->setObjectName(QStringLiteral("N2"));
  addCommand(menuTools, FrameCommand::CaptureWaveform, "mmCaptureWaveform", QStringLiteral("&Capture Waveform"),
             QKeySequence(Qt::CTRL | Qt::Key_W));
  if (RecordKeeper* keeper = services_.keeper) {
    keeper->reported = [this](const QString& sentence) { statusBar()->showMessage(sentence); };
    menuTools->addSeparator()->setObjectName(QStringLiteral("N5"));
    QAction* keeping = addItem(menuTools, "mmArchiveDownloads", QStringLiteral("Keep Downloads in the &Archive"),
                               QKeySequence());
    keeping->setCheckable(true);
    keeping->setChecked(keeper->keeping());
    connect(keeping, &QAction::toggled, this, [keeper](bool on) { keeper->setKeeping(on); });
  }
  if (services_.showArchive) {
    QAction* archive = addItem(menuTools, "mmArchive", QStringLiteral("Archi&ve..."),
                               QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A));
    connect(archive, &QAction::triggered, this, [this] { services_.showArchive(); });
  }
  if (services_.backUpArchive) {
    QAction* backUp = addItem(menuTools, "mmBackUpArchive", QStringLiteral("&Back Up Archive..."), QKeySequence());
    connect(backUp, &QAction::triggered, this, [this] { services_.backUpArchive(this); });
  }

  QMenu* menuHelp = menuBar()->addMenu(QStringLiteral("&Help"));
  menuHelp->setObjectName(QStringLiteral("menuHelp"));
  QAction* mmHelp = addItem(menuHelp, "mmHelp", QStringLiteral("&Help"), QKeySequence(Qt::Key_F1));
  connect(mmHelp, &QAction::triggered, this, [this] { showHelpPage(services_.help, QStringLiteral("QalHelp.html")); });
  QAction* mmCheckConnection = addItem(menuHelp, "mmCheckConnection", QStringLiteral("Check Analyzer &Connection"), QKeySequence());
  mmCheckConnection->setVisible(bool(services_.checkConnection));
  connect(mmCheckConnection, &QAction::triggered, this, &TQalMain::mmCheckConnectionClick);
  menuHelp->addSeparator()->setObjectName(QStringLiteral("N3"));
  QAction* mmAbout = addItem(menuHelp, "mmAbout", QStringLiteral("About ") + productName(), QKeySequence());
  connect(mmAbout, &QAction::triggered, this, &TQalMain::mmAboutClick);

  auto* actionSearchFocus = new QAction(this);
  actionSearchFocus->setObjectName(QStringLiteral("ActionSearchFocus"));
  actionSearchFocus->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
  addAction(actionSearchFocus);
  connect(actionSearchFocus, &QAction::triggered, this, [this] { frames_[frameIndex()]->run(FrameCommand::SearchFocus); });
}

int TQalMain::frameIndex() const { return tabMenu_->currentIndex(); }

void TQalMain::showFrame(int index) {
  if (index < 0 || index > 2) index = 0;
  stack_->setCurrentIndex(index);
  radFrames_[index]->setChecked(true);
  {
    const QSignalBlocker block(tabMenu_);
    tabMenu_->setCurrentIndex(index);
  }
  applyEnabling();
}

void TQalMain::applyEnabling() {
  const TListFrame* showing = frames_[frameIndex()];
  for (FrameCommand command : kFrameItems) commandItems_[command]->setEnabled(showing->supports(command));
  commandItems_[FrameCommand::SelectAll]->setEnabled(true);
}

void TQalMain::radShowFrameClick() {
  if (radFrames_[1]->isChecked()) showFrame(1);
  else if (radFrames_[2]->isChecked()) showFrame(2);
  else showFrame(0);
}

void TQalMain::showMainMenuClick() {
  const bool show = !mmShowMainMenu_->isChecked();
  tabMenu_->setVisible(show);
  mmShowMainMenu_->setChecked(show);
}

void TQalMain::loadWindowState() {
  const SettingsFile& settings = *services_.settings;
  showFrame(settings.readInteger(kSection, QStringLiteral("FRAME"), 0));
  loadWindowGeometry(*this, settings, kSection, QSize(750, 500));
  const bool showStrip = settings.readInteger(kSection, QStringLiteral("SHOW_MAINMENU"), 1) != 0;
  tabMenu_->setVisible(showStrip);
  mmShowMainMenu_->setChecked(showStrip);

  for (int index : {0, 2, 1})  // sgAutoSeq, sgWaveform, sgTestReport
    if (TListPage* page = frames_[index]->listPage()) page->loadGridSettings(settings);
  // The test report list is sorted descending unless the settings say otherwise.
  testReportWindow_->grid()->setAscending(
      settings.readInteger(QStringLiteral("sgTestReport"), QStringLiteral("ASCENDING"), 0) != 0);
}

void TQalMain::saveWindowState() {
  SettingsFile& settings = *services_.settings;
  settings.writeInteger(kSection, QStringLiteral("FRAME"), frameIndex());
  saveWindowGeometry(*this, settings, kSection);
  settings.writeInteger(kSection, QStringLiteral("SHOW_MAINMENU"), mmShowMainMenu_->isChecked() ? 1 : 0);
}

// Closing the main window ends the program: its state goes to the settings file,
// and the help windows and every other window of the program (the viewers, the
// Archive window) close with it, so no window is left to keep the program running.
void TQalMain::closeEvent(QCloseEvent* event) {
  shutDown();
  event->accept();
}

void TQalMain::shutDown() {
  if (shutDown_) return;
  shutDown_ = true;
  saveWindowState();
  if (services_.help) services_.help->closeAll();
  for (QWidget* window : QApplication::topLevelWidgets())
    if (window != this && window->isVisible()) window->close();
}

// Asking the analyzer may take the link's time-out, so the wait shows on the cursor.
void TQalMain::mmCheckConnectionClick() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const QStringList lines = services_.checkConnection();
  QApplication::restoreOverrideCursor();
  TConnectionReport report(lines, this);
  report.exec();
}

void TQalMain::mmAboutClick() {
  TQalAbout about(programVersionInfo(), openInBrowser, this);
  about.exec();
}
