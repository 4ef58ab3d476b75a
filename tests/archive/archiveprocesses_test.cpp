// Programs writing one archive: killed in the middle of an import, and two at
// the same time. Real processes on a real SQLite file.
#include "archive/archive.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <gtest/gtest.h>

namespace {
const QString kMaker = QStringLiteral(KALYX_BINARY_DIR "/tools/archive-maker/kalyx5pc-make-archive");

int reportsIn(const QString& path) {
  ArchiveFailure failure;
  std::unique_ptr<Archive> archive = Archive::open(path, &failure);
  EXPECT_TRUE(archive) << failure.message().toStdString();
  if (!archive) return -1;
  EXPECT_EQ(archive->integrityCheck(&failure), QStringList{"ok"});
  return archive->count(ArchiveKind::TestReport, &failure).value_or(-1);
}
}  // namespace

// An import of 10,000 reports killed at 20 moments: each time the archive is
// whole and holds none or all of that import. Two of the moments are chosen
// on the import's own progress, so that both outcomes are met: once its
// transaction has written pages to the journal and not yet committed (none),
// and once it said it had stored them all (all); the rest are random.
TEST(ArchiveProcesses, AnImportKilledAtAnyMomentLeavesNoneOrAllOfIt) {
  QTemporaryDir dir;
  const QString path = dir.filePath("archive.sqlite");
  QProcess warmUp;  // how long one import takes here, to kill within it
  QElapsedTimer clock;
  clock.start();
  warmUp.start(kMaker, {path, "10000", "--from", "0"});
  ASSERT_TRUE(warmUp.waitForFinished(60000));
  ASSERT_EQ(warmUp.exitCode(), 0) << warmUp.readAllStandardError().toStdString();
  const int importMs = int(clock.elapsed());
  int held = reportsIn(path);  // the archive closed: its journal is gone until the next import writes one
  ASSERT_EQ(held, 10000);
  constexpr qint64 kJournalMidway = 3 * 1024 * 1024;  // pages of an import not yet committed (it needs ~8 MiB)
  int none = 0, all = 0;
  for (int round = 1; round <= 20; ++round) {
    QProcess import;
    import.start(kMaker, {path, "10000", "--from", QString::number(round * 10000)});
    ASSERT_TRUE(import.waitForStarted());
    if (round == 1) {
      ASSERT_TRUE(QTest::qWaitFor([&] { return QFileInfo(path + "-wal").size() > kJournalMidway; }, 60000));
    } else if (round == 2) {
      ASSERT_TRUE(import.waitForReadyRead(60000));
      ASSERT_TRUE(import.readAllStandardOutput().startsWith("stored 10000"));
    } else {
      QThread::msleep(QRandomGenerator::global()->bounded(importMs + 50));
    }
    import.kill();
    import.waitForFinished();
    const int now = reportsIn(path);
    ASSERT_TRUE(now == held || now == held + 10000) << "round " << round << ": " << held << " then " << now;
    if (round == 1) EXPECT_EQ(now, held) << "killed before its commit";
    if (round == 2) EXPECT_EQ(now, held + 10000) << "killed after its commit";
    (now == held ? none : all) += 1;
    held = now;
  }
  std::printf("killed 20 imports: %d left none of their records, %d all\n", none, all);
  EXPECT_GT(none, 0);
  EXPECT_GT(all, 0);
}

// Two programs importing at once, half of their records the same: both
// succeed, and the archive holds the union, each record once.
TEST(ArchiveProcesses, TwoProgramsImportingAtOnceKeepTheUnionOnce) {
  QTemporaryDir dir;
  const QString path = dir.filePath("archive.sqlite");
  QProcess first, second;
  first.start(kMaker, {path, "6000", "--from", "0", "--per-import", "300"});
  second.start(kMaker, {path, "6000", "--from", "3000", "--per-import", "300"});
  for (QProcess* p : {&first, &second}) {
    ASSERT_TRUE(p->waitForFinished(120000));
    EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardError().toStdString();
  }
  EXPECT_EQ(reportsIn(path), 9000);
}
