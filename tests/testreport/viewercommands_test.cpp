#include "core/initialdir.h"
#include "core/settingsfile.h"
#include "support/pdftext.h"
#include "support/scriptedprinter.h"
#include "support/testreportbuilders.h"
#include "support/uiharness.h"
#include "testreport/reportexport.h"
#include "testreport/testreportviewer.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

using namespace testrec;

namespace {
class ViewerCommandsTest : public UiHarness {
 protected:
  PdfPrintPrompts printer;
  QList<TTestRec> records = {makeTestRec("FIRST", {1, 2, 20, 8, 0, 0}, 0, 1), makeTestRec("SECOND", {2, 2, 20, 9, 0, 0}, 1, 1),
                             completeDefibRecord()};
  std::unique_ptr<TTestReportViewer> viewer;

  void SetUp() override {
    records[0].setU8(testrec::DutTypeByte, DutAed);
    AppServices s = services();
    s.printing = &printer;
    viewer = std::make_unique<TTestReportViewer>(s, records, QList<int>{2, 0}, "A1234567");
  }
  QString folder(const char* name) {
    const QString path = dataHome.path() + "/" + name;
    QDir().mkpath(path);
    return path;
  }
};
}  // namespace

TEST_F(ViewerCommandsTest, SaveToTextAsksForAFolderAndRemembersIt) {
  files.folderAnswer = folder("reports");
  viewer->saveToText();
  ASSERT_EQ(files.asked.size(), 1);
  EXPECT_EQ(files.asked[0][0], "folder");
  EXPECT_EQ(files.asked[0][2], "Save Test Reports To Folder");
  EXPECT_EQ(QDir(files.folderAnswer).entryList(QDir::Files),
            (QStringList{"FIRST.2020_02_01.08_00_00.txt", "ICU-DEFIB-07.2013_03_05.14_05_09.txt"}));
  EXPECT_EQ(readInitialDir(settings, "SaveDialogText"), files.folderAnswer + "/");
  viewer->saveToText();
  EXPECT_EQ(files.asked[1][1], files.folderAnswer + "/");
  EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(ViewerCommandsTest, CancellingWritesNothingAndKeepsTheStoredFolder) {
  writeInitialDir(settings, "SaveDialogCSV", "/kept");
  viewer->saveToText();
  viewer->saveToCsv();
  viewer->saveToMup();
  EXPECT_EQ(files.asked.size(), 3);
  EXPECT_EQ(settings.readString("SaveDialogCSV", "INITIAL_DIR", ""), "/kept");
  EXPECT_EQ(settings.readString("SaveDialogText", "INITIAL_DIR", "none"), "none");
  viewer->print();  // the print dialog cancelled too
  EXPECT_EQ(printer.asked, 1);
  EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(ViewerCommandsTest, SaveToCsvWritesTheTextFilesBesideTheIndex) {
  files.saveAnswer = folder("csv") + "/index.csv";
  viewer->saveToCsv();
  EXPECT_EQ(files.asked[0][2], "CSV Files (*.csv);;All Files (*.*)");
  EXPECT_EQ(files.asked[0][3], "csv");
  EXPECT_EQ(files.asked[0][4], "");
  QFile csv(files.saveAnswer);
  ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
  const QList<QByteArray> lines = csv.readAll().split('\n');
  ASSERT_EQ(lines.size(), 3);
  EXPECT_TRUE(lines[0].startsWith("\"ICU-DEFIB-07\","));
  EXPECT_TRUE(lines[1].startsWith("\"FIRST\",\"Feb 01, 2020 08:00:00 AM\",\"Manual\",\"AED\",\"PASS\","));
  EXPECT_EQ(QDir(folder("csv")).entryList(QDir::Files).size(), 3);
  EXPECT_EQ(readInitialDir(settings, "SaveDialogCSV"), folder("csv") + "/");
}

TEST_F(ViewerCommandsTest, SaveToMupProposesTheTimeAsItsName) {
  files.saveAnswer = folder("mup") + "/export.mup";
  viewer->saveToMup();
  EXPECT_TRUE(QRegularExpression("^[01]\\d[0-3]\\d[0-2]\\d[0-5]\\d\\.mup$").match(files.asked[0][4]).hasMatch())
      << files.asked[0][4].toStdString();
  EXPECT_EQ(files.asked[0][2], "MUP Files (*.mup);;All Files (*.*)");
  QFile mup(files.saveAnswer);
  ASSERT_TRUE(mup.open(QIODevice::ReadOnly));
  const QByteArray bytes = mup.readAll();
  EXPECT_EQ(bytes.count("\r\n"), 2);
  EXPECT_TRUE(bytes.contains("\",\r\n\"FIRST\",\"2\",\"02/01/20\",\"08:00:00\",\"PASS\","));
  EXPECT_TRUE(bytes.contains("\" Calvetrix  REC #\",\"0\","));  // the record at index 0
}

TEST_F(ViewerCommandsTest, AFileThatCannotBeWrittenIsReportedAndNothingClaimedSaved) {
  QFile blocker(dataHome.path() + "/blocked");
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  files.saveAnswer = dataHome.path() + "/blocked/index.csv";
  viewer->saveToCsv();
  ASSERT_EQ(messages.shown.size(), 1);
  EXPECT_TRUE(messages.shown[0].text.startsWith("Cannot write the file ")) << messages.shown[0].text.toStdString();
  EXPECT_EQ(messages.shown[0].caption, "Error saving file");
  EXPECT_EQ(messages.shown[0].icon, UserMessages::Icon::Error);
}

TEST_F(ViewerCommandsTest, PrintsEachReportFromANewPageToPdf) {
  printer.pdfPath = dataHome.path() + "/reports.pdf";
  viewer->print();
  // The complete report's 106 lines take two A4 pages; the next report starts on the third.
  EXPECT_EQ(pdfPageCount(printer.pdfPath), 3);
  EXPECT_TRUE(pdfText(printer.pdfPath, 1).contains("TEST REPORT No. 3"));
  EXPECT_TRUE(pdfText(printer.pdfPath, 2).contains("Technician: ____"));
  EXPECT_FALSE(pdfText(printer.pdfPath, 2).contains("TEST REPORT No. 1"));
  EXPECT_TRUE(pdfText(printer.pdfPath, 3).contains("FIRST"));
}

TEST_F(ViewerCommandsTest, PrintWorksInFileModeAndHelpAsksForTheViewersPage) {
  const QString path = dataHome.path() + "/saved.txt";
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("SAVED REPORT LINE\r\n");
  file.close();
  AppServices s = services();
  s.printing = &printer;
  TTestReportViewer fileViewer(s, QStringList{path});
  printer.pdfPath = dataHome.path() + "/file.pdf";
  fileViewer.print();
  EXPECT_EQ(pdfPageCount(printer.pdfPath), 1);
  EXPECT_TRUE(pdfText(printer.pdfPath).contains("SAVED REPORT LINE"));
  fileViewer.saveToText();  // hidden in file mode: does nothing
  fileViewer.help();
  EXPECT_EQ(help.pages, QStringList{"QalTestReportHelp.html"});
  EXPECT_TRUE(files.asked.isEmpty());
  EXPECT_TRUE(messages.shown.isEmpty());
}
