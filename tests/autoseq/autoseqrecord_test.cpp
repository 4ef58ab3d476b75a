#include "autoseq/autoseqrecord.h"
#include "autoseq/autoseqtables.h"
#include "support/wireorder.h"

#include <gtest/gtest.h>

using namespace autoseq;

TEST(AutoSeqRecord, ANewRecordIsAFiveSecondDefibrillatorThatChangesToNsr60) {
  const TAutoSeq rec = initAutoSeq();
  for (std::size_t i = 0; i < TAutoSeq::Size; ++i)
    if (i != 16 && i != 17) ASSERT_EQ(rec.u8(i), 0) << "byte " << i;
  EXPECT_EQ(rec.u8(16), 4);
  EXPECT_EQ(rec.u8(17), 1);
  EXPECT_EQ(autoSeqDutName(rec), "Defibrillator");
  EXPECT_EQ(autoTestTimerText(rec.u8(16)), "5 seconds");
  EXPECT_EQ(autoSeqTitleText(rec), "");
}

TEST(AutoSeqRecord, TitlesAreCutAtSixteenAndReadTrimmed) {
  TAutoSeq rec = initAutoSeq();
  setAutoSeqTitle(rec, "SIXTEEN CHARS OK");
  EXPECT_EQ(QByteArray(rec.data(), 17), QByteArray("SIXTEEN CHARS OK") + char(4));  // no terminator
  EXPECT_EQ(autoSeqTitleText(rec), "SIXTEEN CHARS OK");
  setAutoSeqTitle(rec, "TWENTY CHARACTERS!!!");
  EXPECT_EQ(autoSeqTitleText(rec), "TWENTY CHARACTER");
  setAutoSeqTitle(rec, "  ICU  ");
  EXPECT_EQ(autoSeqTitleText(rec), "ICU");
  EXPECT_EQ(rec.u8(7), 0);  // the rest of the longer title is cleared
}

TEST(AutoSeqRecord, DeviceNames) {
  TAutoSeq rec;
  const std::pair<quint8, const char*> names[] = {{0, "Empty"}, {1, "Defibrillator"}, {2, "AED"}, {5, "Defibrillator"},
                                                  {9, "Defibrillator"}};
  for (const auto& [code, name] : names) {
    rec.setU8(Device, code);
    EXPECT_EQ(autoSeqDutName(rec), name) << int(code);
  }
  EXPECT_EQ(autoTestTimerText(9), "?");
}

TEST(SwapAutoSeq, SwapsExactlyTheWordsOfItsDeviceTypeAndTwiceRestores) {
  for (quint8 device : {0, 1, 2, 5}) {
    SCOPED_TRACE(device);
    QByteArray original = wireorder::patterned(TAutoSeq::Size);
    original[Device] = char(device);
    QByteArray swapped = original;
    swapAutoSeq(swapped.data());
    EXPECT_EQ(swapped, wireorder::swapped(original, wireorder::autoSeqWords(device)));
    swapAutoSeq(swapped.data());
    EXPECT_EQ(swapped, original);
  }
}

TEST(SwapAutoSeq, ADefibrillatorsSixteenBitFieldsGoBigEndianAndBack) {
  TAutoSeq rec = initAutoSeq();
  setEntryAt(rec, 0, DefibEnergyEntry{1000, 3, 40, 0, 1});  // 100 J
  rec.setU16(MaxChargeTime, 150);
  setEntryAt(rec, 1, CardioversionEntry{500, 3, 1, 31, 0, 1, 1});
  setEntryAt(rec, 1, DemandEntry{150, 44, 1});
  setEntryAt(rec, 1, RefractoryEntry{250, 0x0102, 44});
  const TAutoSeq host = rec;
  EXPECT_EQ(rec.u8(18), 0xE8);  // as the file holds it
  EXPECT_EQ(rec.u8(19), 0x03);
  swapAutoSeq(rec.data());
  EXPECT_EQ(rec.u8(18), 0x03);  // as the analyzer receives it
  EXPECT_EQ(rec.u8(19), 0xE8);
  EXPECT_EQ(rec.u8(114), 0);
  EXPECT_EQ(rec.u8(115), 150);
  EXPECT_EQ(rec.u8(132), 0x01);
  EXPECT_EQ(rec.u8(133), 0xF4);  // the second cardioversion's 500
  EXPECT_EQ(rec.u8(262), 0);
  EXPECT_EQ(rec.u8(263), 150);
  EXPECT_EQ(rec.u8(271), 0);
  EXPECT_EQ(rec.u8(272), 250);  // the second refractory entry at odd offsets
  EXPECT_EQ(rec.u8(273), 0x01);
  EXPECT_EQ(rec.u8(274), 0x02);
  EXPECT_EQ(rec.u8(270), 0);  // the first entry's trigger byte is not part of any swap
  swapAutoSeq(rec.data());
  EXPECT_EQ(rec.bytes, host.bytes);
}

TEST(SwapAutoSeq, AnAedsBlockIsLeftAsItIs) {
  TAutoSeq rec = initAutoSeq();
  rec.setU8(Device, Aed);
  for (std::size_t i = 18; i < 114; ++i) rec.setU8(i, quint8(i));
  rec.setU16(ChargeTimeEnergy, 0x1234);
  TAutoSeq swapped = rec;
  swapAutoSeq(swapped.data());
  for (std::size_t i = 18; i < 114; ++i) ASSERT_EQ(swapped.u8(i), rec.u8(i)) << "byte " << i;
  EXPECT_EQ(swapped.u8(116), 0x12);
  swapAutoSeq(swapped.data());
  EXPECT_EQ(swapped.bytes, rec.bytes);
}

TEST(WaveBanks, EachWaveformHasItsBank) {
  EXPECT_EQ(bankOfWave(0), 0);
  EXPECT_EQ(bankOfWave(2), 1);
  EXPECT_EQ(bankOfWave(30), 3);
  EXPECT_EQ(bankOfWave(42), 4);  // "Pulse, 1 msec" is in the shock advisory bank
  EXPECT_EQ(bankOfWave(43), 5);
  EXPECT_EQ(bankOfWave(57), 7);
  EXPECT_EQ(bankOfWave(58), -1);
  EXPECT_EQ(QString(waveBanks()[4].name), "Shock Advisory / AED");
  EXPECT_EQ(defaultWave(TestKind::Cardioversion), 31);
  EXPECT_EQ(defaultWave(TestKind::DemandSensitivity), 50);
  EXPECT_EQ(autoSeqToleranceText(3), "±15%");
  EXPECT_EQ(autoSeqToleranceText(0), "");
  EXPECT_EQ(triggerModeText(3), "Play back waveform then change to NSR60");
  EXPECT_EQ(measuringMethodText(4), "?");
}
