#include "waveform/samplewaves.h"

#include "waveform/captureblock.h"

#include <cmath>
#include <functional>
#include <numbers>

namespace {
using Shape = std::function<double(double t)>;  // current at t ms, relative to the first peak

// A biphasic truncated exponential pulse: 6 ms, a pause, then 4 ms the other way.
double biphasicShape(double t) {
  if (t < 0) return 0;
  if (t < 6.0) return std::exp(-t / 8.5);
  if (t < 6.4) return 0;
  if (t < 10.4) return -0.5 * std::exp(-(t - 6.4) / 8.5);
  return 0;
}

// The same envelope switched on and off at 2.5 kHz with a duty cycle of 62.5 %.
double pulsedBiphasicShape(double t) {
  const double phase = std::fmod(std::max(t, 0.0), 0.4);
  return phase < 0.25 ? biphasicShape(t) : 0.0;
}

// A damped sine (monophasic) pulse, normalised to a peak of 1.
double monophasicShape(double t) {
  if (t < 0 || t > 12) return 0;
  return std::exp(-t / 2.2) * std::sin(t * std::numbers::pi / 12.0) / 0.53;
}

// A pacer's rectangular pulse of 20 ms with a slight droop.
double pacerShape(double t) { return t >= 0 && t < 20.1 ? 1.0 - t * 0.004 : 0.0; }

struct StoredPulse {
  const char* id;
  DateTimeBytes when;
  quint16 peakVoltage, peakCurrent, width10, width50, energy;
  bool longInterval;  // 45.6 µs between samples, for the long monophasic pulse
  quint8 testType, testNumber;
  Shape shape;
};

WaveRecord storedPulse(const StoredPulse& p) {
  WaveRecord w;
  w.setText(waverec::DeviceId, waverec::DeviceIdSize, p.id);
  w.setU8(waverec::Day, p.when.day), w.setU8(waverec::Month, p.when.month), w.setU8(waverec::Year, p.when.year);
  w.setU8(waverec::Hour, p.when.hour), w.setU8(waverec::Minute, p.when.minute);
  w.setU8(waverec::Second, p.when.second);
  w.setU16(waverec::PeakVoltage, p.peakVoltage), w.setU16(waverec::PeakCurrent, p.peakCurrent);
  w.setU16(waverec::Width10, p.width10), w.setU16(waverec::Width50, p.width50), w.setU16(waverec::Energy, p.energy);
  w.setU8(waverec::IntervalFlag, p.longInterval ? 1 : 0);
  w.setU8(waverec::TestTypeAndNumber, quint8(p.testType | (p.testNumber << 4)));
  const double period = waveSamplePeriodMs(w);
  for (int i = 0; i < waverec::SampleCount; ++i)
    w.setU8(waverec::Samples + i, quint8(qint8(std::lround(p.shape(i * period - 2.0) * 127))));
  return w;
}

// A capture block in wire order from a header in host order and a pulse shape
// that starts 5 ms into the block.
QByteArray captureBlock(CaptureHeader header, const Shape& shape, double countsAtPeak) {
  swapCaptureHeader(header.data());
  QByteArray block(header.data(), CaptureHeader::Size);
  for (int i = 0; i < capture::SampleCount; ++i) {
    const auto sample = quint16(qint16(std::lround(shape(i * 0.0114 - 5.0) * countsAtPeak)));
    block.append(char(sample >> 8)).append(char(sample & 0xFF));
  }
  return block;
}

void setCaptureHead(CaptureHeader& h, const char* id, const quint8 packedDateTime[6]) {
  h.setText(capture::DeviceId, capture::DeviceIdSize, id);
  for (int i = 0; i < 6; ++i) h.setU8(capture::PackedDateTime + i, packedDateTime[i]);
}
}  // namespace

QList<WaveRecord> sampleWaveRecords() {
  return {
      storedPulse({"ER-DEFIB-01", {14, 1, 25, 9, 12, 40}, 1410, 2820, 600, 310, 2000, false, 0, 1, biphasicShape}),
      storedPulse({"ER-DEFIB-01", {14, 1, 25, 9, 14, 2}, 1730, 3460, 600, 310, 3600, false, 0, 2, biphasicShape}),
      storedPulse({"OR3 LIFEPAK", {14, 1, 25, 10, 2, 5}, 2690, 5380, 820, 410, 2000, true, 0, 1, monophasicShape}),
      storedPulse({"ICU-DEFIB-07", {5, 3, 13, 14, 5, 9}, 1500, 3000, 600, 310, 2000, false, 1, 1, biphasicShape}),
      storedPulse({"CCU-DEF-12", {3, 2, 25, 15, 30, 0}, 1330, 2660, 600, 310, 500, false, 2, 1, pulsedBiphasicShape}),
  };
}

QByteArray sampleDefibCapture() {
  CaptureHeader h;
  const quint8 when[6] = {30, 41, 10, 8, 3, 25};
  setCaptureHead(h, "ER-DEFIB-01", when);
  const quint16 fields[] = {1410, 2820, 600, 310, 1240, 705, 1410, 1015, 536, 2030, 1072, 520, 400, 40, 0, 0, 2000};
  for (std::size_t i = 0; i < std::size(fields); ++i) h.setU16(capture::PeakVoltage1 + 2 * i, fields[i]);
  h.setU8(capture::DefibTestNumber, 1);
  return captureBlock(h, biphasicShape, 4000);
}

QByteArray samplePacerCapture() {
  CaptureHeader h;
  const quint8 when[6] = {12, 15, 11, 8, 3, 25};
  setCaptureHead(h, "TCP-PACER-03", when);
  // The current scale is kept low byte first, as the program reads it.
  h.setU16(capture::CurrentScale, 700);  // 70.0 mA at the largest sample
  h.setU16(capture::PulseWidth, 2010), h.setU16(capture::PulseRate, 701), h.setU16(capture::PulseEnergy, 49);
  h.setU16(capture::PulseCurrent, 702), h.setU8(capture::Method, 0), h.setU16(capture::TestLoad, 50);
  h.setU8(capture::PacerTestNumber, 1);
  return captureBlock(h, pacerShape, 3000);
}
