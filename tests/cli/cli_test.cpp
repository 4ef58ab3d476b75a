// The command-line program as a user runs it: its output, messages and exit status.
#include "demo/samplememory.h"
#include "support/clirun.h"
#include "support/fulldisk.h"
#include "support/simulatorprocess.h"
#include "support/testfiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>


TEST(CommandLine, InfoFromTheSampleMemory) {
  const CliRun run = cli({"--demo", "info"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "Analyzer I.D.: A1234567\nTest reports: 12\nWave records: 5\nAutosequences: 12\n");
}

TEST(CommandLine, ReportsOfADumpAreRenderedInRecordOrder) {
  QTemporaryDir dump;
  const AnalyzerMemory sample = sampleAnalyzerMemory();
  writeAll(dump.filePath("reports.bin"), sample.testRecords[2] + sample.testRecords[0]);
  QByteArray info(37, '\0');
  info.replace(12, 8, "A1234567");
  info[34] = 2;
  writeAll(dump.filePath("sysinfo.bin"), info);
  const CliRun run = cli({"--demo", dump.path(), "reports"});
  ASSERT_EQ(run.status, 0) << run.err.toStdString();
  QFile golden(QStringLiteral(KALYX_TEST_DATA "/report_defib_complete.txt"));
  ASSERT_TRUE(golden.open(QIODevice::ReadOnly));
  QString first = QString::fromUtf8(golden.readAll());
  EXPECT_TRUE(run.out.startsWith(first.replace("TEST REPORT No. 3", "TEST REPORT No. 1")));
  EXPECT_TRUE(run.out.mid(first.size()).contains("TEST REPORT No. 2\n"));
}

TEST(CommandLine, CountsOutsideTheLimitsFailWithTheProgramsMessage) {
  QTemporaryDir none;
  EXPECT_EQ(cli({"--demo", none.path(), "reports"}).err, "No test reports to download.\n");
  QTemporaryDir many;
  QByteArray info(37, '\0');
  info[34] = char(51);
  writeAll(many.filePath("sysinfo.bin"), info);
  const CliRun run = cli({"--demo", many.path(), "reports"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "Unexpected number of test reports.\n");
  EXPECT_TRUE(run.out.isEmpty());
}

TEST(CommandLine, BadArgumentsAndUnreadableDumpsAreExplained) {
  EXPECT_EQ(cli({"--demo", "nothing"}).status, 2);
  QTemporaryDir bad;
  writeAll(bad.filePath("reports.bin"), QByteArray(10, 'x'));
  const CliRun run = cli({"--demo", bad.path(), "reports"});
  EXPECT_EQ(run.status, 2);
  EXPECT_TRUE(run.err.contains("reports.bin")) << run.err.toStdString();
  EXPECT_EQ(cli({"--version"}).out, "kalyx5pc-cli 2.0.2.0\n");
}

TEST(CommandLine, ReportsWritesTheFourExports) {
  QTemporaryDir out;
  QDir(out.path()).mkpath("text");
  QDir(out.path()).mkpath("csv");
  const CliRun run = cli({"--demo", "reports", "--text", out.filePath("text"), "--csv", out.filePath("csv/index.csv"),
                          "--mup", out.filePath("all.mup"), "--pdf", out.filePath("all.pdf")});
  ASSERT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_TRUE(run.out.isEmpty());
  EXPECT_EQ(QDir(out.filePath("text")).entryList(QDir::Files).size(), 12);
  EXPECT_EQ(QDir(out.filePath("csv")).entryList(QDir::Files).size(), 13);  // the index and its text files
  QFile mup(out.filePath("all.mup"));
  ASSERT_TRUE(mup.open(QIODevice::ReadOnly));
  EXPECT_EQ(mup.readAll().count("\r\n"), 12);
  QProcess info;
  info.start("pdfinfo", {out.filePath("all.pdf")});
  ASSERT_TRUE(info.waitForFinished(20000));
  EXPECT_TRUE(info.readAllStandardOutput().contains("Pages:           13"));  // one report takes two pages
}

// Standard error carries the program's own messages only, even where
// XDG_RUNTIME_DIR is unset (cron, a service). A command that does not print
// starts no windowing system (a platform that does not exist is never loaded);
// a folder named for output, or the folder of a file named for it, is made.
TEST(CommandLine, StandardErrorStaysQuietAndOnlyAPrintoutNeedsAWindowingSystem) {
  QTemporaryDir out;
  const AnalyzerMemory sample = sampleAnalyzerMemory();
  const struct {
    QStringList args;
    const char* platform;  // null: the program's own choice
    QString folder;
    qsizetype files;
  } cases[] = {{{"info"}, "no-such-platform", {}, 0},
               {{"reports", "--text", out.filePath("new/text")}, "no-such-platform", out.filePath("new/text"),
                sample.testRecords.size()},
               {{"waves", "--csv", out.filePath("new/waves")}, "no-such-platform", out.filePath("new/waves"),
                sample.waveRecords.size()},
               // Every file named for output gets its folder made too.
               {{"reports", "--csv", out.filePath("csv/index.csv")}, "no-such-platform", out.filePath("csv"),
                sample.testRecords.size() + 1},
               {{"reports", "--mup", out.filePath("mup/all.mup")}, "no-such-platform", out.filePath("mup"), 1},
               {{"capture", "--csv", out.filePath("capture/x.csv")}, "no-such-platform", out.filePath("capture"), 1},
               {{"autoseq", "download", out.filePath("seq/autoseq.dat")}, "no-such-platform", out.filePath("seq"), 1},
               {{"waves", "--pdf", out.filePath("waves.pdf")}, nullptr, {}, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args.join(' ').toStdString());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("XDG_RUNTIME_DIR");
    env.remove("QT_QPA_PLATFORM");
    if (c.platform) env.insert("QT_QPA_PLATFORM", c.platform);
    const CliRun run = cli(QStringList{"--demo"} + c.args, env);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    if (!c.folder.isEmpty()) EXPECT_EQ(QDir(c.folder).entryList(QDir::Files).size(), c.files);
  }
  EXPECT_TRUE(QFile::exists(out.filePath("waves.pdf")));
}

TEST(CommandLine, AnExportThatCannotBeWrittenFails) {
  QTemporaryDir out;
  QDir(out.path()).mkpath("taken");  // a folder where the file should go
  const CliRun run = cli({"--demo", "reports", "--mup", out.filePath("taken")});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(run.err.startsWith("Cannot write the file ")) << run.err.toStdString();
  writeAll(out.filePath("plain"), "a file where a folder should go");
  const CliRun noFolder = cli({"--demo", "reports", "--mup", out.filePath("plain/all.mup")});
  EXPECT_EQ(noFolder.status, 1);
  EXPECT_TRUE(noFolder.err.startsWith("Cannot create the folder ")) << noFolder.err.toStdString();
}

TEST(CommandLine, ExportsOntoAFullDiskFailAndLeaveNoEmptyReport) {
  FullDisk disk;
  KALYX_REQUIRE_FULL_DISK(disk);
  disk.fill();
  const CliRun run = cli({"--demo", "reports", "--text", disk.path()});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(run.err.startsWith("Cannot write the file ")) << run.err.toStdString();
  EXPECT_TRUE(disk.entries().isEmpty()) << disk.entries().join(' ').toStdString();
  EXPECT_EQ(cli({"--demo", "reports", "--mup", disk.filePath("all.mup")}).status, 1);
  EXPECT_TRUE(disk.entries().isEmpty());
}

TEST(CommandLine, DiagnoseChecksTheWayToTheAnalyzerAndAsksForItsId) {
  const CliRun demo = cli({"--demo", "diagnose"});
  EXPECT_EQ(demo.status, 0) << demo.err.toStdString();
  EXPECT_EQ(demo.out,
            "         The built-in simulator stands in for the analyzer (--demo): no port is used.\n"
            "ok       The analyzer answered: I.D. A1234567, 12 test reports, 5 wave records, 12 autosequences.\n");

  SimulatorProcess simulator;
  ASSERT_FALSE(simulator.path().isEmpty());
  const CliRun serial = cli({"--port", simulator.path(), "diagnose"});
  EXPECT_EQ(serial.status, 0) << serial.out.toStdString();
  EXPECT_TRUE(serial.out.contains("ok       You may open " + simulator.path() + ".\n"));
  EXPECT_TRUE(serial.out.endsWith("ok       The analyzer answered: I.D. A1234567, 12 test reports, 5 wave records, "
                                  "12 autosequences.\n"));

  const CliRun missing = cli({"--port", "/nonexistent/ttyUSB9", "diagnose"});
  EXPECT_EQ(missing.status, 1);
  const QStringList lines = missing.out.split('\n', Qt::SkipEmptyParts);
  EXPECT_TRUE(lines.contains("PROBLEM  /nonexistent/ttyUSB9 does not exist: check the port's name, or plug the "
                             "analyzer in again."));
  EXPECT_TRUE(lines.last().startsWith("PROBLEM  Asking the analyzer for its I.D.: "));
}
