#include "support/testreportbuilders.h"

#include <gtest/gtest.h>

using namespace testrec;

namespace {
// A record whose every byte differs from its neighbours, so any swap shows.
TTestRec patterned(quint8 dutType) {
  TTestRec r;
  for (std::size_t i = 0; i < TTestRec::Size; ++i) r.bytes[i] = quint8(i * 7 + 3);
  r.setU8(testrec::DutTypeByte, dutType);
  return r;
}

// The 16-bit fields the analyzer sends big-endian, by DUT type.
std::vector<std::size_t> wordOffsets(quint8 dutType) {
  std::vector<std::size_t> offsets;
  if (dutType == 1)
    for (std::size_t k = 0; k < 10; ++k) {
      for (std::size_t o = 0; o <= 32; o += 2) offsets.push_back(24 + 41 * k + o);
      offsets.push_back(24 + 41 * k + 35);
    }
  if (dutType == 2)
    for (std::size_t k = 0; k < 32; ++k) offsets.push_back(24 + 5 * k);
  for (std::size_t o : {434, 436, 438, 440, 536}) offsets.push_back(o);
  for (std::size_t k = 0; k < 4; ++k)
    for (std::size_t o : {0, 3, 5}) offsets.push_back(446 + 13 * k + o);
  for (std::size_t k = 0; k < 10; ++k)
    for (std::size_t o : {0, 2, 4, 6}) offsets.push_back(538 + 16 * k + o);
  for (std::size_t k = 0; k < 2; ++k)
    for (std::size_t o : {0, 2}) offsets.push_back(698 + 7 * k + o);
  for (std::size_t k = 0; k < 2; ++k)
    for (std::size_t o : {0, 2, 4, 6}) offsets.push_back(712 + 10 * k + o);
  return offsets;
}

class SwapTestRec : public ::testing::TestWithParam<int> {};
}  // namespace

TEST_P(SwapTestRec, SwapsExactlyTheWordsOfItsDutTypeAndTwiceRestores) {
  const quint8 dut = quint8(GetParam());
  const TTestRec original = patterned(dut);
  TTestRec expected = original;
  for (std::size_t o : wordOffsets(dut)) std::swap(expected.bytes[o], expected.bytes[o + 1]);
  TTestRec swapped = original;
  swapTestRec(swapped);
  EXPECT_EQ(swapped.bytes, expected.bytes);
  swapTestRec(swapped);
  EXPECT_EQ(swapped.bytes, original.bytes);
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
