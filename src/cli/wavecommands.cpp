#include "wavecommands.h"

#include "headlessprogress.h"
#include "savefile.h"
#include "systeminfo.h"
#include "transfers.h"
#include "transport.h"
#include "usermessages.h"
#include "wavedecode.h"
#include "waveformfile.h"
#include "waverecord.h"

#include <QDir>
#include <QFile>
#include <QTextStream>

namespace {
void printTexts(const Waveform& wave, QTextStream& out) {
  for (const InfoRow& row : infoRows(wave.pacer)) {
    out << row.caption;
    if (row.text) out << ' ' << wave.info.*row.text;
    out << '\n';
  }
}

bool saveWaveform(const Waveform& wave, const QString& path, UserMessages& messages) {
  if (const std::optional<SaveFailure> failure = saveWholeFile(path, waveformFileBytes(wave.info, wave.points))) {
    messages.show(failure->message(), QStringLiteral("Error saving file"), UserMessages::Icon::Error);
    return false;
  }
  return true;
}

// Prints the waveform, or writes it to the path when one is given.
int printOrSave(const Waveform& wave, const QString& csvFile, UserMessages& messages, QTextStream& out) {
  if (csvFile.isEmpty()) {
    printTexts(wave, out);
    return 0;
  }
  return saveWaveform(wave, csvFile, messages) ? 0 : 1;
}
}  // namespace

int runWavesCommand(DeviceLink& link, const QString& csvFolder, QTextStream& out) {
  HeadlessProgressHost host(link.messages);
  QList<WaveRecord> records;
  const bool ok = runDownload(link, host, kWaveRecords, swapWaveRec,
                              [&records](const SystemInfo&, const QList<QByteArray>& blocks) {
                                for (const QByteArray& block : blocks) records.append(waveRecordFromBytes(block.constData()));
                              });
  if (!ok) return 1;
  for (qsizetype i = 0; i < records.size(); ++i) {
    const Waveform wave = decodeWaveRecord(records[i]);
    if (!csvFolder.isEmpty()) {
      const QString name = QStringLiteral("wave-%1.csv").arg(i + 1, 2, 10, QLatin1Char('0'));
      if (!saveWaveform(wave, QDir(csvFolder).filePath(name), link.messages)) return 1;
      continue;
    }
    if (i > 0) out << '\n';
    printTexts(wave, out);
  }
  return 0;
}

int runCaptureCommand(DeviceLink& link, const QString& csvFile, QTextStream& out) {
  HeadlessProgressHost host(link.messages);
  QByteArray block;
  if (!runCapture(link, host, [&block](const QByteArray& received) { block = received; })) return 1;
  return printOrSave(decodeCapture(block), csvFile, link.messages, out);
}

int runWavefileCommand(const QString& path, const QString& csvFile, UserMessages& messages, QTextStream& out) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    messages.show(QStringLiteral("Cannot read the file %1.\n%2").arg(QDir::toNativeSeparators(path), file.errorString()),
                  QStringLiteral("Error opening file"), UserMessages::Icon::Error);
    return 1;
  }
  const std::variant<Waveform, WaveformFileError> read = readWaveformFile(file.readAll());
  if (const auto* error = std::get_if<WaveformFileError>(&read)) {
    messages.show(error->message(path), QStringLiteral("Error opening file"), UserMessages::Icon::Error);
    return 1;
  }
  return printOrSave(std::get<Waveform>(read), csvFile, messages, out);
}
