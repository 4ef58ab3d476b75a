#pragma once
#include "archive/archive.h"
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
class TArchiveWindow : public QMainWindow {
  Q_OBJECT
 public:
  // Opens the department's archive when the user chooses it (the window does
  // not own it); null, with the failure, when it cannot be opened.
  using DepartmentOpener = std::function<Archive*(ArchiveFailure*)>;
  // Without an opener the window shows only this computer's archive.
  TArchiveWindow(const AppServices& services, Archive& archive, DepartmentOpener department = {});
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
  // The archive shown: this computer's or the department's.
  enum Source { ThisComputer, Department };
  void showSource(int source);
  const Archive& shownArchive() const { return *archive_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* buildDeviceSide();
  QWidget* buildDeviceDetails();
  void buildMenusAndTools();
  void showDevice(const std::optional<QString>& device);
  QList<ArchivedRecord> selectedRecords() const;  // of the list on the tab showing
  void openViewer(QWidget* viewer);
  void updateCommands();
  void showStatus();
  // Says once in a window, naming the file, that the archive could not be read.
  void tellFailure(const ArchiveFailure& failure);

  AppServices services_;
  Archive* local_;
  Archive* archive_;  // the one shown
  DepartmentOpener openDepartment_;
  QComboBox* source_ = nullptr;
  QAction* remove_ = nullptr;
  QAction* view_ = nullptr;
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
