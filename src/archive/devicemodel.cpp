#include "archive/devicemodel.h"

#include "archive/archive.h"
#include "core/datetimetext.h"
#include "testreport/testrecord.h"

#include <QSqlQuery>

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
  for (const QString& device : devices) warnings(device);
  if (!devices.isEmpty() && rowCount() > 0) emit dataChanged(index(0, NearLimit), index(rowCount() - 1, NearLimit));
}

void TArchiveDeviceModel::setArchive(const Archive& archive) {
  archive_ = &archive;
  warnings_.clear();
  unread_.clear();
  allWarnings_ = false;
}

void TArchiveDeviceModel::refresh(const QString& filter, int sortColumn, Qt::SortOrder order) {
  const auto sortBy = sortColumn >= Device && sortColumn <= LastVerdict ? Archive::DeviceColumn(sortColumn)
                                                                         : Archive::DeviceColumn::Device;
  warnings_.clear();
  unread_.clear();
  allWarnings_ = false;
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

std::optional<QList<LimitWarning>> TArchiveDeviceModel::warnings(const QString& device) const {
  auto found = warnings_.find(device);
  if (found == warnings_.end() && allWarnings_) return QList<LimitWarning>();
  if (found == warnings_.end()) {
    ArchiveFailure failure;
    QList<HistoryPoint> points = historyPoints(deviceTests(*archive_, device, &failure));
    found = warnings_.insert(device, failure.reason.isEmpty() ? std::optional(nearLimitWarnings(points)) : std::nullopt);
  }
  return *found;
}

void TArchiveDeviceModel::setAllWarnings(const QHash<QString, QList<LimitWarning>>& warnings) {
  warnings_.clear();
  for (auto w = warnings.begin(); w != warnings.end(); ++w) warnings_.insert(w.key(), w.value());
  allWarnings_ = true;  // a device not among them has no test report, and so no mark
}

int TArchiveDeviceModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant TArchiveDeviceModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  if (role == Qt::TextAlignmentRole && index.column() == Tests) return int(Qt::AlignRight | Qt::AlignVCenter);
  if (role == SortRole && index.column() == NearLimit) {
    const std::optional<QList<LimitWarning>> marks = warnings(device(index.row()));
    return marks ? int(!marks->isEmpty()) : -1;
  }
  if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
  if (index.column() == NearLimit) {
    // A row shows at once; its mark follows as soon as its history is read.
    const QString shown = device(index.row());
    if (!warnings_.contains(shown) && !allWarnings_) {
      unread_.insert(shown);
      if (!readMarks_.isActive()) readMarks_.start();
      return {};
    }
    const std::optional<QList<LimitWarning>> marks = warnings(shown);
    if (!marks) return role == Qt::DisplayRole ? QStringLiteral("Not read") : QStringLiteral("Its history could not be read.");
    const QList<LimitWarning>& near = *marks;
    if (near.isEmpty()) return {};
    if (role == Qt::DisplayRole) return QStringLiteral("\u25B2 Near limit");
    QStringList reasons;
    for (const LimitWarning& w : near) reasons << w.value + QStringLiteral(": ") + w.reason;
    return reasons.join(QLatin1Char('\n'));
  }
  if (role != Qt::DisplayRole) return {};
  const QVariant value = QSqlQueryModel::data(index);
  switch (index.column()) {
    case Type: {
      if (value.isNull()) return QVariant();
      TTestRec rec;
      rec.setU8(testrec::DutTypeByte, quint8(value.toInt()));
      return dutTypeName(rec);
    }
    case LastTest: {
      const QDateTime tested = QDateTime::fromString(value.toString(), Qt::ISODate);
      return tested.isValid() ? dateTimeText(CivilDateTime{tested.date(), tested.time()}) : QString();
    }
    case LastVerdict:  // none for a device with waveforms only
      return value.isNull() ? QVariant() : value.toInt() == 1 ? QStringLiteral("PASS") : QStringLiteral("FAIL");
    case Device: return value.toString().isEmpty() ? QStringLiteral("(no I.D.)") : value;
    default: return value;
  }
}

QVariant TArchiveDeviceModel::headerData(int section, Qt::Orientation orientation, int role) const {
  static const char* const kHeaders[] = {"Device ID", "Type", "Tests", "Last Test", "Last Verdict", "Near Limit"};
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount) return {};
  return QString::fromLatin1(kHeaders[section]);
}
