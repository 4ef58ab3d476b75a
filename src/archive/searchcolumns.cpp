#include "archive/searchcolumns.h"

#include "core/text8bit.h"
#include "testreport/testrecord.h"
#include "waveform/captureblock.h"
#include "waveform/wavedecode.h"
#include "waveform/waverecord.h"

namespace {
QDateTime testedAt(const DateTimeBytes& bytes) {
  const QDate date(2000 + bytes.year, bytes.month, bytes.day);
  const QTime time(bytes.hour, bytes.minute, bytes.second);
  if (!date.isValid() || !time.isValid()) return {};
  return QDateTime(date, time, Qt::UTC);  // a wall-clock time of no zone: never moved by this computer's clock changes
}

SearchColumns ofTestReport(const QByteArray& bytes) {
  const TTestRec rec = testRecFromBytes(bytes.constData());
  SearchColumns columns;
  columns.device = deviceIdText(rec);
  columns.tested = testedAt(testDateTime(rec));
  columns.title = testTypeText(rec);
  columns.dutType = rec.u8(testrec::DutTypeByte);
  columns.passed = testRecPassed(rec);
  columns.autoSeq = rec.u8(testrec::AutoSeqNumber);
  return columns;
}

SearchColumns ofWaveRecord(const QByteArray& bytes) {
  const WaveRecord rec = waveRecordFromBytes(bytes.constData());
  return {waveDeviceIdText(rec), testedAt(waveDateTime(rec)), waveTestTypeText(rec)};
}

// The device column follows one rule for every kind: trimmed of blanks and
// control characters at either end (a capture's viewer still shows its I.D. as
// received).
SearchColumns ofCapture(const QByteArray& block) {
  const CaptureHeader header = captureHeaderOf(block);
  const quint8* packed = header.bytes.data() + capture::PackedDateTime;
  const DateTimeBytes when{packed[3], packed[4], packed[5], packed[2], packed[1], packed[0]};
  const Waveform wave = decodeCapture(block);
  return {trimmedOfBlanksAndControls(wave.info.deviceId), testedAt(when), wave.info.testType};
}
}  // namespace

QString archiveKindName(ArchiveKind kind) {
  switch (kind) {
    case ArchiveKind::TestReport: return QStringLiteral("report");
    case ArchiveKind::WaveRecord: return QStringLiteral("wave");
    case ArchiveKind::Capture: return QStringLiteral("capture");
  }
  return QString();
}

int archiveRecordSize(ArchiveKind kind) {
  switch (kind) {
    case ArchiveKind::TestReport: return kTestReportRecords.blockSize;
    case ArchiveKind::WaveRecord: return kWaveRecords.blockSize;
    case ArchiveKind::Capture: return kCaptureBlockSize;
  }
  return 0;
}

SearchColumns searchColumns(ArchiveKind kind, const QByteArray& bytes) {
  if (bytes.size() != archiveRecordSize(kind)) return {};  // never read past a record that is not whole
  switch (kind) {
    case ArchiveKind::TestReport: return ofTestReport(bytes);
    case ArchiveKind::WaveRecord: return ofWaveRecord(bytes);
    case ArchiveKind::Capture: return ofCapture(bytes);
  }
  return {};
}
