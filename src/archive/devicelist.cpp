#include "archive/devicelist.h"

#include "archive/devicemarks.h"
#include "archive/devicemodel.h"
#include "archive/duecells.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QSortFilterProxyModel>
#include <QStyle>
#include <QTableView>
#include <algorithm>
#include <QThread>
#include <QVBoxLayout>

namespace {
constexpr unsigned long kStopWaitMs = 2000;

bool sortedHere(int column) { return column > TArchiveDeviceModel::LastVerdict; }
bool sortsByMarks(int column) { return column == TArchiveDeviceModel::NearLimit || column == TArchiveDeviceModel::Forecast; }
}  // namespace

// The list's own sorting, and the due filter: by status (Overdue; or anything
// due within the policy's days: overdue, due or never tested) and location.
class TDeviceDueFilter : public QSortFilterProxyModel {
 public:
  using QSortFilterProxyModel::QSortFilterProxyModel;
  void setDue(TArchiveDeviceList::DueFilter due, const QString& location) {
    due_ = due;
    location_ = location.trimmed().toCaseFolded();
    invalidateFilter();
  }
  bool filtering() const { return due_ != TArchiveDeviceList::DueFilter::All || !location_.isEmpty(); }
  TArchiveDeviceList::DueFilter due() const { return due_; }

 protected:
  bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
    if (!QSortFilterProxyModel::filterAcceptsRow(row, parent)) return false;
    const auto value = [&](int column) {
      return sourceModel()->index(row, column, parent).data(TArchiveDeviceModel::SortRole);
    };
    if (!location_.isEmpty() && !value(TArchiveDeviceModel::Location).toString().contains(location_)) return false;
    if (due_ == TArchiveDeviceList::DueFilter::All) return true;
    const int status = value(TArchiveDeviceModel::Status).toInt();
    if (status == kNotFollowed) return false;
    if (due_ == TArchiveDeviceList::DueFilter::Overdue) return DueStatus(status) == DueStatus::Overdue;
    return DueStatus(status) != DueStatus::Ok;
  }

 private:
  TArchiveDeviceList::DueFilter due_ = TArchiveDeviceList::DueFilter::All;
  QString location_;
};

TArchiveDeviceList::TArchiveDeviceList(const Archive& archive, QWidget* parent) : QWidget(parent), archive_(&archive) {
  filter_ = new QLineEdit(this);
  filter_->setObjectName(QStringLiteral("txtArchiveFilter"));
  filter_->setPlaceholderText(QStringLiteral("Filter by device I.D."));
  filter_->setAccessibleName(filter_->placeholderText());
  filter_->setClearButtonEnabled(true);
  devices_ = new TArchiveDeviceModel(archive, this);
  rows_ = new TDeviceRowsModel(this);
  // In the query's order, or sorted here by what the query cannot sort by.
  sorted_ = new TDeviceDueFilter(this);
  sorted_->setSourceModel(devices_);
  sorted_->setSortRole(TArchiveDeviceModel::SortRole);
  sorted_->setDynamicSortFilter(false);
  view_ = new QTableView(this);
  view_->setObjectName(QStringLiteral("sgArchiveDevices"));
  view_->setAccessibleName(QStringLiteral("Devices"));
  view_->setModel(sorted_);
  view_->setSelectionBehavior(QAbstractItemView::SelectRows);
  // Several devices are selected to set their location or interval at once.
  view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  view_->verticalHeader()->hide();
  view_->verticalHeader()->setDefaultSectionSize(20);
  view_->setAlternatingRowColors(true);
  view_->setTabKeyNavigation(false);
  // Its due columns follow its marks, scrolled into view where the window is narrow.
  view_->setProperty("kalyxScrollsSideways", true);
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
  due_ = new QComboBox(this);
  due_->setObjectName(QStringLiteral("cbArchiveDue"));
  due_->setAccessibleName(QStringLiteral("Show devices"));
  due_->addItems({QStringLiteral("All devices"), QStringLiteral("Overdue"), QString()});
  location_ = new QLineEdit(this);
  location_->setObjectName(QStringLiteral("txtArchiveLocation"));
  location_->setPlaceholderText(QStringLiteral("Filter by location"));
  location_->setAccessibleName(location_->placeholderText());
  location_->setClearButtonEnabled(true);
  setDuePolicy(policy_, QDate::currentDate());
  connect(due_, &QComboBox::currentIndexChanged, this, &TArchiveDeviceList::filterChanged);
  connect(location_, &QLineEdit::textChanged, &filterPause_, qOverload<>(&QTimer::start));
  connect(view_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex& current) {
    emit currentDeviceChanged(current.isValid() ? std::optional(device(current.row())) : std::nullopt);
  });
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(filter_);
  auto* dueRow = new QHBoxLayout;
  dueRow->addWidget(due_);
  dueRow->addWidget(location_, 1);
  layout->addLayout(dueRow);
  layout->addWidget(view_, 1);
  setTabOrder(filter_, due_);
  setTabOrder(due_, location_);
  setTabOrder(location_, view_);
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
  const QString widest[] = {QStringLiteral("ICU-DEFIB-0000"),  QStringLiteral("Defibrillator"),
                            QStringLiteral("Tests"),           QStringLiteral("Mmm 00, 0000 00:00:00 AM"),
                            QStringLiteral("Last Verdict"),    QStringLiteral("\u25B2 Near limit"),
                            QStringLiteral("\u25C6 Forecast"), QStringLiteral("Emergency Dept."),
                            QStringLiteral("Mmm 00, 0000"),    QStringLiteral("Never tested")};
  for (int c = 0; c < int(std::size(widest)); ++c) {
    const int header = metrics.horizontalAdvance(devices_->headerData(c, Qt::Horizontal).toString());
    view_->setColumnWidth(c, std::max(header, metrics.horizontalAdvance(widest[c])) + margin);
  }
}

void TArchiveDeviceList::setDuePolicy(const DuePolicy& policy, const QDate& today) {
  policy_ = policy;
  devices_->setDuePolicy(policy, today);
  rows_->setDuePolicy(policy, today);
  due_->setItemText(int(DueFilter::DueSoon), QStringLiteral("Due within %1 days").arg(policy.dueWithinDays));
}

void TArchiveDeviceList::setDueFilter(DueFilter filter, const QString& location) {
  const QSignalBlocker quiet(due_), still(location_);
  due_->setCurrentIndex(int(filter));
  location_->setText(location);
  refresh();
}

TArchiveDeviceList::DueFilter TArchiveDeviceList::dueFilter() const { return DueFilter(due_->currentIndex()); }

QString TArchiveDeviceList::locationFilter() const { return location_->text(); }

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
  sorted_->setDue(dueFilter(), location_->text());
  if (rowsMode_) {  // held here: filtered and sorted here
    sorted_->setFilterKeyColumn(TArchiveDeviceModel::Device);
    sorted_->setFilterCaseSensitivity(Qt::CaseInsensitive);
    sorted_->setFilterFixedString(filter_->text());
    sorted_->sort(header->sortIndicatorSection(), header->sortIndicatorOrder());
    return;
  }
  sorted_->sort(-1);  // the query's own order
  const int column = header->sortIndicatorSection();
  if (sortsByMarks(column)) {
    devices_->refresh(filter_->text(), TArchiveDeviceModel::Device, Qt::AscendingOrder);
    startMarksPass();
  } else if (sortedHere(column)) {
    devices_->refresh(filter_->text(), TArchiveDeviceModel::Device, Qt::AscendingOrder);
    sortAllRows();
  } else {
    devices_->refresh(filter_->text(), column, header->sortIndicatorOrder());
    // The due filter sees every row: the list holds those it lets through.
    if (sorted_->filtering()) {
      while (devices_->canFetchMore()) devices_->fetchMore();
      sorted_->setDue(dueFilter(), location_->text());
    }
  }
}

void TArchiveDeviceList::sortAllRows() {
  while (devices_->canFetchMore()) devices_->fetchMore();
  sorted_->setDue(dueFilter(), location_->text());
  sorted_->sort(view_->horizontalHeader()->sortIndicatorSection(), view_->horizontalHeader()->sortIndicatorOrder());
}

int TArchiveDeviceList::rowCount() const { return sorted_->rowCount(); }

QString TArchiveDeviceList::device(int row) const {
  const int source = sorted_->mapToSource(sorted_->index(row, 0)).row();
  return rowsMode_ ? rows_->device(source) : devices_->device(source);
}

QStringList TArchiveDeviceList::selectedDevices() const {
  QList<int> rows;
  for (const QModelIndex& index : view_->selectionModel()->selectedRows()) rows << index.row();
  std::sort(rows.begin(), rows.end());
  QStringList devices;
  for (int row : std::as_const(rows)) devices << device(row);
  return devices;
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
  QHash<QString, QList<Forecast>> forecasts;
  ArchiveFailure failure;
};

void TArchiveDeviceList::startMarksPass() {
  auto pass = std::make_shared<MarksPass>();
  QThread* thread = QThread::create([pass, reopen = archive_->reopener()] {
    if (std::unique_ptr<Archive> own = reopen(&pass->failure)) {
      pass->failure = {};  // a notice (read only) is no failure here
      pass->warnings = allNearLimitWarnings(*own, pass->stop, &pass->failure, &pass->forecasts);
    }
  });
  connect(thread, &QThread::finished, thread, &QObject::deleteLater);
  connect(thread, &QThread::finished, this, [this, pass] {
    if (pass != pass_) return;  // stopped, or a later pass runs
    pass_.reset();
    if (pass->warnings) marksReady(*pass->warnings, pass->forecasts);
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

void TArchiveDeviceList::marksReady(const QHash<QString, QList<LimitWarning>>& warnings,
                                    const QHash<QString, QList<Forecast>>& forecasts) {
  devices_->setAllMarks(warnings, forecasts);
  sortAllRows();
  emit sortedByMarks();
}
