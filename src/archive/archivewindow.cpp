#include "archive/archivewindow.h"

#include "archive/devicedetailsdialog.h"
#include "archive/devicedue.h"
#include "archive/deviceimport.h"

#include "archive/devicehistory.h"
#include "archive/devicelist.h"
#include "archive/devicemodel.h"
#include "archive/historychart.h"
#include "archive/testintervalsdialog.h"
#include "archive/worklistcommands.h"
#include "core/datetimetext.h"
#include "core/escapeclose.h"
#include "core/fileprompts.h"
#include "core/helpviewer.h"
#include "core/names.h"
#include "core/paths.h"
#include "core/settingsfile.h"
#include "core/usermessages.h"
#include "core/windowgeometry.h"
#include "testreport/reportcommands.h"
#include "testreport/reportrender.h"
#include "testreport/testreportviewer.h"
#include "waveform/wavedecode.h"
#include "waveform/waveformviewer.h"
#include "waveform/waverecord.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QSplitter>
#include <QStyle>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QToolBar>
#include <QComboBox>
#include <QGuiApplication>
#include <QToolButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {
const QString kSection = QStringLiteral("ArchiveWindow");
enum Tab { TestsTab, WavesTab, HistoryTab };

QString testedText(const QDateTime& tested) {
  return tested.isValid() ? dateTimeText(CivilDateTime{tested.date(), tested.time()}) : QString();
}

QTableWidget* makeList(const char* name, const QString& accessibleName, const QStringList& headers, QWidget* parent) {
  auto* list = new QTableWidget(0, int(headers.size()), parent);
  list->setObjectName(QString::fromLatin1(name));
  list->setHorizontalHeaderLabels(headers);
  list->setAccessibleName(accessibleName);
  list->setSelectionBehavior(QAbstractItemView::SelectRows);
  list->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list->verticalHeader()->hide();
  list->horizontalHeader()->setStretchLastSection(true);
  list->setAlternatingRowColors(true);
  list->setTabKeyNavigation(false);  // arrows move in the list, Tab on to the next control
  return list;
}

void fillList(QTableWidget* list, const QList<QStringList>& rows) {
  list->setRowCount(int(rows.size()));
  for (int r = 0; r < rows.size(); ++r)
    for (int c = 0; c < rows[r].size(); ++c) list->setItem(r, c, new QTableWidgetItem(rows[r][c]));
  list->resizeColumnsToContents();
}
}  // namespace

TArchiveWindow::TArchiveWindow(const AppServices& services, Archive& archive, DepartmentReader::Opener department)
    : services_(services), local_(&archive), openDepartment_(std::move(department)) {
  setObjectName(QStringLiteral("ArchiveWindow"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(productName() + QStringLiteral(" Archive"));
  closeOnEscape(this);
  auto* splitter = new QSplitter(this);
  splitter->addWidget(buildDeviceSide());
  splitter->addWidget(buildDeviceDetails());
  splitter->setStretchFactor(1, 1);
  // The device list's columns up to its marks side by side (the due columns
  // scroll into view); the device's details the rest.
  QTableView* list = devices_->view();
  int listWidth = 2 * list->frameWidth() + list->verticalScrollBar()->sizeHint().width() + 8;
  for (int c = 0; c <= TArchiveDeviceModel::Forecast; ++c) listWidth += list->columnWidth(c);
  splitter->setSizes({listWidth, std::max(400, 1280 - listWidth)});
  setCentralWidget(splitter);
  buildMenusAndTools();
  if (services_.settings) loadWindowGeometry(*this, *services_.settings, kSection, QSize(1280, 720));
  devices_->view()->viewport()->installEventFilter(this);
  refresh();
}

TArchiveWindow::~TArchiveWindow() = default;

TArchiveDeviceModel* TArchiveWindow::deviceModel() const { return devices_->model(); }

QWidget* TArchiveWindow::buildDeviceSide() {
  devices_ = new TArchiveDeviceList(*local_, this);
  connect(devices_, &TArchiveDeviceList::filterChanged, this, &TArchiveWindow::refresh);
  connect(devices_, &TArchiveDeviceList::readFailed, this, [this](const ArchiveFailure& failure) {
    showDevice(std::nullopt);
    nearLimit_->setText(failure.message().replace(QLatin1Char('\n'), QLatin1Char(' ')));
    nearLimit_->setVisible(true);
    tellFailure(failure);
  });
  connect(devices_, &TArchiveDeviceList::currentDeviceChanged, this, [this](const std::optional<QString>& device) {
    if (device != shownDevice_) showDevice(device);
  });
  // Sorted by the mark once every mark is worked out: the device shown stays selected.
  connect(devices_, &TArchiveDeviceList::sortedByMarks, this, [this] {
    showStatus();
    for (int r = 0; r < devices_->rowCount() && shownDevice_; ++r)
      if (devices_->device(r) == *shownDevice_) return devices_->selectRow(r);
  });
  auto* side = new QWidget(this);
  auto* layout = new QVBoxLayout(side);
  layout->setContentsMargins(4, 4, 0, 4);
  layout->addWidget(devices_);
  return side;
}

QWidget* TArchiveWindow::buildDeviceDetails() {
  auto* details = new QWidget(this);
  nearLimit_ = new QLabel(details);
  nearLimit_->setObjectName(QStringLiteral("lblNearLimit"));
  nearLimit_->setWordWrap(true);
  nearLimit_->setTextFormat(Qt::PlainText);
  details_ = new QTabWidget(details);
  details_->setObjectName(QStringLiteral("PageArchiveDevice"));
  details_->setFocusPolicy(Qt::NoFocus);  // its tab strip takes the focus (the policy passes on to it:
  details_->tabBar()->setFocusPolicy(Qt::TabFocus);  // the strip gets its own back)
  tests_ = makeList("sgArchiveTests", QStringLiteral("Tests"), {QStringLiteral("Date"), QStringLiteral("Analyzer I.D."),
                                       QStringLiteral("Autosequence"), QStringLiteral("Verdict")},
                    details_);
  waves_ = makeList("sgArchiveWaves", QStringLiteral("Waveforms"), {QStringLiteral("Date"), QStringLiteral("Kind"), QStringLiteral("Test Type"),
                                       QStringLiteral("Analyzer I.D.")},
                    details_);
  chart_ = new THistoryChart(details_);
  details_->addTab(tests_, QStringLiteral("Tests"));
  details_->addTab(waves_, QStringLiteral("Waveforms"));
  details_->addTab(chart_, QStringLiteral("History"));
  for (QTableWidget* list : {tests_, waves_}) {
    connect(list, &QTableWidget::cellDoubleClicked, this, &TArchiveWindow::viewSelected);
    list->installEventFilter(this);
  }
  auto* layout = new QVBoxLayout(details);
  layout->setContentsMargins(0, 4, 4, 4);
  layout->addWidget(nearLimit_);
  layout->addWidget(details_, 1);
  return details;
}

void TArchiveWindow::buildMenusAndTools() {
  QMenu* menuFile = menuBar()->addMenu(QStringLiteral("&File"));
  QAction* view = menuFile->addAction(QStringLiteral("&View"), this, &TArchiveWindow::viewSelected);
  view->setObjectName(QStringLiteral("mmArchiveView"));
  view->setShortcut(QKeySequence(Qt::Key_Return));
  view_ = view;
  QMenu* exportMenu = menuFile->addMenu(QStringLiteral("&Export"));
  exportMenu_ = exportMenu;
  exportMenu->setObjectName(QStringLiteral("menuArchiveExport"));
  const struct {
    const char* name;
    const char* caption;
    Export what;
  } exports[] = {{"mmArchiveSaveToText", "Save To &Text...", Export::Text},
                 {"mmArchiveSaveToCsv", "Save To &CSV...", Export::Csv},
                 {"mmArchiveSaveToMup", "Save To &MUP...", Export::Mup},
                 {"mmArchivePrint", "&Print...", Export::Print}};
  for (const auto& e : exports) {
    QAction* item = exportMenu->addAction(QString::fromLatin1(e.caption));
    item->setObjectName(QString::fromLatin1(e.name));
    connect(item, &QAction::triggered, this, [this, what = e.what] { exportSelected(what); });
  }
  // The worklist comes from the archive shown: this computer's, or the department's.
  QAction* printList = menuFile->addAction(QStringLiteral("Print &Worklist..."), this,
                                           [this] { printWorklist(this, services_, worklistSource()); });
  printList->setObjectName(QStringLiteral("mmArchivePrintWorklist"));
  QAction* exportList = menuFile->addAction(QStringLiteral("Export W&orklist..."), this,
                                            [this] { exportWorklist(this, services_, worklistSource()); });
  exportList->setObjectName(QStringLiteral("mmArchiveExportWorklist"));
  QAction* remove = menuFile->addAction(QStringLiteral("&Delete..."), this, &TArchiveWindow::deleteSelected);
  remove->setObjectName(QStringLiteral("mmArchiveDelete"));
  remove->setShortcut(QKeySequence(Qt::Key_Delete));
  remove->setEnabled(!readOnly());
  remove_ = remove;
  menuFile->addSeparator();
  QAction* close = menuFile->addAction(QStringLiteral("&Close"), this, &QWidget::close);
  close->setShortcut(QKeySequence::Close);
  QMenu* menuDevices = menuBar()->addMenu(QStringLiteral("&Devices"));
  deviceDetails_ = menuDevices->addAction(QStringLiteral("Device &Details..."), this, &TArchiveWindow::editDeviceDetails);
  deviceDetails_->setObjectName(QStringLiteral("mmArchiveDeviceDetails"));
  importDevices_ = menuDevices->addAction(QStringLiteral("&Import Devices..."), this, &TArchiveWindow::importDevices);
  importDevices_->setObjectName(QStringLiteral("mmArchiveImportDevices"));
  QAction* intervals = menuDevices->addAction(QStringLiteral("Test &Intervals..."), this, &TArchiveWindow::editTestIntervals);
  intervals->setObjectName(QStringLiteral("mmArchiveTestIntervals"));
  intervals->setEnabled(services_.settings != nullptr);
  QMenu* menuHelp = menuBar()->addMenu(QStringLiteral("&Help"));
  QAction* help = menuHelp->addAction(QStringLiteral("&Help"), this,
                                     [this] { showHelpPage(services_.help, QStringLiteral("QalArchiveHelp.html")); });
  help->setShortcut(QKeySequence(Qt::Key_F1));

  QToolBar* tools = addToolBar(QStringLiteral("Archive"));
  tools->setObjectName(QStringLiteral("tbArchive"));
  tools->setMovable(false);
  tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
  tools->addAction(view);
  exportButton_ = new QToolButton(tools);
  QToolButton* exportButton = exportButton_;
  exportButton->setObjectName(QStringLiteral("tbArchiveExport"));
  exportButton->setText(QStringLiteral("Export"));
  exportButton->setMenu(exportMenu);
  exportButton->setPopupMode(QToolButton::InstantPopup);
  tools->addWidget(exportButton);
  tools->addAction(remove);
  if (openDepartment_) {
    // Where the records shown come from: this computer's archive or the department's.
    tools->addSeparator();
    source_ = new QComboBox(tools);
    source_->setObjectName(QStringLiteral("cbArchiveSource"));
    source_->addItems({QStringLiteral("This computer"), QStringLiteral("Department")});
    source_->setToolTip(QStringLiteral("Show this computer's archive or the department's"));
    tools->addWidget(source_);
    connect(source_, &QComboBox::activated, this, &TArchiveWindow::showSource);
    // While the department's archive is read: a busy bar, and Stop (Esc closes the window).
    busy_ = new QProgressBar(this);
    busy_->setRange(0, 0);
    busy_->setMaximumWidth(120);
    busy_->setAccessibleName(QStringLiteral("Reading the department's archive"));
    stop_ = new QPushButton(QStringLiteral("&Stop"), this);
    stop_->setObjectName(QStringLiteral("btnArchiveStop"));
    stop_->setToolTip(QStringLiteral("Stop reading the department's archive"));
    connect(stop_, &QPushButton::clicked, this, [this] {
      if (reader_) reader_->cancel();
      departmentStopped();
    });
    statusBar()->addPermanentWidget(busy_);
    statusBar()->addPermanentWidget(stop_);
    busy_->hide();
    stop_->hide();
  }
  connect(details_, &QTabWidget::currentChanged, this, &TArchiveWindow::updateCommands);
  updateCommands();
}

// The device shown stays shown, afresh (its records may have changed), and
// selected where its row is among those fetched; the list is never fetched
// whole to find it. A device that is gone gives way to the first row.
void TArchiveWindow::refresh() {
  const std::optional<QString> current = shownDevice_;
  shownDevice_.reset();
  if (services_.settings) devices_->setDuePolicy(duePolicy(*services_.settings), QDate::currentDate());
  devices_->refresh();
  showStatus();
  for (int r = 0; r < devices_->rowCount() && current; ++r)
    if (devices_->device(r) == *current) return selectDevice(r);
  // The list fed by a query may hold the device further down, not fetched yet.
  if (current && !department_ && current->contains(devices_->filterBox()->text(), Qt::CaseInsensitive)) {
    showDevice(current);
    if (!shownTests_.isEmpty() || !shownWaves_.isEmpty()) return;  // still there, further down the list
  }
  selectDevice(devices_->rowCount() > 0 ? 0 : -1);
}

void TArchiveWindow::showStatus() {
  if (departmentAsked_)
    statusBar()->showMessage(QStringLiteral("Reading the department's archive..."));
  else if (devices_->sortingByMarks())
    statusBar()->showMessage(QStringLiteral("Working out every device's near-limit mark to sort by it..."));
  else if (department_)
    statusBar()->showMessage(QStringLiteral("Department: ") + departmentAddress_ + QStringLiteral(" (read only)"));
  else
    statusBar()->showMessage(displayPath(local_->path()) +
                             (local_->readOnly() ? QStringLiteral(" (read only)") : QString()));
}

bool TArchiveWindow::busy() const { return reader_ && reader_->busy(); }

void TArchiveWindow::selectDevice(int row) {
  const std::optional<QString> device = row < 0 ? std::nullopt : std::optional(devices_->device(row));
  devices_->selectRow(row);  // shows the device when its row becomes the current one
  if (device != shownDevice_ || !device) showDevice(device);
}

// The device's records; a device I.D. that is blank (a report without one) is
// a device too. None: no device is shown.
void TArchiveWindow::showDevice(const std::optional<QString>& device) {
  shownDevice_ = device;
  if (deviceDetails_) deviceDetails_->setEnabled(!readOnly() && device.has_value());
  // The list paints first: the device's details follow at once after it.
  detailsPending_ = !listPainted_;
  if (detailsPending_) return;
  if (department_ && device) {  // read in the background: nothing shows of it until it is read whole
    fillDevice({}, {}, {});
    devicePending_ = true;
    reader()->readDevice(*device);
    return;
  }
  ArchiveFailure failure;
  QList<ArchivedRecord> records =
      !device ? QList<ArchivedRecord>() : local_->records({.device = *device, .wholeDevice = true}, &failure);
  QList<HistoryPoint> points;
  if (device && failure.reason.isEmpty()) points = historyPoints(deviceTests(*local_, *device, &failure));
  // A device that could not be read whole shows nothing of it: no list, no
  // chart, and no mark worked out from part of its history.
  if (!failure.reason.isEmpty()) records.clear(), points.clear();
  fillDevice(records, points, failure);
}

void TArchiveWindow::fillDevice(const QList<ArchivedRecord>& records, QList<HistoryPoint> points,
                                const ArchiveFailure& failure) {
  shownTests_.clear();
  shownWaves_.clear();
  QList<QStringList> testRows, waveRows;
  for (const ArchivedRecord& r : std::as_const(records)) {
    if (r.kind == ArchiveKind::TestReport) {
      shownTests_.append(r);
      testRows.append({testedText(r.tested), r.analyzer, r.title,
                       r.passed ? QStringLiteral("PASS") : QStringLiteral("FAIL")});
    } else {
      shownWaves_.append(r);
      waveRows.append({testedText(r.tested),
                       r.kind == ArchiveKind::Capture ? QStringLiteral("Capture") : QStringLiteral("Wave record"),
                       r.title, r.analyzer});
    }
  }
  fillList(tests_, testRows);
  fillList(waves_, waveRows);
  const QList<LimitWarning> warnings = nearLimitWarnings(points);
  chart_->setHistory(points);
  QStringList lines;
  for (const LimitWarning& w : warnings)
    lines << QStringLiteral("\u25B2 Near a limit: %1, test of %2: %3.").arg(w.value, testedText(w.tested), w.reason);
  if (!failure.reason.isEmpty()) lines << failure.message().replace(QLatin1Char('\n'), QLatin1Char(' '));
  nearLimit_->setText(lines.join(QLatin1Char('\n')));
  nearLimit_->setVisible(!lines.isEmpty());
  if (!failure.reason.isEmpty()) tellFailure(failure);
}

void TArchiveWindow::tellFailure(const ArchiveFailure& failure) {
  const QString text = failure.message();
  statusBar()->showMessage(QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')));
  if (told_.contains(text)) return;  // once a window: a damaged file is not said at every click
  told_.insert(text);
  services_.messages->show(text, QStringLiteral("Archive"), UserMessages::Icon::Warning);
}

// The commands act on what the user sees selected: none while the History tab
// shows, which selects nothing; Export writes test reports only.
void TArchiveWindow::updateCommands() {
  const int tab = details_->currentIndex();
  view_->setEnabled(tab != HistoryTab);
  remove_->setEnabled(tab != HistoryTab && !readOnly());
  // Device details are kept in this computer's archive.
  deviceDetails_->setEnabled(!readOnly() && shownDevice_.has_value());
  importDevices_->setEnabled(!readOnly());
  exportMenu_->setEnabled(tab == TestsTab);
  for (QAction* item : exportMenu_->actions()) item->setEnabled(tab == TestsTab);
  exportButton_->setEnabled(tab == TestsTab);
}

QList<ArchivedRecord> TArchiveWindow::selectedRecords() const {
  if (details_->currentIndex() == HistoryTab) return {};
  const bool tests = details_->currentIndex() == TestsTab;
  QTableWidget* list = tests ? tests_ : waves_;
  const QList<ArchivedRecord>& shown = tests ? shownTests_ : shownWaves_;
  QList<ArchivedRecord> selected;
  for (const QModelIndex& row : list->selectionModel()->selectedRows())
    if (row.row() < shown.size()) selected.append(shown[row.row()]);
  return selected;
}

void TArchiveWindow::openViewer(QWidget* viewer) {
  viewers_.append(viewer);
  viewer->show();
}

void TArchiveWindow::viewSelected() {
  const QList<ArchivedRecord> selected = selectedRecords();
  QList<ShownReport> reports;
  for (const ArchivedRecord& r : selected) {
    if (r.bytes.size() != archiveRecordSize(r.kind)) continue;  // a damaged row is never read past its end
    if (r.kind == ArchiveKind::TestReport) {
      const TTestRec rec = testRecFromBytes(r.bytes.constData());
      reports.append({rec, r.number - 1, renderTestReport(rec, r.number - 1, r.analyzer)});
    } else {
      const Waveform wave = r.kind == ArchiveKind::Capture ? decodeCapture(r.bytes)
                                                           : decodeWaveRecord(waveRecordFromBytes(r.bytes.constData()));
      openViewer(new TWaveformViewer(services_, wave));
    }
  }
  if (!reports.isEmpty()) openViewer(new TTestReportViewer(services_, reports));
}

void TArchiveWindow::exportSelected(Export what) {
  QList<ShownReport> reports;
  for (const ArchivedRecord& r : selectedRecords()) {
    if (r.kind != ArchiveKind::TestReport || r.bytes.size() != TTestRec::Size) continue;
    const TTestRec rec = testRecFromBytes(r.bytes.constData());
    reports.append({rec, r.number - 1, renderTestReport(rec, r.number - 1, r.analyzer)});
  }
  if (reports.isEmpty()) return;
  // The viewer's own commands, so the dialogs, the files and the printout are the same.
  switch (what) {
    case Export::Text: saveReportsToText(this, services_, reports); break;
    case Export::Csv: saveReportsToCsv(this, services_, reports); break;
    case Export::Mup: saveReportsToMup(this, services_, reports); break;
    case Export::Print: {
      QList<QStringList> lines;
      for (const ShownReport& report : reports) lines.append(report.lines);
      printReports(this, services_, lines);
      break;
    }
  }
}

DepartmentReader* TArchiveWindow::reader() {
  if (reader_) return reader_;
  reader_ = new DepartmentReader(openDepartment_, this);
  connect(reader_, &DepartmentReader::busyChanged, this, [this](bool busy) {
    busy_->setVisible(busy);
    stop_->setVisible(busy);
  });
  connect(reader_, &DepartmentReader::opened, this, [this](const QString& address, const ArchiveFailure& notice) {
    departmentAddress_ = address;
    if (!notice.reason.isEmpty()) tellFailure(notice);  // a newer schema: read only, said once
  });
  connect(reader_, &DepartmentReader::devicesRead, this, &TArchiveWindow::departmentDevicesRead);
  connect(reader_, &DepartmentReader::warningsRead, this,
          [this](const QHash<QString, QList<LimitWarning>>& warnings, const ArchiveFailure& failure) {
            if (!department_) return;
            marksPending_ = false;
            if (!failure.reason.isEmpty()) {  // no mark from part of the histories
              devices_->setRowWarnings(std::nullopt);
              return tellFailure(failure);
            }
            devices_->setRowWarnings(warnings);
          });
  connect(reader_, &DepartmentReader::deviceRead, this,
          [this](const QString& device, const QList<ArchivedRecord>& records, const QList<HistoryPoint>& points,
                 const ArchiveFailure& failure) {
            if (!department_ || shownDevice_ != device) return;
            devicePending_ = false;
            fillDevice(records, points, failure);
          });
  return reader_;
}

void TArchiveWindow::showSource(int source) {
  if (source == Department && openDepartment_) {
    // Asked again, it is read again: the department's archive changes as others send.
    departmentAsked_ = true;
    if (source_) source_->setCurrentIndex(Department);
    reader()->readDevices();
    showStatus();
    return;
  }
  departmentAsked_ = false;
  if (reader_) reader_->cancel();
  if (source_) source_->setCurrentIndex(ThisComputer);
  if (!department_) return showStatus();
  department_ = false;
  marksPending_ = devicePending_ = false;
  devices_->setArchive(*local_);
  updateCommands();
  shownDevice_.reset();
  refresh();
}

void TArchiveWindow::departmentDevicesRead(const QList<DeviceRow>& rows, const ArchiveFailure& failure) {
  if (!departmentAsked_) return;  // this computer's archive was chosen meanwhile
  departmentAsked_ = false;
  if (!failure.reason.isEmpty()) {
    // Nothing of a list read in part: this computer's archive shows.
    services_.messages->show(failure.message(), QStringLiteral("Archive"), UserMessages::Icon::Error);
    return showSource(ThisComputer);
  }
  department_ = true;
  marksPending_ = true;
  devices_->showRows(rows);
  updateCommands();
  shownDevice_.reset();
  refresh();
}

// Stop: what showed before the read still shows, and what was not read says so.
void TArchiveWindow::departmentStopped() {
  if (departmentAsked_) {
    departmentAsked_ = false;
    if (source_) source_->setCurrentIndex(department_ ? Department : ThisComputer);
  }
  if (department_ && marksPending_) devices_->setRowWarnings(std::nullopt);
  marksPending_ = false;
  if (department_ && devicePending_) {
    nearLimit_->setText(QStringLiteral("Stopped: this device's records were not read."));
    nearLimit_->setVisible(true);
  }
  devicePending_ = false;
  statusBar()->showMessage(QStringLiteral("Stopped reading the department's archive."));
}

void TArchiveWindow::deleteSelected() {
  const QList<ArchivedRecord> selected = selectedRecords();
  if (selected.isEmpty() || readOnly()) return;
  QString question =
      selected.size() == 1 ? QStringLiteral("Delete 1 archived record? It cannot be brought back.")
                           : QStringLiteral("Delete %1 archived records? They cannot be brought back.").arg(selected.size());
  // The department's archive is the audit trail: what this computer has not sent yet still goes there.
  if (openDepartment_)
    question += QStringLiteral(" Deleting tidies this computer only: records not yet sent still go to the "
                               "department's archive.");
  if (services_.messages->show(question, QStringLiteral("Delete Archived Records"), UserMessages::Icon::Warning,
                               UserMessages::Buttons::YesNo) != UserMessages::Result::Yes)
    return;
  QList<qint64> ids;
  for (const ArchivedRecord& r : selected) ids.append(r.id);
  ArchiveFailure failure;
  if (!local_->remove(ids, &failure))
    services_.messages->show(failure.message(), QStringLiteral("Archive"), UserMessages::Icon::Error);
  refresh();
}

// Tab into a list that selects nothing selects its current row (its first at
// first), so that Enter views and Del deletes what the focus is on.
bool TArchiveWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == devices_->view()->viewport() && event->type() == QEvent::Paint && !listPainted_) {
    listPainted_ = true;
    QTimer::singleShot(0, this, [this] {
      if (detailsPending_) showDevice(shownDevice_);
    });
  }
  auto* list = qobject_cast<QTableWidget*>(watched);
  const auto byKey = [event] {
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    return reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason;
  };
  // Only Tab: a click that brings the focus selects what it clicks, nothing more.
  if (event->type() == QEvent::FocusIn && list && byKey() && list->rowCount() > 0 &&
      !list->selectionModel()->hasSelection())
    list->selectRow(std::max(list->currentRow(), 0));
  return QMainWindow::eventFilter(watched, event);
}

void TArchiveWindow::closeEvent(QCloseEvent* event) {
  if (services_.settings) saveWindowGeometry(*this, *services_.settings, kSection);
  for (const QPointer<QWidget>& viewer : std::as_const(viewers_))
    if (viewer) viewer->close();
  event->accept();
}

WorklistSource TArchiveWindow::worklistSource() const {
  if (department_ && openDepartment_) return openDepartment_;
  return local_->reopener();
}

// Edits the device selected (the shown one where none is), or sets the
// location or interval of every device selected.
void TArchiveWindow::editDeviceDetails() {
  if (readOnly() || !shownDevice_) return;
  QStringList devices = devices_->selectedDevices();
  if (devices.isEmpty()) devices = {*shownDevice_};
  ArchiveFailure failure;
  const std::optional<QList<Archive::DeviceDetail>> kept = local_->deviceDetails(&failure);
  if (!kept) return tellFailure(failure);
  QHash<QString, Archive::DeviceDetail> keptOf;
  for (const Archive::DeviceDetail& d : *kept) keptOf.insert(d.device, d);
  QList<Archive::DeviceDetail> details;
  for (const QString& device : std::as_const(devices))
    details << keptOf.value(device, Archive::DeviceDetail{device, QString(), std::nullopt, QString()});
  TDeviceDetailsDialog dialog(details, this);
  if (dialog.exec() != QDialog::Accepted) return;
  if (!local_->keepDeviceDetails(dialog.details(), &failure, &details)) {
    if (services_.messages)
      services_.messages->show(failure.message(), QStringLiteral("Device Details"), UserMessages::Icon::Error,
                               UserMessages::Buttons::Ok);
    return;
  }
  refresh();
  emit detailsKept();
}

// An inventory as a department's maintenance system exports it: each line is
// kept whole or refused with its reason; a file that cannot be read changes nothing.
void TArchiveWindow::importDevices() {
  if (readOnly() || !services_.files) return;
  const QString file = services_.files->openFile(this, QString(), QStringLiteral("CSV Files (*.csv);;All Files (*)"),
                                                 QStringLiteral("csv"));
  if (file.isEmpty()) return;
  const auto tell = [this](const QString& text, UserMessages::Icon icon) {
    if (services_.messages) services_.messages->show(text, QStringLiteral("Import Devices"), icon, UserMessages::Buttons::Ok);
  };
  QFile input(file);
  const bool opened = input.open(QIODevice::ReadOnly);
  const QByteArray bytes = opened ? input.readAll() : QByteArray();
  if (!opened || input.error() != QFileDevice::NoError)
    return tell(QStringLiteral("The file %1 could not be read: %2.").arg(QDir::toNativeSeparators(file), input.errorString()),
                UserMessages::Icon::Error);
  ArchiveFailure failure;
  const std::optional<DeviceImport> imported = importInventory(*local_, parseInventoryCsv(bytes), &failure);
  if (!imported) return tell(failure.message(), UserMessages::Icon::Error);
  refresh();
  emit detailsKept();
  tell(importSummary(*imported, 20), imported->refused.isEmpty() ? UserMessages::Icon::Information : UserMessages::Icon::Warning);
}

void TArchiveWindow::editTestIntervals() {
  if (!services_.settings) return;
  TTestIntervalsDialog dialog(duePolicy(*services_.settings), this);
  if (dialog.exec() != QDialog::Accepted) return;
  if (!keepDuePolicy(*services_.settings, dialog.policy())) {
    if (services_.messages)
      services_.messages->show(QStringLiteral("The test intervals could not be saved in the settings file."),
                               QStringLiteral("Test Intervals"), UserMessages::Icon::Error, UserMessages::Buttons::Ok);
    return;
  }
  refresh();
}
