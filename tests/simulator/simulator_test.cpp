#include "simulator/dumpfolder.h"
#include "simulator/simulatorengine.h"
#include "support/memorybuilders.h"
#include "support/testfiles.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

TEST(SimulatorEngine, AnswersCommandsFromItsMemoryAndSkipsGarbage) {
  SimulatorEngine engine(memoryWithRecords(2, 4, 3));
  engine.receive("xyzGS\r");
  ASSERT_EQ(engine.available(), 37);
  const QByteArray info = engine.take(37);
  EXPECT_EQ(info.mid(12, 14), QByteArray("TEST-ANALYZER\0", 14));
  engine.receive("G");
  engine.receive("T\r");
  EXPECT_EQ(engine.available(), 4 * 736);
  EXPECT_EQ(engine.take(736), QByteArray(736, char(1)));
  engine.clearOutput();
  engine.receive("GW\rGA\rWD\r");
  EXPECT_EQ(engine.available(), 3 * 1314 + 2 * 276 + 10306);
  EXPECT_EQ(engine.commands(), (QByteArrayList{"GS", "GT", "GW", "GA", "WD"}));
}

TEST(SimulatorEngine, SendsAsManyRecordsAsItsCountByteSays) {
  AnalyzerMemory memory = memoryWithRecords(0, 4, 0);
  memory.systemInfo.setCount(kTestReportRecords, 2);
  SimulatorEngine engine(memory);
  engine.receive("GT\r");
  EXPECT_EQ(engine.available(), 2 * 736);
  memory.systemInfo.setCount(kTestReportRecords, 9);  // more than it holds: it sends what it has
  SimulatorEngine short_(memory);
  short_.receive("GT\r");
  EXPECT_EQ(short_.available(), 4 * 736);
}

TEST(SimulatorEngine, StoresAnUploadAndAnswersWithItAfterwards) {
  SimulatorEngine engine(memoryWithRecords(5, 0, 0));
  engine.receive(QByteArray("PA\r") + char(2) + QByteArray(276, 'a'));
  EXPECT_EQ(engine.uploads(), 0);  // the second record has not arrived
  engine.receive(QByteArray(276, 'b'));
  EXPECT_EQ(engine.uploads(), 1);
  EXPECT_EQ(engine.memory().systemInfo.count(kAutoSeqRecords), 2);
  engine.receive("GA\r");
  EXPECT_EQ(engine.take(1000), QByteArray(276, 'a') + QByteArray(276, 'b'));
}

TEST(SimulatorEngine, DelaysStallsAndTrailingBytes) {
  SimulatorEngine engine(memoryWithRecords(0, 0, 0));
  engine.setBlockDelay(10000);
  engine.receive("GS\r");
  EXPECT_EQ(engine.available(), 0);
  EXPECT_GT(engine.msUntilNextBlock(), 9000);
  engine.clearOutput();
  engine.setBlockDelay(0);
  engine.setTrailingBytes("++");
  engine.setStallAfter(30);
  engine.receive("GS\r");
  EXPECT_EQ(engine.available(), 30);
  engine.setStallAfter(-1);
  EXPECT_EQ(engine.available(), 39);
}

TEST(DumpFolder, WithoutSystemInformationTheCountsFollowTheFiles) {
  QTemporaryDir dir;
  writeAll(dir.filePath("reports.bin"), QByteArray(3 * 736, 'r'));
  writeAll(dir.filePath("waves.bin"), QByteArray(1314, 'w'));
  QString error;
  const std::optional<AnalyzerMemory> m = loadDumpFolder(dir.path(), &error);
  ASSERT_TRUE(m) << error.toStdString();
  EXPECT_EQ(m->systemInfo.count(kTestReportRecords), 3);
  EXPECT_EQ(m->systemInfo.count(kWaveRecords), 1);
  EXPECT_EQ(m->systemInfo.count(kAutoSeqRecords), 0);
  EXPECT_EQ(m->systemInfo.analyzerId(), "SIMULATOR");
  EXPECT_EQ(m->testRecords.size(), 3);
}

TEST(DumpFolder, SystemInformationFileGivesTheCountsAsStored) {
  QTemporaryDir dir;
  QByteArray info(37, '\0');
  info[34] = char(51);
  writeAll(dir.filePath("sysinfo.bin"), info);
  QString error;
  const std::optional<AnalyzerMemory> m = loadDumpFolder(dir.path(), &error);
  ASSERT_TRUE(m);
  EXPECT_EQ(m->systemInfo.count(kTestReportRecords), 51);
}

TEST(DumpFolder, FilesOfTheWrongSizeAreRefusedWithTheirName) {
  QTemporaryDir dir;
  writeAll(dir.filePath("reports.bin"), QByteArray(1000, 'r'));
  QString error;
  EXPECT_FALSE(loadDumpFolder(dir.path(), &error));
  EXPECT_TRUE(error.contains("reports.bin")) << error.toStdString();
  QTemporaryDir second;
  writeAll(second.filePath("capture.bin"), QByteArray(10305, 'c'));
  EXPECT_FALSE(loadDumpFolder(second.path(), &error));
  EXPECT_TRUE(error.contains("capture.bin"));
  EXPECT_FALSE(loadDumpFolder(dir.filePath("absent"), &error));
}
