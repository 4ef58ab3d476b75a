#include "simulator/dumpfolder.h"

#include <QDir>
#include <QFile>

namespace {
// The file of each record kind in a dump folder.
struct DumpFile {
  const RecordKind* kind;
  const char* name;
};
constexpr DumpFile kRecordFiles[] = {
    {&kAutoSeqRecords, "autoseq.bin"}, {&kTestReportRecords, "reports.bin"}, {&kWaveRecords, "waves.bin"}};

// Reads one file of the dump: absent is fine, unreadable or of the wrong size is an error.
bool readDumpFile(const QDir& dir, const QString& name, qsizetype unit, bool exactlyOne, std::optional<QByteArray>* out,
                  QString* error) {
  const QString path = dir.filePath(name);
  if (!QFile::exists(path)) return true;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    *error = QStringLiteral("%1: %2").arg(path, file.errorString());
    return false;
  }
  const QByteArray bytes = file.readAll();
  const bool sizeOk = exactlyOne ? bytes.size() == unit : bytes.size() % unit == 0;
  if (!sizeOk) {
    *error = exactlyOne ? QStringLiteral("%1: size %2 bytes, expected %3").arg(path).arg(bytes.size()).arg(unit)
                        : QStringLiteral("%1: size %2 bytes is not a whole number of %3-byte records")
                              .arg(path)
                              .arg(bytes.size())
                              .arg(unit);
    return false;
  }
  *out = bytes;
  return true;
}

QList<QByteArray> splitRecords(const std::optional<QByteArray>& bytes, qsizetype size) {
  QList<QByteArray> records;
  if (!bytes) return records;
  for (qsizetype at = 0; at + size <= bytes->size(); at += size) records.append(bytes->mid(at, size));
  return records;
}
}  // namespace

std::optional<AnalyzerMemory> loadDumpFolder(const QString& folder, QString* error) {
  const QDir dir(folder);
  if (!dir.exists()) {
    *error = QStringLiteral("%1: no such folder").arg(folder);
    return std::nullopt;
  }
  AnalyzerMemory memory;
  std::optional<QByteArray> sysinfo, capture;
  if (!readDumpFile(dir, QStringLiteral("sysinfo.bin"), kSystemInfoSize, true, &sysinfo, error) ||
      !readDumpFile(dir, QStringLiteral("capture.bin"), kCaptureBlockSize, false, &capture, error))
    return std::nullopt;
  for (const DumpFile& file : kRecordFiles) {
    std::optional<QByteArray> bytes;
    if (!readDumpFile(dir, QString::fromLatin1(file.name), file.kind->blockSize, false, &bytes, error))
      return std::nullopt;
    memory.records(*file.kind) = splitRecords(bytes, file.kind->blockSize);
  }
  if (capture && !capture->isEmpty()) memory.captures = splitRecords(capture, kCaptureBlockSize);
  if (sysinfo) {
    memory.systemInfo = SystemInfo(*sysinfo);
  } else {
    memory.systemInfo.setAnalyzerId(QByteArrayLiteral("SIMULATOR"));
    memory.setCountsFromLists();
  }
  return memory;
}
