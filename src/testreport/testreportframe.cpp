#include "testreport/testreportframe.h"

#include "core/fileprompts.h"
#include "core/initialdir.h"
#include "core/recordkeeper.h"
#include "core/settingsfile.h"
#include "core/toolicons.h"
#include "core/usermessages.h"
#include "device/commprogress.h"
#include "device/transfers.h"
#include "device/transport.h"
#include "grid/frametoolbar.h"
#include "grid/listpage.h"
#include "grid/stringgridex.h"
#include "testreport/testreportlist.h"
#include "testreport/testreportpictures.h"
#include "testreport/testreportviewer.h"

#include <QAction>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QToolBar>

using namespace testreportlist;

namespace {
const QString kOpenDialogSection = QStringLiteral("OpenDialogTestReport");
}

TTestReportFrame::TTestReportFrame(const AppServices& services, QWidget* parent)
    : TListFrame(parent), services_(services), progress_(std::make_unique<CommProgressHost>(this, *services.messages)) {
  ListColumns columns = recordColumns(records_, kColumnCount, columnHeader, cellText, sortKey, sortKind);
  // The Overall Pass column shows a badge; a screen reader says its word.
  columns.spokenText = [this](int index, int column) {
    return column == kPassColumn ? (testRecPassed(records_[index]) ? QStringLiteral("PASS") : QStringLiteral("FAIL"))
                                 : QString();
  };
  columns.widths = {84, 64, 64, 64, 66, 296};
  columns.widest = {{QString::number(kTestReportRecords.limit)}, {kLongestDeviceId},
                    {QStringLiteral("Defibrillator"), QStringLiteral("AED")}, longestDateTimeTexts(),
                    {QStringLiteral("Autosequence 00"), QStringLiteral("Manual")}};
  columns.maximum = kTestReportRecords.limit;
  columns.noun = QStringLiteral("Test Reports");
  addTools(installList(QStringLiteral("sgTestReport"), QStringLiteral("StatusBar1"), std::move(columns),
                       QStringLiteral("ToolBar1"), services_.settings));
  addToBar(buildSearch());
  listPage()->addViewMenu([this] { tbViewTestReportClick(); });

  TStringGridEx* sg = listPage()->grid();
  QWidget::setTabOrder(txtSearch_, sg);  // the search box sits above the list: Tab meets it first
  sg->onDrawCell = [this](QPainter& p, const QRect& r, int column, int row) { drawPassCell(p, r, column, row); };
  connect(sg, &TStringGridEx::gridDblClick, this, &TTestReportFrame::sgTestReportDblClick);

  setCommands({{FrameCommand::Open, [this] { tbOpenClick(); }},
               {FrameCommand::SelectAll, [this] { tbSelectAllClick(); }},
               {FrameCommand::Download, [this] { tbDownloadClick(); }},
               {FrameCommand::SearchFocus, [this] { focusSearch(); }}});
}

TTestReportFrame::~TTestReportFrame() = default;

void TTestReportFrame::addTools(QToolBar* toolbar) {
  const auto addTool = [toolbar](const char* name, const QIcon& icon, const QString& hint) {
    return addFrameTool(toolbar, name, icon, hint);
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
}

QWidget* TTestReportFrame::buildSearch() {
  auto* search = new QWidget(this);
  search->setObjectName(QStringLiteral("panelSearch"));
  search->setFixedWidth(186);
  auto* magnifier = new QLabel(search);
  magnifier->setPixmap(searchPicture());
  magnifier->setAccessibleName(QStringLiteral("Search"));
  txtSearch_ = new QLineEdit(search);
  txtSearch_->setObjectName(QStringLiteral("txtSearch"));
  txtSearch_->setFixedWidth(137);
  txtSearch_->setMaxLength(32);
  txtSearch_->setToolTip(QStringLiteral("Search Test Reports"));
  txtSearch_->setAccessibleName(QStringLiteral("Search Test Reports"));
  txtSearch_->installEventFilter(this);
  connect(txtSearch_, &QLineEdit::textChanged, this, &TTestReportFrame::txtSearchChange);
  imgSearchCancel_ = new QLabel(search);
  imgSearchCancel_->setObjectName(QStringLiteral("imgSearchCancel"));
  imgSearchCancel_->setPixmap(searchCancelInactivePicture());
  imgSearchCancel_->setToolTip(QStringLiteral("Cancel Search"));
  imgSearchCancel_->setAccessibleName(QStringLiteral("Cancel Search"));
  imgSearchCancel_->setCursor(Qt::PointingHandCursor);
  imgSearchCancel_->installEventFilter(this);
  auto* searchLayout = new QHBoxLayout(search);
  searchLayout->setContentsMargins(2, 0, 4, 0);
  searchLayout->setSpacing(4);
  searchLayout->addWidget(magnifier);
  searchLayout->addWidget(txtSearch_);
  searchLayout->addWidget(imgSearchCancel_);
  return search;
}

bool TTestReportFrame::eventFilter(QObject* watched, QEvent* event) {
  if (watched == imgSearchCancel_) {
    if (event->type() == QEvent::Enter) imgSearchCancel_->setPixmap(searchCancelActivePicture());
    else if (event->type() == QEvent::Leave) imgSearchCancel_->setPixmap(searchCancelInactivePicture());
    else if (event->type() == QEvent::MouseButtonPress) imgSearchCancelClick();
  } else if (watched == txtSearch_ && (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride)) {
    // Ctrl+A is Select All of the test reports (a search hides none from it), also
    // while the user is in the box: the key comes to the box, not to the menu's
    // shortcut, and selects the reports instead of the box's text.
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::SelectAll)) {
      key->accept();
      if (event->type() == QEvent::KeyPress) tbSelectAllClick();
      return true;
    }
    if (event->type() == QEvent::KeyPress && key->key() == Qt::Key_Escape) {
      txtSearch_->clear();
      return true;
    }
  }
  return TListFrame::eventFilter(watched, event);
}

void TTestReportFrame::focusSearch() {
  txtSearch_->setFocus(Qt::ShortcutFocusReason);
  txtSearch_->selectAll();
}

void TTestReportFrame::imgSearchCancelClick() { txtSearch_->clear(); }

void TTestReportFrame::drawPassCell(QPainter& painter, const QRect& rect, int column, int row) const {
  const TStringGridEx* sg = grid();
  if (column != kPassColumn || sg->getDispLstSize() == 0) return;
  const int index = sg->getDispLst(row - 1);
  if (index < 0 || index >= records_.size()) return;
  const QPixmap picture = testRecPassed(records_[index]) ? passPicture() : failPicture();
  const int width = qRound(picture.deviceIndependentSize().width());
  painter.drawPixmap(rect.left() + rect.width() / 2 - width / 2, rect.top() + 1, picture);
}

void TTestReportFrame::txtSearchChange() {
  if (records_.isEmpty()) return;
  const QString needle = searchNeedle(txtSearch_->text());
  if (needle.isEmpty()) listPage()->showAll();
  else listPage()->showMatching([this, &needle](int index) { return matchesSearch(records_[index], needle); });
}

void TTestReportFrame::tbDownloadClick() {
  DeviceLink link{*services_.driver, *services_.messages};
  QList<QByteArray> received;
  const bool done = runDownload(link, *progress_, kTestReportRecords, swapTestRec,
                                [this, &received](const SystemInfo& info, const QList<QByteArray>& blocks) {
                                  received = blocks;
                                  records_.clear();
                                  for (const QByteArray& block : blocks)
                                    records_.append(testRecFromBytes(block.constData()));
                                  systemInfo_ = info;
                                  {
                                    const QSignalBlocker quiet(txtSearch_);
                                    txtSearch_->clear();
                                  }
                                  listPage()->recordsReplaced();
                                });
  // Kept once the list shows them and the dialog its finished text.
  if (done && services_.keeper) services_.keeper->keep(ArchiveKind::TestReport, systemInfo_.analyzerId(), received);
}

void TTestReportFrame::tbSelectAllClick() { selectAll(); }

void TTestReportFrame::tbViewTestReportClick() {
  const QList<int> indexes = listPage()->selectedIndexes();
  if (!indexes.isEmpty()) openViewer(indexes);
}

void TTestReportFrame::sgTestReportDblClick() {
  const int index = listPage()->currentRecord();
  if (index >= 0) openViewer({index});
}

void TTestReportFrame::openViewer(const QList<int>& indexes) {
  listPage()->addViewer(new TTestReportViewer(services_, records_, indexes, systemInfo_.analyzerId()));
}

void TTestReportFrame::tbOpenClick() {
  SettingsFile& settings = *services_.settings;
  const QStringList files =
      services_.files->openFiles(window(), readInitialDir(settings, kOpenDialogSection),
                                 QStringLiteral("Text Files (*.txt);;All Files (*.*)"), QStringLiteral("txt"));
  if (files.isEmpty()) return;
  if (!QFileInfo::exists(files.first())) {
    services_.messages->show(QStringLiteral("File does not exist."), QStringLiteral("Error opening file"),
                             UserMessages::Icon::Error);
    return;
  }
  writeInitialDir(settings, kOpenDialogSection, QFileInfo(files.first()).absolutePath());
  listPage()->addViewer(new TTestReportViewer(services_, files));
}
