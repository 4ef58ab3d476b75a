#include "core/savefile.h"
#include "core/settingsfile.h"
#include "support/fulldisk.h"
#include "support/testfiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>

namespace {
// A save file whose bytes never reach the disk, as when the disk fails under a write.
class FailingSaveFile : public QSaveFile {
 public:
  using QSaveFile::QSaveFile;

 protected:
  qint64 writeData(const char*, qint64) override {
    setErrorString(QStringLiteral("injected failure"));
    return -1;
  }
};

QByteArray oldContent() { return QByteArray("[QalMain]\nFRAME=1\nWIDTH=640\n"); }
}  // namespace

TEST(SaveWholeFile, ReplacesTheFileAndLeavesNothingElse) {
  QTemporaryDir dir;
  const QString path = dir.filePath("report.txt");
  writeAll(path, "old");
  EXPECT_FALSE(saveWholeFile(path, "new content"));
  EXPECT_EQ(readAll(path), "new content");
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"report.txt"});
}

TEST(SaveWholeFile, AFailedWriteKeepsTheOldFileAndSaysWhy) {
  QTemporaryDir dir;
  const QString path = dir.filePath("kalyx5pc.ini");
  writeAll(path, oldContent());
  FailingSaveFile file(path);
  const std::optional<SaveFailure> failure = writeAndCommit(file, QByteArray(5000, 'x'));
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->path, path);
  EXPECT_EQ(failure->message(), "Cannot write the file " + QDir::toNativeSeparators(path) + ".\ninjected failure");
  EXPECT_EQ(readAll(path), oldContent());
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"kalyx5pc.ini"});
}

TEST(SaveWholeFile, AFolderThatDoesNotExistIsAFailure) {
  QTemporaryDir dir;
  const std::optional<SaveFailure> failure = saveWholeFile(dir.filePath("missing/x.txt"), "x");
  ASSERT_TRUE(failure);
  EXPECT_FALSE(failure->reason.isEmpty());
}

TEST(SaveWholeFile, OnAFullDiskTheOldFileStaysWholeAndNoTemporaryFileIsLeft) {
  FullDisk disk;
  KALYX_REQUIRE_FULL_DISK(disk);
  const QString path = disk.filePath("kalyx5pc.ini");
  writeAll(path, oldContent());
  disk.fill();
  const std::optional<SaveFailure> failure = saveWholeFile(path, QByteArray(8000, 'n'));
  ASSERT_TRUE(failure);
  EXPECT_TRUE(failure->reason.contains("space", Qt::CaseInsensitive)) << failure->reason.toStdString();
  EXPECT_EQ(readAll(path), oldContent());
  EXPECT_EQ(disk.entries(), QStringList{"kalyx5pc.ini"});
}

TEST(SettingsFileSave, OnAFullDiskAWriteFailsAndTheFileKeepsEveryKey) {
  FullDisk disk;
  KALYX_REQUIRE_FULL_DISK(disk);
  const QString path = disk.filePath("kalyx5pc.ini");
  writeAll(path, oldContent());
  disk.fill();
  SettingsFile settings(path);
  EXPECT_FALSE(settings.writeString("sgTestReport", "COL_0_WIDTH", QString(6000, '9')));
  EXPECT_EQ(readAll(path), oldContent());
  EXPECT_EQ(settings.readInteger("QalMain", "WIDTH", 0), 640);
  EXPECT_EQ(disk.entries(), QStringList{"kalyx5pc.ini"});
}
