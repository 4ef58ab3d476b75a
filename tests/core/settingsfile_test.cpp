#include "core/initialdir.h"
#include "core/settingsfile.h"
#include "support/testfiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {
class SettingsFileTest : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  QString path = dir.filePath("kalyx5pc.ini");
  SettingsFile settings{path};
};
}  // namespace

TEST_F(SettingsFileTest, MissingFileSectionOrKeyGivesTheDefault) {
  EXPECT_EQ(settings.readInteger("QalMain", "FRAME", 7), 7);
  EXPECT_EQ(settings.readString("QalMain", "NAME", "none"), "none");
  writeAll(path, "[QalMain]\nTOP=5\n");
  EXPECT_EQ(settings.readInteger("Other", "TOP", -1), -1);
  EXPECT_EQ(settings.readInteger("QalMain", "LEFT", -1), -1);
  EXPECT_EQ(settings.readInteger("QalMain", "TOP", -1), 5);
}

TEST_F(SettingsFileTest, ValuesThatAreNotDecimalIntegersGiveTheDefault) {
  writeAll(path, "[s]\na=12abc\nb=\nc=99999999999\nd=0x10\ne= -42 \nf=+7\n");
  EXPECT_EQ(settings.readInteger("s", "a", 1), 1);
  EXPECT_EQ(settings.readInteger("s", "b", 2), 2);
  EXPECT_EQ(settings.readInteger("s", "c", 3), 3);  // beyond 32 bits
  EXPECT_EQ(settings.readInteger("s", "d", 4), 4);
  EXPECT_EQ(settings.readInteger("s", "e", 5), -42);
  EXPECT_EQ(settings.readInteger("s", "f", 6), 7);
}

TEST_F(SettingsFileTest, AWrittenKeyIsInTheFileAtOnce) {
  ASSERT_TRUE(settings.writeInteger("QalMain", "FRAME", 2));
  EXPECT_EQ(readAll(path), "[QalMain]\nFRAME=2\n");
  ASSERT_TRUE(settings.writeInteger("QalMain", "TOP", -1));
  ASSERT_TRUE(settings.writeInteger("sgTestReport", "ASCENDING", 0));
  ASSERT_TRUE(settings.writeInteger("qalmain", "frame", 1));  // names are found without regard to case
  EXPECT_EQ(readAll(path), "[QalMain]\nFRAME=1\nTOP=-1\n[sgTestReport]\nASCENDING=0\n");
  EXPECT_EQ(SettingsFile(path).readInteger("QALMAIN", "Frame", 9), 1);
}

TEST_F(SettingsFileTest, HandWrittenFileIsReadRawAndKeptAsItIs) {
  const QByteArray original =
      "; settings kept by hand\r\n"
      "[SaveDialogCSV]\r\n"
      "  Initial_Dir = C:\\Data\\x,y;z\\ \r\n"
      "\r\n"
      "[qalmain]\r\n"
      "WIDTH=800\r\n"
      "WIDTH=900\r\n"
      "junk line without equals\r\n";
  writeAll(path, original);
  EXPECT_EQ(settings.readString("SaveDialogCSV", "INITIAL_DIR", ""), "C:\\Data\\x,y;z\\");
  EXPECT_EQ(settings.readInteger("QalMain", "WIDTH", 0), 800);  // the first of two keys

  ASSERT_TRUE(settings.writeInteger("QalMain", "HEIGHT", 600));
  ASSERT_TRUE(settings.writeInteger("QalMain", "width", 640));
  EXPECT_EQ(readAll(path),
            "; settings kept by hand\r\n"
            "[SaveDialogCSV]\r\n"
            "  Initial_Dir = C:\\Data\\x,y;z\\ \r\n"
            "\r\n"
            "[qalmain]\r\n"
            "WIDTH=640\r\n"
            "WIDTH=900\r\n"
            "junk line without equals\r\n"
            "HEIGHT=600\r\n");
}

TEST_F(SettingsFileTest, FolderWithSeparatorsAndCommasReadsBackAsWritten) {
  const QString folder = QStringLiteral("/home/tech/Reports, 2025; ward 7\\old/");
  ASSERT_TRUE(settings.writeString("SaveDialogText", "INITIAL_DIR", folder));
  EXPECT_EQ(settings.readString("SaveDialogText", "INITIAL_DIR", ""), folder);
}

TEST_F(SettingsFileTest, AnUnwritableFileReportsFailureAndStaysWhole) {
  SettingsFile nowhere(dir.filePath("missing-folder/kalyx5pc.ini"));
  EXPECT_FALSE(nowhere.writeInteger("QalMain", "FRAME", 1));
  EXPECT_EQ(nowhere.readInteger("QalMain", "FRAME", 3), 3);
}

TEST_F(SettingsFileTest, InitialDirOfAnUnwrittenSectionIsTheCurrentFolder) {
  const QString current = QDir::currentPath();
  EXPECT_EQ(readInitialDir(settings, "OpenDialogTestReport"), current.endsWith('/') ? current : current + "/");
  writeInitialDir(settings, "OpenDialogTestReport", "/srv/reports");
  EXPECT_EQ(settings.readString("OpenDialogTestReport", "INITIAL_DIR", ""), "/srv/reports");
  EXPECT_EQ(readInitialDir(settings, "OpenDialogTestReport"), "/srv/reports/");
  writeInitialDir(settings, "SaveDialogMUP", "C:\\Exports\\");
  EXPECT_EQ(readInitialDir(settings, "SaveDialogMUP"), "C:\\Exports\\");
}
