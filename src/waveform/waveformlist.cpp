#include "waveform/waveformlist.h"

#include "waveform/waverecord.h"

namespace waveformlist {

QString columnHeader(int column) {
  static const char* const headers[kColumnCount] = {"No.", "Device ID", "Date", "Test Type", "Test No."};
  return column >= 0 && column < kColumnCount ? QString::fromLatin1(headers[column]) : QString();
}

QString cellText(const WaveRecord& rec, int index, int column) {
  switch (column) {
    case 0: return QString::number(index + 1);
    case 1: return waveDeviceIdText(rec);
    case 2: return dateTimeText(waveDateTime(rec));
    case 3: return waveTestTypeText(rec);
    case 4: return QString::number(waveTestNumber(rec));
    default: return QString();
  }
}

SortKind sortKind(int column) { return column == 1 || column == 3 ? SortKind::Text : SortKind::Number; }

TSortItem sortKey(const WaveRecord& rec, int index, int column) {
  TSortItem key;
  const quint32 i = quint32(index);
  switch (column) {
    case 1: key.setText(waveDeviceIdText(rec), i); break;
    case 2: key.setNumber(dateTimeValue(waveDateTime(rec)), i); break;
    case 3: key.setText(waveTestTypeText(rec), i); break;
    case 4: key.setNumber(waveTestNumber(rec), i); break;
    default: key.setNumber(index, i); break;
  }
  return key;
}

}  // namespace waveformlist
