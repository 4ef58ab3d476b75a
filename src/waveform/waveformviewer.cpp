#include "waveform/waveformviewer.h"

#include "core/escapeclose.h"
#include "core/accessiblerole.h"
#include "core/fileprompts.h"
#include "core/helpviewer.h"
#include "core/initialdir.h"
#include "core/names.h"
#include "core/printprompts.h"
#include "core/settingsfile.h"
#include "core/toolicons.h"
#include "core/usermessages.h"
#include "core/windowgeometry.h"
#include "print/printjob.h"
#include "waveform/chartdescription.h"
#include "waveform/qalsetaxis.h"
#include "waveform/wavechart.h"
#include "waveform/wavechartview.h"
#include "waveform/waveformfile.h"
#include "waveform/waveformprinter.h"
#include "waveform/waveinfopanel.h"
#include "waveform/waveprintout.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QLineSeries>
#include <QMenuBar>
#include <QPrinter>
#include <QScrollArea>
#include <QSplitter>
#include <QToolBar>
#include <QValueAxis>

namespace {
const QString kSection = QStringLiteral("WaveformViewer");
const QString kSaveDialogSection = QStringLiteral("SaveDialogWave");

QAction* makeAction(QObject* owner, const char* name, const QString& text, const QKeySequence& shortcut = {},
                    const QIcon& icon = {}) {
  auto* action = new QAction(icon, text, owner);
  action->setObjectName(QString::fromLatin1(name));
  action->setShortcut(shortcut);
  return action;
}

// Checks each action without it announcing the change.
void setChecked(std::initializer_list<QAction*> actions, bool checked) {
  for (QAction* action : actions) {
    const QSignalBlocker quiet(action);
    action->setChecked(checked);
  }
}
}  // namespace

TWaveformViewer::TWaveformViewer(const AppServices& services, const Waveform& wave) : services_(services), wave_(wave) {
  setObjectName(QStringLiteral("WaveformViewer"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(productName() + QStringLiteral(" Waveform Viewer"));
  closeOnEscape(this);

  chart_ = new TWaveChart;
  chartView_ = new TWaveChartView(chart_, this);
  chartView_->setObjectName(QStringLiteral("chartWave"));
  describeChartView(chartView_, QStringLiteral("Waveform chart"));
  panel_ = new TWaveInfoPanel;
  panelArea_ = new QScrollArea(this);
  panelArea_->setObjectName(QStringLiteral("panelInfoArea"));
  setAccessibleRole(panelArea_, QAccessible::Section);
  panelArea_->setAccessibleName(QStringLiteral("Waveform information"));
  panelArea_->setWidget(panel_);
  panelArea_->setWidgetResizable(true);
  panelArea_->setFrameShape(QFrame::NoFrame);
  panelArea_->setMinimumWidth(50);
  chartView_->setMinimumWidth(50);
  splitterInfo_ = new QSplitter(Qt::Horizontal, this);
  splitterInfo_->setObjectName(QStringLiteral("splitterInfo"));
  splitterInfo_->addWidget(panelArea_);
  splitterInfo_->addWidget(chartView_);
  splitterInfo_->setStretchFactor(1, 1);
  splitterInfo_->setChildrenCollapsible(false);
  setCentralWidget(splitterInfo_);

  buildActions();
  popup_ = buildPopup();
  connect(chartView_, &TWaveChartView::clicked, panel_, &TWaveInfoPanel::commitEdit);
  connect(chartView_, &TWaveChartView::popupRequested, this, [this](const QPoint& at) { popup_->popup(at); });
  connect(panel_, &TWaveInfoPanel::popupRequested, this, [this](const QPoint& at) { popup_->popup(at); });
  connect(panel_, &TWaveInfoPanel::deviceIdChanged, this,
          [this](const QString& id) { chart_->setTitleFor(id, panel_->shownInfo().date); });

  panel_->setInfo(wave_.info, wave_.pacer);
  chart_->setWaveform(wave_.points, panel_->pacerShown());
  chart_->setTitleFor(wave_.info.deviceId, wave_.info.date);
  loadSettings();
}

TWaveformViewer::~TWaveformViewer() {
  if (!settingsSaved_) saveSettings();
}

void TWaveformViewer::buildActions() {
  QAction* tbSave = makeAction(this, "tbSave", QStringLiteral("Save"), {}, saveIcon());
  QAction* tbPrint = makeAction(this, "tbPrint", QStringLiteral("Print"), {}, printIcon());
  QAction* tbZoomIn = makeAction(this, "tbZoomIn", QStringLiteral("Zoom In"), {}, zoomInIcon());
  QAction* tbZoomOut = makeAction(this, "tbZoomOut", QStringLiteral("Zoom Out"), {}, zoomOutIcon());
  tbZoomRect_ = makeAction(this, "tbZoomRect", QStringLiteral("Zoom Rectangle"), {}, zoomRectIcon());
  QAction* tbUndoZoom = makeAction(this, "tbUndoZoom", QStringLiteral("Undo Zoom"), {}, undoZoomIcon());
  tbShowDataPoints_ = makeAction(this, "tbShowDataPoints", QStringLiteral("Show Data Points"), {}, dataPointsIcon());

  QAction* mmSave = makeAction(this, "mmSave", QStringLiteral("&Save..."), QKeySequence(Qt::CTRL | Qt::Key_S));
  QAction* mmPrint = makeAction(this, "mmPrint", QStringLiteral("&Print..."), QKeySequence(Qt::CTRL | Qt::Key_P));
  QAction* mmDeviceID = makeAction(this, "mmDeviceID", QStringLiteral("&Device ID"), QKeySequence(Qt::CTRL | Qt::Key_D));
  QAction* mmSetChartAxis =
      makeAction(this, "mmSetChartAxis", QStringLiteral("Set Chart &Axis..."), QKeySequence(Qt::CTRL | Qt::Key_H));
  QAction* mmZoomIn = makeAction(this, "mmZoomIn", QStringLiteral("Zoom &In"), QKeySequence(QStringLiteral("Ctrl+=")));
  QAction* mmZoomOut = makeAction(this, "mmZoomOut", QStringLiteral("Zoom &Out"), QKeySequence(QStringLiteral("Ctrl+-")));
  mmZoomRect_ = makeAction(this, "mmZoomRect", QStringLiteral("Zoom Rectangle"), QKeySequence(Qt::CTRL | Qt::Key_R));
  QAction* mmUndoZoom = makeAction(this, "mmUndoZoom", QStringLiteral("&Undo Zoom"), QKeySequence(Qt::CTRL | Qt::Key_Z));
  mmShowInfo_ = makeAction(this, "mmShowInfo", QStringLiteral("Show Wave &Info"), QKeySequence(Qt::CTRL | Qt::Key_I));
  mmShowDataPoints_ =
      makeAction(this, "mmShowDataPoints", QStringLiteral("Show Data &Points"), QKeySequence(Qt::CTRL | Qt::Key_T));
  QAction* mmHelp = makeAction(this, "mmHelp", QStringLiteral("&Help"), QKeySequence(Qt::Key_F1));

  for (QAction* toggle : {tbZoomRect_, mmZoomRect_, tbShowDataPoints_, mmShowDataPoints_, mmShowInfo_})
    toggle->setCheckable(true);
  for (QAction* a : {tbSave, mmSave}) connect(a, &QAction::triggered, this, &TWaveformViewer::tbSaveClick);
  for (QAction* a : {tbPrint, mmPrint}) connect(a, &QAction::triggered, this, &TWaveformViewer::tbPrintClick);
  for (QAction* a : {tbZoomIn, mmZoomIn}) connect(a, &QAction::triggered, this, &TWaveformViewer::tbZoomInClick);
  for (QAction* a : {tbZoomOut, mmZoomOut}) connect(a, &QAction::triggered, this, &TWaveformViewer::tbZoomOutClick);
  for (QAction* a : {tbUndoZoom, mmUndoZoom}) connect(a, &QAction::triggered, this, &TWaveformViewer::tbUndoZoomClick);
  for (QAction* a : {tbZoomRect_, mmZoomRect_}) connect(a, &QAction::triggered, this, &TWaveformViewer::setRectangleZoom);
  for (QAction* a : {tbShowDataPoints_, mmShowDataPoints_})
    connect(a, &QAction::triggered, this, &TWaveformViewer::setDataPointsShown);
  connect(mmShowInfo_, &QAction::triggered, this, &TWaveformViewer::setInfoShown);
  connect(mmDeviceID, &QAction::triggered, this, &TWaveformViewer::lblDeviceIDClick);
  connect(mmSetChartAxis, &QAction::triggered, this, &TWaveformViewer::mmSetChartAxisClick);
  connect(mmHelp, &QAction::triggered, this, &TWaveformViewer::mmHelpClick);

  tbWaveViewer_ = addToolBar(QStringLiteral("Waveform"));
  tbWaveViewer_->setObjectName(QStringLiteral("tbWaveViewer"));
  tbWaveViewer_->setMovable(false);
  tbWaveViewer_->addActions({tbSave, tbPrint});
  tbWaveViewer_->addSeparator();
  tbWaveViewer_->addActions({tbZoomIn, tbZoomOut, tbZoomRect_, tbUndoZoom});
  tbWaveViewer_->addSeparator();
  tbWaveViewer_->addAction(tbShowDataPoints_);
  tbWaveViewer_->installEventFilter(this);
  for (QWidget* button : tbWaveViewer_->findChildren<QWidget*>()) button->installEventFilter(this);

  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  file->addActions({mmSave, mmPrint});
  QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
  edit->addActions({mmDeviceID, mmSetChartAxis});
  QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
  view->addActions({mmZoomIn, mmZoomOut, mmZoomRect_, mmUndoZoom});
  view->addSeparator();
  view->addActions({mmShowInfo_, mmShowDataPoints_});
  menuBar()->addMenu(QStringLiteral("&Help"))->addAction(mmHelp);
}

QMenu* TWaveformViewer::buildPopup() {
  auto* popup = new QMenu(this);
  popup->setObjectName(QStringLiteral("PopupMenuWave"));
  QAction* pmUndoZoom = makeAction(popup, "pmUndoZoom", QStringLiteral("&Undo Zoom"));
  pmShowInfo_ = makeAction(popup, "pmShowInfo", QStringLiteral("Show Wave &Info"));
  pmShowDataPoints_ = makeAction(popup, "pmShowDataPoints", QStringLiteral("Show Data &Points"));
  QAction* pmDeviceID = makeAction(popup, "pmDeviceID", QStringLiteral("Edit &Device ID"));
  QAction* pmSetChartAxis = makeAction(popup, "pmSetChartAxis", QStringLiteral("Set Chart &Axis..."));
  pmShowInfo_->setCheckable(true);
  pmShowDataPoints_->setCheckable(true);
  popup->addAction(pmUndoZoom);
  popup->addSeparator();
  popup->addActions({pmShowInfo_, pmShowDataPoints_});
  popup->addSeparator();
  popup->addActions({pmDeviceID, pmSetChartAxis});
  connect(pmUndoZoom, &QAction::triggered, this, &TWaveformViewer::tbUndoZoomClick);
  connect(pmShowInfo_, &QAction::triggered, this, &TWaveformViewer::setInfoShown);
  connect(pmShowDataPoints_, &QAction::triggered, this, &TWaveformViewer::setDataPointsShown);
  connect(pmDeviceID, &QAction::triggered, this, &TWaveformViewer::lblDeviceIDClick);
  connect(pmSetChartAxis, &QAction::triggered, this, &TWaveformViewer::mmSetChartAxisClick);
  return popup;
}

bool TWaveformViewer::infoShown() const { return !panelArea_->isHidden(); }

void TWaveformViewer::tbZoomInClick() { chart_->zoomAboutCentre(0.8); }

void TWaveformViewer::tbZoomOutClick() { chart_->zoomAboutCentre(1.2); }

void TWaveformViewer::tbUndoZoomClick() { chart_->undoZoom(); }

void TWaveformViewer::setRectangleZoom(bool on) {
  setChecked({tbZoomRect_, mmZoomRect_}, on);
  chartView_->setRectangleZoom(on);
}

void TWaveformViewer::setDataPointsShown(bool shown) {
  setChecked({tbShowDataPoints_, mmShowDataPoints_, pmShowDataPoints_}, shown);
  chart_->setPointsShown(shown);
}

void TWaveformViewer::setInfoShown(bool shown) {
  if (!shown) {
    panel_->commitEdit();
    if (infoShown()) infoWidth_ = panelArea_->width();
  }
  setChecked({mmShowInfo_, pmShowInfo_}, shown);
  panelArea_->setVisible(shown);
  if (shown) splitterInfo_->setSizes({infoWidth_, qMax(50, splitterInfo_->width() - infoWidth_)});
}

void TWaveformViewer::lblDeviceIDClick() {
  if (!infoShown()) setInfoShown(true);
  panel_->startEdit();
}

void TWaveformViewer::mmSetChartAxisClick() {
  const AxisRanges current{chart_->timeAxis()->min(), chart_->timeAxis()->max(), chart_->currentAxis()->min(),
                           chart_->currentAxis()->max()};
  const QString unit =
      panel_->shownInfo().testType == pacerTestTypeText() ? QStringLiteral("mA") : QStringLiteral("A");
  TQalSetAxis dialog(this, current, unit, *services_.messages, systemDecimalPoint());
  if (dialog.exec() == QDialog::Accepted) chart_->setRanges(dialog.ranges());
}

void TWaveformViewer::tbSaveClick() {
  const QList<QPointF> points = chart_->series()->points();
  if (points.isEmpty()) return;
  SettingsFile& settings = *services_.settings;
  const QString path = services_.files->saveFile(this, readInitialDir(settings, kSaveDialogSection), QString(),
                                                 QStringLiteral("CSV Files (*.csv);;All Files (*.*)"),
                                                 QStringLiteral("csv"));
  if (path.isEmpty()) return;
  writeInitialDir(settings, kSaveDialogSection, QFileInfo(path).absolutePath());
  if (const std::optional<SaveFailure> failure = saveWholeFile(path, waveformFileBytes(panel_->shownInfo(), points)))
    services_.messages->show(failure->message(), QStringLiteral("Error saving file"), UserMessages::Icon::Error);
}

void TWaveformViewer::tbPrintClick() {
  QPrinter printer(QPrinter::HighResolution);
  if (!services_.printing || !services_.printing->choosePrinter(this, printer)) return;
  const QStringList lines = infoShown() ? waveformPrintLines(panel_->shownInfo(), panel_->pacerShown()) : QStringList();
  reportPrintOutcome(printWaveform(printer, lines, *chart_), *services_.messages);
}

void TWaveformViewer::mmHelpClick() { showHelpPage(services_.help, QStringLiteral("QalWaveformViewerHelp.html")); }

void TWaveformViewer::loadSettings() {
  const SettingsFile& settings = *services_.settings;
  loadWindowGeometry(*this, settings, kSection, QSize(760, 390));
  infoWidth_ = qMax(50, settings.readInteger(kSection, QStringLiteral("INFOWIDTH"), 265));
  setInfoShown(settings.readInteger(kSection, QStringLiteral("SHOWINFO"), 1) != 0);
}

void TWaveformViewer::saveSettings() {
  settingsSaved_ = true;
  SettingsFile& settings = *services_.settings;
  saveWindowGeometry(*this, settings, kSection);
  settings.writeInteger(kSection, QStringLiteral("SHOWINFO"), infoShown() ? 1 : 0);
  settings.writeInteger(kSection, QStringLiteral("INFOWIDTH"), infoShown() ? panelArea_->width() : infoWidth_);
}

void TWaveformViewer::closeEvent(QCloseEvent* event) {
  saveSettings();
  event->accept();
}

// Losing activation commits an edit of the device I.D., as a click elsewhere does.
void TWaveformViewer::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && !isActiveWindow()) panel_->commitEdit();
  QMainWindow::changeEvent(event);
}

bool TWaveformViewer::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) panel_->commitEdit();  // a click on the tool bar
  return QMainWindow::eventFilter(watched, event);
}
