// Any wave record or capture block from the analyzer: the three decoding paths
// and the axis fit must neither crash nor read outside the block.
#include "waveform/currentaxis.h"
#include "waveform/wavedecode.h"
#include "waveform/waverecord.h"

#include <algorithm>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  WaveRecord rec;
  std::memcpy(rec.bytes.data(), data, std::min(size, WaveRecord::Size));
  swapWaveRec(rec.data());
  const Waveform stored = decodeWaveRecord(rec);
  (void)fitCurrentAxis(stored.points, stored.pacer);
  // A capture block of whatever length arrived: a short one reads as zeros beyond its end.
  QByteArray block(reinterpret_cast<const char*>(data), qsizetype(std::min<size_t>(size, kCaptureBlockSize)));
  block.resize(kCaptureBlockSize, '\0');
  const Waveform captured = decodeCapture(block);
  (void)fitCurrentAxis(captured.points, captured.pacer);
  return 0;
}
