// The printout's lines, against golden files written by hand from the layout rules.
#include "autoseq/autoseqprintout.h"
#include "support/golden.h"

#include <gtest/gtest.h>

using namespace autoseq;

namespace {
TAutoSeq titled(const char* title, quint8 device) {
  TAutoSeq rec = initAutoSeq();
  setAutoSeqTitle(rec, QString::fromLatin1(title));
  rec.setU8(Device, device);
  return rec;
}

QStringList pacerBlockOnly(const TAutoSeq& rec) { return autoSeqPrintLines(rec).mid(5); }
}  // namespace

TEST(AutoSeqPrintout, TheExampleOfOneEnergyTest) {
  TAutoSeq rec = titled("TEST 1", DefibTimer5s);
  setEntryAt(rec, 0, DefibEnergyEntry{2000, 3, 40, 0, 1});
  EXPECT_EQ(joinedLines(autoSeqPrintLines(rec)).toStdString(), goldenFile("autoseq_print_example.txt").toStdString());
}

TEST(AutoSeqPrintout, EveryKindOfTestInItsOrder) {
  TAutoSeq rec = titled("FULL PLAN", DefibTimer3s);
  rec.setU8(TriggerMode, 2);
  setEntryAt(rec, 0, DefibEnergyEntry{1500, 2, 40, 1, 1});
  setEntryAt(rec, 1, DefibEnergyEntry{3600, 3, 0, 0, 1});
  setEntryAt(rec, 3, DefibEnergyEntry{1000, 1, 40, 0, 1});  // after a missing entry: never printed
  rec.setU16(ChargeTimeEnergy, 3600), rec.setU8(ChargeTimeTolerance, 1), rec.setU16(MaxChargeTime, 159);
  rec.setU8(ChargeTimeWave, 31), rec.setU8(ChargeTimeScale, 2), rec.setU8(ChargeTimeEnabled, 1);
  setEntryAt(rec, 0, CardioversionEntry{500, 4, 1, 15, 0, 1, 1});
  rec.setU8(EcgWaves, 14), rec.setU8(EcgWaves + 1, 25), rec.setU8(EcgScale, 1);
  setEntryAt(rec, 0, PacerPulseEntry{1, 70, 20, 72, 2, 3, 4, 1});
  setEntryAt(rec, 1, PacerPulseEntry{3, 150, 0, 100, 1, 0, 1, 1});
  rec.setU8(NoiseEnabled, 1), rec.setU8(NoiseFrequency, 2), rec.setU8(PacerLoad, 1);
  setEntryAt(rec, 0, DemandEntry{250, 44, 1});
  setEntryAt(rec, 1, DemandEntry{5, 50, 1});
  setEntryAt(rec, 0, RefractoryEntry{250, 350, 44});
  EXPECT_EQ(joinedLines(autoSeqPrintLines(rec)).toStdString(), goldenFile("autoseq_print_full.txt").toStdString());
}

TEST(AutoSeqPrintout, RecordsWithoutTests) {
  EXPECT_EQ(autoSeqPrintLines(titled("AED", Aed)),
            (QStringList{"Autosequence Title: AED", "Device Under Test:  AED"}));
  EXPECT_EQ(autoSeqPrintLines(titled("DEFIB", DefibTimerOff)),
            (QStringList{"Autosequence Title: DEFIB", "Device Under Test:  Defibrillator", "",
                         "ECG Trigger Mode:   Change to NSR60 after shock", "Auto-Test Timer:    Off"}));
}

TEST(AutoSeqPrintout, AnAedsTestsWithTheirShockableText) {
  TAutoSeq rec = titled("AED PLAN", Aed);
  setEntryAt(rec, 0, AedEnergyEntry{37, 2, 1});
  setEntryAt(rec, 1, AedEnergyEntry{42, 0, 1});
  EXPECT_EQ(autoSeqPrintLines(rec).mid(2),
            (QStringList{"", "AED Energy Test 1", "  Waveform:     Ventricular Tachycardia, 160 BPM (VTACH2) - x0.5",
                         "  Shockable:    Yes", "AED Energy Test 2", "  Waveform:     Pulse, 1 msec (SQRP1) - x1  ",
                         "  Shockable:    No"}));
}

TEST(AutoSeqPrintout, NoiseImmunityAloneAndTheSensitivityInMillivolts) {
  TAutoSeq rec = titled("NOISE", DefibTimerOff);
  rec.setU8(NoiseEnabled, 1), rec.setU8(NoiseFrequency, 2), rec.setU8(PacerLoad, 3);
  EXPECT_EQ(pacerBlockOnly(rec), (QStringList{"", "Noise Immunity: 60 Hz", "", "Pacer Load: 200 ohms"}));
  rec.setU8(NoiseFrequency, 1);
  EXPECT_EQ(pacerBlockOnly(rec)[1], "Noise Immunity: 50 Hz");
  EXPECT_EQ(sensitivityText(5), "0.05");
  EXPECT_EQ(sensitivityText(300), "3");
  EXPECT_EQ(sensitivityText(250), "2.5");
  EXPECT_EQ(sensitivityText(101), "1.01");
  rec.setU8(NoiseEnabled, 0);
  EXPECT_TRUE(pacerBlockOnly(rec).isEmpty());  // no pacemaker test: no pacer load either
}
