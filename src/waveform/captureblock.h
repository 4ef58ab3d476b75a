#pragma once
#include "analyzer/recordkinds.h"
#include "core/bytefield.h"

#include <QByteArray>
#include <QString>

// The block a real-time capture sends, kCaptureBlockSize (10,306) bytes: a
// 66-byte header, then 5,120 signed 16-bit big-endian samples of the current,
// one every 11.4 µs.
//
// The header, packed:
//   0..15  device I.D., NUL-padded, at most 16 characters
//   16..21 second, minute, hour, day, month, year − 2000 (the time first)
//   54     16-bit total energy; zero means the header holds a pacer pulse
// A defibrillator pulse (word at 54 non-zero) has 16-bit big-endian fields at
//   22 peak voltage 1, 24 peak current 1, 26 width 10 % 1, 28 width 50 % 1,
//   30 energy 1, 32 peak voltage 2, 34 peak current 2, 36 and 38 average
//   voltages, 40 and 42 average currents, 44 tilt, 46 width 10 % 2, 48 interphase
//   delay, 50 frequency, 52 duty cycle, 54 total energy, 57 and 63 (unused),
// and its test number at 65. A pacer pulse (word at 54 zero) has
//   24 current scale (0.1 mA, low byte first as the program has always read it),
//   26 pulse width, 28 pulse rate, 30 pulse energy (signed), 33 pulse current,
//   39 test load: 16-bit big-endian but 24; 35 the measuring method; 41 the test number.
struct CaptureHeader : ByteRecord<66> {};

namespace capture {
constexpr std::size_t DeviceId = 0, DeviceIdSize = 16, PackedDateTime = 16;
constexpr std::size_t KindWord = 54;
// Defibrillator pulse.
constexpr std::size_t PeakVoltage1 = 22, PeakCurrent1 = 24, Width10First = 26, Width50First = 28, Energy1 = 30;
constexpr std::size_t PeakVoltage2 = 32, PeakCurrent2 = 34, AvgVoltage1 = 36, AvgVoltage2 = 38;
constexpr std::size_t AvgCurrent1 = 40, AvgCurrent2 = 42, Tilt = 44, Width10Second = 46, InterphaseDelay = 48;
constexpr std::size_t Frequency = 50, DutyCycle = 52, TotalEnergy = 54, DefibTestNumber = 65;
// Pacer pulse.
constexpr std::size_t CurrentScale = 24, PulseWidth = 26, PulseRate = 28, PulseEnergy = 30, PulseCurrent = 33;
constexpr std::size_t Method = 35, TestLoad = 39, PacerTestNumber = 41;
// The samples after the header.
constexpr std::size_t Samples = CaptureHeader::Size;
constexpr int SampleCount = 5120;
static_assert(Samples + 2 * SampleCount == std::size_t(kCaptureBlockSize));
}  // namespace capture

// Whether the header, still in the analyzer's order, holds a pacer pulse: its
// word at 54 is zero, which it is in either byte order.
bool isPacerCapture(const CaptureHeader& received);

// Converts the fields of the header's kind, chosen on the word at 54 before
// anything is swapped. Converting twice restores the header.
void swapCaptureHeader(char* header);

// The header of a block as received (wire order), and its samples in host order.
CaptureHeader captureHeaderOf(const QByteArray& block);
qint16 captureSample(const QByteArray& block, int index);
