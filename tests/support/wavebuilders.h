#pragma once
#include "support/wireorder.h"
#include "waveform/captureblock.h"
#include "waveform/waverecord.h"

#include <QByteArray>

// Wave records built field by field, in host order.
inline WaveRecord makeWaveRecord(const char* id, DateTimeBytes when, quint8 typeAndNumber) {
  WaveRecord w;
  w.setText(waverec::DeviceId, waverec::DeviceIdSize, id);
  w.setU8(waverec::Day, when.day), w.setU8(waverec::Month, when.month), w.setU8(waverec::Year, when.year);
  w.setU8(waverec::Hour, when.hour), w.setU8(waverec::Minute, when.minute), w.setU8(waverec::Second, when.second);
  w.setU8(waverec::TestTypeAndNumber, typeAndNumber);
  return w;
}

inline void setWaveSample(WaveRecord& w, int index, qint8 value) { w.setU8(waverec::Samples + index, quint8(value)); }

// A capture block as the analyzer sends it: the header given in host order is
// put in wire order by the layout's own word list (a pacer pulse when the word
// at 54 is zero); the samples, all zero, are set with setCaptureSample.
inline QByteArray captureBlockOf(const CaptureHeader& header) {
  const QByteArray host(header.data(), CaptureHeader::Size);
  const bool pacer = header.u16(54) == 0;
  return wireorder::swapped(host, wireorder::captureHeaderWords(pacer)) + QByteArray(2 * capture::SampleCount, '\0');
}

// A wave record as the analyzer sends it, from one in host order.
inline QByteArray waveRecordOnWire(const WaveRecord& rec) {
  return wireorder::swapped(QByteArray(rec.data(), WaveRecord::Size), wireorder::waveRecWords());
}

inline void setCaptureSample(QByteArray& block, int index, qint16 value) {
  const qsizetype at = qsizetype(capture::Samples) + 2 * index;
  block[at] = char(quint16(value) >> 8);
  block[at + 1] = char(quint16(value) & 0xFF);
}

inline CaptureHeader makeCaptureHeader(const char* id, const quint8 packedDateTime[6]) {
  CaptureHeader h;
  h.setText(capture::DeviceId, capture::DeviceIdSize, id);
  for (int i = 0; i < 6; ++i) h.setU8(capture::PackedDateTime + i, packedDateTime[i]);
  return h;
}
