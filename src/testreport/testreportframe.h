#pragma once
#include "analyzer/systeminfo.h"
#include "core/appservices.h"
#include "grid/listframe.h"
#include "testreport/testrecord.h"

#include <QList>
#include <memory>

class CommProgressHost;
class QLabel;
class QLineEdit;
class QToolBar;

// The test report page: downloads every test report of the analyzer, lists
// them with search and sorting, and opens viewers on the selected reports or
// on text reports saved earlier.
class TTestReportFrame : public TListFrame {
  Q_OBJECT
 public:
  explicit TTestReportFrame(const AppServices& services, QWidget* parent = nullptr);
  ~TTestReportFrame() override;  // where the progress dialog's type is known

  void tbOpenClick();
  void tbDownloadClick();
  void tbSelectAllClick();
  void tbViewTestReportClick();
  void focusSearch();

  const QList<TTestRec>& records() const { return records_; }
  CommProgressHost* progressHost() const { return progress_.get(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void addTools(QToolBar* toolbar);
  QWidget* buildSearch();
  void sgTestReportDblClick();
  void txtSearchChange();
  void imgSearchCancelClick();
  void openViewer(const QList<int>& indexes);
  void drawPassCell(QPainter& painter, const QRect& rect, int column, int row) const;

  AppServices services_;
  QList<TTestRec> records_;
  SystemInfo systemInfo_;
  std::unique_ptr<CommProgressHost> progress_;

  QLineEdit* txtSearch_ = nullptr;
  QLabel* imgSearchCancel_ = nullptr;
};
