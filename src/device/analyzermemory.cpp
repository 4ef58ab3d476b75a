#include "analyzermemory.h"

#include <QDir>
#include <QFile>
#include <algorithm>

void AnalyzerMemory::setCountsFromLists() {
  auto clampCount = [](qsizetype n) { return char(quint8(std::min<qsizetype>(n, 255))); };
  systemInfo[kReportCountByte] = clampCount(testRecords.size());
  systemInfo[kWaveCountByte] = clampCount(waveRecords.size());
  systemInfo[kAutoSeqCountByte] = clampCount(autoSeqs.size());
}

void AnalyzerMemory::setAnalyzerId(const QByteArray& id) {
  for (int i = 0; i < 16; ++i) systemInfo[12 + i] = i < id.size() ? id[i] : '\0';
}

namespace {
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
  std::optional<QByteArray> sysinfo, autoseq, reports, waves, capture;
  if (!readDumpFile(dir, QStringLiteral("sysinfo.bin"), 37, true, &sysinfo, error) ||
      !readDumpFile(dir, QStringLiteral("autoseq.bin"), 276, false, &autoseq, error) ||
      !readDumpFile(dir, QStringLiteral("reports.bin"), 736, false, &reports, error) ||
      !readDumpFile(dir, QStringLiteral("waves.bin"), 1314, false, &waves, error) ||
      !readDumpFile(dir, QStringLiteral("capture.bin"), 10306, true, &capture, error))
    return std::nullopt;

  AnalyzerMemory memory;
  memory.autoSeqs = splitRecords(autoseq, 276);
  memory.testRecords = splitRecords(reports, 736);
  memory.waveRecords = splitRecords(waves, 1314);
  if (capture) memory.capture = *capture;
  if (sysinfo) {
    memory.systemInfo = *sysinfo;
  } else {
    memory.setAnalyzerId(QByteArrayLiteral("SIMULATOR"));
    memory.setCountsFromLists();
  }
  return memory;
}
