// The printout's text lines, checked against golden files written by hand from
// the layout rules (labels padded to 17 characters, %8s and %10s right-aligned).
#include "support/golden.h"
#include "waveform/axisrange.h"
#include "waveform/waveprintout.h"

#include <gtest/gtest.h>

namespace {
WaveInfo common(const QString& resolution) {
  WaveInfo i;
  i.deviceId = "ICU 7", i.date = "Mar 05, 2014 01:07:09 PM", i.testNumber = "3", i.resolution = resolution;
  i.sampleInterval = "11.4 us";
  return i;
}

WaveInfo twoPhase() {
  WaveInfo i = common("13-bit");
  i.testType = "Defib Energy";
  i.energy = "150.0 J", i.energy1 = "160.0 J", i.energy2 = "-10.0 J";
  i.ampsP1 = "41.00 A", i.ampsA1 = ".05 A", i.ampsP2 = ".50 A", i.ampsA2 = "3.25 A";
  i.voltsP1 = "1834 V", i.voltsA1 = "1000 V", i.voltsP2 = "900 V", i.voltsA2 = "500 V";
  i.width10 = "6.00 msec", i.width50 = "3.10 msec", i.width2 = "4.00 msec", i.delay = ".40 msec";
  i.tilt = "55.5 %", i.freq = "50 Hz", i.duty = "62.5 %";
  return i;
}

void expectGoldenLines(const QStringList& lines, const QString& name) {
  EXPECT_EQ(joinedLines(lines).toStdString(), goldenFile(name).toStdString());
}
}  // namespace

TEST(WaveformPrintLines, ATwoPhasePulseHasTheTwoColumnBlock) {
  const QStringList lines = waveformPrintLines(twoPhase(), false);
  EXPECT_EQ(lines.size(), 14);
  expectGoldenLines(lines, "waveprint_twophase.txt");
}

TEST(WaveformPrintLines, APacerPulseHasFifteenLinesWithoutItsEnergy) {
  WaveInfo i = common("13-bit");
  i.testType = "Pacer Pulse", i.pulseCurrent = "70.2 mA", i.method = "LEADING EDGE", i.pulseWidth = "20.10 msec";
  i.pulseRate = "70.1 PPM", i.pulseEnergy = "123.400 mJ", i.testLoad = "50 ohms";
  const QStringList lines = waveformPrintLines(i, true);
  EXPECT_EQ(lines.size(), 15);
  expectGoldenLines(lines, "waveprint_pacer.txt");
}

TEST(WaveformPrintLines, AMonophasicCaptureAndEveryStoredPulseHaveTheShortBlock) {
  WaveInfo mono = twoPhase();
  mono.energy1 = mono.energy;  // the whole energy in the first phase
  mono.deviceId = "EDITED ID";  // as the user edited it in the viewer
  const QStringList lines = waveformPrintLines(mono, false);
  EXPECT_EQ(lines.size(), 14);
  expectGoldenLines(lines, "waveprint_short.txt");
  WaveInfo stored = twoPhase();
  stored.resolution = "8-bit";  // a stored pulse never has the second phase
  EXPECT_EQ(waveformPrintLines(stored, false)[8], "Peak Current:    41.00 A");
}

TEST(WaveformPrintLines, LongValuesAreNotCut) {
  WaveInfo i = twoPhase();
  i.ampsP1 = "123456.78 A";
  EXPECT_TRUE(waveformPrintLines(i, false)[9].startsWith("Peak Current: 123456.78 A   Average Current:    .05 A"));
}

TEST(AxisRanges, NumbersWithEitherSeparatorAndTheTwoMessages) {
  const auto read = [](const QStringList& fields, QChar point = QLatin1Char('.')) {
    return readAxisRanges(fields, point, AxisRanges{});
  };
  const auto ranges = std::get<AxisRanges>(read({"0", "58.4", "-5", "5"}));
  EXPECT_EQ(ranges.timeMax, 58.4);
  EXPECT_EQ(ranges.currentMin, -5);
  EXPECT_EQ(std::get<AxisRanges>(read({"0,5", "1.5", "-5", "5"}, QLatin1Char(','))).timeMin, 0.5);
  const AxisRangeError equal = std::get<AxisRangeError>(read({"10", "10", "-5", "5"}));
  EXPECT_EQ(equal.text, "Invalid Axis");
  EXPECT_EQ(equal.caption, "Maximum axis must be larger than minimum axis.");
  EXPECT_EQ(std::get<AxisRangeError>(read({"0", "10", "5", "-5"})).caption,
            "Maximum axis must be larger than minimum axis.");
  const AxisRangeError empty = std::get<AxisRangeError>(read({"0", "", "-5", "5"}));
  EXPECT_EQ(empty.text, "Invalid Axis");
  EXPECT_EQ(empty.caption, "An invalid number was entered.");
  EXPECT_EQ(std::get<AxisRangeError>(read({"0", "1e999", "-5", "5"})).caption, "An invalid number was entered.");
}
