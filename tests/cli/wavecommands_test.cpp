// The waveform commands of the command-line program on analyzers the tests build.
#include "support/clirun.h"
#include "support/pdftext.h"
#include "support/testfiles.h"
#include "support/wavebuilders.h"
#include "waveform/wavedecode.h"
#include "waveform/waveformfile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

namespace {
// A dump folder holding these wave records (host order) and this capture block.
class WaveDump {
 public:
  explicit WaveDump(const QList<WaveRecord>& records, const QByteArray& capture = QByteArray()) {
    QByteArray waves;
    for (const WaveRecord& rec : records) waves += waveRecordOnWire(rec);
    writeAll(dir_.filePath("waves.bin"), waves);
    if (!capture.isEmpty()) writeAll(dir_.filePath("capture.bin"), capture);
  }
  QString path() const { return dir_.path(); }

 private:
  QTemporaryDir dir_;
};

WaveRecord storedPulse(const char* id, quint8 typeAndNumber) {
  WaveRecord w = makeWaveRecord(id, {5, 3, 14, 13, 7, 9}, typeAndNumber);
  w.setU16(waverec::PeakVoltage, 1834), w.setU16(waverec::PeakCurrent, 3250), w.setU16(waverec::Energy, 1500);
  w.setU16(waverec::Width10, 600), w.setU16(waverec::Width50, 310);
  setWaveSample(w, 10, 127);
  return w;
}

QByteArray pacerCapture() {
  const quint8 when[6] = {9, 7, 13, 5, 3, 14};
  CaptureHeader h = makeCaptureHeader("TCP-03", when);
  h.setU16(capture::CurrentScale, 720), h.setU16(capture::PulseWidth, 2010), h.setU16(capture::PulseRate, 701);
  h.setU16(capture::PulseEnergy, 49), h.setU16(capture::PulseCurrent, 702), h.setU16(capture::TestLoad, 50);
  QByteArray block = captureBlockOf(h);
  setCaptureSample(block, 100, 3000);
  return block;
}
}  // namespace

TEST(WaveCommands, WavesPrintsEachRecordsTextsAsThePanelShowsThem) {
  const WaveDump dump({storedPulse("FIRST", 0x10), storedPulse("SECOND", 0x21)});
  const CliRun run = cli({"--demo", dump.path(), "waves"});
  ASSERT_EQ(run.status, 0) << run.err.toStdString();
  const QString first =
      "Device ID: FIRST\nDate: Mar 05, 2014 01:07:09 PM\nTest Type: Energy\nTest No.: 1\nResolution: 8-bit\n"
      "Sample Interval: 11.4 us\nTotal Energy: 150.0 J\nFirst Phase:\nEnergy: \nPeak Current: 32.50 A\n"
      "Average Current: \nPeak Voltage: 1834 V\nAverage Voltage: \nPulse Width 10%: 6.00 msec\n"
      "Pulse Width 50%: 3.10 msec\nSecond Phase:\nEnergy: \nPeak Current: \nAverage Current: \nPeak Voltage: \n"
      "Average Voltage: \nPulse Width 10%: \nInterphase Delay: \nTilt: \nFrequency: \nDuty Cycle: \n";
  EXPECT_TRUE(run.out.startsWith(first + "\nDevice ID: SECOND\n")) << run.out.toStdString();
  EXPECT_TRUE(run.out.contains("Test Type: Charge Time\nTest No.: 2\n"));
}

TEST(WaveCommands, WavesWritesOneFilePerRecordAsTheViewerSavesIt) {
  const QList<WaveRecord> records = {storedPulse("A", 0x10), storedPulse("B", 0x20), storedPulse("C", 0x30)};
  const WaveDump dump(records);
  QTemporaryDir out;
  const CliRun run = cli({"--demo", dump.path(), "waves", "--csv", out.path()});
  ASSERT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_TRUE(run.out.isEmpty());
  EXPECT_EQ(QDir(out.path()).entryList(QDir::Files), (QStringList{"wave-01.csv", "wave-02.csv", "wave-03.csv"}));
  const Waveform second = decodeWaveRecord(records[1]);
  EXPECT_EQ(readAll(out.filePath("wave-02.csv")), waveformFileBytes(second.info, second.points));
}

TEST(WaveCommands, CapturePrintsOrWritesThePacerPulse) {
  const WaveDump dump({}, pacerCapture());
  const CliRun run = cli({"--demo", dump.path(), "capture"});
  ASSERT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_TRUE(run.out.endsWith("Resolution: 13-bit\nSample Interval: 11.4 us\nPulse Current: 70.2 mA\n"
                               "Method: AVERAGE\nPulse Width: 20.10 msec\nPulse Rate: 70.1 PPM\n"
                               "Pulse Energy: 4.900 mJ\nTest Load: 50 ohms\n"))
      << run.out.toStdString();

  QTemporaryDir out;
  ASSERT_EQ(cli({"--demo", dump.path(), "capture", "--csv", out.filePath("pacer.csv")}).status, 0);
  const QList<QByteArray> lines = readAll(out.filePath("pacer.csv")).split('\n');
  ASSERT_EQ(lines.size(), 5122);
  EXPECT_TRUE(lines[0].startsWith("TCP-03,\"Mar 05, 2014 01:07:09 PM\",\"Pacer Pulse\",0,13-bit,\"11.4 us\","
                                  "\"70.2 mA\",AVERAGE,\"20.10 msec\",\"70.1 PPM\",\"50 ohms\"\r"));
  EXPECT_EQ(lines[101], "1.14,72\r");  // the largest sample at the current scale, in mA
}

TEST(WaveCommands, AFileTheProgramWroteComesOutByteIdentical) {
  const WaveDump dump({storedPulse("ROUND, TRIP", 0x10)}, pacerCapture());
  QTemporaryDir out;
  ASSERT_EQ(cli({"--demo", dump.path(), "waves", "--csv", out.path()}).status, 0);
  ASSERT_EQ(cli({"--demo", dump.path(), "capture", "--csv", out.filePath("capture.csv")}).status, 0);
  for (const char* name : {"wave-01.csv", "capture.csv"}) {
    const CliRun run = cli({"wavefile", out.filePath(name), "--csv", out.filePath("again.csv")});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(readAll(out.filePath("again.csv")), readAll(out.filePath(name))) << name;
  }
  EXPECT_TRUE(cli({"wavefile", out.filePath("wave-01.csv")}).out.startsWith("Device ID: ROUND, TRIP\n"));
}

TEST(WaveCommands, BadCountsFailedTransfersAndCorruptFilesWriteNothing) {
  QTemporaryDir out;
  const WaveDump none({});
  CliRun run = cli({"--demo", none.path(), "waves", "--csv", out.path()});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "No wave records to download.\n");

  QTemporaryDir eleven;
  QByteArray info(37, '\0');
  info[35] = 11;
  writeAll(eleven.filePath("sysinfo.bin"), info);
  run = cli({"--demo", eleven.path(), "waves"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "Unexpected number of wave records.\n");

  writeAll(out.filePath("corrupt.csv"), "head\r\n0,1\r\n0.0114,one\r\n");
  run = cli({"wavefile", out.filePath("corrupt.csv"), "--csv", out.filePath("written.csv")});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, out.filePath("corrupt.csv") + " is not a valid waveform file: line 3: \"one\" is not a number.\n");
  run = cli({"wavefile", out.filePath("missing.csv")});
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(run.err.startsWith("Cannot read the file ")) << run.err.toStdString();
  EXPECT_EQ(QDir(out.path()).entryList(QDir::Files), QStringList{"corrupt.csv"});
}

TEST(WaveCommands, TenRecordsAreDownloaded) {
  QList<WaveRecord> ten;
  for (int i = 0; i < 10; ++i) ten.append(storedPulse("TEN", quint8(i << 4)));
  const WaveDump dump(ten);
  QTemporaryDir out;
  ASSERT_EQ(cli({"--demo", dump.path(), "waves", "--csv", out.path()}).status, 0);
  EXPECT_EQ(QDir(out.path()).entryList(QDir::Files).size(), 10);
}

TEST(WaveCommands, PdfPrintsOnePageAWaveformAsAViewerPrintsIt) {
  const WaveDump dump({storedPulse("FIRST", 0x10), storedPulse("SECOND", 0x21), storedPulse("THIRD", 0x32)},
                      pacerCapture());
  QTemporaryDir out;
  CliRun run = cli({"--demo", dump.path(), "waves", "--pdf", out.filePath("waves.pdf")});
  ASSERT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_EQ(pdfPageCount(out.filePath("waves.pdf")), 3);
  EXPECT_TRUE(pdfInfo(out.filePath("waves.pdf")).contains("842 x 595 pts (A4)"));
  EXPECT_TRUE(pdfText(out.filePath("waves.pdf"), 2).simplified().contains("Device ID: SECOND"));
  EXPECT_TRUE(pdfText(out.filePath("waves.pdf"), 3).simplified().contains("Peak Current: 32.50 A"));

  run = cli({"--demo", dump.path(), "capture", "--pdf", out.filePath("pacer.pdf"), "--csv", out.filePath("pacer.csv")});
  ASSERT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_EQ(pdfPageCount(out.filePath("pacer.pdf")), 1);
  EXPECT_TRUE(pdfText(out.filePath("pacer.pdf")).contains("Current (mA)"));
  EXPECT_TRUE(QFile::exists(out.filePath("pacer.csv")));
  run = cli({"wavefile", out.filePath("pacer.csv"), "--pdf", out.filePath("again.pdf")});
  EXPECT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_EQ(pdfPageCount(out.filePath("again.pdf")), 1);
}
