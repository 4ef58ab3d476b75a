#include "analyzermemory.h"
#include "samplememory.h"
#include "simulatorengine.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace {
void writeFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}
}  // namespace

TEST(SimulatorEngine, AnswersCommandsFromItsMemoryAndSkipsGarbage) {
  SimulatorEngine engine(sampleAnalyzerMemory());
  engine.receive("xyzGS\r");
  ASSERT_EQ(engine.available(), 37);
  const QByteArray info = engine.take(37);
  EXPECT_EQ(info.mid(12, 8), "A1234567");
  engine.receive("G");
  engine.receive("T\r");
  EXPECT_EQ(engine.available(), qsizetype(quint8(info[34])) * 736);
  EXPECT_EQ(engine.commands(), (QByteArrayList{"GS", "GT"}));
}

TEST(SimulatorEngine, StoresAnUploadAndAnswersWithItAfterwards) {
  SimulatorEngine engine(sampleAnalyzerMemory());
  engine.receive(QByteArray("PA\r") + char(2) + QByteArray(276, 'a'));
  EXPECT_EQ(engine.uploads(), 0);  // the second record has not arrived
  engine.receive(QByteArray(276, 'b'));
  EXPECT_EQ(engine.uploads(), 1);
  EXPECT_EQ(engine.memory().systemInfo[36], 2);
  engine.receive("GA\r");
  EXPECT_EQ(engine.take(1000), QByteArray(276, 'a') + QByteArray(276, 'b'));
}

TEST(SimulatorEngine, DelaysStallsAndTrailingBytes) {
  SimulatorEngine engine(sampleAnalyzerMemory());
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

TEST(SampleMemory, CountsFollowTheListsAndEveryBlockHasItsSize) {
  const AnalyzerMemory m = sampleAnalyzerMemory();
  EXPECT_EQ(quint8(m.systemInfo[34]), m.testRecords.size());
  EXPECT_EQ(quint8(m.systemInfo[35]), m.waveRecords.size());
  EXPECT_EQ(quint8(m.systemInfo[36]), m.autoSeqs.size());
  EXPECT_EQ(m.autoSeqs.size(), 12);
  for (const QByteArray& r : m.testRecords) EXPECT_EQ(r.size(), 736);
  for (const QByteArray& r : m.waveRecords) EXPECT_EQ(r.size(), 1314);
  for (const QByteArray& r : m.autoSeqs) EXPECT_EQ(r.size(), 276);
  EXPECT_EQ(m.capture.size(), 10306);
}

TEST(DumpFolder, WithoutSystemInformationTheCountsFollowTheFiles) {
  QTemporaryDir dir;
  writeFile(dir.filePath("reports.bin"), QByteArray(3 * 736, 'r'));
  writeFile(dir.filePath("waves.bin"), QByteArray(1314, 'w'));
  QString error;
  const std::optional<AnalyzerMemory> m = loadDumpFolder(dir.path(), &error);
  ASSERT_TRUE(m) << error.toStdString();
  EXPECT_EQ(m->systemInfo[34], 3);
  EXPECT_EQ(m->systemInfo[35], 1);
  EXPECT_EQ(m->systemInfo[36], 0);
  EXPECT_EQ(m->testRecords.size(), 3);
}

TEST(DumpFolder, SystemInformationFileGivesTheCountsAsStored) {
  QTemporaryDir dir;
  QByteArray info(37, '\0');
  info[34] = char(51);
  writeFile(dir.filePath("sysinfo.bin"), info);
  QString error;
  const std::optional<AnalyzerMemory> m = loadDumpFolder(dir.path(), &error);
  ASSERT_TRUE(m);
  EXPECT_EQ(quint8(m->systemInfo[34]), 51);
}

TEST(DumpFolder, FilesOfTheWrongSizeAreRefusedWithTheirName) {
  QTemporaryDir dir;
  writeFile(dir.filePath("reports.bin"), QByteArray(1000, 'r'));
  QString error;
  EXPECT_FALSE(loadDumpFolder(dir.path(), &error));
  EXPECT_TRUE(error.contains("reports.bin")) << error.toStdString();
  QTemporaryDir second;
  writeFile(second.filePath("capture.bin"), QByteArray(10305, 'c'));
  EXPECT_FALSE(loadDumpFolder(second.path(), &error));
  EXPECT_TRUE(error.contains("capture.bin"));
  EXPECT_FALSE(loadDumpFolder(dir.filePath("absent"), &error));
}
