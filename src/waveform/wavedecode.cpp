#include "waveform/wavedecode.h"

#include "core/datetimetext.h"
#include "core/text8bit.h"
#include "waveform/captureblock.h"
#include "waveform/waverecord.h"

#include <cstdlib>
#include <iterator>

namespace {
QString withDecimals(qint64 value, int k, const char* unit) {
  return insertDecimalPoint(QString::number(value), k) + QLatin1String(unit);
}

QString whole(qint64 value, const char* unit) { return QString::number(value) + QLatin1String(unit); }

void setCommonCaptureTexts(WaveInfo& info, const CaptureHeader& h) {
  info.deviceId = fieldText(QByteArrayView(h.data() + capture::DeviceId, capture::DeviceIdSize));
  quint8 packed[6];
  for (int i = 0; i < 6; ++i) packed[i] = h.u8(capture::PackedDateTime + i);
  info.date = packedDateTimeText(packed);
  info.resolution = QStringLiteral("13-bit");
  info.sampleInterval = QStringLiteral("11.4 us");
}

void setDefibTexts(WaveInfo& info, const CaptureHeader& h) {
  using namespace capture;
  info.testType = QStringLiteral("Defib Energy");
  info.testNumber = QString::number(h.u8(DefibTestNumber));
  info.energy = withDecimals(h.u16(TotalEnergy), 1, " J");
  info.ampsP1 = withDecimals(h.u16(PeakCurrent1), 2, " A");
  info.ampsA1 = withDecimals(h.u16(AvgCurrent1), 2, " A");
  info.voltsP1 = whole(h.u16(PeakVoltage1), " V");
  info.voltsA1 = whole(h.u16(AvgVoltage1), " V");
  info.energy1 = withDecimals(h.u16(Energy1), 1, " J");
  info.width10 = withDecimals(h.u16(Width10First), 2, " msec");
  info.width50 = withDecimals(h.u16(Width50First), 2, " msec");
  info.ampsP2 = withDecimals(h.u16(PeakCurrent2), 2, " A");
  info.ampsA2 = withDecimals(h.u16(AvgCurrent2), 2, " A");
  info.voltsP2 = whole(h.u16(PeakVoltage2), " V");
  info.voltsA2 = whole(h.u16(AvgVoltage2), " V");
  info.energy2 = secondPhaseEnergyText(h.u16(TotalEnergy), h.u16(Energy1));
  info.width2 = withDecimals(h.u16(Width10Second), 2, " msec");
  info.delay = withDecimals(h.u16(InterphaseDelay), 2, " msec");
  info.tilt = withDecimals(h.u16(Tilt), 1, " %");
  info.freq = whole(h.u16(Frequency), " Hz");
  info.duty = withDecimals(h.u16(DutyCycle), 1, " %");
}

void setPacerTexts(WaveInfo& info, const CaptureHeader& h) {
  using namespace capture;
  info.testType = pacerTestTypeText();
  info.testNumber = QString::number(h.u8(PacerTestNumber));
  info.pulseCurrent = withDecimals(h.u16(PulseCurrent), 1, " mA");
  info.method = pacerMethodText(h.u8(Method));
  info.pulseWidth = withDecimals(h.u16(PulseWidth), 2, " msec");
  info.pulseRate = withDecimals(h.u16(PulseRate), 1, " PPM");
  info.pulseEnergy = pacerPulseEnergyText(h.i16(PulseEnergy));
  info.testLoad = whole(h.u16(TestLoad), " ohms");
}
}  // namespace

QString insertDecimalPoint(const QString& digits, int k) {
  if (digits.size() > k) return digits.left(digits.size() - k) + QLatin1Char('.') + digits.right(k);
  return QLatin1Char('.') + digits.rightJustified(k, QLatin1Char('0'));
}

QString secondPhaseEnergyText(quint16 total, quint16 firstPhase) {
  return withDecimals(qint64(total) - qint64(firstPhase), 1, " J");
}

QString pacerPulseEnergyText(qint16 value) {
  const double mJ = value >= 0 ? value * 0.1 : value * -0.001;
  return QString::asprintf("%.3f mJ", mJ);
}

QString pacerMethodText(quint8 code) {
  static const char* const kMethods[] = {"AVERAGE", "LEADING EDGE", "TRAILING EDGE", "PEAK"};
  return std::size_t(code) < std::size(kMethods) ? QString::fromLatin1(kMethods[code]) : QStringLiteral("?");
}

Waveform decodeWaveRecord(const WaveRecord& rec) {
  Waveform wave;
  WaveInfo& info = wave.info;
  info.deviceId = waveDeviceIdText(rec);
  info.date = dateTimeText(waveDateTime(rec));
  info.testType = waveTestTypeText(rec);
  info.testNumber = QString::number(waveTestNumber(rec));
  info.resolution = QStringLiteral("8-bit");
  info.sampleInterval = rec.u8(waverec::IntervalFlag) != 0 ? QStringLiteral("45.6 us") : QStringLiteral("11.4 us");
  info.energy = withDecimals(rec.u16(waverec::Energy), 1, " J");
  info.ampsP1 = withDecimals(rec.u16(waverec::PeakCurrent), 2, " A");
  info.voltsP1 = whole(rec.u16(waverec::PeakVoltage), " V");
  info.width10 = withDecimals(rec.u16(waverec::Width10), 2, " msec");
  info.width50 = withDecimals(rec.u16(waverec::Width50), 2, " msec");

  // The sample value 127 stands for the peak current.
  const double period = waveSamplePeriodMs(rec);
  const double scale = rec.u16(waverec::PeakCurrent) * 0.01 / 127;
  wave.points.reserve(waverec::SampleCount);
  for (int i = 0; i < waverec::SampleCount; ++i)
    wave.points.append(QPointF(i * period, qint8(rec.u8(waverec::Samples + i)) * scale));
  return wave;
}

Waveform decodeCapture(const QByteArray& block) {
  Waveform wave;
  CaptureHeader header = captureHeaderOf(block);
  wave.pacer = isPacerCapture(header);
  swapCaptureHeader(header.data());
  setCommonCaptureTexts(wave.info, header);
  if (wave.pacer) setPacerTexts(wave.info, header);
  else setDefibTexts(wave.info, header);

  // The largest excursion of the samples is scaled to the measured peak current
  // (A) of a defibrillator pulse or to the current scale (mA) of a pacer pulse.
  int largest = 0;
  for (int i = 0; i < capture::SampleCount; ++i) largest = qMax(largest, std::abs(int(captureSample(block, i))));
  const double measured = wave.pacer ? header.u16(capture::CurrentScale) * 0.1 : header.u16(capture::PeakCurrent1) * 0.01;
  const double scale = largest == 0 ? 0.0 : measured / largest;
  wave.points.reserve(capture::SampleCount);
  for (int i = 0; i < capture::SampleCount; ++i) wave.points.append(QPointF(i * 0.0114, captureSample(block, i) * scale));
  return wave;
}
