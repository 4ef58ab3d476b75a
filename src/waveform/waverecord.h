#pragma once
#include "analyzer/recordkinds.h"
#include "core/bytefield.h"
#include "core/datetimetext.h"

#include <QString>

// One pulse as the analyzer stores it, kWaveRecords.blockSize (1,314) bytes:
//   0..15  device I.D., NUL-padded (not NUL-terminated when 16 characters long)
//   16..21 day, month, year − 2000, hour, minute, second
//   22 peak voltage (V), 24 peak current (0.01 A), 26 and 28 pulse widths at 10 %
//          and 50 % (0.01 ms), 30 energy (0.1 J): 16-bit, big-endian on the wire
//   32     sample interval: non-zero 45.6 µs, zero 11.4 µs
//   33     reserved
//   34     test type (bits 0-3) and test number (bits 4-7)
//   35..   1,279 signed 8-bit samples of the current; ±127 is the peak current
// In memory the five 16-bit fields are in host order; swapWaveRec converts them.
struct WaveRecord : ByteRecord<std::size_t(kWaveRecords.blockSize)> {};

namespace waverec {
constexpr std::size_t DeviceId = 0, DeviceIdSize = 16;
constexpr std::size_t Day = 16, Month = 17, Year = 18, Hour = 19, Minute = 20, Second = 21;
constexpr std::size_t PeakVoltage = 22, PeakCurrent = 24, Width10 = 26, Width50 = 28, Energy = 30;
constexpr std::size_t IntervalFlag = 32, TestTypeAndNumber = 34, Samples = 35;
constexpr int SampleCount = 1279;
static_assert(Samples + SampleCount == WaveRecord::Size);
}  // namespace waverec

// Converts a record between the analyzer's byte order and host order, in place.
void swapWaveRec(char* record);

QString waveDeviceIdText(const WaveRecord& rec);  // up to the first NUL, blanks and controls trimmed
DateTimeBytes waveDateTime(const WaveRecord& rec);
QString waveTestTypeText(const WaveRecord& rec);  // "Energy", "Charge Time", "Cardioversion" or empty
int waveTestNumber(const WaveRecord& rec);        // 0..15
double waveSamplePeriodMs(const WaveRecord& rec);  // 0.0456 or 0.0114

WaveRecord waveRecordFromBytes(const char* bytes);  // a copy of one record's bytes
