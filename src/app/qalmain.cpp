#include "qalmain.h"

#include "names.h"
#include "settingsfile.h"
#include "stringgridex.h"
#include "tabicons.h"
#include "testreportframe.h"
#include "windowgeometry.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QMenuBar>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

namespace {
const QString kSection = QStringLiteral("QalMain");

QWidget* placeholderFrame(const char* name, QWidget* parent) {
  auto* frame = new QWidget(parent);
  frame->setObjectName(QString::fromLatin1(name));
  return frame;
}
}  // namespace

TQalMain::TQalMain(const AppServices& services, QWidget* parent) : QMainWindow(parent), services_(services) {
  setObjectName(QStringLiteral("QalMain"));
  // The frames come first, as their construction may be the first to need the paths.
  auto* central = new QWidget(this);
  autoSeqWindow_ = placeholderFrame("AutoSeqWindow", central);
  testReportWindow_ = new TTestReportFrame(services_, central);
  testReportWindow_->setObjectName(QStringLiteral("TestReportWindow"));
  waveformWindow_ = placeholderFrame("WaveformWindow", central);

  tabMenu_ = new QTabBar(central);
  tabMenu_->setObjectName(QStringLiteral("TabMenu"));
  tabMenu_->setIconSize(QSize(32, 32));
  tabMenu_->setDrawBase(false);
  tabMenu_->setExpanding(false);
  tabMenu_->addTab(autoSeqTabIcon(), QStringLiteral("Autosequences"));
  tabMenu_->addTab(testReportTabIcon(), QStringLiteral("Test Reports"));
  tabMenu_->addTab(waveformTabIcon(), QStringLiteral("Waveforms"));

  frames_ = new QStackedWidget(central);
  frames_->addWidget(autoSeqWindow_);
  frames_->addWidget(testReportWindow_);
  frames_->addWidget(waveformWindow_);

  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(tabMenu_);
  layout->addWidget(frames_, 1);
  setCentralWidget(central);

  buildMenus();
  connect(tabMenu_, &QTabBar::currentChanged, this, [this](int index) { showFrame(index); });

  setWindowTitle(companyName() + QLatin1Char(' ') + productName() + QStringLiteral(" V") + productVersion());
  loadWindowState();
}

TQalMain::~TQalMain() {
  if (!stateSaved_) saveWindowState();
}

QAction* TQalMain::addItem(QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(QString::fromLatin1(name));
  action->setShortcut(shortcut);
  return action;
}

void TQalMain::buildMenus() {
  QMenu* menuFile = menuBar()->addMenu(QStringLiteral("&File"));
  menuFile->setObjectName(QStringLiteral("menuFile"));
  mmNew_ = addItem(menuFile, "mmNew", QStringLiteral("&New"), QKeySequence(Qt::CTRL | Qt::Key_N));
  mmOpen_ = addItem(menuFile, "mmOpen", QStringLiteral("&Open..."), QKeySequence(Qt::CTRL | Qt::Key_O));
  mmPrint_ = addItem(menuFile, "mmPrint", QStringLiteral("&Print..."), QKeySequence(Qt::CTRL | Qt::Key_P));
  menuFile->addSeparator()->setObjectName(QStringLiteral("N4"));
  QAction* mmExit = addItem(menuFile, "mmExit", QStringLiteral("E&xit"), QKeySequence());
  connect(mmOpen_, &QAction::triggered, this, &TQalMain::mmOpenClick);
  connect(mmExit, &QAction::triggered, this, &QWidget::close);

  QMenu* menuEdit = menuBar()->addMenu(QStringLiteral("&Edit"));
  menuEdit->setObjectName(QStringLiteral("menuEdit"));
  mmCopy_ = addItem(menuEdit, "mmCopy", QStringLiteral("&Copy"), QKeySequence(Qt::CTRL | Qt::Key_C));
  mmDelete_ = addItem(menuEdit, "mmDelete", QStringLiteral("&Delete"), QKeySequence(Qt::Key_Delete));
  mmSelectAll_ = addItem(menuEdit, "mmSelectAll", QStringLiteral("Select &All"), QKeySequence(Qt::CTRL | Qt::Key_A));
  connect(mmSelectAll_, &QAction::triggered, this, &TQalMain::mmSelectAllClick);

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
  QAction* mmDownload = addItem(menuTools, "mmDownload", QStringLiteral("&Download"), QKeySequence(Qt::CTRL | Qt::Key_D));
  mmUpload_ = addItem(menuTools, "mmUpload", QStringLiteral("&Upload"), QKeySequence(Qt::CTRL | Qt::Key_U));
  menuTools->addSeparator()->setObjectName(QStringLiteral("N2"));
  mmCaptureWaveform_ = addItem(menuTools, "mmCaptureWaveform", QStringLiteral("&Capture Waveform"),
                               QKeySequence(Qt::CTRL | Qt::Key_W));
  connect(mmDownload, &QAction::triggered, this, &TQalMain::mmDownloadClick);

  QMenu* menuHelp = menuBar()->addMenu(QStringLiteral("&Help"));
  menuHelp->setObjectName(QStringLiteral("menuHelp"));
  addItem(menuHelp, "mmHelp", QStringLiteral("&Help"), QKeySequence(Qt::Key_F1));
  addItem(menuHelp, "mmAbout", QStringLiteral("About ") + productName(), QKeySequence());

  auto* actionSearchFocus = new QAction(this);
  actionSearchFocus->setObjectName(QStringLiteral("ActionSearchFocus"));
  actionSearchFocus->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
  addAction(actionSearchFocus);
  connect(actionSearchFocus, &QAction::triggered, this, &TQalMain::actionSearchFocusExecute);
}

int TQalMain::frameIndex() const { return tabMenu_->currentIndex(); }

void TQalMain::showFrame(int index) {
  if (index < 0 || index > 2) index = 0;
  frames_->setCurrentIndex(index);
  radFrames_[index]->setChecked(true);
  applyEnabling(index);
  const QSignalBlocker block(tabMenu_);
  tabMenu_->setCurrentIndex(index);
}

void TQalMain::applyEnabling(int index) {
  for (QAction* a : {mmNew_, mmOpen_, mmPrint_, mmCopy_, mmDelete_, mmUpload_, mmCaptureWaveform_}) a->setEnabled(false);
  mmSelectAll_->setEnabled(true);
  switch (index) {
    case 0:
      for (QAction* a : {mmNew_, mmPrint_, mmCopy_, mmDelete_, mmUpload_}) a->setEnabled(true);
      break;
    case 1: mmOpen_->setEnabled(true); break;
    case 2:
      mmOpen_->setEnabled(true);
      mmCaptureWaveform_->setEnabled(true);
      break;
  }
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

void TQalMain::mmOpenClick() {
  if (frameIndex() == 1) testReportWindow_->tbOpenClick();
}

void TQalMain::mmSelectAllClick() {
  if (frameIndex() == 1) testReportWindow_->tbSelectAllClick();
}

void TQalMain::mmDownloadClick() {
  if (frameIndex() == 1) testReportWindow_->tbDownloadClick();
}

void TQalMain::actionSearchFocusExecute() {
  if (frameIndex() == 1) testReportWindow_->focusSearch();
}

void TQalMain::loadWindowState() {
  SettingsFile settings = appSettings();
  showFrame(settings.readInteger(kSection, QStringLiteral("FRAME"), 0));
  loadWindowGeometry(*this, settings, kSection, QSize(750, 500));
  const bool showStrip = settings.readInteger(kSection, QStringLiteral("SHOW_MAINMENU"), 1) != 0;
  tabMenu_->setVisible(showStrip);
  mmShowMainMenu_->setChecked(showStrip);

  testReportWindow_->grid()->loadGridSettings(settings);
  testReportWindow_->grid()->setAscending(settings.readInteger(QStringLiteral("sgTestReport"), QStringLiteral("ASCENDING"), 0) != 0);
}

void TQalMain::saveWindowState() {
  stateSaved_ = true;
  SettingsFile settings = appSettings();
  settings.writeInteger(kSection, QStringLiteral("FRAME"), frameIndex());
  saveWindowGeometry(*this, settings, kSection);
  settings.writeInteger(kSection, QStringLiteral("SHOW_MAINMENU"), mmShowMainMenu_->isChecked() ? 1 : 0);
}

void TQalMain::closeEvent(QCloseEvent* event) {
  saveWindowState();
  event->accept();
}
