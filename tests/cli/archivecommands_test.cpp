// The archive commands of the command-line program, on the built-in analyzer.
#include "demo/samplememory.h"
#include "support/clirun.h"
#include "support/testfiles.h"
#include "testreport/testrecord.h"

#include <gtest/gtest.h>

#include <QDir>
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
  ASSERT_FALSE(rows.isEmpty());
  EXPECT_EQ(rows[0], "id\tkind\tanalyzer\tdevice\ttested\tverdict\ttitle");
  for (qsizetype i = 1; i < rows.size(); ++i) EXPECT_TRUE(rows[i].contains("\treport\tA1234567\t") && rows[i].contains("\tFAIL\t"));

  ASSERT_EQ(run({"archive", "export", "--text", dir.filePath("archived"), "--mup", dir.filePath("archived.mup")}).status, 0);
  ASSERT_EQ(run({"reports", "--text", dir.filePath("downloaded"), "--mup", dir.filePath("downloaded.mup")}).status, 0);
  const QStringList files = QDir(dir.filePath("downloaded")).entryList(QDir::Files);
  EXPECT_EQ(QDir(dir.filePath("archived")).entryList(QDir::Files), files);
  for (const QString& f : files) EXPECT_EQ(readAll(dir.filePath("archived/" + f)), readAll(dir.filePath("downloaded/" + f))) << f.toStdString();
  EXPECT_EQ(readAll(dir.filePath("archived.mup")), readAll(dir.filePath("downloaded.mup")));

  ASSERT_EQ(run({"capture"}).status, 0);  // capture keeps what it captures
  EXPECT_EQ(run({"archive", "list", "--kind", "captures"}).out.count('\n'), 2);
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
