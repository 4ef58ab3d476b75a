#include "cli/wavecommands.h"

#include "analyzer/systeminfo.h"
#include "cli/outputfolder.h"
#include "cli/pdfprinter.h"
#include "core/recordkeeper.h"
#include "core/savefile.h"
#include "core/usermessages.h"
#include "device/headlessprogress.h"
#include "device/transfers.h"
#include "device/transport.h"
#include "waveform/wavedecode.h"
#include "waveform/waveformfile.h"
#include "waveform/waverecord.h"

#include <QDir>
#include <QFile>
#include <QTextStream>
#include <functional>

namespace {
void printTexts(const Waveform& wave, QTextStream& out) {
  for (const InfoRow& row : infoRows(wave.pacer)) {
    out << row.caption;
    if (row.text) out << ' ' << wave.info.*row.text;
    out << '\n';
  }
}

bool reported(const std::optional<SaveFailure>& failure, UserMessages& messages) {
  if (failure) messages.show(failure->message(), QStringLiteral("Error saving file"), UserMessages::Icon::Error);
  return failure.has_value();
}

bool saveWaveform(const Waveform& wave, const QString& path, UserMessages& messages) {
  return !reported(saveWholeFile(path, waveformFileBytes(wave.info, wave.points)), messages);
}

// Prints the waveforms' texts, or writes the outputs asked for: one waveform
// file per waveform (named by `csvName`) and one printout of them all.
int printOrWrite(const QList<Waveform>& waves, const WaveOutputs& outputs,
                 const std::function<QString(qsizetype)>& csvName, UserMessages& messages, QTextStream& out) {
  if (!outputs.any()) {
    for (qsizetype i = 0; i < waves.size(); ++i) {
      if (i > 0) out << '\n';
      printTexts(waves[i], out);
    }
    return 0;
  }
  if (!outputs.csv.isEmpty())
    for (qsizetype i = 0; i < waves.size(); ++i)
      if (!makeFolderOf(csvName(i), messages) || !saveWaveform(waves[i], csvName(i), messages)) return 1;
  if (!makeFolderOf(outputs.pdf, messages)) return 1;
  if (!outputs.pdf.isEmpty() && reported(outputs.printer->printWaveforms(outputs.pdf, waves), messages)) return 1;
  return 0;
}
}  // namespace

int runWavesCommand(DeviceLink& link, const WaveOutputs& outputs, QTextStream& out) {
  HeadlessProgressHost host(link.messages);
  QList<WaveRecord> records;
  const bool ok = runDownload(link, host, kWaveRecords, swapWaveRec,
                              [&records](const SystemInfo&, const QList<QByteArray>& blocks) {
                                for (const QByteArray& block : blocks) records.append(waveRecordFromBytes(block.constData()));
                              });
  if (!ok) return 1;
  if (!outputs.csv.isEmpty() && !makeOutputFolder(outputs.csv, link.messages)) return 1;
  QList<Waveform> waves;
  for (const WaveRecord& rec : std::as_const(records)) waves.append(decodeWaveRecord(rec));
  const auto csvName = [&outputs](qsizetype i) {
    return QDir(outputs.csv).filePath(QStringLiteral("wave-%1.csv").arg(i + 1, 2, 10, QLatin1Char('0')));
  };
  return printOrWrite(waves, outputs, csvName, link.messages, out);
}

namespace {
constexpr quint32 kAnalyzerIdTimeoutMs = 1000;
}  // namespace

int runCaptureCommand(DeviceLink& link, const WaveOutputs& outputs, RecordKeeper* keeper, QTextStream& out) {
  HeadlessProgressHost host(link.messages);
  QByteArray block;
  if (!runCapture(link, host, [&block](const QByteArray& received) { block = received; })) return 1;
  // The capture's analyzer, asked once the capture is safe, in an exchange of
  // its own: an analyzer that does not answer leaves it unknown.
  if (keeper) keeper->keep(ArchiveKind::Capture, readAnalyzerId(link.driver, kAnalyzerIdTimeoutMs), {block});
  return printOrWrite({decodeCapture(block)}, outputs, [&outputs](qsizetype) { return outputs.csv; }, link.messages, out);
}

int runWavefileCommand(const QString& path, const WaveOutputs& outputs, UserMessages& messages, QTextStream& out) {
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
  return printOrWrite({std::get<Waveform>(read)}, outputs, [&outputs](qsizetype) { return outputs.csv; }, messages, out);
}
