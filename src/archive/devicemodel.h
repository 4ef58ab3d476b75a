#pragma once
#include "archive/departmentreader.h"
#include "archive/devicedue.h"
#include "archive/devicehistory.h"
#include "maintenance/forecast.h"
#include "maintenance/nearlimit.h"

#include <QHash>
#include <QAbstractTableModel>
#include <QSet>
#include <QSqlQueryModel>
#include <QTimer>
#include <optional>

class Archive;
struct ArchiveFailure;

// The devices under test of the archive, one row each, for the Archive window:
// device I.D., type, number of tests, last test, last verdict, the near-limit
// and forecast marks, and where the device is kept, when it is next due and how
// that stands. The rows come from one query and are fetched as they are shown;
// a device's marks are worked out from its history once its row has shown; its
// due date from its last test and what the user keeps about it.
class TArchiveDeviceModel : public QSqlQueryModel {
  Q_OBJECT
 public:
  enum Column { Device, Type, Tests, LastTest, LastVerdict, NearLimit, Forecast, Location, NextDue, Status, ColumnCount };
  // What a column sorts (and filters) by where the list does it itself: a mark
  // (1 marked, 0 not, -1 not read), the location case-folded, the due date's
  // day, the status (DueStatus).
  static constexpr int SortRole = Qt::UserRole + 1;

  explicit TArchiveDeviceModel(const Archive& archive, QObject* parent = nullptr);

  // Runs the query again: the devices whose I.D. holds `filter`, sorted by a
  // column (the mark, which the query does not know, by device I.D.).
  void refresh(const QString& filter, int sortColumn, Qt::SortOrder order);

  // Shows another archive's devices from the next refresh on.
  void setArchive(const Archive& archive);
  // The test intervals and the day that due dates are worked out by, from the next refresh on.
  void setDuePolicy(const DuePolicy& policy, const QDate& today);

  QString device(int row) const;
  // Why the device is near a limit: each value and the test that shows it;
  // none where its history could not be read whole.
  std::optional<QList<LimitWarning>> warnings(const QString& device) const;

  // A device's forecasts; none where its history could not be read whole.
  std::optional<QList<::Forecast>> forecasts(const QString& device) const;

  // Every device's marks at once (worked out in one pass), for sorting by them.
  void setAllMarks(const QHash<QString, QList<LimitWarning>>& warnings, const QHash<QString, QList<::Forecast>>& forecasts);

  void fetchMore(const QModelIndex& parent = QModelIndex()) override;

  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  static QVariant columnHeader(int section, Qt::Orientation orientation, int role);

 signals:
  // The list could not be read to its end: it is emptied rather than shown in part.
  void readFailed(const ArchiveFailure& failure);

 private:
  void checkRead();
  void readUnreadMarks();
  void readMarks(const QString& device) const;
  struct DueCells dueOf(int row) const;

  const Archive* archive_;
  DuePolicy policy_;
  QDate today_ = QDate::currentDate();
  QHash<QString, Archive::DeviceDetail> details_;  // read at each refresh
  mutable QHash<QString, std::optional<QList<LimitWarning>>> warnings_;
  mutable QHash<QString, std::optional<QList<::Forecast>>> forecasts_;
  bool allWarnings_ = false;  // warnings_ holds every device's
  mutable QSet<QString> unread_;  // devices shown whose marks are still to be read
  mutable QTimer readMarks_;
};

// The same list for the department's archive, read whole on the reader's
// thread (the window never waits on the server) and held here: sorted and
// filtered by the list itself, every column.
class TDeviceRowsModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit TDeviceRowsModel(QObject* parent = nullptr);
  void setRows(const QList<DeviceRow>& rows);
  void setDuePolicy(const DuePolicy& policy, const QDate& today);
  void setWarnings(const QHash<QString, QList<LimitWarning>>& warnings);
  // The marks could not be worked out (a failed or stopped read): each says so.
  void setWarningsUnread();
  QString device(int row) const;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

 private:
  QList<DeviceRow> rows_;
  QStringList sortKeys_;  // each row's device I.D., case-folded
  enum class Marks { Pending, Read, Unread };
  Marks marks_ = Marks::Pending;
  QHash<QString, QList<LimitWarning>> warnings_;
  DuePolicy policy_;
  QDate today_ = QDate::currentDate();
};
