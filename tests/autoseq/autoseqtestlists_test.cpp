#include "autoseq/autoseqtestlists.h"

#include <gtest/gtest.h>

using namespace autoseq;

namespace {
QByteArray entryBytes(const TAutoSeq& rec, const TestListKind& kind, int k) {
  return QByteArray(rec.data() + kind.base + std::size_t(k) * kind.entrySize, qsizetype(kind.entrySize));
}

QByteArray bytes(std::initializer_list<int> values) {
  QByteArray out;
  for (int v : values) out.append(char(v));
  return out;
}

struct ListCase {
  TestList list;
  int maximum;
  const char* lastItem;
  QByteArray defaultEntry;
};
}  // namespace

TEST(AutoSeqTestLists, AddingFillsEachListWithItsDefaultEntryUpToItsMaximum) {
  const ListCase cases[] = {
      {TestList::DefibEnergy, 10, "Defib Energy 10", bytes({0xE8, 0x03, 2, 40, 0, 1})},
      {TestList::Cardioversion, 4, "Cardioversion 4", bytes({0xE8, 0x03, 2, 1, 31, 0, 0, 1, 0, 0})},
      {TestList::EcgPerformance, 12, "ECG Performance 12", bytes({2})},
      {TestList::AedEnergy, 32, "AED Energy 32", bytes({40, 0, 1})},
      {TestList::PacerPulse, 10, "Pacer Pulse 10", bytes({0, 50, 0, 60, 2, 2, 2, 1})},
      {TestList::DemandSensitivity, 2, "Demand Sensitivity 2", bytes({200, 0, 50, 1})},
      {TestList::RefractoryPeriod, 2, "Refractory Period 2", bytes({50, 0, 0xEE, 0x02, 50})},
  };
  for (const ListCase& c : cases) {
    const TestListKind& kind = testListKind(c.list);
    SCOPED_TRACE(kind.name);
    TAutoSeq rec;
    for (int k = 0; k < c.maximum; ++k) ASSERT_EQ(appendDefaultEntry(kind, rec), k);
    EXPECT_EQ(appendDefaultEntry(kind, rec), -1);
    EXPECT_EQ(presentEntryCount(kind, rec), c.maximum);
    EXPECT_EQ(testItemText(kind, c.maximum - 1), c.lastItem);
    for (int k = 0; k < c.maximum; ++k) EXPECT_EQ(entryBytes(rec, kind, k), c.defaultEntry) << k;
    clearTestList(kind, rec);
    EXPECT_EQ(rec.bytes, TAutoSeq{}.bytes);
  }
}

TEST(AutoSeqTestLists, EachListCountsItsEntriesByItsOwnPresenceTest) {
  TAutoSeq rec;
  setEntryAt(rec, 0, DefibEnergyEntry{1000, 2, 40, 0, 1});
  setEntryAt(rec, 1, DefibEnergyEntry{1000, 2, 40, 0, 2});  // only a flag of 1 counts
  EXPECT_EQ(presentEntryCount(testListKind(TestList::DefibEnergy), rec), 1);

  TAutoSeq aed;
  setEntryAt(aed, 0, AedEnergyEntry{40, 0, 1});
  setEntryAt(aed, 1, AedEnergyEntry{40, 0, 7});  // any flag but 0 counts
  EXPECT_EQ(presentEntryCount(testListKind(TestList::AedEnergy), aed), 2);

  TAutoSeq ecg;
  setEntryAt(ecg, 0, EcgPerformanceEntry{2});
  setEntryAt(ecg, 1, EcgPerformanceEntry{57});
  setEntryAt(ecg, 2, EcgPerformanceEntry{1});  // "CAL500" is no performance test
  setEntryAt(ecg, 3, EcgPerformanceEntry{20});
  EXPECT_EQ(presentEntryCount(testListKind(TestList::EcgPerformance), ecg), 2);

  TAutoSeq refractory;
  setEntryAt(refractory, 0, RefractoryEntry{0, 300, 50});  // no minimum: no test
  setEntryAt(refractory, 1, RefractoryEntry{250, 300, 50});
  EXPECT_EQ(presentEntryCount(testListKind(TestList::RefractoryPeriod), refractory), 0);
}

TEST(AutoSeqTestLists, DeletingMovesTheLaterEntriesUpAndClearsTheLastOne) {
  const TestListKind& kind = testListKind(TestList::Cardioversion);
  TAutoSeq rec;
  for (quint16 joules : {50, 100, 150}) setEntryAt(rec, joules / 50 - 1, CardioversionEntry{quint16(joules * 10), 2, 0, 31, 0, 0, 1});
  rec.setU8(kind.base + 2 * kind.entrySize + 8, 0x5A);  // a reserved byte moves with its entry

  deleteEntry(kind, rec, 1);
  EXPECT_EQ(presentEntryCount(kind, rec), 2);
  EXPECT_EQ(entryAt<CardioversionEntry>(rec, 0).targetEnergy, 500);
  EXPECT_EQ(entryAt<CardioversionEntry>(rec, 1).targetEnergy, 1500);
  EXPECT_EQ(rec.u8(kind.base + kind.entrySize + 8), 0x5A);
  EXPECT_EQ(entryBytes(rec, kind, 2), QByteArray(10, '\0'));

  deleteEntry(kind, rec, 0);
  EXPECT_EQ(entryAt<CardioversionEntry>(rec, 0).targetEnergy, 1500);
  deleteEntry(kind, rec, 5);  // beyond the list: nothing
  deleteEntry(kind, rec, 0);
  EXPECT_EQ(rec.bytes, TAutoSeq{}.bytes);
}

TEST(AutoSeqTestLists, AnEmptyEcgPerformanceListAlsoClearsItsScale) {
  TAutoSeq rec;
  setEntryAt(rec, 0, EcgPerformanceEntry{5});
  rec.setU8(EcgScale, 2);
  rec.setU8(PacerLoad, 3);
  clearTestList(testListKind(TestList::EcgPerformance), rec);
  EXPECT_EQ(rec.u8(EcgWaves), 0);
  EXPECT_EQ(rec.u8(EcgScale), 0);
  EXPECT_EQ(rec.u8(PacerLoad), 3);  // the next field is untouched
}
