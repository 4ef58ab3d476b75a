#include "support/fulldisk.h"
#include "support/testfiles.h"
#include "support/testreportbuilders.h"
#include "testreport/reportexport.h"
#include "testreport/reportrender.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace testrec;

namespace {
ShownReport shown(const TTestRec& rec, int index) { return {rec, index, renderTestReport(rec, index, "A1234567")}; }

TTestRec withId(const char* id, DateTimeBytes when = {5, 3, 13, 14, 5, 9}) { return makeTestRec(id, when, 0, 1); }
}  // namespace

TEST(ReportFileName, RemovesTheTenCharactersAndKeepsEverythingElse) {
  EXPECT_EQ(reportFileName(withId("AB 12")), "AB12.2013_03_05.14_05_09.txt");
  EXPECT_EQ(reportFileName(withId("a\\b/c:d*e?f\"g<")), "abcdefg.2013_03_05.14_05_09.txt");
  EXPECT_EQ(reportFileName(withId(">h|i.j-k_l#")), "hi.j-k_l#.2013_03_05.14_05_09.txt");
  EXPECT_EQ(reportFileName(withId("ICU-DEFIB-07", {1, 12, 9, 0, 0, 7})), "ICU-DEFIB-07.2009_12_01.00_00_07.txt");
}

TEST(ReportFileName, AnIdWithNothingLeftStillGetsAName) {
  EXPECT_EQ(reportFileName(withId(" :/ ")), "NoDeviceID.2013_03_05.14_05_09.txt");
  EXPECT_EQ(reportFileName(withId("")), "NoDeviceID.2013_03_05.14_05_09.txt");
}

TEST(ReportExport, TextFilesEndEveryLineWithCarriageReturnAndLineFeed) {
  QTemporaryDir dir;
  ASSERT_FALSE(saveTextFiles({{withId("X"), 0, {"A", "", "B"}}}, dir.path()));
  EXPECT_EQ(readAll(dir.filePath("X.2013_03_05.14_05_09.txt")), "A\r\n\r\nB\r\n");
}

TEST(ReportExport, TwoReportsOfTheSameNameLeaveTheSecond) {
  QTemporaryDir dir;
  ASSERT_FALSE(saveTextFiles({{withId("SAME"), 0, {"first"}}, {withId("SAME"), 1, {"second"}}}, dir.path()));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
  EXPECT_EQ(readAll(dir.filePath("SAME.2013_03_05.14_05_09.txt")), "second\r\n");
}

TEST(ReportExport, CsvOfThreeReportsNamesThreeWrittenFiles) {
  QTemporaryDir dir;
  TTestRec failing = withId("AED 2", {10, 2, 25, 8, 45, 12});
  failing.setU8(testrec::DutTypeByte, DutAed);
  setEntryAt(failing, 0, AedEntry{0, 40, 0, AedEntry::FailBit});
  const QList<ShownReport> reports = {shown(completeDefibRecord(), 2), shown(failing, 0),
                                      shown(withId("P", {1, 1, 20, 0, 0, 0}), 1)};
  const QString csvPath = dir.filePath("index.csv");
  ASSERT_FALSE(saveCsv(reports, csvPath));
  const QList<QByteArray> lines = readAll(csvPath).split('\n');
  ASSERT_EQ(lines.size(), 4);  // three lines, each ended by CR LF
  EXPECT_TRUE(lines[3].isEmpty());
  EXPECT_EQ(lines[0], "\"ICU-DEFIB-07\",\"Mar 05, 2013 02:05:09 PM\",\"Autosequence 2\",\"Defibrillator\",\"PASS\",\"" +
                          dir.filePath("ICU-DEFIB-07.2013_03_05.14_05_09.txt").toUtf8() + "\"\r");
  EXPECT_TRUE(lines[1].startsWith("\"AED 2\",\"Feb 10, 2025 08:45:12 AM\",\"Manual\",\"AED\",\"FAIL\",\""));
  for (int i = 0; i < 3; ++i) {
    const QList<QByteArray> fields = lines[i].chopped(1).split(',');
    ASSERT_GE(fields.size(), 6);
    const QByteArray path = fields.last().mid(1, fields.last().size() - 2);
    EXPECT_TRUE(QFile::exists(QString::fromUtf8(path))) << path.constData();
  }
  QByteArray text;  // the report's lines, each ended by CR LF (they are ASCII: the same in every encoding)
  for (const QString& line : reports[1].lines) text += line.toLatin1() + "\r\n";
  EXPECT_EQ(readAll(dir.filePath("AED2.2025_02_10.08_45_12.txt")), text);
}

TEST(ReportExport, AQuoteInsideAFieldIsDoubled) {
  const QString line = csvLine(withId("7\" PADS"), "/r/x.txt");
  EXPECT_TRUE(line.startsWith("\"7\"\" PADS\",")) << line.toStdString();
  EXPECT_TRUE(mupLine({withId("7\""), 0, {}}).startsWith("\"7\"\"\",\"2\","));
}

TEST(ReportExport, MupLineOfTheCompleteReportBeginsExactly) {
  const QString expected = QStringLiteral("\"ICU-DEFIB-07\",\"2\",\"03/05/13\",\"14:05:09\",\"PASS\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\" Calvetrix  REC #\",\"2\",\"~\",\"~\",\"                            KALYX 5 DEFIBRILLATOR ANALYZER\",\"~\",\"                              Velmora Systems Inc.\",\"~\",\"~\",\"                                  TEST REPORT No. 3\",\"~\",\"~\",");
  const QString line = mupLine(shown(completeDefibRecord(), 2));
  EXPECT_EQ(line.left(expected.size()).toStdString(), expected.toStdString());
  EXPECT_TRUE(line.endsWith("\"   Technician: _________________________________________ Date: ____________________\",\"~\",\"~\",\"~\","));
}

TEST(ReportExport, MupEncodesParagraphsAndCountsTheIndexFromZero) {
  const QString line = mupLine({withId("X", {5, 3, 13, 9, 5, 9}), 0, {"A", "", "B", "C"}});
  EXPECT_EQ(line, "\"X\",\"2\",\"03/05/13\",\"09:05:09\",\"PASS\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\","
                  "\" Calvetrix  REC #\",\"0\",\"~\",\"~\","
                  "\"   A\",\"~\",\"~\",\"   B\",\"~\",\"C\",\"~\",");
  EXPECT_TRUE(mupLine({withId("X", {30, 2, 13, 25, 0, 0}), 4, {}}).startsWith("\"X\",\"2\",\"12/30/99\",\"00:00:00\",\"PASS\",\"\","));
}

TEST(ReportExport, MupFileHasOneLinePerReportAndItsProposedName) {
  QTemporaryDir dir;
  const QString path = dir.filePath("03051405.mup");
  ASSERT_FALSE(saveMup({shown(withId("A"), 0), shown(withId("B"), 1)}, path));
  const QByteArray bytes = readAll(path);
  EXPECT_EQ(bytes.count("\r\n"), 2);
  EXPECT_TRUE(bytes.startsWith("\"A\","));
  EXPECT_EQ(mupProposedName(QDateTime(QDate(2025, 3, 5), QTime(14, 5, 30))), "03051405.mup");
  EXPECT_EQ(mupProposedName(QDateTime(QDate(2025, 12, 31), QTime(0, 59))), "12310059.mup");
}

TEST(ReportExport, AFolderThatCannotBeWrittenNamesTheFileAndWritesNoIndex) {
  QTemporaryDir dir;
  QFile blocker(dir.filePath("not-a-folder"));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  const auto failure = saveTextFiles({shown(withId("A"), 0)}, dir.filePath("not-a-folder"));
  ASSERT_TRUE(failure);
  EXPECT_TRUE(failure->message().contains("A.2013_03_05.14_05_09.txt"));
  const auto csvFailure = saveCsv({shown(withId("A"), 0)}, dir.filePath("not-a-folder/index.csv"));
  ASSERT_TRUE(csvFailure);
  EXPECT_FALSE(QFile::exists(dir.filePath("index.csv")));
}

TEST(ReportExport, OnAFullDiskEveryExportFailsAndKeepsTheFilesThatWereThere) {
  FullDisk disk;
  KALYX_REQUIRE_FULL_DISK(disk);
  const QList<ShownReport> reports = {shown(completeDefibRecord(), 2), shown(withId("SECOND"), 1)};
  const QString oldReport = disk.filePath(reportFileName(reports[0].record));
  for (const QString& path : {oldReport, disk.filePath("index.csv"), disk.filePath("all.mup")}) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("kept\r\n");
  }
  const QStringList before = disk.entries();
  disk.fill();

  const std::optional<SaveFailure> text = saveTextFiles(reports, disk.path());
  ASSERT_TRUE(text);
  EXPECT_EQ(text->path, oldReport);
  EXPECT_TRUE(saveCsv(reports, disk.filePath("index.csv")));
  EXPECT_TRUE(saveMup(reports, disk.filePath("all.mup")));
  EXPECT_EQ(disk.entries(), before);  // no empty report and no temporary file
  for (const QString& name : before) EXPECT_EQ(readAll(disk.filePath(name)), "kept\r\n") << name.toStdString();
}
