// Texts and points of the three paths. The expected values are worked out by
// hand from the record's fields and the rules of the information panel, not
// taken from the program's own output.
#include "support/wavebuilders.h"
#include "support/wireorder.h"
#include "waveform/currentaxis.h"
#include "waveform/wavedecode.h"

#include <gtest/gtest.h>

namespace {
WaveRecord storedPulse(bool longInterval) {
  WaveRecord w = makeWaveRecord("\x01 ICU 7 \x02", {5, 3, 14, 13, 7, 9}, 0x52);
  w.setU8(waverec::IntervalFlag, longInterval ? 1 : 0);
  w.setU16(waverec::PeakVoltage, 1834), w.setU16(waverec::PeakCurrent, 3250), w.setU16(waverec::Width10, 600);
  w.setU16(waverec::Width50, 5), w.setU16(waverec::Energy, 1500);
  setWaveSample(w, 10, 127);
  setWaveSample(w, 11, -64);
  return w;
}

const quint8 kMarch5th2014At130709Pm[6] = {9, 7, 13, 5, 3, 14};

CaptureHeader defibHeader() {
  CaptureHeader h = makeCaptureHeader(" DEF 1 ", kMarch5th2014At130709Pm);
  using namespace capture;
  h.setU16(PeakVoltage1, 1834), h.setU16(PeakCurrent1, 4100), h.setU16(Width10First, 600);
  h.setU16(Width50First, 310), h.setU16(Energy1, 1600), h.setU16(PeakVoltage2, 900), h.setU16(PeakCurrent2, 50);
  h.setU16(AvgVoltage1, 1000), h.setU16(AvgVoltage2, 500), h.setU16(AvgCurrent1, 5), h.setU16(AvgCurrent2, 325);
  h.setU16(Tilt, 555), h.setU16(Width10Second, 400), h.setU16(InterphaseDelay, 40), h.setU16(Frequency, 50);
  h.setU16(DutyCycle, 625), h.setU16(TotalEnergy, 1500), h.setU8(DefibTestNumber, 3);
  return h;
}

CaptureHeader pacerHeader(qint16 energy, quint8 method) {
  CaptureHeader h = makeCaptureHeader("TCP-03", kMarch5th2014At130709Pm);
  using namespace capture;
  h.setU16(CurrentScale, 720), h.setU16(PulseWidth, 2010), h.setU16(PulseRate, 701);
  h.setU16(PulseEnergy, quint16(energy)), h.setU16(PulseCurrent, 702), h.setU8(Method, method);
  h.setU16(TestLoad, 50), h.setU8(PacerTestNumber, 2);
  return h;
}
}  // namespace

TEST(InsertDecimalPoint, BeforeTheLastDigitsOrInFrontWithZerosAndNothingBefore) {
  EXPECT_EQ(insertDecimalPoint("325", 2), "3.25");
  EXPECT_EQ(insertDecimalPoint("1500", 1), "150.0");
  EXPECT_EQ(insertDecimalPoint("-15", 1), "-1.5");
  EXPECT_EQ(insertDecimalPoint("-5", 1), "-.5");
  EXPECT_EQ(insertDecimalPoint("50", 2), ".50");
  EXPECT_EQ(insertDecimalPoint("5", 2), ".05");
  EXPECT_EQ(insertDecimalPoint("5", 1), ".5");
  EXPECT_EQ(insertDecimalPoint("0", 1), ".0");
}

TEST(DerivedEnergies, SecondPhaseIsASignedDifferenceAndPacerEnergyHasTwoUnits) {
  EXPECT_EQ(secondPhaseEnergyText(1500, 1500), ".0 J");
  EXPECT_EQ(secondPhaseEnergyText(1500, 1600), "-10.0 J");
  EXPECT_EQ(secondPhaseEnergyText(65535, 0), "6553.5 J");  // both taken as unsigned
  EXPECT_EQ(pacerPulseEnergyText(0x04D2), "123.400 mJ");
  EXPECT_EQ(pacerPulseEnergyText(qint16(0xFB2E)), "1.234 mJ");
  EXPECT_EQ(pacerPulseEnergyText(0), "0.000 mJ");
  EXPECT_EQ(pacerMethodText(3), "PEAK");
  EXPECT_EQ(pacerMethodText(4), "?");  // never read past the table
}

TEST(StoredPulse, TextsOfEveryFieldAndTheTrimmedDeviceId) {
  const Waveform wave = decodeWaveRecord(storedPulse(true));
  const WaveInfo& info = wave.info;
  EXPECT_FALSE(wave.pacer);
  EXPECT_EQ(info.deviceId, "ICU 7");
  EXPECT_EQ(info.date, "Mar 05, 2014 01:07:09 PM");
  EXPECT_EQ(info.testType, "Cardioversion");  // byte 34 of 0x52
  EXPECT_EQ(info.testNumber, "5");
  EXPECT_EQ(info.resolution, "8-bit");
  EXPECT_EQ(info.sampleInterval, "45.6 us");
  EXPECT_EQ(info.energy, "150.0 J");
  EXPECT_EQ(info.ampsP1, "32.50 A");
  EXPECT_EQ(info.voltsP1, "1834 V");
  EXPECT_EQ(info.width10, "6.00 msec");
  EXPECT_EQ(info.width50, ".05 msec");
  EXPECT_TRUE(info.ampsA1.isEmpty() && info.energy2.isEmpty() && info.pulseCurrent.isEmpty());
  EXPECT_EQ(decodeWaveRecord(storedPulse(false)).info.sampleInterval, "11.4 us");
}

TEST(StoredPulse, PointsScaleSample127ToThePeakCurrent) {
  const Waveform longInterval = decodeWaveRecord(storedPulse(true));
  ASSERT_EQ(longInterval.points.size(), 1279);
  EXPECT_DOUBLE_EQ(longInterval.points[10].x(), 0.456);
  EXPECT_DOUBLE_EQ(longInterval.points[10].y(), 32.5);
  EXPECT_NEAR(longInterval.points[11].y(), -16.378, 0.0005);
  EXPECT_DOUBLE_EQ(longInterval.points[1278].x(), 1278 * 0.0456);
  EXPECT_EQ(longInterval.points[0], QPointF(0, 0));
  const Waveform shortInterval = decodeWaveRecord(storedPulse(false));
  EXPECT_DOUBLE_EQ(shortInterval.points[10].x(), 0.114);
  EXPECT_DOUBLE_EQ(shortInterval.points[10].y(), 32.5);
}

TEST(StoredPulse, SixteenCharacterIdsUnknownTypesAndInvalidDates) {
  WaveRecord full = makeWaveRecord("ABCDEFGHIJKLMNOP", {1, 1, 20, 0, 0, 0}, 0x0F);
  EXPECT_EQ(decodeWaveRecord(full).info.deviceId, "ABCDEFGHIJKLMNOP");  // nothing of the date after it
  EXPECT_EQ(decodeWaveRecord(full).info.testType, "");
  EXPECT_EQ(decodeWaveRecord(full).info.testNumber, "0");
  WaveRecord noDate = makeWaveRecord("X", {31, 4, 20, 0, 0, 0}, 0x01);
  EXPECT_EQ(decodeWaveRecord(noDate).info.date, "Dec 30, 1899 12:00:00 AM");
  EXPECT_EQ(decodeWaveRecord(noDate).info.testType, "Charge Time");
}

TEST(ByteOrder, WaveRecordsAndCaptureHeadersSwapExactlyTheWordsOfTheirLayout) {
  QByteArray record = wireorder::patterned(WaveRecord::Size);
  QByteArray swapped = record;
  swapWaveRec(swapped.data());
  EXPECT_EQ(swapped, wireorder::swapped(record, wireorder::waveRecWords()));
  for (bool pacer : {false, true}) {
    SCOPED_TRACE(pacer ? "pacer" : "defibrillator");
    QByteArray header = wireorder::patterned(CaptureHeader::Size);
    if (pacer) header[54] = header[55] = '\0';  // the word that chooses the layout
    swapped = header;
    swapCaptureHeader(swapped.data());
    EXPECT_EQ(swapped, wireorder::swapped(header, wireorder::captureHeaderWords(pacer)));
  }
}

TEST(StoredPulse, ByteOrderOfTheFiveFields) {
  WaveRecord w = storedPulse(true);
  const WaveRecord host = w;
  swapWaveRec(w.data());
  EXPECT_EQ(w.u8(waverec::PeakCurrent), 3250 >> 8);  // big-endian on the wire
  EXPECT_EQ(w.u8(waverec::PeakCurrent + 1), 3250 & 0xFF);
  EXPECT_EQ(w.u8(waverec::IntervalFlag), host.u8(waverec::IntervalFlag));
  swapWaveRec(w.data());
  EXPECT_EQ(w.bytes, host.bytes);
}

TEST(DefibCapture, TextsOfEveryFieldWithTheIdAsReceived) {
  QByteArray block = captureBlockOf(defibHeader());
  const Waveform wave = decodeCapture(block);
  const WaveInfo& i = wave.info;
  EXPECT_FALSE(wave.pacer);
  EXPECT_EQ(i.deviceId, " DEF 1 ");
  EXPECT_EQ(i.date, "Mar 05, 2014 01:07:09 PM");
  EXPECT_EQ(i.testType, "Defib Energy");
  EXPECT_EQ(i.testNumber, "3");
  EXPECT_EQ(i.resolution, "13-bit");
  EXPECT_EQ(i.sampleInterval, "11.4 us");
  const QStringList expected = {"150.0 J", "160.0 J", "41.00 A",  "1834 V",   ".05 A",  "1000 V",  "6.00 msec",
                                "3.10 msec", "-10.0 J", ".50 A",  "3.25 A",   "900 V",  "500 V",   "4.00 msec",
                                ".40 msec",  "55.5 %",  "50 Hz",  "62.5 %"};
  const QStringList shown = {i.energy, i.energy1, i.ampsP1, i.voltsP1, i.ampsA1, i.voltsA1, i.width10,
                             i.width50, i.energy2, i.ampsP2, i.ampsA2, i.voltsP2, i.voltsA2, i.width2,
                             i.delay,   i.tilt,    i.freq,   i.duty};
  EXPECT_EQ(shown, expected);
  EXPECT_TRUE(i.pulseCurrent.isEmpty());
}

TEST(DefibCapture, TheLargestSampleIsThePeakCurrent) {
  QByteArray block = captureBlockOf(defibHeader());
  setCaptureSample(block, 200, 4000);
  setCaptureSample(block, 201, -2000);
  const Waveform wave = decodeCapture(block);
  ASSERT_EQ(wave.points.size(), 5120);
  EXPECT_DOUBLE_EQ(wave.points[200].x(), 2.28);
  EXPECT_DOUBLE_EQ(wave.points[200].y(), 41.0);
  EXPECT_DOUBLE_EQ(wave.points[201].y(), -20.5);
  EXPECT_DOUBLE_EQ(wave.points[5119].x(), 5119 * 0.0114);
}

TEST(DefibCapture, TheKindIsDecidedOnTheWordAsReceived) {
  QByteArray block = captureBlockOf(makeCaptureHeader("X", kMarch5th2014At130709Pm));
  block[54] = 0x00;  // the word at 54 reads 0x0100 in host order as received
  block[55] = 0x01;
  const Waveform wave = decodeCapture(block);
  EXPECT_FALSE(wave.pacer);
  EXPECT_EQ(wave.info.energy, ".1 J");  // 1 after conversion
  EXPECT_EQ(wave.info.energy2, ".1 J");
}

TEST(DefibCapture, SixteenCharacterIdAndAllZeroSamples) {
  CaptureHeader header = makeCaptureHeader("ABCDEFGHIJKLMNOP", kMarch5th2014At130709Pm);
  header.setU16(capture::TotalEnergy, 10);  // a defibrillator pulse
  const Waveform wave = decodeCapture(captureBlockOf(header));
  EXPECT_EQ(wave.info.deviceId, "ABCDEFGHIJKLMNOP");
  // No sample to scale by: a flat line at zero, and the axis of the smallest range.
  for (const QPointF& p : wave.points) ASSERT_EQ(p.y(), 0.0);
  const CurrentAxis axis = fitCurrentAxis(wave.points, wave.pacer);
  EXPECT_FALSE(axis.automatic);
  EXPECT_EQ(axis.minimum, -5);
  EXPECT_EQ(axis.maximum, 5);
}

TEST(PacerCapture, TextsWithTheCurrentScaleReadLowByteFirst) {
  QByteArray block = captureBlockOf(pacerHeader(0x04D2, 1));
  ASSERT_EQ(quint8(block[capture::CurrentScale]), 720 & 0xFF);  // as the analyzer's sample keeps it
  setCaptureSample(block, 100, 3000);
  setCaptureSample(block, 101, 1500);
  const Waveform wave = decodeCapture(block);
  const WaveInfo& i = wave.info;
  EXPECT_TRUE(wave.pacer);
  EXPECT_EQ(i.testType, "Pacer Pulse");
  EXPECT_EQ(i.testNumber, "2");
  EXPECT_EQ(i.pulseCurrent, "70.2 mA");
  EXPECT_EQ(i.method, "LEADING EDGE");
  EXPECT_EQ(i.pulseWidth, "20.10 msec");
  EXPECT_EQ(i.pulseRate, "70.1 PPM");
  EXPECT_EQ(i.pulseEnergy, "123.400 mJ");
  EXPECT_EQ(i.testLoad, "50 ohms");
  EXPECT_TRUE(i.energy.isEmpty() && i.ampsP1.isEmpty());
  EXPECT_DOUBLE_EQ(wave.points[100].y(), 72.0);  // mA
  EXPECT_DOUBLE_EQ(wave.points[101].y(), 36.0);
  const CurrentAxis axis = fitCurrentAxis(wave.points, true);
  EXPECT_EQ(axis.minimum, 0);
  EXPECT_EQ(axis.maximum, 100);
  EXPECT_EQ(axis.title, "Current (mA)");
  EXPECT_EQ(decodeCapture(captureBlockOf(pacerHeader(qint16(0xFB2E), 9))).info.pulseEnergy, "1.234 mJ");
  EXPECT_EQ(decodeCapture(captureBlockOf(pacerHeader(0, 9))).info.method, "?");
}

TEST(FitCurrentAxis, TheSmallestRangeAboveTheLargestExcursion) {
  const auto fit = [](std::initializer_list<double> ys, bool pacer = false) {
    QList<QPointF> points;
    for (double y : ys) points.append(QPointF(points.size(), y));
    return fitCurrentAxis(points, pacer);
  };
  EXPECT_EQ(fit({4.99, -3}).maximum, 5);
  EXPECT_EQ(fit({4.99, -3}).minimum, -5);
  EXPECT_EQ(fit({5.0}).maximum, 10);
  EXPECT_EQ(fit({-99.9, 2}).minimum, -100);
  EXPECT_EQ(fit({19.9}).maximum, 20);
  EXPECT_EQ(fit({-49}).maximum, 50);
  EXPECT_TRUE(fit({120}).automatic);
  EXPECT_TRUE(fit({-100}).automatic);
  EXPECT_EQ(fit({3}).title, "Current (A)");
  EXPECT_EQ(fit({3}, true).minimum, 0);
  EXPECT_TRUE(fit({150}, true).automatic);
  EXPECT_EQ(fit({150}, true).title, "Current (mA)");  // a pacer's current is in mA on an automatic axis too
}
