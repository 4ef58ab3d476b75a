#include "autoseq/autoseqeditrules.h"
#include "autoseq/autoseqrecord.h"
#include "autoseq/autoseqtestlists.h"

#include <gtest/gtest.h>

using namespace autoseq;

TEST(AutoSeqEditRules, WaveItemsNameTitleAndCodeWithoutBlanks) {
  EXPECT_EQ(waveItemText(40), "Ventricular Fibrillation, Coarse (VFIB1)");
  EXPECT_EQ(waveItemText(16), "ECG 90 BPM (ECG90)");
  EXPECT_EQ(waveItemText(47), "Pulse, 200 msec (SQRP200)");
  // Only the ECG performance list names the pacer triggers per 60 beats a minute.
  EXPECT_EQ(ecgPerformanceWaveItemText(43), "Pulse, 2 msec/60BPM (SQRP2)");
  EXPECT_EQ(ecgPerformanceWaveItemText(57), "Pulse, 200 msec/60BPM (SSQP200)");
  EXPECT_EQ(ecgPerformanceWaveItemText(42), waveItemText(42));
}

TEST(AutoSeqEditRules, IntegerFieldsReadTrimmedDecimalsOnly) {
  EXPECT_EQ(readIntegerText(" 360 "), 360);
  EXPECT_EQ(readIntegerText("-5"), -5);
  for (const char* bad : {"", "12a", "1.5", "0x10", "1 2"}) EXPECT_FALSE(readIntegerText(bad).has_value()) << bad;
  EXPECT_EQ(integerTextOrZero("12a"), 0);
  EXPECT_EQ(integerTextOrZero("42"), 42);
}

TEST(AutoSeqEditRules, SensitivityLimitsShowAsMillivoltsWithTwoDecimals) {
  const std::pair<quint16, const char*> cases[] = {{200, "2.00"}, {5, "0.05"}, {50, "0.50"}, {7, "0.07"},
                                                   {300, "3.00"}, {1234, "12.34"}, {0, "2.00"}};
  for (const auto& [stored, text] : cases) EXPECT_EQ(sensitivityLimitText(stored), text) << stored;
}

TEST(AutoSeqEditRules, SensitivityTextsStoreHundredthsByTheirDigits) {
  const std::pair<const char*, int> cases[] = {{"0.5", 50},  {".5", 50},   {"1.234", 123}, {"2.", 200}, {"3", 300},
                                               {"0.07", 7},  {" 1.5", 150}, {"abc", 0},    {"x.25", 25}, {"1.x", 100},
                                               {"2.00", 200}};
  for (const auto& [text, stored] : cases) EXPECT_EQ(sensitivityLimitFromText(text), stored) << text;
}

TEST(AutoSeqEditRules, OnlyTextsThatStoreAsTheyReadPassAsSensitivities) {
  EXPECT_DOUBLE_EQ(readSensitivityText("3.01").value(), 3.01);
  EXPECT_DOUBLE_EQ(readSensitivityText(" .5 ").value(), 0.5);
  EXPECT_DOUBLE_EQ(readSensitivityText("2.").value(), 2.0);
  // An exponent or a comma would pass a general number reader but store as 0.
  for (const char* bad : {"", "abc", "1e0", "1,5", ".", "1.2.3", "0x1"})
    EXPECT_FALSE(readSensitivityText(bad).has_value()) << bad;
}

TEST(AutoSeqEditRules, TimerAndTriggerChoicesFollowTheDeviceCode) {
  const std::pair<quint8, int> timers[] = {{1, 0}, {2, 2}, {3, 1}, {4, 2}, {5, 3}};
  for (const auto& [device, index] : timers) EXPECT_EQ(autoTestTimerIndex(device), index) << int(device);
  const std::pair<int, quint8> codes[] = {{0, 1}, {1, 3}, {2, 4}, {3, 5}};
  for (const auto& [index, device] : codes) EXPECT_EQ(deviceCodeOfTimer(index), device) << index;
  EXPECT_EQ(triggerModeIndex(Aed, 3), 1);  // an AED plan opens with NSR60 after a shock
  EXPECT_EQ(triggerModeIndex(DefibTimerOff, 3), 3);
  EXPECT_EQ(pacerLoadOhms(31), 1600);
  EXPECT_EQ(pacerLoadCode(1600), 31);
  EXPECT_EQ(pacerLoadCode(50), 0);
}
