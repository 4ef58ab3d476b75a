// The autosequence commands of the command-line program.
#include "autoseq/autoseqfile.h"
#include "autoseq/autoseqprintout.h"
#include "support/autoseqmemory.h"
#include "support/clirun.h"
#include "support/pdftext.h"
#include "support/simulatorprocess.h"
#include "support/testfiles.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

using namespace autoseq;

namespace {
QList<TAutoSeq> threePlans() {
  TAutoSeq aed = makeAutoSeq("LOBBY AED", Aed);
  setEntryAt(aed, 0, AedEnergyEntry{40, 0, 1});
  TAutoSeq defib = makeAutoSeq("ICU, ROOM 4");
  setEntryAt(defib, 0, DefibEnergyEntry{2000, 3, 40, 0, 1});
  defib.setU16(MaxChargeTime, 150);
  setEntryAt(defib, 1, RefractoryEntry{250, 350, 44});
  return {defib, aed, makeAutoSeq("SIXTEEN CHARS OK", DefibTimer9s)};
}

// A dump folder whose analyzer holds these autosequences.
class AutoSeqDump {
 public:
  explicit AutoSeqDump(const QList<TAutoSeq>& records) {
    QByteArray bytes;
    for (const QByteArray& block : autoSeqWireBlocks(records)) bytes += block;
    writeAll(dir_.filePath("autoseq.bin"), bytes);
  }
  QString path() const { return dir_.path(); }

 private:
  QTemporaryDir dir_;
};

}  // namespace

TEST(AutoSeqCommands, DownloadWritesTheDataFileAndListAndPrintReadIt) {
  const AutoSeqDump dump(threePlans());
  QTemporaryDir out;
  const QString file = out.filePath("autoseq.dat");
  CliRun run = cli({"--demo", dump.path(), "autoseq", "download", file});
  ASSERT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_EQ(readAll(file), autoSeqFileBytes(threePlans()));

  run = cli({"autoseq", "list", file});
  EXPECT_EQ(run.out, "No.\tTitle\tDevice Under Test\n1\tICU, ROOM 4\tDefibrillator\n2\tLOBBY AED\tAED\n"
                     "3\tSIXTEEN CHARS OK\tDefibrillator\n");
  run = cli({"autoseq", "print", file});
  QString expected;
  for (const TAutoSeq& rec : threePlans()) expected += autoSeqPrintLines(rec).join('\n') + '\n';
  EXPECT_EQ(run.out, expected);
  EXPECT_TRUE(run.out.contains("  Tolerance:     ±15%\n"));  // UTF-8 on standard output

  ASSERT_EQ(cli({"autoseq", "print", file, "--pdf", out.filePath("plans.pdf")}).status, 0);
  EXPECT_EQ(pdfPageCount(out.filePath("plans.pdf")), 3);  // a new page for each autosequence
}

TEST(AutoSeqCommands, FailuresChangeNoFile) {
  QTemporaryDir out;
  const QString file = out.filePath("kept.dat");
  writeAll(file, "old");
  QTemporaryDir none;
  CliRun run = cli({"--demo", none.path(), "autoseq", "download", file});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "No autosequences to download.\n");
  EXPECT_EQ(readAll(file), "old");

  QList<TAutoSeq> many;
  for (int i = 0; i < 33; ++i) many << makeAutoSeq("MANY");
  const AutoSeqDump tooMany(many);
  run = cli({"--demo", tooMany.path(), "autoseq", "download", file});
  EXPECT_EQ(run.err, "Unexpected number of autosequences.\n");
  EXPECT_EQ(readAll(file), "old");

  run = cli({"--demo", "autoseq", "upload", out.filePath("missing.dat")});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "Could not open autosequence data file for reading.\n");
  EXPECT_EQ(cli({"autoseq", "print", out.filePath("missing.dat")}).status, 1);
  EXPECT_EQ(cli({"autoseq", "frobnicate", file}).status, 2);
}

TEST(AutoSeqCommands, UploadThenDownloadOnTheSerialLinkGivesTheSameFile) {
  SimulatorProcess simulator;
  ASSERT_TRUE(simulator.path().startsWith("/dev/")) << simulator.path().toStdString();
  QTemporaryDir out;
  const QString file = out.filePath("plans.dat");
  writeAll(file, autoSeqFileBytes(threePlans()));
  CliRun run = cli({"--port", simulator.path(), "autoseq", "upload", file});
  ASSERT_EQ(run.status, 0) << run.err.toStdString();
  run = cli({"--port", simulator.path(), "autoseq", "download", out.filePath("again.dat")});
  ASSERT_EQ(run.status, 0) << run.err.toStdString();
  EXPECT_EQ(readAll(out.filePath("again.dat")), readAll(file));
  EXPECT_EQ(cli({"--port", simulator.path(), "info"}).out.split('\n').value(3), "Autosequences: 3");
}
