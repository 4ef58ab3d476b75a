#include "autoseq/autoseqtestlists.h"

#include "autoseq/autoseqtables.h"

#include <algorithm>
#include <cstring>

using namespace autoseq;

namespace {
template <class Entry>
bool flagIsOne(const TAutoSeq& rec, int k) {
  return entryAt<Entry>(rec, std::size_t(k)).present == 1;
}

bool aedFlagSet(const TAutoSeq& rec, int k) { return entryAt<AedEnergyEntry>(rec, std::size_t(k)).present != 0; }

bool ecgWaveChosen(const TAutoSeq& rec, int k) {
  const int wave = entryAt<EcgPerformanceEntry>(rec, std::size_t(k)).ecgWave;
  return wave >= 2 && wave <= 57;
}

bool refractoryMinimumSet(const TAutoSeq& rec, int k) {
  return entryAt<RefractoryEntry>(rec, std::size_t(k)).minimum != 0;
}

template <class Entry>
constexpr std::size_t blockOf() {
  return Entry::Size * Entry::Count;
}

quint8 wave(TestKind kind) { return quint8(defaultWave(kind)); }

const TestListKind kKinds[] = {
    {TestList::DefibEnergy, "lstDefib", "Defib Energy ", 10, "Maximum 10 Energy Tests", "Add Defib Energy Test",
     "Delete Defib Energy Test", DefibEnergyEntry::Base, DefibEnergyEntry::Size, blockOf<DefibEnergyEntry>(),
     flagIsOne<DefibEnergyEntry>,
     [](TAutoSeq& rec, int k) {
       setEntryAt(rec, std::size_t(k), DefibEnergyEntry{1000, 2, wave(TestKind::DefibEnergy), 0, 1});
     }},
    {TestList::Cardioversion, "lstCard", "Cardioversion ", 4, "Maximum 4 Cardioversion Tests",
     "Add Cardioversion Test", "Delete Cardioversion Test", CardioversionEntry::Base, CardioversionEntry::Size,
     blockOf<CardioversionEntry>(), flagIsOne<CardioversionEntry>,
     [](TAutoSeq& rec, int k) {
       setEntryAt(rec, std::size_t(k), CardioversionEntry{1000, 2, 1, wave(TestKind::Cardioversion), 0, 0, 1});
     }},
    // The ECG performance block ends with the one scale of all its tests.
    {TestList::EcgPerformance, "lstECG", "ECG Performance ", 12, "Maximum 12 ECG Performance Tests",
     "Add ECG Performance Test", "Delete ECG Performance Test", EcgPerformanceEntry::Base, EcgPerformanceEntry::Size,
     blockOf<EcgPerformanceEntry>() + 1, ecgWaveChosen,
     [](TAutoSeq& rec, int k) {
       setEntryAt(rec, std::size_t(k), EcgPerformanceEntry{wave(TestKind::EcgPerformance)});
     }},
    {TestList::AedEnergy, "lstAED", "AED Energy ", 32, "Maximum 32 AED Energy Tests", "Add AED Energy Test",
     "Delete AED Energy Test", AedEnergyEntry::Base, AedEnergyEntry::Size, blockOf<AedEnergyEntry>(), aedFlagSet,
     [](TAutoSeq& rec, int k) { setEntryAt(rec, std::size_t(k), AedEnergyEntry{wave(TestKind::AedEnergy), 0, 1}); }},
    {TestList::PacerPulse, "lstPulse", "Pacer Pulse ", 10, "Maximum 10 Pacer Pulse Tests", "Add Pacer Pulse Test",
     "Delete Pacer Pulse Test", PacerPulseEntry::Base, PacerPulseEntry::Size, blockOf<PacerPulseEntry>(),
     flagIsOne<PacerPulseEntry>,
     [](TAutoSeq& rec, int k) {
       // 50 mA at 60 pulses a minute, width not tested, ±10 % on each, average current.
       setEntryAt(rec, std::size_t(k), PacerPulseEntry{0, 50, 0, 60, 2, 2, 2, 1});
     }},
    {TestList::DemandSensitivity, "lstSens", "Demand Sensitivity ", 2, "Maximum 2 Demand Sensitivity Tests",
     "Add Demand Sensitivity Test", "Delete Demand Sensitivity Test", DemandEntry::Base, DemandEntry::Size,
     blockOf<DemandEntry>(), flagIsOne<DemandEntry>,
     [](TAutoSeq& rec, int k) {
       setEntryAt(rec, std::size_t(k), DemandEntry{200, wave(TestKind::DemandSensitivity), 1});
     }},
    {TestList::RefractoryPeriod, "lstRefr", "Refractory Period ", 2, "Maximum 2 Refractory Period Tests",
     "Add Refractory Period Test", "Delete Refractory Period Test", RefractoryEntry::Base, RefractoryEntry::Size,
     blockOf<RefractoryEntry>(), refractoryMinimumSet,
     [](TAutoSeq& rec, int k) {
       setEntryAt(rec, std::size_t(k), RefractoryEntry{50, 750, wave(TestKind::RefractoryPeriod)});
     }},
};
}  // namespace

const TestListKind& testListKind(TestList list) {
  for (const TestListKind& kind : kKinds)
    if (kind.list == list) return kind;
  return kKinds[0];  // every enumerator has its row
}

QString testItemText(const TestListKind& kind, int k) {
  return QString::fromLatin1(kind.itemPrefix) + QString::number(k + 1);
}

int presentEntryCount(const TestListKind& kind, const TAutoSeq& rec) {
  int n = 0;
  while (n < kind.maximum && kind.isPresent(rec, n)) ++n;
  return n;
}

int appendDefaultEntry(const TestListKind& kind, TAutoSeq& rec) {
  const int n = presentEntryCount(kind, rec);
  if (n >= kind.maximum) return -1;
  kind.writeDefault(rec, n);
  return n;
}

void deleteEntry(const TestListKind& kind, TAutoSeq& rec, int k) {
  const int n = presentEntryCount(kind, rec);
  if (k < 0 || k >= n) return;
  quint8* entries = rec.bytes.data() + kind.base;
  const std::size_t size = kind.entrySize;
  std::memmove(entries + std::size_t(k) * size, entries + std::size_t(k + 1) * size, std::size_t(n - 1 - k) * size);
  std::fill_n(entries + std::size_t(n - 1) * size, size, quint8(0));
}

void clearTestList(const TestListKind& kind, TAutoSeq& rec) {
  std::fill_n(rec.bytes.data() + kind.base, kind.blockSize, quint8(0));
}
