// Any file opened as a waveform file: reading must keep to its lines and
// fields, and what it reads must be written and read back to the same file.
#include "waveform/waveformfile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
  const std::variant<Waveform, WaveformFileError> read = readWaveformFile(bytes, QLatin1Char('.'));
  const Waveform* wave = std::get_if<Waveform>(&read);
  // A file of its header alone reads as no texts at all, so only a waveform with
  // points can come back the same.
  if (!wave || wave->points.isEmpty()) return 0;
  const QByteArray written = waveformFileBytes(wave->info, wave->points, QLatin1Char('.'));
  const std::variant<Waveform, WaveformFileError> again = readWaveformFile(written, QLatin1Char('.'));
  const Waveform* reread = std::get_if<Waveform>(&again);
  if (!reread || waveformFileBytes(reread->info, reread->points, QLatin1Char('.')) != written) std::abort();
  return 0;
}
