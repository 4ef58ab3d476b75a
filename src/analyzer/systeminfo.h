#pragma once
#include "analyzer/recordkinds.h"

#include <QByteArray>
#include <QString>

// The 37-byte answer to "GS". The program reads single bytes and text from it,
// so nothing in it is byte-swapped:
//   0..11  not interpreted
//   12..27 the analyzer's I.D., ASCII, NUL-padded when shorter than 16 characters
//   28..33 not interpreted
//   34, 35, 36 the numbers of stored test reports, wave records and autosequences
class SystemInfo {
 public:
  static constexpr int kIdOffset = 12;
  static constexpr int kIdSize = 16;

  SystemInfo() = default;
  // Takes the block as it came; a shorter one is padded with zeros, a longer one cut.
  explicit SystemInfo(const QByteArray& block);

  const QByteArray& bytes() const { return bytes_; }

  QString analyzerId() const;  // up to the first NUL, untrimmed
  void setAnalyzerId(const QByteArray& id);

  int count(const RecordKind& kind) const;  // the stored count, unsigned
  void setCount(const RecordKind& kind, int n);  // kept to 0..255, the range of its byte

 private:
  QByteArray bytes_ = QByteArray(kSystemInfoSize, '\0');
};
