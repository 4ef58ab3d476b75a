#include "autoseq/autoseqfile.h"

#include <QFile>

namespace {
constexpr qsizetype kRecordSize = qsizetype(TAutoSeq::Size);
}

QList<TAutoSeq> autoSeqsFromFileBytes(const QByteArray& bytes) {
  QList<TAutoSeq> records;
  for (qsizetype at = 0; at < bytes.size() && records.size() < kAutoSeqRecords.limit; at += kRecordSize) {
    TAutoSeq rec;  // zeros: a short last piece is padded
    const qsizetype n = qMin(kRecordSize, bytes.size() - at);
    memcpy(rec.bytes.data(), bytes.constData() + at, size_t(n));
    records.append(rec);
  }
  return records;
}

QByteArray autoSeqFileBytes(const QList<TAutoSeq>& records) {
  QByteArray bytes;
  bytes.reserve(records.size() * kRecordSize);
  for (const TAutoSeq& rec : records) bytes.append(rec.data(), kRecordSize);
  return bytes;
}

AutoSeqFileRead loadAutoSeqFile(const QString& path) {
  AutoSeqFileRead read;
  QFile file(path);
  if (!file.exists()) return read;
  if (!file.open(QIODevice::ReadOnly)) {
    read.status = AutoSeqFileRead::Status::Unreadable;
    read.reason = file.errorString();
    return read;
  }
  // Bytes beyond the 32nd record are never needed.
  const QByteArray bytes = file.read(qint64(kAutoSeqRecords.limit) * kRecordSize);
  if (file.error() != QFileDevice::NoError) {
    read.status = AutoSeqFileRead::Status::Unreadable;
    read.reason = file.errorString();
    return read;
  }
  read.status = AutoSeqFileRead::Status::Read;
  read.records = autoSeqsFromFileBytes(bytes);
  return read;
}

std::optional<SaveFailure> saveAutoSeqFile(const QString& path, const QList<TAutoSeq>& records) {
  return saveWholeFile(path, autoSeqFileBytes(records));
}

QString autoSeqReadFailureText() { return QStringLiteral("Could not open autosequence data file for reading."); }
QString autoSeqWriteFailureText() { return QStringLiteral("Could not open autosequence data file for writing."); }
QString autoSeqFileErrorCaption() { return QStringLiteral("Error Opening File"); }
