#pragma once
#include "archive/archive.h"
#include "archive/departmentreader.h"
#include "archive/devicedue.h"
#include "maintenance/nearlimit.h"

#include <QHash>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <optional>

class QComboBox;
class QLineEdit;
class QSortFilterProxyModel;
class QTableView;
class TArchiveDeviceModel;

// The Archive window's list of devices: the filter box above it and one row a
// device, sorted by a click on any column's header. The rows come from the
// archive's query as they are shown. Sorted by the near-limit mark, every
// device's mark is first worked out in one pass on a thread of its own while
// the list stays usable in the order it had; the sort follows when the pass is
// done.
class TArchiveDeviceList : public QWidget {
  Q_OBJECT
 public:
  TArchiveDeviceList(const Archive& archive, QWidget* parent);
  ~TArchiveDeviceList() override;

  void setArchive(const Archive& archive);
  // The department's devices, read whole elsewhere: the list holds them, and
  // sorts and filters them itself (at refresh()), until setArchive() shows an
  // archive again.
  void showRows(const QList<DeviceRow>& rows);
  // The held devices' near-limit marks; none: they could not be worked out.
  void setRowWarnings(const std::optional<QHash<QString, QList<LimitWarning>>>& warnings);
  bool showsRows() const { return rowsMode_; }
  TArchiveDeviceModel* model() const { return devices_; }
  QTableView* view() const { return view_; }
  QLineEdit* filterBox() const { return filter_; }

  // Runs the query again with the filter and the sort shown.
  void refresh();
  // The rows fetched, in the list's order.
  int rowCount() const;
  QString device(int row) const;
  // Selects a row (none for -1), which makes it the current one.
  void selectRow(int row);
  // The devices of the selected rows, in the order shown.
  QStringList selectedDevices() const;
  // The test intervals and the day that due dates are worked out by, from the next refresh on.
  void setDuePolicy(const DuePolicy& policy, const QDate& today);
  // Which devices show by their due date: all, those overdue, those due
  // within the policy's days (overdue included); and those whose location
  // holds a text.
  enum class DueFilter { All, Overdue, DueSoon };
  void setDueFilter(DueFilter filter, const QString& location = QString());
  DueFilter dueFilter() const;
  QString locationFilter() const;
  // Whether the list waits for the near-limit marks to sort by them.
  bool sortingByMarks() const { return pass_ != nullptr; }

 signals:
  void currentDeviceChanged(const std::optional<QString>& device);
  // The filter's text changed and the user paused typing.
  void filterChanged();
  // The list could not be read whole; it shows nothing of it.
  void readFailed(const ArchiveFailure& failure);
  // The marks were worked out and the list is sorted by them.
  void sortedByMarks();

 private:
  void sizeColumns();
  void startMarksPass();
  void stopMarksPass();
  void marksReady(const QHash<QString, QList<LimitWarning>>& warnings, const QHash<QString, QList<Forecast>>& forecasts);
  // Sorts (and filters) every row of the query in the list, by what the query cannot.
  void sortAllRows();

  const Archive* archive_;
  QLineEdit* filter_ = nullptr;
  QComboBox* due_ = nullptr;
  QLineEdit* location_ = nullptr;
  DuePolicy policy_;
  QTableView* view_ = nullptr;
  TArchiveDeviceModel* devices_ = nullptr;
  class TDeviceRowsModel* rows_ = nullptr;
  bool rowsMode_ = false;
  class TDeviceDueFilter* sorted_ = nullptr;
  QTimer filterPause_;
  struct MarksPass;
  std::shared_ptr<MarksPass> pass_;  // the pass whose marks the list waits for
  QPointer<QThread> passThread_;     // the last pass's thread, while it runs
};
