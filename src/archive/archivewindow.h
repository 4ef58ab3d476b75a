#pragma once
#include "archive/archive.h"
#include "archive/departmentreader.h"
#include "archive/worklistcommands.h"
#include "core/appservices.h"

#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QSet>
#include <QTimer>
#include <functional>
#include <optional>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTableView;
class QTableWidget;
class QToolButton;
class TArchiveDeviceList;
class TArchiveDeviceModel;
class THistoryChart;

// The Archive window: the devices under test that the archive holds, one row
// each with the near-limit mark, a filter box and sorting; for the selected
// device its tests, its wave records and captures, and its history chart. View
// opens the selected records in the viewers, Export writes the selected reports
// as the test report viewer's commands do, Delete removes records after asking.
// Its own top-level window; the device list fetches its rows as they are shown.
// The department's archive, when one is named, is read on a thread of its own
// (DepartmentReader): the window shows that it is busy and can stop the read.
class TArchiveWindow : public QMainWindow {
  Q_OBJECT
 public:
  // Without an opener of the department's archive the window shows only this
  // computer's archive.
  TArchiveWindow(const AppServices& services, Archive& archive, DepartmentReader::Opener department = {});
  ~TArchiveWindow() override;

  TArchiveDeviceModel* deviceModel() const;
  TArchiveDeviceList* deviceList() const { return devices_; }
  THistoryChart* historyChart() const { return chart_; }
  // The device shown ("" for the reports without a device I.D.); empty when none is.
  QString shownDevice() const { return shownDevice_.value_or(QString()); }
  // Whether the shown device's details are shown: they follow the device
  // list's first paint.
  bool detailsShown() const { return listPainted_ && !detailsPending_; }
  // The selected device; -1 selects none.
  void selectDevice(int row);

  // What Export writes: the test report viewer's commands.
  enum class Export { Text, Csv, Mup, Print };
  void viewSelected();
  void exportSelected(Export what);
  void deleteSelected();
  void refresh();
  // The Devices menu: the shown device's details; an inventory read into the
  // archive's device details; the test intervals of each type.
  void editDeviceDetails();
  void importDevices();
  void editTestIntervals();
  // The archive shown: this computer's or the department's. The department's
  // is read in the background; it shows once its device list is read.
  enum Source { ThisComputer, Department };
  void showSource(int source);
  Source shownSource() const { return department_ ? Department : ThisComputer; }
  // Whether a read of the department's archive runs.
  bool busy() const;

 signals:
  // Device details were kept on this computer: they wait to be sent to the department.
  void detailsKept();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* buildDeviceSide();
  QWidget* buildDeviceDetails();
  void buildMenusAndTools();
  void showDevice(const std::optional<QString>& device);
  void fillDevice(const QList<ArchivedRecord>& records, QList<HistoryPoint> points,
                  const ArchiveFailure& failure);
  DepartmentReader* reader();
  void departmentDevicesRead(const QList<DeviceRow>& rows, const ArchiveFailure& failure);
  void departmentStopped();
  bool readOnly() const { return department_ || local_->readOnly(); }
  WorklistSource worklistSource() const;  // the archive shown, opened again for the worklist
  QList<ArchivedRecord> selectedRecords() const;  // of the list on the tab showing
  void openViewer(QWidget* viewer);
  void updateCommands();
  void showStatus();
  // Says once in a window, naming the file, that the archive could not be read.
  void tellFailure(const ArchiveFailure& failure);

  AppServices services_;
  Archive* local_;
  DepartmentReader::Opener openDepartment_;
  DepartmentReader* reader_ = nullptr;  // made at the first read of the department's archive
  bool department_ = false;             // the department's archive shows
  bool departmentAsked_ = false;        // it is asked for, its device list not read yet
  bool marksPending_ = false;           // its devices' near-limit marks are being read
  bool devicePending_ = false;          // the shown device's records are being read
  QString departmentAddress_;
  QComboBox* source_ = nullptr;
  QProgressBar* busy_ = nullptr;
  QPushButton* stop_ = nullptr;
  QAction* remove_ = nullptr;
  QAction* view_ = nullptr;
  QAction* deviceDetails_ = nullptr;
  QAction* importDevices_ = nullptr;
  QMenu* exportMenu_ = nullptr;
  TArchiveDeviceList* devices_ = nullptr;
  QLabel* nearLimit_ = nullptr;
  QTabWidget* details_ = nullptr;
  QTableWidget* tests_ = nullptr;
  QTableWidget* waves_ = nullptr;
  THistoryChart* chart_ = nullptr;
  QToolButton* exportButton_ = nullptr;
  std::optional<QString> shownDevice_;
  QList<ArchivedRecord> shownTests_;  // the records behind the two lists' rows
  QList<ArchivedRecord> shownWaves_;
  QList<QPointer<QWidget>> viewers_;
  QSet<QString> told_;
  bool listPainted_ = false;     // the device list has painted once
  bool detailsPending_ = false;  // the shown device's details wait for that
};
