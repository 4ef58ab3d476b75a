#include "testreport/testreportviewer.h"

#include "core/escapeclose.h"
#include "core/helpviewer.h"
#include "core/names.h"
#include "core/settingsfile.h"
#include "core/toolicons.h"
#include "core/usermessages.h"
#include "core/windowgeometry.h"
#include "testreport/reportcommands.h"
#include "testreport/reportrender.h"
#include "testreport/savedreport.h"
#include "testreport/testreportpictures.h"

#include <QCloseEvent>
#include <QFile>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QToolBar>

namespace {
const QString kSection = QStringLiteral("TestReportViewer");
}  // namespace

TTestReportViewer::TTestReportViewer(const AppServices& services, const QList<TTestRec>& records,
                                     const QList<int>& indexes, const QString& analyzerId)
    : services_(services) {
  buildWindow();
  for (int index : indexes)
    if (index >= 0 && index < records.size())
      shown_.append({records[index], index, renderTestReport(records[index], index, analyzerId)});
  for (const ShownReport& report : std::as_const(shown_)) reports_.append(report.lines);
  showReports();
}

TTestReportViewer::TTestReportViewer(const AppServices& services, const QList<ShownReport>& reports)
    : services_(services), shown_(reports) {
  buildWindow();
  for (const ShownReport& report : reports) reports_.append(report.lines);
  showReports();
}

TTestReportViewer::TTestReportViewer(const AppServices& services, const QStringList& files)
    : services_(services), fileMode_(true) {
  buildWindow();
  tbSaveToText_->setVisible(false);
  tbSaveToCsv_->setVisible(false);
  tbSeparator_->setVisible(false);
  for (QAction* item : {mmSaveToText_, mmSaveToCsv_}) {
    item->setEnabled(false);
    item->setVisible(false);
  }
  mmSaveToMup_->setVisible(false);
  for (const QString& path : files) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
      // The other files are still shown.
      services_.messages->show(QStringLiteral("Cannot read the file %1.\n%2").arg(path, file.errorString()),
                               QStringLiteral("Error opening file"), UserMessages::Icon::Error);
      continue;
    }
    reports_.append(savedReportLines(file.readAll()));
  }
  showReports();
}

TTestReportViewer::~TTestReportViewer() {
  if (!geometrySaved_) saveGeometry();
}

void TTestReportViewer::buildWindow() {
  setObjectName(QStringLiteral("TestReportViewer"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(productName() + QStringLiteral(" Test Report Viewer"));
  closeOnEscape(this);

  memo_ = new QPlainTextEdit(this);
  memo_->setObjectName(QStringLiteral("memoTestReport"));
  memo_->setAccessibleName(QStringLiteral("Test report"));
  memo_->setReadOnly(true);
  memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
  memo_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QFont font(QStringLiteral("Courier New"));
  font.setPixelSize(13);
  font.setStyleHint(QFont::TypeWriter);
  memo_->setFont(font);
  setCentralWidget(memo_);

  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  mmSaveToText_ = file->addAction(QStringLiteral("&Save To Text"), QKeySequence(Qt::CTRL | Qt::Key_S), this,
                                  &TTestReportViewer::saveToText);
  mmSaveToCsv_ = file->addAction(QStringLiteral("Save To &CSV"), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_S), this,
                                 &TTestReportViewer::saveToCsv);
  mmSaveToMup_ = file->addAction(QStringLiteral("Save To &MUP"), QKeySequence(Qt::CTRL | Qt::Key_M), this,
                                 &TTestReportViewer::saveToMup);
  file->addSeparator();
  QAction* mmPrint =
      file->addAction(QStringLiteral("&Print..."), QKeySequence(Qt::CTRL | Qt::Key_P), this, &TTestReportViewer::print);
  QMenu* helpMenu = menuBar()->addMenu(QStringLiteral("&Help"));
  QAction* mmHelp = helpMenu->addAction(QStringLiteral("&Help"), QKeySequence(Qt::Key_F1), this, &TTestReportViewer::help);
  mmSaveToText_->setObjectName(QStringLiteral("mmSaveToText"));
  mmSaveToCsv_->setObjectName(QStringLiteral("mmSaveToCSV"));
  mmSaveToMup_->setObjectName(QStringLiteral("mmSaveToMUP"));
  mmPrint->setObjectName(QStringLiteral("mmPrint"));
  mmHelp->setObjectName(QStringLiteral("mmHelp"));

  QToolBar* toolbar = addToolBar(QStringLiteral("Report"));
  toolbar->setObjectName(QStringLiteral("ToolBar1"));
  toolbar->setMovable(false);
  tbSaveToText_ = toolbar->addAction(saveIcon(), QStringLiteral("Save To Text"), this, &TTestReportViewer::saveToText);
  tbSaveToCsv_ = toolbar->addAction(saveCsvIcon(), QStringLiteral("Save To CSV"), this, &TTestReportViewer::saveToCsv);
  tbSeparator_ = toolbar->addSeparator();
  QAction* tbPrint = toolbar->addAction(printIcon(), QStringLiteral("Print"), this, &TTestReportViewer::print);
  tbSaveToText_->setObjectName(QStringLiteral("tbSaveToText"));
  tbSaveToCsv_->setObjectName(QStringLiteral("tbSaveToCSV"));
  tbPrint->setObjectName(QStringLiteral("tbPrint"));
  loadWindowGeometry(*this, *services_.settings, kSection, QSize(685, 600));
}

void TTestReportViewer::showReports() {
  QStringList all;
  for (const QStringList& report : std::as_const(reports_)) all += report;
  memo_->setUpdatesEnabled(false);
  memo_->setPlainText(all.join(QLatin1Char('\n')));
  memo_->setUpdatesEnabled(true);
}

QString TTestReportViewer::text() const { return memo_->toPlainText(); }

void TTestReportViewer::saveGeometry() {
  geometrySaved_ = true;
  saveWindowGeometry(*this, *services_.settings, kSection);
}

void TTestReportViewer::closeEvent(QCloseEvent* event) {
  saveGeometry();
  event->accept();
}

void TTestReportViewer::saveToText() {
  if (!fileMode_) saveReportsToText(this, services_, shown_);
}

void TTestReportViewer::saveToCsv() {
  if (!fileMode_) saveReportsToCsv(this, services_, shown_);
}

void TTestReportViewer::saveToMup() {
  if (!fileMode_) saveReportsToMup(this, services_, shown_);
}

void TTestReportViewer::print() { printReports(this, services_, reports_); }

void TTestReportViewer::help() { showHelpPage(services_.help, QStringLiteral("QalTestReportHelp.html")); }
