#include "testreportframe.h"

#include "commprogress.h"
#include "fileprompts.h"
#include "initialdir.h"
#include "settingsfile.h"
#include "stringgridex.h"
#include "testreportlist.h"
#include "testreportpictures.h"
#include "testreportviewer.h"
#include "transfers.h"
#include "transport.h"
#include "usermessages.h"

#include <QAction>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

using namespace testreportlist;

TTestReportFrame::TTestReportFrame(const AppServices& services, QWidget* parent)
    : QWidget(parent), services_(services), progress_(std::make_unique<CommProgressHost>(this, *services.messages)) {
  auto* bar = new QWidget(this);
  bar->setFixedHeight(32);
  buildToolbar(bar);

  sgTestReport_ = new TStringGridEx(this);
  sgTestReport_->setObjectName(QStringLiteral("sgTestReport"));
  sgTestReport_->setColumnCount(kColumnCount);
  QStringList headers;
  for (int c = 0; c < kColumnCount; ++c) headers << columnHeader(c);
  sgTestReport_->setHorizontalHeaderLabels(headers);
  const int widths[kColumnCount] = {84, 64, 64, 64, 66, 296};
  for (int c = 0; c < kColumnCount; ++c) sgTestReport_->setColumnWidth(c, widths[c]);
  sgTestReport_->onDrawCell = [this](QPainter& p, const QRect& r, int column, int row) { drawPassCell(p, r, column, row); };

  popup_ = new QMenu(this);
  pmView_ = popup_->addAction(QStringLiteral("View"));
  pmView_->setObjectName(QStringLiteral("pmView"));
  connect(pmView_, &QAction::triggered, this, &TTestReportFrame::tbViewTestReportClick);
  sgTestReport_->setPopupMenu(popup_);
  connect(sgTestReport_, &TStringGridEx::popupRequested, this,
          [this] { pmView_->setEnabled(sgTestReport_->getDispLstSize() > 0); });
  connect(sgTestReport_, &TStringGridEx::headerPressed, this, &TTestReportFrame::sgTestReportHeaderPressed);
  connect(sgTestReport_, &TStringGridEx::gridDblClick, this, &TTestReportFrame::sgTestReportDblClick);

  statusBar_ = new QStatusBar(this);
  statusBar_->setObjectName(QStringLiteral("StatusBar1"));
  statusBar_->setSizeGripEnabled(false);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(bar);
  layout->addWidget(sgTestReport_, 1);
  layout->addWidget(statusBar_);
  fillGrid();
}

TTestReportFrame::~TTestReportFrame() {
  SettingsFile settings = appSettings();
  sgTestReport_->saveGridSettings(settings);
}

void TTestReportFrame::buildToolbar(QWidget* bar) {
  auto* toolbar = new QToolBar(bar);
  toolbar->setObjectName(QStringLiteral("ToolBar1"));
  toolbar->setIconSize(QSize(24, 24));
  toolbar->setMovable(false);
  const auto addTool = [toolbar](const char* name, const QIcon& icon, const QString& hint) {
    QAction* action = toolbar->addAction(icon, hint);
    action->setObjectName(QString::fromLatin1(name));
    action->setToolTip(hint);
    if (auto* button = qobject_cast<QToolButton*>(toolbar->widgetForAction(action))) {
      button->setFixedSize(40, 32);
      button->setAutoRaise(true);
    }
    return action;
  };
  connect(addTool("tbOpen", openIcon(), QStringLiteral("Open Test Report")), &QAction::triggered, this,
          &TTestReportFrame::tbOpenClick);
  toolbar->addSeparator();
  connect(addTool("tbDownload", downloadIcon(), QStringLiteral("Download Test Reports")), &QAction::triggered, this,
          &TTestReportFrame::tbDownloadClick);
  toolbar->addSeparator();
  connect(addTool("tbSelectAll", selectAllIcon(), QStringLiteral("Select All")), &QAction::triggered, this,
          &TTestReportFrame::tbSelectAllClick);
  connect(addTool("tbViewTestReport", viewIcon(), QStringLiteral("View Selected Test Reports")), &QAction::triggered,
          this, &TTestReportFrame::tbViewTestReportClick);

  auto* search = new QWidget(bar);
  search->setObjectName(QStringLiteral("panelSearch"));
  search->setFixedWidth(186);
  auto* magnifier = new QLabel(search);
  magnifier->setPixmap(searchPicture());
  txtSearch_ = new QLineEdit(search);
  txtSearch_->setObjectName(QStringLiteral("txtSearch"));
  txtSearch_->setFixedWidth(137);
  txtSearch_->setMaxLength(32);
  txtSearch_->setToolTip(QStringLiteral("Search Test Reports"));
  txtSearch_->installEventFilter(this);
  connect(txtSearch_, &QLineEdit::textChanged, this, &TTestReportFrame::txtSearchChange);
  imgSearchCancel_ = new QLabel(search);
  imgSearchCancel_->setObjectName(QStringLiteral("imgSearchCancel"));
  imgSearchCancel_->setPixmap(searchCancelInactivePicture());
  imgSearchCancel_->setToolTip(QStringLiteral("Cancel Search"));
  imgSearchCancel_->setCursor(Qt::PointingHandCursor);
  imgSearchCancel_->installEventFilter(this);
  auto* searchLayout = new QHBoxLayout(search);
  searchLayout->setContentsMargins(2, 0, 4, 0);
  searchLayout->setSpacing(4);
  searchLayout->addWidget(magnifier);
  searchLayout->addWidget(txtSearch_);
  searchLayout->addWidget(imgSearchCancel_);

  auto* layout = new QHBoxLayout(bar);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(toolbar);
  layout->addStretch(1);
  layout->addWidget(search);
}

bool TTestReportFrame::eventFilter(QObject* watched, QEvent* event) {
  if (watched == imgSearchCancel_) {
    if (event->type() == QEvent::Enter) imgSearchCancel_->setPixmap(searchCancelActivePicture());
    else if (event->type() == QEvent::Leave) imgSearchCancel_->setPixmap(searchCancelInactivePicture());
    else if (event->type() == QEvent::MouseButtonPress) imgSearchCancelClick();
  } else if (watched == txtSearch_ && event->type() == QEvent::KeyPress &&
             static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    txtSearch_->clear();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void TTestReportFrame::focusSearch() {
  txtSearch_->setFocus(Qt::ShortcutFocusReason);
  txtSearch_->selectAll();
}

void TTestReportFrame::imgSearchCancelClick() { txtSearch_->clear(); }

QString TTestReportFrame::statusText() const { return statusBar_->currentMessage(); }

void TTestReportFrame::updateStatus() { statusBar_->showMessage(testreportlist::statusText(sgTestReport_->getDispLstSize())); }

void TTestReportFrame::sortAndFill() {
  if (sgTestReport_->getDispLstSize() > 0)
    sgTestReport_->setDispLst(
        ordered(records_, sgTestReport_->dispLst(), sgTestReport_->sortColumn(), sgTestReport_->ascending()));
  fillGrid();
}

void TTestReportFrame::fillGrid() {
  TStringGridEx* grid = sgTestReport_;
  grid->setUpdatesEnabled(false);
  grid->setDataRowCount(grid->getDispLstSize());
  for (int r = 0; r < grid->getDispLstSize(); ++r) {
    const int index = grid->getDispLst(r);
    for (int c = 0; c < kPassColumn; ++c) grid->setCellText(r + 1, c, cellText(records_[index], index, c));
  }
  grid->setUpdatesEnabled(true);
  grid->viewport()->update();
}

void TTestReportFrame::drawPassCell(QPainter& painter, const QRect& rect, int column, int row) const {
  if (column != kPassColumn || sgTestReport_->getDispLstSize() == 0) return;
  const int index = sgTestReport_->getDispLst(row - 1);
  if (index < 0 || index >= records_.size()) return;
  const QPixmap picture = testRecPassed(records_[index]) ? passPicture() : failPicture();
  painter.drawPixmap(rect.left() + rect.width() / 2 - picture.width() / 2, rect.top() + 1, picture);
}

void TTestReportFrame::sgTestReportHeaderPressed(int column) {
  TStringGridEx* grid = sgTestReport_;
  if (column == grid->sortColumn()) {
    grid->setAscending(!grid->ascending());
  } else {
    grid->setSortColumn(column);
    grid->setAscending(true);
  }
  if (grid->getDispLstSize() > 0) sortAndFill();
  grid->horizontalHeader()->viewport()->update();
  grid->viewport()->update();
}

void TTestReportFrame::txtSearchChange() {
  if (records_.isEmpty()) return;
  TStringGridEx* grid = sgTestReport_;
  const QString needle = searchNeedle(txtSearch_->text());
  grid->clearDispLst();
  for (int i = 0; i < records_.size(); ++i) {
    if (needle.isEmpty() || matchesSearch(records_[i], needle)) grid->addDispLst(i);
    else grid->setSelLst(i, false);  // a hidden record never stays selected
  }
  sortAndFill();
  updateStatus();
}

void TTestReportFrame::tbDownloadClick() {
  DeviceLink link{*services_.driver, *services_.messages};
  runDownload(link, *progress_, testReportDownload(swapTestRec),
              [this](const QByteArray& info, const QList<QByteArray>& blocks) {
                records_.clear();
                for (const QByteArray& block : blocks) records_.append(testRecFromBytes(block.constData()));
                systemInfo_ = info;
                {
                  const QSignalBlocker quiet(txtSearch_);
                  txtSearch_->clear();
                }
                TStringGridEx* grid = sgTestReport_;
                grid->clearDispLst();
                for (int i = 0; i < records_.size(); ++i) grid->addDispLst(i);
                sortAndFill();
                grid->setSelLstSize();
                const int row = qBound(1, grid->currentGridRow(), grid->getDispLstSize());
                grid->setCurrentGridRow(row);
                grid->selectRow(row);
                updateStatus();
              });
}

void TTestReportFrame::tbSelectAllClick() {
  TStringGridEx* grid = sgTestReport_;
  for (int i = 0; i < grid->getSelLstSize(); ++i) grid->setSelLst(i, true);
  grid->viewport()->update();
}

void TTestReportFrame::tbViewTestReportClick() {
  TStringGridEx* grid = sgTestReport_;
  if (grid->getSelLstSize() == 0) return;
  QList<int> indexes;
  for (int i = 0; i < grid->getSelLstSize() && i < records_.size(); ++i)
    if (grid->getSelLst(i)) indexes.append(i);
  if (indexes.isEmpty()) return;
  openViewer(new TTestReportViewer(services_, records_, indexes, systemInfo_));
}

void TTestReportFrame::sgTestReportDblClick() {
  TStringGridEx* grid = sgTestReport_;
  if (grid->getDispLstSize() == 0) return;
  const int row = grid->currentGridRow();
  if (row < 1 || row > grid->getDispLstSize()) return;
  openViewer(new TTestReportViewer(services_, records_, {grid->getDispLst(row - 1)}, systemInfo_));
}

void TTestReportFrame::tbOpenClick() {
  SettingsFile settings = appSettings();
  const QStringList files =
      services_.files->openFiles(window(), readInitialDir(settings, QStringLiteral("OpenDialogTestReport")),
                                 QStringLiteral("Text Files (*.txt);;All Files (*.*)"), QStringLiteral("txt"));
  if (files.isEmpty()) return;
  if (!QFileInfo::exists(files.first())) {
    services_.messages->show(QStringLiteral("File does not exist."), QStringLiteral("Error opening file"),
                             UserMessages::Icon::Error);
    return;
  }
  writeInitialDir(settings, QStringLiteral("OpenDialogTestReport"), QFileInfo(files.first()).absolutePath());
  openViewer(new TTestReportViewer(services_, files));
}

void TTestReportFrame::openViewer(TTestReportViewer* viewer) {
  viewers_.append(viewer);
  // The viewer is half destroyed when it says so: only its address is compared.
  connect(viewer, &QObject::destroyed, this, [this, viewer] { viewers_.removeAll(viewer); });
  viewer->show();
}
