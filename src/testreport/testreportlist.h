#pragma once
#include "core/sortitem.h"

#include <QString>

struct TTestRec;

// What the test report list shows of its records: the six columns, their sort
// keys and the search.
namespace testreportlist {

constexpr int kColumnCount = 6;
constexpr int kPassColumn = 5;

QString columnHeader(int column);  // "No.", "Device ID", "Device Under Test", "Date", "Test Type", "Overall Pass"
QString cellText(const TTestRec& rec, int index, int column);  // the Overall Pass column has no text
SortKind sortKind(int column);  // text for Device ID and Device Under Test, numbers for the others
TSortItem sortKey(const TTestRec& rec, int index, int column);

// Whether the trimmed, lower-cased search text occurs in the device I.D., the
// device under test, the date text or the test type (not in No. or Overall Pass).
bool matchesSearch(const TTestRec& rec, const QString& needle);
// The search text as it is matched: trimmed of blanks and lower-cased.
QString searchNeedle(const QString& boxText);

}  // namespace testreportlist
