#include "autoseq/autoseqfile.h"
#include "support/fulldisk.h"
#include "support/testfiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QSaveFile>
#include <QTemporaryDir>

namespace {
QList<TAutoSeq> records(int n) {
  QList<TAutoSeq> list;
  for (int i = 0; i < n; ++i) {
    TAutoSeq rec = initAutoSeq();
    setAutoSeqTitle(rec, QStringLiteral("PLAN %1").arg(i + 1));
    list << rec;
  }
  return list;
}
}  // namespace

TEST(AutoSeqFile, RecordsAreReadBackToBackUpToThirtyTwo) {
  EXPECT_TRUE(autoSeqsFromFileBytes(QByteArray()).isEmpty());
  const QByteArray three = autoSeqFileBytes(records(3));
  EXPECT_EQ(three.size(), 3 * 276);
  EXPECT_EQ(autoSeqTitleText(autoSeqsFromFileBytes(three).at(2)), "PLAN 3");

  QByteArray bytes300(300, '\0');
  for (int i = 0; i < 300; ++i) bytes300[i] = char(i % 251 + 1);
  const QList<TAutoSeq> two = autoSeqsFromFileBytes(bytes300);
  ASSERT_EQ(two.size(), 2);  // the last 24 bytes, padded with 252 zeros
  EXPECT_EQ(QByteArray(two[1].data(), 24), bytes300.mid(276));
  EXPECT_EQ(QByteArray(two[1].data() + 24, 252), QByteArray(252, '\0'));

  EXPECT_EQ(autoSeqsFromFileBytes(QByteArray(40 * 276, 'x')).size(), 32);
}

TEST(AutoSeqFile, AMissingFileIsAnEmptyListAndAnUnreadableOneAFailure) {
  QTemporaryDir dir;
  const AutoSeqFileRead missing = loadAutoSeqFile(dir.filePath("autoseq.dat"));
  EXPECT_EQ(missing.status, AutoSeqFileRead::Status::Missing);
  EXPECT_TRUE(missing.records.isEmpty());
  QDir(dir.path()).mkdir("folder.dat");  // exists, but no file can be read from it
  const AutoSeqFileRead unreadable = loadAutoSeqFile(dir.filePath("folder.dat"));
  EXPECT_EQ(unreadable.status, AutoSeqFileRead::Status::Unreadable);
  EXPECT_FALSE(unreadable.reason.isEmpty());

  ASSERT_FALSE(saveAutoSeqFile(dir.filePath("autoseq.dat"), records(5)));
  const AutoSeqFileRead read = loadAutoSeqFile(dir.filePath("autoseq.dat"));
  EXPECT_EQ(read.status, AutoSeqFileRead::Status::Read);
  ASSERT_EQ(read.records.size(), 5);
  EXPECT_EQ(read.records[4].bytes, records(5)[4].bytes);
  ASSERT_FALSE(saveAutoSeqFile(dir.filePath("autoseq.dat"), {}));
  EXPECT_EQ(QFileInfo(dir.filePath("autoseq.dat")).size(), 0);  // an empty list, an empty file
}

TEST(AutoSeqFile, AFailedWriteLeavesTheOldFileWhole) {
  FullDisk disk;
  KALYX_REQUIRE_FULL_DISK(disk);
  const QString path = disk.filePath("autoseq.dat");
  writeAll(path, autoSeqFileBytes(records(2)));
  disk.fill();
  EXPECT_TRUE(saveAutoSeqFile(path, records(32)));
  EXPECT_EQ(readAll(path), autoSeqFileBytes(records(2)));
  EXPECT_EQ(disk.entries(), QStringList{"autoseq.dat"});
}
