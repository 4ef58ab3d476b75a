// Every save of every kind failed at every point: at the open, after the first,
// a middle and the last byte of the write, and at the commit. After each failure
// the user has been told, the old file is byte-identical, no temporary file is
// left, and the files the same command wrote before stay whole.
#include "autoseq/autoseqfile.h"
#include "autoseq/autoseqframe.h"
#include "core/savefile.h"
#include "support/autoseqmemory.h"
#include "support/scriptedprinter.h"
#include "support/uiharness.h"
#include "testreport/samplerecords.h"
#include "testreport/testreportviewer.h"
#include "waveform/samplewaves.h"
#include "waveform/wavedecode.h"
#include "waveform/waveformviewer.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QPrinter>
#include <functional>

namespace {
QByteArray readAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeAll(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).path());
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

// Every file under a folder, with its bytes.
QMap<QString, QByteArray> snapshot(const QString& folder) {
  QMap<QString, QByteArray> files;
  QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString path = it.next();
    files.insert(path, readAll(path));
  }
  return files;
}

class WriteFailures : public UiHarness {
 protected:
  PdfPrintPrompts printer;
  void TearDown() override { endSaveInjection(); }

  AppServices withPrinter() {
    AppServices s = services();
    s.printing = &printer;
    return s;
  }

  // Runs `command` once to learn its saves, then again with each save failed at
  // each point, each time on files that hold their old bytes. A failed save is
  // told to the user, except one of the settings file, which holds window places
  // and last folders: that one is kept as it was, and its writer returns false.
  void failEverySave(const std::function<void()>& command) {
    const QString root = dataHome.path();
    injectSaveFault(std::nullopt);
    command();
    const QList<SaveRecord> saves = savesSinceInjection();
    ASSERT_FALSE(saves.isEmpty());
    QMap<QString, QByteArray> written;
    for (const SaveRecord& save : saves) written[save.path] = readAll(save.path);
    int injected = 0;
    for (int i = 0; i < saves.size(); ++i) {
      const qint64 size = saves[i].size;
      const QList<SaveFault> faults = {{i, SaveFault::Point::Open, 0},
                                       {i, SaveFault::Point::Write, 0},
                                       {i, SaveFault::Point::Write, size / 2},
                                       {i, SaveFault::Point::Write, qMax<qint64>(0, size - 1)},
                                       {i, SaveFault::Point::Commit, 0}};
      for (const SaveFault& fault : faults) {
        // Each target holds old bytes; the settings file holds what the command
        // wrote there before, since it is read and then written again.
        for (const SaveRecord& save : saves)
          writeAll(save.path, isSettings(save.path) ? written[save.path] : "OLD " + save.path.toUtf8());
        const QMap<QString, QByteArray> before = snapshot(root);
        messages.shown.clear();
        injectSaveFault(fault);
        command();
        const QString where = QStringLiteral("save %1 (%2), point %3, byte %4")
                                  .arg(i)
                                  .arg(QFileInfo(saves[i].path).fileName())
                                  .arg(int(fault.point))
                                  .arg(fault.byte);
        ++injected;
        EXPECT_EQ(readAll(saves[i].path), before.value(saves[i].path)) << where.toStdString();
        for (int j = 0; j < i; ++j)
          if (saves[j].path != saves[i].path) {
            EXPECT_EQ(readAll(saves[j].path), written[saves[j].path]) << where.toStdString() << ": save " << j;
          }
        // No file appeared but those the command writes (no temporary file is left).
        for (const QString& path : snapshot(root).keys())
          EXPECT_TRUE(before.contains(path) || written.contains(path)) << where.toStdString() << ": " << path.toStdString();
        if (!isSettings(saves[i].path)) {
          ASSERT_FALSE(messages.shown.isEmpty()) << where.toStdString();
          EXPECT_EQ(messages.shown.last().icon, UserMessages::Icon::Error);
        }
      }
    }
    endSaveInjection();
    std::printf("[          ] %lld saves, %d injected failures\n", static_cast<long long>(saves.size()), injected);
  }
  static bool isSettings(const QString& path) { return QFileInfo(path).fileName() == QLatin1String("kalyx5pc.ini"); }
};
}  // namespace

TEST_F(WriteFailures, AutosequenceFile) {
  writeAll(autoSeqFile(), autoSeqFileBytes({makeAutoSeq("PLAN 1")}));
  TAutoSeqFrame frame(withPrinter());
  failEverySave([&] { frame.newAutoSeq(); });
  EXPECT_EQ(messages.shown.last().text, "Could not open autosequence data file for writing.");
}

TEST_F(WriteFailures, SettingsFile) {
  bool lastWrite = true;
  failEverySave([&] { lastWrite = settings.writeInteger("QalMain", "FRAME", 2); });
  EXPECT_FALSE(lastWrite);  // the caller learns of the failure
  EXPECT_TRUE(settings.writeInteger("QalMain", "FRAME", 2));
}

TEST_F(WriteFailures, TestReportTextCsvMupAndPdf) {
  const QList<TTestRec> records = sampleTestRecords();
  TTestReportViewer viewer(withPrinter(), records, {0, 1, 2}, "A1234567");
  const QString out = dataHome.path() + "/out";
  QDir().mkpath(out);
  files.folderAnswer = out;
  failEverySave([&] { viewer.saveToText(); });
  EXPECT_TRUE(messages.shown.last().text.startsWith("Cannot write the file "));
  files.saveAnswer = out + "/index.csv";
  failEverySave([&] { viewer.saveToCsv(); });
  files.saveAnswer = out + "/export.mup";
  failEverySave([&] { viewer.saveToMup(); });
  printer.pdfPath = out + "/reports.pdf";
  failEverySave([&] { viewer.print(); });
  EXPECT_EQ(messages.shown.last().caption, "Error printing");
}

TEST_F(WriteFailures, WaveformFileAndPrintout) {
  TWaveformViewer viewer(withPrinter(), decodeWaveRecord(sampleWaveRecords().first()));
  viewer.setAttribute(Qt::WA_DeleteOnClose, false);
  files.saveAnswer = dataHome.path() + "/out/pulse.csv";
  QDir().mkpath(dataHome.path() + "/out");
  failEverySave([&] { viewer.tbSaveClick(); });
  EXPECT_EQ(messages.shown.last().caption, "Error saving file");
  printer.pdfPath = dataHome.path() + "/out/pulse.pdf";
  failEverySave([&] { viewer.tbPrintClick(); });
}
