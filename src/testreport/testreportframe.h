#pragma once
#include "appservices.h"
#include "testrecord.h"

#include <QByteArray>
#include <QList>
#include <QWidget>
#include <memory>

class CommProgressHost;
class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QStatusBar;
class TStringGridEx;
class TTestReportViewer;

// The test report page: downloads every test report of the analyzer, lists
// them with search and sorting, and opens viewers on the selected reports or
// on text reports saved earlier.
class TTestReportFrame : public QWidget {
  Q_OBJECT
 public:
  explicit TTestReportFrame(const AppServices& services, QWidget* parent = nullptr);
  ~TTestReportFrame() override;

  void tbOpenClick();
  void tbDownloadClick();
  void tbSelectAllClick();
  void tbViewTestReportClick();
  void focusSearch();

  TStringGridEx* grid() const { return sgTestReport_; }
  const QList<TTestRec>& records() const { return records_; }
  const QList<TTestReportViewer*>& viewers() const { return viewers_; }
  CommProgressHost* progressHost() const { return progress_.get(); }
  QString statusText() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildToolbar(QWidget* bar);
  void sgTestReportDblClick();
  void sgTestReportHeaderPressed(int column);
  void txtSearchChange();
  void imgSearchCancelClick();
  void sortAndFill();
  void fillGrid();
  void updateStatus();
  void openViewer(TTestReportViewer* viewer);
  void drawPassCell(QPainter& painter, const QRect& rect, int column, int row) const;

  AppServices services_;
  QList<TTestRec> records_;
  QByteArray systemInfo_ = QByteArray(37, '\0');
  QList<TTestReportViewer*> viewers_;  // open viewers; each leaves the list as it is destroyed
  std::unique_ptr<CommProgressHost> progress_;

  TStringGridEx* sgTestReport_ = nullptr;
  QLineEdit* txtSearch_ = nullptr;
  QLabel* imgSearchCancel_ = nullptr;
  QStatusBar* statusBar_ = nullptr;
  QAction* pmView_ = nullptr;
  QMenu* popup_ = nullptr;
};
