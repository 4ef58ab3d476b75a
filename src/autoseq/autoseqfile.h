#pragma once
#include "autoseq/autoseqrecord.h"
#include "core/savefile.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

// autoseq.dat: the records back to back in list order, 276 bytes each in host
// order, with no header, count or checksum. Reading takes at most 32 records; a
// short last piece becomes one more record padded with zeros.
QList<TAutoSeq> autoSeqsFromFileBytes(const QByteArray& bytes);
QByteArray autoSeqFileBytes(const QList<TAutoSeq>& records);

// Reading the file: a file that does not exist yet (the first start) is an empty
// list and no failure; a file that exists but cannot be read is one.
struct AutoSeqFileRead {
  enum class Status { Read, Missing, Unreadable };
  Status status = Status::Missing;
  QList<TAutoSeq> records;
  QString reason;  // why an existing file could not be read
};
AutoSeqFileRead loadAutoSeqFile(const QString& path);

// Writes all or nothing through the save helper: on a failure the old file stays whole.
std::optional<SaveFailure> saveAutoSeqFile(const QString& path, const QList<TAutoSeq>& records);

// The messages the program shows for the file, with their caption.
QString autoSeqReadFailureText();   // "Could not open autosequence data file for reading."
QString autoSeqWriteFailureText();  // "Could not open autosequence data file for writing."
QString autoSeqFileErrorCaption();  // "Error Opening File"
