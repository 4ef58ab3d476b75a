#include "support/testreportbuilders.h"
#include "testreport/testreportlist.h"

#include <gtest/gtest.h>

using namespace testreportlist;
using namespace testrec;

namespace {
// The records of `display` ordered by a column's keys, as the list orders its rows.
QList<int> ordered(const QList<TTestRec>& records, const QList<int>& display, int column, bool ascending) {
  QList<TSortItem> keys;
  for (int index : display) keys.append(sortKey(records[index], index, column));
  return orderedIndexes(keys, sortKind(column), ascending);
}
}  // namespace

TEST(TestReportList, ColumnsTextsAndHeaders) {
  const TTestRec r = makeTestRec("  ICU 7 ", {5, 3, 14, 13, 7, 9}, 3, DutAed);
  EXPECT_EQ(columnHeader(0), "No.");
  EXPECT_EQ(columnHeader(5), "Overall Pass");
  EXPECT_EQ(cellText(r, 4, 0), "5");
  EXPECT_EQ(cellText(r, 4, 1), "ICU 7");
  EXPECT_EQ(cellText(r, 4, 2), "AED");
  EXPECT_EQ(cellText(r, 4, 3), "Mar 05, 2014 01:07:09 PM");
  EXPECT_EQ(cellText(r, 4, 4), "Autosequence 3");
  EXPECT_EQ(cellText(r, 4, 5), "");
}

TEST(TestReportList, SortKeysByColumnWithTiesByIndex) {
  QList<TTestRec> recs = {makeTestRec("b", {1, 1, 20, 0, 0, 0}, 2, 1), makeTestRec("A", {1, 1, 19, 0, 0, 0}, 0, 2),
                          makeTestRec("B", {30, 2, 20, 0, 0, 0}, 2, 1)};
  setEntryAt(recs[0], 0, EcgEntry{1, 0, Fail});
  const QList<int> all = {0, 1, 2};
  EXPECT_EQ(ordered(recs, all, 1, true), (QList<int>{1, 0, 2}));   // b and B tie, by index
  EXPECT_EQ(ordered(recs, all, 1, false), (QList<int>{2, 0, 1}));  // the exact reverse
  EXPECT_EQ(ordered(recs, all, 3, true), (QList<int>{2, 1, 0}));   // 30 February sorts as the zero date
  EXPECT_EQ(ordered(recs, all, 4, true), (QList<int>{1, 0, 2}));   // manual first
  EXPECT_EQ(ordered(recs, all, 5, true), (QList<int>{1, 2, 0}));   // pass before fail
  EXPECT_EQ(ordered(recs, all, 0, false), (QList<int>{2, 1, 0}));
  EXPECT_EQ(ordered(recs, {2, 0}, 0, true), (QList<int>{0, 2}));   // only the entries shown
}

TEST(TestReportList, SearchLooksAtFourTextsOnly) {
  const TTestRec r = makeTestRec("ER-Defib-01", {14, 1, 25, 9, 12, 40}, 0, DutDefibrillator);
  EXPECT_EQ(searchNeedle("  DeFiB  "), "defib");
  EXPECT_TRUE(matchesSearch(r, "defib"));
  EXPECT_TRUE(matchesSearch(r, "manual"));
  EXPECT_TRUE(matchesSearch(r, "2025"));
  EXPECT_TRUE(matchesSearch(r, "jan 14"));
  EXPECT_TRUE(matchesSearch(r, "09:12:40 am"));
  EXPECT_FALSE(matchesSearch(r, "aed"));
  EXPECT_FALSE(matchesSearch(r, "pass"));  // the verdict column is not searched
}
