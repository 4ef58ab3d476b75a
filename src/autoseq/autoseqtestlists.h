#pragma once
#include "autoseq/autoseqrecord.h"

#include <QString>

// The seven lists of tests an autosequence holds, as the editor shows them: each
// list's texts, its maximum, where its entries lie, which entries count as present
// and the entry a new test starts with. The lists are packed from entry 0, so a
// list's length is the number of present entries from the first.
enum class TestList { DefibEnergy, Cardioversion, EcgPerformance, AedEnergy, PacerPulse, DemandSensitivity,
                      RefractoryPeriod };

struct TestListKind {
  TestList list;
  const char* name;        // the list box: "lstDefib", …
  const char* itemPrefix;  // "Defib Energy " (the item texts add 1, 2, …)
  int maximum;
  const char* maximumLabel;  // "Maximum 10 Energy Tests"
  const char* addHint;
  const char* deleteHint;
  std::size_t base, entrySize;  // entry k lies at base + k × entrySize
  std::size_t blockSize;        // the bytes a list without entries leaves 0
  bool (*isPresent)(const TAutoSeq& rec, int k);
  void (*writeDefault)(TAutoSeq& rec, int k);
};

const TestListKind& testListKind(TestList list);

QString testItemText(const TestListKind& kind, int k);  // "Defib Energy 1" for k = 0

// The entries present from entry 0, at most the maximum.
int presentEntryCount(const TestListKind& kind, const TAutoSeq& rec);
// Writes the default entry after the present ones: its index, or -1 when the list is full.
int appendDefaultEntry(const TestListKind& kind, TAutoSeq& rec);
// Moves the entries after k up by one and clears the last one that was present.
void deleteEntry(const TestListKind& kind, TAutoSeq& rec, int k);
// A list without entries: its whole block 0.
void clearTestList(const TestListKind& kind, TAutoSeq& rec);
