#include "archive/devicelist.h"

#include "archive/devicemarks.h"
#include "archive/devicemodel.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QSortFilterProxyModel>
#include <QStyle>
#include <QTableView>
#include <QThread>
#include <QVBoxLayout>

namespace {
constexpr unsigned long kStopWaitMs = 2000;
}  // namespace

TArchiveDeviceList::TArchiveDeviceList(const Archive& archive, QWidget* parent) : QWidget(parent), archive_(&archive) {
  filter_ = new QLineEdit(this);
  filter_->setObjectName(QStringLiteral("txtArchiveFilter"));
  filter_->setPlaceholderText(QStringLiteral("Filter by device I.D."));
  filter_->setAccessibleName(filter_->placeholderText());
  filter_->setClearButtonEnabled(true);
  devices_ = new TArchiveDeviceModel(archive, this);
  rows_ = new TDeviceRowsModel(this);
  // In the query's order, or sorted here by what the query cannot sort by.
  sorted_ = new QSortFilterProxyModel(this);
  sorted_->setSourceModel(devices_);
  sorted_->setSortRole(TArchiveDeviceModel::SortRole);
  sorted_->setDynamicSortFilter(false);
  view_ = new QTableView(this);
  view_->setObjectName(QStringLiteral("sgArchiveDevices"));
  view_->setAccessibleName(QStringLiteral("Devices"));
  view_->setModel(sorted_);
  view_->setSelectionBehavior(QAbstractItemView::SelectRows);
  view_->setSelectionMode(QAbstractItemView::SingleSelection);
  view_->verticalHeader()->hide();
  view_->verticalHeader()->setDefaultSectionSize(20);
  view_->setAlternatingRowColors(true);
  view_->setTabKeyNavigation(false);
  QHeaderView* header = view_->horizontalHeader();
  header->setSortIndicatorShown(true);
  header->setSortIndicator(TArchiveDeviceModel::Device, Qt::AscendingOrder);
  header->setSectionsClickable(true);
  header->setStretchLastSection(true);
  sizeColumns();
  connect(header, &QHeaderView::sortIndicatorChanged, this, [this] { refresh(); });
  connect(devices_, &TArchiveDeviceModel::readFailed, this, &TArchiveDeviceList::readFailed);
  // The list is queried again once the user pauses typing, not at every key.
  filterPause_.setSingleShot(true);
  filterPause_.setInterval(200);
  connect(&filterPause_, &QTimer::timeout, this, &TArchiveDeviceList::filterChanged);
  connect(filter_, &QLineEdit::textChanged, &filterPause_, qOverload<>(&QTimer::start));
  connect(view_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex& current) {
    emit currentDeviceChanged(current.isValid() ? std::optional(device(current.row())) : std::nullopt);
  });
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(filter_);
  layout->addWidget(view_, 1);
}

// A pass still running when the window closes is given a moment to stop
// before the program goes on (and may end) without it.
TArchiveDeviceList::~TArchiveDeviceList() {
  stopMarksPass();
  if (passThread_) passThread_->wait(kStopWaitMs);
}

// Each column as wide as its header and a full date ("Mar 05, 2025 07:55:19 AM")
// need in the list's font, at any scaling.
void TArchiveDeviceList::sizeColumns() {
  const QFontMetrics metrics(view_->font());
  const int margin = 2 * view_->style()->pixelMetric(QStyle::PM_HeaderMargin) + 16;  // and the sort arrow
  const QString widest[] = {QStringLiteral("ICU-DEFIB-0000"), QStringLiteral("Defibrillator"), QStringLiteral("Tests"),
                            QStringLiteral("Mmm 00, 0000 00:00:00 AM"), QStringLiteral("Last Verdict")};
  for (int c = 0; c < int(std::size(widest)); ++c) {
    const int header = metrics.horizontalAdvance(devices_->headerData(c, Qt::Horizontal).toString());
    view_->setColumnWidth(c, std::max(header, metrics.horizontalAdvance(widest[c])) + margin);
  }
}

void TArchiveDeviceList::setArchive(const Archive& archive) {
  stopMarksPass();
  archive_ = &archive;
  devices_->setArchive(archive);
  if (rowsMode_) {
    rowsMode_ = false;
    rows_->setRows({});
    sorted_->setFilterFixedString(QString());
    sorted_->setSourceModel(devices_);
  }
}

void TArchiveDeviceList::showRows(const QList<DeviceRow>& rows) {
  stopMarksPass();
  rows_->setRows(rows);
  if (!rowsMode_) {
    rowsMode_ = true;
    sorted_->setSourceModel(rows_);
  }
}

void TArchiveDeviceList::setRowWarnings(const std::optional<QHash<QString, QList<LimitWarning>>>& warnings) {
  if (warnings) rows_->setWarnings(*warnings);
  else rows_->setWarningsUnread();
  if (rowsMode_ && view_->horizontalHeader()->sortIndicatorSection() == TArchiveDeviceModel::NearLimit) refresh();
}

void TArchiveDeviceList::refresh() {
  filterPause_.stop();
  stopMarksPass();
  const QHeaderView* header = view_->horizontalHeader();
  if (rowsMode_) {  // held here: filtered and sorted here
    sorted_->setFilterKeyColumn(TArchiveDeviceModel::Device);
    sorted_->setFilterCaseSensitivity(Qt::CaseInsensitive);
    sorted_->setFilterFixedString(filter_->text());
    sorted_->sort(header->sortIndicatorSection(), header->sortIndicatorOrder());
    return;
  }
  sorted_->sort(-1);  // the query's own order
  if (header->sortIndicatorSection() == TArchiveDeviceModel::NearLimit) {
    devices_->refresh(filter_->text(), TArchiveDeviceModel::Device, Qt::AscendingOrder);
    startMarksPass();
  } else {
    devices_->refresh(filter_->text(), header->sortIndicatorSection(), header->sortIndicatorOrder());
  }
}

int TArchiveDeviceList::rowCount() const { return sorted_->rowCount(); }

QString TArchiveDeviceList::device(int row) const {
  const int source = sorted_->mapToSource(sorted_->index(row, 0)).row();
  return rowsMode_ ? rows_->device(source) : devices_->device(source);
}

void TArchiveDeviceList::selectRow(int row) {
  if (row < 0) {
    view_->clearSelection();
    view_->setCurrentIndex(QModelIndex());
  } else {
    view_->selectRow(row);
  }
}

// What a pass shares with its thread: it holds nothing of the list's, so a
// pass that is stopped may end on its own after the list has gone.
struct TArchiveDeviceList::MarksPass {
  std::atomic<bool> stop = false;
  std::optional<QHash<QString, QList<LimitWarning>>> warnings;
  ArchiveFailure failure;
};

void TArchiveDeviceList::startMarksPass() {
  auto pass = std::make_shared<MarksPass>();
  QThread* thread = QThread::create([pass, reopen = archive_->reopener()] {
    if (std::unique_ptr<Archive> own = reopen(&pass->failure)) {
      pass->failure = {};  // a notice (read only) is no failure here
      pass->warnings = allNearLimitWarnings(*own, pass->stop, &pass->failure);
    }
  });
  connect(thread, &QThread::finished, thread, &QObject::deleteLater);
  connect(thread, &QThread::finished, this, [this, pass] {
    if (pass != pass_) return;  // stopped, or a later pass runs
    pass_.reset();
    if (pass->warnings) marksReady(*pass->warnings);
    else emit readFailed(pass->failure);
  });
  pass_ = pass;
  passThread_ = thread;
  thread->start();
}

// The pass is told to stop and left to end on its own: the list never waits
// for it (a department's server may take its time to answer).
void TArchiveDeviceList::stopMarksPass() {
  if (!pass_) return;
  pass_->stop = true;
  pass_.reset();
}

void TArchiveDeviceList::marksReady(const QHash<QString, QList<LimitWarning>>& warnings) {
  devices_->setAllWarnings(warnings);
  while (devices_->canFetchMore()) devices_->fetchMore();
  sorted_->sort(TArchiveDeviceModel::NearLimit, view_->horizontalHeader()->sortIndicatorOrder());
  emit sortedByMarks();
}
