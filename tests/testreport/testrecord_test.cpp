#include "support/testreportbuilders.h"
#include "support/wireorder.h"

#include <gtest/gtest.h>

using namespace testrec;

namespace {
class SwapTestRec : public ::testing::TestWithParam<int> {};
}  // namespace

TEST_P(SwapTestRec, SwapsExactlyTheWordsOfItsDutTypeAndTwiceRestores) {
  const quint8 dut = quint8(GetParam());
  QByteArray original = wireorder::patterned(TTestRec::Size);
  original[DutTypeByte] = char(dut);
  QByteArray swapped = original;
  swapTestRec(swapped.data());
  EXPECT_EQ(swapped, wireorder::swapped(original, wireorder::testRecWords(dut)));
  swapTestRec(swapped.data());
  EXPECT_EQ(swapped, original);
}

INSTANTIATE_TEST_SUITE_P(DutTypes, SwapTestRec, ::testing::Values(0, 1, 2, 7));

TEST(TestRecord, AFieldArrivingAs0102ReadsAs258AfterConversion) {
  TTestRec r;
  r.setU8(536, 0x01), r.setU8(537, 0x02);
  swapTestRec(r);
  EXPECT_EQ(entryAt<NoiseImmunityTest>(r, 0).amplitude, 258);
}

TEST(TestRecord, DeviceIdTextStopsAtNulAndIsTrimmed) {
  EXPECT_EQ(deviceIdText(makeTestRec("ABCD", {}, 0, 1)), "ABCD");
  TTestRec full;
  for (int i = 0; i < 16; ++i) full.bytes[i] = quint8('A' + i);
  full.bytes[16] = 'Z';  // the day byte right after the field is not part of it
  EXPECT_EQ(deviceIdText(full), "ABCDEFGHIJKLMNOP");
  EXPECT_EQ(deviceIdText(makeTestRec("  ID 7\t ", {}, 0, 1)), "ID 7");
  EXPECT_EQ(rawDeviceIdText(makeTestRec("  ID 7 ", {}, 0, 1)), "  ID 7 ");
}

TEST(TestRecord, NamesOfTypeAndTest) {
  EXPECT_EQ(dutTypeName(makeTestRec("", {}, 0, 1)), "Defibrillator");
  EXPECT_EQ(dutTypeName(makeTestRec("", {}, 0, 2)), "AED");
  EXPECT_EQ(dutTypeName(makeTestRec("", {}, 0, 0)), "");
  EXPECT_EQ(testTypeText(makeTestRec("", {}, 3, 1)), "Autosequence 3");
  EXPECT_EQ(testTypeText(makeTestRec("", {}, 0, 1)), "Manual");
  EXPECT_EQ(testTypeText(makeTestRec("", {}, 255, 1)), "Autosequence 255");
}

TEST(TestRecord, WaveformKindComesFromEntryZeroOnly) {
  TTestRec r = makeTestRec("", {}, 0, DutDefibrillator);
  EnergyEntry e;
  e.result = Pass;
  setEntryAt(r, 0, e);
  EXPECT_EQ(waveformKindText(r), "Monophasic ");
  e.phase2Width = 400;
  setEntryAt(r, 0, e);
  EXPECT_EQ(waveformKindText(r), "Biphasic ");
  e.pulseFrequency = 2500;
  setEntryAt(r, 0, e);
  EXPECT_EQ(waveformKindText(r), "Pulsed Biphasic ");
  e.result = NotPerformed;
  setEntryAt(r, 0, e);
  setEntryAt(r, 1, EnergyEntry{.phase2Width = 400, .result = Pass});
  EXPECT_EQ(waveformKindText(r), "");  // entry 0 not performed: no kind, whatever follows
  r.setU8(testrec::DutTypeByte, DutAed);
  EXPECT_EQ(waveformKindText(r), "");
}

namespace {
struct FailureCase {
  const char* name;
  void (*spoil)(TTestRec&);
};

const FailureCase kFailures[] = {
    {"energy", [](TTestRec& r) { setEntryAt(r, 9, EnergyEntry{.result = Fail}); }},
    {"charge_time", [](TTestRec& r) { setEntryAt(r, 0, ChargeTimeTest{.result = Fail}); }},
    {"cardioversion", [](TTestRec& r) { setEntryAt(r, 3, CardioversionEntry{.result = Fail}); }},
    {"ecg", [](TTestRec& r) { setEntryAt(r, 11, EcgEntry{.result = Fail}); }},
    {"noise_999", [](TTestRec& r) { setEntryAt(r, 0, NoiseImmunityTest{1, 999}); }},
    {"noise_1001", [](TTestRec& r) { setEntryAt(r, 0, NoiseImmunityTest{2, 1001}); }},
    {"pacer", [](TTestRec& r) { setEntryAt(r, 9, PacerEntry{.result = Fail}); }},
    {"demand", [](TTestRec& r) { setEntryAt(r, 1, DemandEntry{.result = Fail}); }},
    {"refractory", [](TTestRec& r) { setEntryAt(r, 1, RefractoryEntry{.result = Fail}); }},
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

class TestRecPassedFails : public ::testing::TestWithParam<FailureCase> {};
}  // namespace

TEST_P(TestRecPassedFails, OneFailedTestFailsTheRecord) {
  TTestRec r = completeDefibRecord();
  ASSERT_TRUE(testRecPassed(r));
  GetParam().spoil(r);
  EXPECT_FALSE(testRecPassed(r));
}

INSTANTIATE_TEST_SUITE_P(Checks, TestRecPassedFails, ::testing::ValuesIn(kFailures),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TestRecPassed, VerdictsThatNeverFailARecord) {
  TTestRec empty;
  EXPECT_TRUE(testRecPassed(empty));  // nothing performed passes
  TTestRec r = makeTestRec("", {}, 0, DutDefibrillator);
  setEntryAt(r, 0, EnergyEntry{.result = NoVerdict});
  setEntryAt(r, 1, EnergyEntry{.result = 200});
  setEntryAt(r, 0, NoiseImmunityTest{0, 5});  // noise not run: its amplitude is ignored
  EXPECT_TRUE(testRecPassed(r));
  setEntryAt(r, 0, NoiseImmunityTest{1, 1000});
  EXPECT_TRUE(testRecPassed(r));
}

TEST(TestRecPassed, AedFlagsAndTheAedBlockOfOtherDutTypes) {
  TTestRec aed = makeTestRec("", {}, 0, DutAed);
  setEntryAt(aed, 0, AedEntry{0, 40, 0, 0x04});  // reported only
  EXPECT_TRUE(testRecPassed(aed));
  setEntryAt(aed, 31, AedEntry{0, 40, 0, AedEntry::FailBit});
  EXPECT_FALSE(testRecPassed(aed));
  aed.setU8(testrec::DutTypeByte, 0);  // DUT type 0 still tests the AED flag bytes
  EXPECT_FALSE(testRecPassed(aed));
  aed.setU8(testrec::DutTypeByte, DutDefibrillator);  // read as energy entries, none failed
  EXPECT_TRUE(testRecPassed(aed));
}
