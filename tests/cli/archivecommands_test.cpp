// The archive commands of the command-line program, on the built-in analyzer.
#include "archive/archive.h"
#include "demo/samplememory.h"
#include "support/clirun.h"
#include "support/pdftext.h"
#include "support/damagedarchive.h"
#include "support/testfiles.h"
#include "testreport/testrecord.h"

#include <gtest/gtest.h>
#include <tuple>

#include <QRegularExpression>
#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>
#include <QTemporaryDir>

namespace {
class ArchiveCommands : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  QString archive = dir.filePath("archive.sqlite");
  CliRun run(const QStringList& args) { return cli(QStringList{"--demo", "--archive", archive} + args); }
};
}  // namespace

TEST_F(ArchiveCommands, ImportTwiceThenListAndExportAsTheReportsCommandWrites) {
  const AnalyzerMemory sample = sampleAnalyzerMemory();
  const qsizetype reports = sample.testRecords.size(), waves = sample.waveRecords.size();
  EXPECT_EQ(run({"archive", "import"}).out,
            QString("test reports: %1 new, 0 already archived\nwave records: %2 new, 0 already archived\n")
                .arg(reports)
                .arg(waves));
  const CliRun again = run({"archive", "import"});
  EXPECT_EQ(again.status, 0);
  EXPECT_EQ(again.out, QString("test reports: 0 new, %1 already archived\nwave records: 0 new, %2 already archived\n")
                           .arg(reports)
                           .arg(waves));

  const QStringList rows = run({"archive", "list", "--kind", "reports", "--failed"}).out.split('\n', Qt::SkipEmptyParts);
  qsizetype failed = 0;
  for (const QByteArray& wire : sample.testRecords) {  // the analyzer's memory is in wire order
    TTestRec rec = testRecFromBytes(wire.constData());
    swapTestRec(rec);
    failed += !testRecPassed(rec);
  }
  ASSERT_GT(failed, 0);
  ASSERT_EQ(rows.size(), failed + 1);
  EXPECT_EQ(rows[0], "id\tkind\tanalyzer\tdevice\ttested\tverdict\ttitle");
  for (qsizetype i = 1; i < rows.size(); ++i) EXPECT_TRUE(rows[i].contains("\treport\tA1234567\t") && rows[i].contains("\tFAIL\t"));

  ASSERT_EQ(run({"archive", "export", "--text", dir.filePath("archived"), "--mup", dir.filePath("archived.mup")}).status, 0);
  ASSERT_EQ(run({"reports", "--text", dir.filePath("downloaded"), "--mup", dir.filePath("downloaded.mup")}).status, 0);
  const QStringList files = QDir(dir.filePath("downloaded")).entryList(QDir::Files);
  EXPECT_EQ(QDir(dir.filePath("archived")).entryList(QDir::Files), files);
  for (const QString& f : files) EXPECT_EQ(readAll(dir.filePath("archived/" + f)), readAll(dir.filePath("downloaded/" + f))) << f.toStdString();
  EXPECT_EQ(readAll(dir.filePath("archived.mup")), readAll(dir.filePath("downloaded.mup")));

  // capture keeps what it captures, with the analyzer it asks afterwards; the
  // same capture again is kept once.
  ASSERT_EQ(run({"capture"}).status, 0);
  ASSERT_EQ(run({"capture"}).status, 0);
  const QStringList captures = run({"archive", "list", "--kind", "captures"}).out.split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(captures.size(), 2);
  EXPECT_TRUE(captures[1].contains("\tcapture\tA1234567\t")) << captures[1].toStdString();
}

TEST_F(ArchiveCommands, HistoryListsTheDevicesTestEntriesAndCheckSaysWhetherTheFileIsWhole) {
  ASSERT_EQ(run({"archive", "import"}).status, 0);
  const QStringList history = run({"archive", "history", "ICU-DEFIB-07"}).out.split('\n', Qt::SkipEmptyParts);
  ASSERT_GT(history.size(), 1);
  EXPECT_EQ(history[0], "date\ttest\ttarget\tmeasured\tlimit\tverdict\tnear limit");
  for (const QString& line : history) EXPECT_EQ(line.count('\t'), 6) << line.toStdString();
  EXPECT_TRUE(history[1].startsWith("2013-03-05T14:05:09\tenergy\t")) << history[1].toStdString();
  EXPECT_TRUE(run({"archive", "history", "NO SUCH DEVICE"}).out.count('\n') == 1);

  const CliRun check = run({"archive", "check"});
  EXPECT_EQ(check.status, 0);
  EXPECT_TRUE(check.out.startsWith("integrity: ok\ntest reports: ")) << check.out.toStdString();
  QByteArray damaged = readAll(archive);
  for (qsizetype i = damaged.size() / 2; i < damaged.size() / 2 + 4096; ++i) damaged[i] = char(0xA5);
  writeAll(archive, damaged);
  EXPECT_EQ(run({"archive", "check"}).status, 1);
}

// A file that is no archive: a message naming it, and nothing written.
TEST_F(ArchiveCommands, AFileThatIsNoArchiveIsNamedAndLeftAsItWas) {
  writeAll(archive, "not an archive");
  for (const QStringList& args : {QStringList{"archive", "import"}, QStringList{"archive", "list"}}) {
    const CliRun r = run(args);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(QDir::toNativeSeparators(archive))) << r.err.toStdString();
  }
  EXPECT_EQ(readAll(archive), "not an archive");
  EXPECT_EQ(run({"reports"}).status, 0);  // the analyzer is still downloaded without it
}

// The commands that read need an archive that is there; they make none.
TEST_F(ArchiveCommands, ReadingCommandsNeedAnArchiveAndMakeNone) {
  for (const QStringList& args : {QStringList{"archive", "list"}, QStringList{"archive", "export", "--text", dir.filePath("out")},
                                  QStringList{"archive", "history", "ER-1"}, QStringList{"archive", "check"}}) {
    const CliRun r = run(args);
    EXPECT_EQ(r.status, 1) << args.join(' ').toStdString();
    EXPECT_EQ(r.err.trimmed(), "There is no archive at " + QDir::toNativeSeparators(archive) + ".") << r.err.toStdString();
  }
  EXPECT_TRUE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());
}

// A read that stops at a damaged page is a failure, said on standard error,
// with nothing of it printed or written.
TEST_F(ArchiveCommands, AReadThatStopsAtADamagedPageFailsAndPrintsNothing) {
  makeDamagedArchive(archive, 3000, "ER-1");
  for (const QStringList& args : {QStringList{"archive", "list"}, QStringList{"archive", "history", "ER-1"},
                                  QStringList{"archive", "export", "--text", dir.filePath("out")}}) {
    const CliRun r = run(args);
    EXPECT_EQ(r.status, 1) << args.join(' ').toStdString();
    EXPECT_TRUE(r.out.isEmpty()) << r.out.left(200).toStdString();
    EXPECT_TRUE(r.err.contains(QDir::toNativeSeparators(archive))) << r.err.toStdString();
  }
  EXPECT_FALSE(QFileInfo::exists(dir.filePath("out")));
  EXPECT_EQ(run({"archive", "check"}).status, 1);
}

// An archive of a newer program is read, said once to be read only, and
// nothing is left beside it.
TEST_F(ArchiveCommands, ANewerArchiveIsReadSaidOnceToBeReadOnlyAndLeftAlone) {
  ASSERT_EQ(run({"archive", "import"}).status, 0);
  {
    ArchiveFailure failure;
    auto opened = Archive::open(archive, &failure);
    ASSERT_TRUE(opened);
    QSqlQuery(opened->database()).exec(QString("PRAGMA user_version=%1").arg(Archive::knownSchemaVersion() + 1));
  }
  const QByteArray before = readAll(archive);
  for (const QStringList& args : {QStringList{"archive", "list"}, QStringList{"archive", "history", "ICU-DEFIB-07"},
                                  QStringList{"archive", "check"}}) {
    const CliRun r = run(args);
    EXPECT_EQ(r.status, 0) << args.join(' ').toStdString();
    EXPECT_GT(r.out.count('\n'), 1);
    EXPECT_EQ(r.err.count("open for reading only"), 1) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("newer version")) << r.err.toStdString();
  }
  EXPECT_EQ(run({"archive", "import"}).status, 1);
  EXPECT_EQ(readAll(archive), before);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"archive.sqlite"});
}

// A hand-written history: each value with its limit low to high, the
// cardioversion shock counted, and the near-limit column worked out.
TEST_F(ArchiveCommands, HistoryPrintsEachValueWithItsLimitAndItsMark) {
  using namespace testrec;
  QList<QByteArray> reports;
  for (const auto& [month, delivered] : {std::pair{1, 2000}, std::pair{3, 2170}}) {
    TTestRec rec = makeTestRec("ER-1", {1, quint8(month), 25, 9, 0, 0}, 1, DutDefibrillator);
    setEntryAt(rec, 0, EnergyEntry{.totalEnergy = quint16(delivered), .targetEnergy = 2000, .tolerance = 2, .result = Pass});
    if (month == 3)
      setEntryAt(rec, 0, CardioversionEntry{.energy = 1140, .targetEnergy = 1000, .tolerance = 3, .result = Pass});
    reports << QByteArray(rec.data(), TTestRec::Size);
  }
  TTestRec other = makeTestRec("ER-10", {1, 2, 25, 9, 0, 0}, 1, DutDefibrillator);  // holds "ER-1": another device
  setEntryAt(other, 0, EnergyEntry{.totalEnergy = 1500, .targetEnergy = 1500, .tolerance = 2, .result = Pass});
  reports << QByteArray(other.data(), TTestRec::Size);
  {
    ArchiveFailure failure;
    auto opened = Archive::open(archive, &failure);
    ASSERT_TRUE(opened && opened->store(ArchiveKind::TestReport, "A1", QDateTime::currentDateTimeUtc(), reports, &failure));
  }
  EXPECT_EQ(run({"archive", "history", "ER-1"}).out,
            "date\ttest\ttarget\tmeasured\tlimit\tverdict\tnear limit\n"
            "2025-01-01T09:00:00\tenergy\t200.0 J\t200.0 J\t180.0-220.0 J\tPASS\t\n"
            "2025-03-01T09:00:00\tenergy\t200.0 J\t217.0 J\t180.0-220.0 J\tPASS\tnear limit\n"
            "2025-03-01T09:00:00\tcardioversion\t100.0 J\t114.0 J\t85.0-115.0 J\tPASS\tnear limit\n");
  EXPECT_EQ(run({"archive", "history", "ER"}).out.count('\n'), 1);  // a device I.D. is matched whole
}

// A value drifting in a straight line ends the history with the month it
// reaches its limit: 4, 6 and 8 J off a 20 J tolerance 60 days apart reach it
// 480 days after the first test.
TEST_F(ArchiveCommands, HistoryEndsWithTheForecastOfADriftingValue) {
  using namespace testrec;
  QList<QByteArray> reports;
  for (const auto& [day, month, delivered] : {std::tuple{1, 1, 2040}, std::tuple{2, 3, 2060}, std::tuple{1, 5, 2080}}) {
    TTestRec rec = makeTestRec("ICU-7", {quint8(day), quint8(month), 25, 9, 0, 0}, 1, DutDefibrillator);
    setEntryAt(rec, 0, EnergyEntry{.totalEnergy = quint16(delivered), .targetEnergy = 2000, .tolerance = 2, .result = Pass});
    reports << QByteArray(rec.data(), TTestRec::Size);
  }
  ArchiveFailure failure;
  auto opened = Archive::open(archive, &failure);
  ASSERT_TRUE(opened && opened->store(ArchiveKind::TestReport, "A1", QDateTime::currentDateTimeUtc(), reports, &failure));
  const QStringList lines = run({"archive", "history", "ICU-7"}).out.split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 5);
  EXPECT_EQ(lines.last(), "forecast\tenergy\t180.0-220.0 J\t2026-04\t3");
}

// A backup reads as the archive does; the archive itself is never its target.
TEST_F(ArchiveCommands, BackupWritesOneFileThatReadsAsTheArchive) {
  ASSERT_EQ(run({"archive", "import"}).status, 0);
  const QString copy = dir.filePath("saved/copy.sqlite");
  const CliRun backup = run({"archive", "backup", copy});
  EXPECT_EQ(backup.status, 0) << backup.err.toStdString();
  EXPECT_EQ(backup.out, "the archive " + QDir::toNativeSeparators(archive) + " is backed up in " +
                            QDir::toNativeSeparators(copy) + "\n");
  EXPECT_EQ(cli({"--archive", copy, "archive", "list"}).out, run({"archive", "list"}).out);
  const CliRun onItself = run({"archive", "backup", archive});
  EXPECT_EQ(onItself.status, 1);
  EXPECT_TRUE(onItself.err.contains("the archive itself")) << onItself.err.toStdString();
}

// Device I.D.s as an analyzer may hold them go through the command line and
// back: each device's history by its own I.D., and the list shows it whole.
TEST_F(ArchiveCommands, UntrustedDeviceIdsRoundTripThroughTheCommandLine) {
  using namespace testrec;
  const char* ids[] = {"O'Brien \"7\"", "x'); DROP TABLE record;--", "50%_off\\", "-dash --device", "\xC4\xE9\xFF"};
  QList<QByteArray> reports;
  for (const char* id : ids) {
    TTestRec rec = makeTestRec(id, {1, 1, 25, 8, 0, 0}, 1, DutDefibrillator);
    setEntryAt(rec, 0, EnergyEntry{.totalEnergy = 2000, .targetEnergy = 2000, .tolerance = 2, .result = Pass});
    reports << QByteArray(rec.data(), TTestRec::Size);
  }
  {
    ArchiveFailure failure;
    auto opened = Archive::open(archive, &failure);
    ASSERT_TRUE(opened && opened->store(ArchiveKind::TestReport, "A1", QDateTime::currentDateTimeUtc(), reports, &failure));
  }
  for (const QByteArray& bytes : std::as_const(reports)) {
    const QString id = deviceIdText(testRecFromBytes(bytes.constData()));
    SCOPED_TRACE(id.toStdString());
    const QStringList history = run({"archive", "history", "--", id}).out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(history.size(), 2);
    EXPECT_TRUE(history[1].startsWith("2025-01-01T08:00:00\tenergy\t200.0 J\t"));
    const QStringList listed = run({"archive", "list", "--device", id}).out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(listed.size(), 2);
    EXPECT_EQ(listed[1].section('\t', 3, 3), QString(id).replace("\\", "\\\\"));  // a backslash is printed doubled
  }
}

// Each device's next due date and status on the computer's day, with its
// marks; the filters keep the overdue ones, or those due within some days;
// the rows also go to a CSV file, whose folder is made.
TEST_F(ArchiveCommands, DueListsEachDevicesNextTestAndItsMarks) {
  using namespace testrec;
  const QDate today = QDate::currentDate();
  const auto test = [](const char* id, const QDate& date, quint16 delivered, quint8 dutType = DutDefibrillator) {
    TTestRec rec = makeTestRec(id, {quint8(date.day()), quint8(date.month()), quint8(date.year() - 2000), 9, 0, 0}, 1,
                               dutType);
    if (dutType == DutDefibrillator)
      setEntryAt(rec, 0, EnergyEntry{.totalEnergy = delivered, .targetEnergy = 2000, .tolerance = 2, .result = Pass});
    return QByteArray(rec.data(), TTestRec::Size);
  };
  // 12-month intervals: LATE was due a month ago, SOON in 15 days, FINE in 10 months.
  const QList<QByteArray> reports = {
      test("LATE", today.addMonths(-13), 2000),  test("SOON", today.addMonths(-12).addDays(15), 2000, DutAed),
      test("FINE", today.addMonths(-2), 2000),
      // 4, 6, then 18 J off a 20 J tolerance, 60 days apart: near the limit, and
      // the line through them reaches it 152 days after the first, in June 2025.
      test("DRIFT", QDate(2025, 1, 1), 2040), test("DRIFT", QDate(2025, 3, 2), 2060), test("DRIFT", QDate(2025, 5, 1), 2180)};
  {
    ArchiveFailure failure;
    auto opened = Archive::open(archive, &failure);
    ASSERT_TRUE(opened && opened->store(ArchiveKind::TestReport, "A1", QDateTime::currentDateTimeUtc(), reports, &failure));
  }
  const auto iso = [](const QDate& d) { return d.toString(Qt::ISODate); };
  const QStringList all = run({"archive", "due"}).out.split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(all.size(), 5);
  EXPECT_EQ(all[0], "device\ttype\tlocation\tlast test\tnext due\tstatus\tnear limit\tforecast");
  EXPECT_EQ(all[1], "DRIFT\tDefibrillator\t\t2025-05-01\t2026-05-01\tOverdue\tnear limit\t2025-06");
  EXPECT_EQ(all[2], "LATE\tDefibrillator\t\t" + iso(today.addMonths(-13)) + "\t" + iso(today.addMonths(-13).addMonths(12)) +
                        "\tOverdue\t\t");
  EXPECT_EQ(all[3], "SOON\tAED\t\t" + iso(today.addMonths(-12).addDays(15)) + "\t" +
                        iso(today.addMonths(-12).addDays(15).addMonths(12)) + "\tDue\t\t");
  EXPECT_TRUE(all[4].startsWith("FINE\tDefibrillator\t\t" + iso(today.addMonths(-2)))) << all[4].toStdString();
  EXPECT_TRUE(all[4].endsWith("\tOK\t\t"));

  EXPECT_EQ(run({"archive", "due", "--overdue"}).out.count('\n'), 1 + 2);
  EXPECT_EQ(run({"archive", "due", "--within", "30"}).out.count('\n'), 1 + 3);
  const QString csv = dir.filePath("round/due.csv");
  ASSERT_EQ(run({"archive", "due", "--within", "30", "--csv", csv}).status, 0);
  const QByteArray written = readAll(csv);
  EXPECT_TRUE(written.startsWith("device,type,location,last test,next due,status,near limit,forecast\r\n"));
  EXPECT_EQ(written.count("\r\n"), 1 + 3);
  EXPECT_EQ(run({"archive", "due", "--within", "-1"}).status, 2);
  EXPECT_EQ(run({"archive", "due", "--pdf", dir.filePath("due.pdf"), "--csv", csv}).status, 2);

  // The worklist for a round, as a PDF file: the devices due within 30 days, a box to tick before each.
  const QString worklist = dir.filePath("round/worklist.pdf");
  ASSERT_EQ(run({"archive", "due", "--within", "30", "--pdf", worklist}).status, 0);
  const QString printed = pdfText(worklist);
  EXPECT_TRUE(printed.contains("WORKLIST: devices due within 30 days")) << printed.toStdString();
  for (const char* device : {"DRIFT", "LATE", "SOON"})
    EXPECT_TRUE(printed.contains(QRegularExpression(QString("\\[ \\] +") + device))) << device;
  EXPECT_FALSE(printed.contains("FINE"));
}

// A department's inventory goes into the archive: each device's location and
// interval set its due date, a device never tested is due now, a line refused
// says why and a file that cannot be read changes nothing.
TEST_F(ArchiveCommands, DevicesImportSetsLocationsAndIntervalsForTheDueList) {
  using namespace testrec;
  const QDate tested = QDate::currentDate().addMonths(-8);
  TTestRec rec = makeTestRec("ER-1", {quint8(tested.day()), quint8(tested.month()), quint8(tested.year() - 2000), 9, 0, 0},
                             1, DutDefibrillator);
  {
    ArchiveFailure failure;
    auto opened = Archive::open(archive, &failure);
    ASSERT_TRUE(opened && opened->store(ArchiveKind::TestReport, "A1", QDateTime::currentDateTimeUtc(),
                                        {QByteArray(rec.data(), TTestRec::Size)}, &failure));
  }
  const QString inventory = dir.filePath("inventory.csv");
  writeAll(inventory, "Device ID,Location,Interval,Note\nER-1,Emergency,6,\nNEW-9,Lobby,,boxed\nOLD-2,Basement,500,\n");
  const CliRun imported = run({"archive", "devices", "import", inventory});
  EXPECT_EQ(imported.status, 1);  // a line was refused
  EXPECT_EQ(imported.out, "devices: 2 added, 0 changed, 1 refused\n"
                          "line 4 refused: the interval \"500\" is not a whole number of months from 1 to 120\n");
  const QStringList rows = run({"archive", "due"}).out.split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(rows.size(), 3);
  EXPECT_TRUE(rows[1].startsWith("ER-1\tDefibrillator\tEmergency\t" + tested.toString(Qt::ISODate) + "\t" +
                                 tested.addMonths(6).toString(Qt::ISODate) + "\tOverdue"))
      << rows[1].toStdString();
  EXPECT_EQ(rows[2], "NEW-9\t\tLobby\t\t" + QDate::currentDate().toString(Qt::ISODate) + "\tNever tested\t\t");
  EXPECT_EQ(run({"archive", "due", "--location", "lobby"}).out.count('\n'), 1 + 1);

  writeAll(inventory, "ER-1,Theatre,12,\nNEW-9,Lobby,,boxed\n");
  EXPECT_EQ(run({"archive", "devices", "import", inventory}).out, "devices: 0 added, 1 changed, 0 refused\n");
  const QString before = run({"archive", "due"}).out;
  EXPECT_EQ(run({"archive", "devices", "import", dir.filePath("missing.csv")}).status, 1);
  EXPECT_EQ(run({"archive", "due"}).out, before);
  // Nor is an archive made for a file that cannot be read.
  const QString elsewhere = dir.filePath("elsewhere.sqlite");
  EXPECT_EQ(cli({"--archive", elsewhere, "archive", "devices", "import", dir.filePath("missing.csv")}).status, 1);
  EXPECT_FALSE(QFileInfo::exists(elsewhere));
}
