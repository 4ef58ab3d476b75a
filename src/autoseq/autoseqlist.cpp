#include "autoseq/autoseqlist.h"

#include "autoseq/autoseqrecord.h"

namespace autoseqlist {

QString columnHeader(int column) {
  static const char* const headers[kColumnCount] = {"No.", "Title", "Device Under Test"};
  return column >= 0 && column < kColumnCount ? QString::fromLatin1(headers[column]) : QString();
}

QString cellText(const TAutoSeq& rec, int index, int column) {
  switch (column) {
    case 0: return QString::number(index + 1);
    case 1: return autoSeqTitleText(rec);
    case 2: return autoSeqDutName(rec);
    default: return QString();
  }
}

SortKind sortKind(int column) { return column == 1 || column == 2 ? SortKind::Text : SortKind::Number; }

TSortItem sortKey(const TAutoSeq& rec, int index, int column) {
  TSortItem key;
  if (sortKind(column) == SortKind::Text) key.setText(cellText(rec, index, column), quint32(index));
  else key.setNumber(index, quint32(index));
  return key;
}

}  // namespace autoseqlist
