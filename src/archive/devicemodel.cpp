#include "archive/devicemodel.h"

#include "archive/archive.h"
#include "archive/duecells.h"
#include "core/datetimetext.h"
#include "testreport/testrecord.h"

#include <QSqlQuery>

QVariant deviceCellText(int column, const QVariant& value) {
  switch (column) {
    case TArchiveDeviceModel::Type: {
      if (value.isNull()) return QVariant();
      TTestRec rec;
      rec.setU8(testrec::DutTypeByte, quint8(value.toInt()));
      return dutTypeName(rec);
    }
    case TArchiveDeviceModel::LastTest: {
      const QDateTime tested = QDateTime::fromString(value.toString(), Qt::ISODate);
      return tested.isValid() ? dateTimeText(CivilDateTime{tested.date(), tested.time()}) : QString();
    }
    case TArchiveDeviceModel::LastVerdict:  // none for a device with waveforms only
      return value.isNull() ? QVariant() : value.toInt() == 1 ? QStringLiteral("PASS") : QStringLiteral("FAIL");
    case TArchiveDeviceModel::Device: return value.toString().isEmpty() ? QStringLiteral("(no I.D.)") : value;
    default: return value;
  }
}

QVariant nearLimitCell(const std::optional<QList<LimitWarning>>& marks, int role) {
  if (!marks) return role == Qt::DisplayRole ? QStringLiteral("Not read") : QStringLiteral("Its history could not be read.");
  if (marks->isEmpty()) return {};
  if (role == Qt::DisplayRole) return QStringLiteral("\u25B2 Near limit");
  QStringList reasons;
  for (const LimitWarning& w : *marks) reasons << w.value + QStringLiteral(": ") + w.reason;
  return reasons.join(QLatin1Char('\n'));
}

TArchiveDeviceModel::TArchiveDeviceModel(const Archive& archive, QObject* parent)
    : QSqlQueryModel(parent), archive_(&archive) {
  readMarks_.setSingleShot(true);
  readMarks_.setInterval(0);
  connect(&readMarks_, &QTimer::timeout, this, &TArchiveDeviceModel::readUnreadMarks);
}

// The marks of the rows shown so far, read once the rows are painted: a list
// shows before any history is read, and never waits for one while it scrolls.
void TArchiveDeviceModel::readUnreadMarks() {
  const QSet<QString> devices = std::exchange(unread_, {});
  for (const QString& device : devices) readMarks(device);
  if (!devices.isEmpty() && rowCount() > 0) emit dataChanged(index(0, NearLimit), index(rowCount() - 1, Forecast));
}

void TArchiveDeviceModel::setArchive(const Archive& archive) {
  archive_ = &archive;
  warnings_.clear();
  forecasts_.clear();
  unread_.clear();
  allWarnings_ = false;
}

void TArchiveDeviceModel::setDuePolicy(const DuePolicy& policy, const QDate& today) {
  policy_ = policy;
  today_ = today;
}

void TArchiveDeviceModel::refresh(const QString& filter, int sortColumn, Qt::SortOrder order) {
  const auto sortBy = sortColumn >= Device && sortColumn <= LastVerdict ? Archive::DeviceColumn(sortColumn)
                                                                         : Archive::DeviceColumn::Device;
  warnings_.clear();
  forecasts_.clear();
  unread_.clear();
  allWarnings_ = false;
  // What the user keeps of each device (a small table), for the due columns.
  details_.clear();
  ArchiveFailure failure;
  if (const std::optional<QList<Archive::DeviceDetail>> details = archive_->deviceDetails(&failure)) {
    for (const Archive::DeviceDetail& d : *details) details_.insert(d.device, d);
  } else {
    clear();
    emit readFailed(failure);
    return;
  }
  setQuery(archive_->devices(filter, sortBy, order == Qt::AscendingOrder));
  checkRead();
}

void TArchiveDeviceModel::fetchMore(const QModelIndex& parent) {
  QSqlQueryModel::fetchMore(parent);
  checkRead();
}

void TArchiveDeviceModel::checkRead() {
  ArchiveFailure failure;
  if (archive_->readWhole(query(), &failure)) return;
  // Emptied once the view is done fetching: a list read in part is never shown.
  QMetaObject::invokeMethod(this, [this, failure] {
    clear();
    emit readFailed(failure);
  }, Qt::QueuedConnection);
}

QString TArchiveDeviceModel::device(int row) const {
  return QSqlQueryModel::data(QSqlQueryModel::index(row, Device)).toString();
}

// Both marks of a device from one read of its history.
void TArchiveDeviceModel::readMarks(const QString& device) const {
  if (warnings_.contains(device) || allWarnings_) return;
  ArchiveFailure failure;
  QList<HistoryPoint> points = historyPoints(deviceTests(*archive_, device, &failure));
  const bool read = failure.reason.isEmpty();
  warnings_.insert(device, read ? std::optional(nearLimitWarnings(points)) : std::nullopt);
  forecasts_.insert(device, read ? std::optional(::forecasts(points)) : std::nullopt);
}

std::optional<QList<LimitWarning>> TArchiveDeviceModel::warnings(const QString& device) const {
  readMarks(device);
  return allWarnings_ && !warnings_.contains(device) ? QList<LimitWarning>() : warnings_.value(device);
}

std::optional<QList<Forecast>> TArchiveDeviceModel::forecasts(const QString& device) const {
  readMarks(device);
  return allWarnings_ && !forecasts_.contains(device) ? QList<::Forecast>() : forecasts_.value(device);
}

void TArchiveDeviceModel::setAllMarks(const QHash<QString, QList<LimitWarning>>& warnings,
                                      const QHash<QString, QList<::Forecast>>& forecasts) {
  warnings_.clear();
  forecasts_.clear();
  for (auto w = warnings.begin(); w != warnings.end(); ++w) warnings_.insert(w.key(), w.value());
  for (auto f = forecasts.begin(); f != forecasts.end(); ++f) forecasts_.insert(f.key(), f.value());
  allWarnings_ = true;  // a device not among them has no test report, and so no mark
}

DueCells TArchiveDeviceModel::dueOf(int row) const {
  const QVariant type = QSqlQueryModel::data(QSqlQueryModel::index(row, Type));
  // The last test is a test report's: a device with waveforms only has none.
  const bool tested = QSqlQueryModel::data(QSqlQueryModel::index(row, Tests)).toInt() > 0;
  const QDateTime last = tested ? QDateTime::fromString(QSqlQueryModel::data(QSqlQueryModel::index(row, LastTest)).toString(), Qt::ISODate)
                                : QDateTime();
  const auto detail = details_.find(device(row));
  return dueCells(type.isNull() ? -1 : type.toInt(), last.isValid() ? std::optional(last.date()) : std::nullopt,
                  detail == details_.end() ? std::nullopt : std::optional(*detail), policy_, today_);
}

int TArchiveDeviceModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant TArchiveDeviceModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  if (role == Qt::TextAlignmentRole && index.column() == Tests) return int(Qt::AlignRight | Qt::AlignVCenter);
  switch (index.column()) {
    case Location: return locationCell(dueOf(index.row()), role);
    case NextDue: return nextDueCell(dueOf(index.row()), role);
    case Status: return statusCell(dueOf(index.row()), role);
    default: break;
  }
  const bool mark = index.column() == NearLimit || index.column() == Forecast;
  if (role == SortRole && mark) {
    if (index.column() == Forecast) return forecastCell(forecasts(device(index.row())), dueOf(index.row()), role);
    const std::optional<QList<LimitWarning>> marks = warnings(device(index.row()));
    return marks ? int(!marks->isEmpty()) : -1;
  }
  if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
  if (mark) {
    // A row shows at once; its marks follow as soon as its history is read.
    const QString shown = device(index.row());
    if (!warnings_.contains(shown) && !allWarnings_) {
      unread_.insert(shown);
      if (!readMarks_.isActive()) readMarks_.start();
      return {};
    }
    if (index.column() == Forecast) return forecastCell(forecasts(shown), dueOf(index.row()), role);
    return nearLimitCell(warnings(shown), role);
  }
  if (role != Qt::DisplayRole) return {};
  return deviceCellText(index.column(), QSqlQueryModel::data(index));
}

QVariant TArchiveDeviceModel::headerData(int section, Qt::Orientation orientation, int role) const {
  return columnHeader(section, orientation, role);
}

QVariant TArchiveDeviceModel::columnHeader(int section, Qt::Orientation orientation, int role) {
  static const char* const kHeaders[] = {"Device ID",  "Type",     "Tests",    "Last Test", "Last Verdict",
                                         "Near Limit", "Forecast", "Location", "Next Due",  "Status"};
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount) return {};
  return QString::fromLatin1(kHeaders[section]);
}

TDeviceRowsModel::TDeviceRowsModel(QObject* parent) : QAbstractTableModel(parent) {}

void TDeviceRowsModel::setRows(const QList<DeviceRow>& rows) {
  beginResetModel();
  rows_ = rows;
  sortKeys_.clear();
  sortKeys_.reserve(rows.size());
  for (const DeviceRow& row : rows) sortKeys_ << row.device.toCaseFolded();  // folded once, not at each comparison
  warnings_.clear();
  marks_ = Marks::Pending;
  endResetModel();
}

void TDeviceRowsModel::setDuePolicy(const DuePolicy& policy, const QDate& today) {
  policy_ = policy;
  today_ = today;
}

void TDeviceRowsModel::setWarnings(const QHash<QString, QList<LimitWarning>>& warnings) {
  warnings_ = warnings;
  marks_ = Marks::Read;
  if (!rows_.isEmpty())
    emit dataChanged(index(0, TArchiveDeviceModel::NearLimit), index(int(rows_.size()) - 1, TArchiveDeviceModel::NearLimit));
}

void TDeviceRowsModel::setWarningsUnread() {
  warnings_.clear();
  marks_ = Marks::Unread;
  if (!rows_.isEmpty())
    emit dataChanged(index(0, TArchiveDeviceModel::NearLimit), index(int(rows_.size()) - 1, TArchiveDeviceModel::NearLimit));
}

int TDeviceRowsModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(rows_.size()); }
int TDeviceRowsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : TArchiveDeviceModel::ColumnCount;
}

QVariant TDeviceRowsModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rows_.size()) return {};
  const DeviceRow& row = rows_[index.row()];
  const int column = index.column();
  if (column == TArchiveDeviceModel::NearLimit) {
    // Worked out for every device once the list shows: said to be under way until then.
    if (marks_ == Marks::Pending) {
      if (role == Qt::DisplayRole) return QStringLiteral("Reading...");
      if (role == Qt::ToolTipRole) return QStringLiteral("Its near-limit mark is being worked out.");
      return role == TArchiveDeviceModel::SortRole ? QVariant(0) : QVariant();
    }
    const std::optional<QList<LimitWarning>> marks =
        marks_ == Marks::Read ? std::optional(warnings_.value(row.device)) : std::nullopt;
    if (role == TArchiveDeviceModel::SortRole) return int(marks && !marks->isEmpty());
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) return nearLimitCell(marks, role);
    return {};
  }
  if (column >= TArchiveDeviceModel::Forecast) {
    // The department's forecasts are not worked out here: the due date follows
    // the details the department keeps, or the type's interval.
    const std::optional<Archive::DeviceDetail> detail =
        row.detailed ? std::optional(Archive::DeviceDetail{row.device, row.location, row.intervalMonths, QString()})
                     : std::nullopt;
    const DueCells due = dueCells(row.dutType, row.tests > 0 && row.last.isValid() ? std::optional(row.last.date()) : std::nullopt,
                                  detail, policy_, today_);
    switch (column) {
      case TArchiveDeviceModel::Location: return locationCell(due, role);
      case TArchiveDeviceModel::NextDue: return nextDueCell(due, role);
      case TArchiveDeviceModel::Status: return statusCell(due, role);
      default: return role == TArchiveDeviceModel::SortRole ? QVariant(-1) : QVariant();
    }
  }
  if (role == Qt::TextAlignmentRole && column == TArchiveDeviceModel::Tests) return int(Qt::AlignRight | Qt::AlignVCenter);
  QVariant value;
  switch (column) {
    case TArchiveDeviceModel::Device: value = row.device; break;
    case TArchiveDeviceModel::Type: value = row.dutType < 0 ? QVariant() : QVariant(row.dutType); break;
    case TArchiveDeviceModel::Tests: value = row.tests; break;
    case TArchiveDeviceModel::LastTest: value = row.last.isValid() ? QVariant(row.last.toString(Qt::ISODate)) : QVariant(); break;
    case TArchiveDeviceModel::LastVerdict: value = row.verdict < 0 ? QVariant() : QVariant(row.verdict); break;
  }
  if (role == TArchiveDeviceModel::SortRole)
    return column == TArchiveDeviceModel::Device ? QVariant(sortKeys_[index.row()]) : value;
  if (role == Qt::DisplayRole) return deviceCellText(column, value);
  return {};
}

QVariant TDeviceRowsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  return TArchiveDeviceModel::columnHeader(section, orientation, role);
}

QString TDeviceRowsModel::device(int row) const { return row >= 0 && row < rows_.size() ? rows_[row].device : QString(); }
