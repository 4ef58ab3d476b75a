#pragma once
#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

// What an analyzer holds, in wire order (16-bit fields big-endian): the
// system-information block, its autosequences, test reports and wave records,
// and the block its real-time capture sends.
struct AnalyzerMemory {
  static constexpr int kReportCountByte = 34;
  static constexpr int kWaveCountByte = 35;
  static constexpr int kAutoSeqCountByte = 36;

  QByteArray systemInfo = QByteArray(37, '\0');
  QList<QByteArray> autoSeqs;     // 276 bytes each
  QList<QByteArray> testRecords;  // 736 bytes each
  QList<QByteArray> waveRecords;  // 1,314 bytes each
  QByteArray capture = QByteArray(10306, '\0');

  // Sets the three count bytes from the lists (at most 255 each) and the analyzer I.D.
  void setCountsFromLists();
  void setAnalyzerId(const QByteArray& id);
};

// Reads a dump folder: sysinfo.bin (37 bytes), autoseq.bin, reports.bin, waves.bin
// (records back to back) and capture.bin (10,306 bytes); every file may be missing.
// Without sysinfo.bin the counts follow the files. Returns nothing and sets `error`
// when a file cannot be read or has a size that is not whole records.
std::optional<AnalyzerMemory> loadDumpFolder(const QString& folder, QString* error);
