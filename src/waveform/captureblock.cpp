#include "waveform/captureblock.h"

#include "analyzer/byteorder.h"

#include <cstring>

bool isPacerCapture(const CaptureHeader& received) { return received.u16(capture::KindWord) == 0; }

void swapCaptureHeader(char* header) {
  const bool pacer = header[capture::KindWord] == 0 && header[capture::KindWord + 1] == 0;
  if (pacer) {
    for (std::size_t offset : {capture::PulseWidth, capture::PulseRate, capture::PulseEnergy, capture::PulseCurrent,
                               capture::TestLoad})
      swapWord(header + offset);
    return;
  }
  for (std::size_t offset = capture::PeakVoltage1; offset <= capture::TotalEnergy; offset += 2) swapWord(header + offset);
  swapWord(header + 57);
  swapWord(header + 63);
}

CaptureHeader captureHeaderOf(const QByteArray& block) {
  CaptureHeader header;
  memcpy(header.bytes.data(), block.constData(), size_t(qMin<qsizetype>(block.size(), CaptureHeader::Size)));
  return header;
}

qint16 captureSample(const QByteArray& block, int index) {
  const qsizetype at = qsizetype(capture::Samples) + 2 * qsizetype(index);
  if (index < 0 || at + 1 >= block.size()) return 0;
  return qint16(quint16(quint8(block[at]) << 8 | quint8(block[at + 1])));
}
