#pragma once
#include "core/appservices.h"
#include "testreport/reportexport.h"
#include "testreport/testrecord.h"

#include <QMainWindow>

class QAction;
class QPlainTextEdit;

// A window that shows test reports as fixed-width text: rendered from copies of
// the list's records (record mode), or read from text files saved earlier (file
// mode). Its own task-bar button; destroyed when closed.
class TTestReportViewer : public QMainWindow {
  Q_OBJECT
 public:
  TTestReportViewer(const AppServices& services, const QList<TTestRec>& records, const QList<int>& indexes,
                    const QString& analyzerId);
  // Record mode on reports rendered already, each with its own number and
  // analyzer (as the archive keeps them).
  TTestReportViewer(const AppServices& services, const QList<ShownReport>& reports);
  TTestReportViewer(const AppServices& services, const QStringList& files);
  ~TTestReportViewer() override;

  // One list of lines per report shown, in order.
  const QList<QStringList>& reports() const { return reports_; }
  bool fileMode() const { return fileMode_; }
  QString text() const;

  void saveToText();
  void saveToCsv();
  void saveToMup();
  void print();
  void help();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildWindow();
  void saveGeometry();
  void showReports();

  AppServices services_;
  QList<ShownReport> shown_;  // record mode: the reports with their records and numbers
  QList<QStringList> reports_;
  bool fileMode_ = false;
  bool geometrySaved_ = false;

  QPlainTextEdit* memo_ = nullptr;
  QAction* mmSaveToText_ = nullptr;
  QAction* mmSaveToCsv_ = nullptr;
  QAction* mmSaveToMup_ = nullptr;
  QAction* tbSaveToText_ = nullptr;
  QAction* tbSaveToCsv_ = nullptr;
  QAction* tbSeparator_ = nullptr;
};
