#include "core/sortitem.h"

#include <gtest/gtest.h>

namespace {
QList<TSortItem> textKeys(const QStringList& texts) {
  QList<TSortItem> keys;
  for (int i = 0; i < texts.size(); ++i) {
    TSortItem key;
    key.setText(texts[i], quint32(i));
    keys.append(key);
  }
  return keys;
}
}  // namespace

TEST(SortOrder, TextIgnoresCaseAndTiesKeepRecordOrderAscending) {
  const QList<TSortItem> keys = textKeys({"abc", "Zeta", "ABC", "beta", "aBc"});
  EXPECT_EQ(orderedIndexes(keys, SortKind::Text, true), (QList<int>{0, 2, 4, 3, 1}));
}

TEST(SortOrder, DescendingIsTheExactReverseSoTiesComeInFallingIndexOrder) {
  const QList<TSortItem> keys = textKeys({"abc", "Zeta", "ABC", "beta", "aBc"});
  EXPECT_EQ(orderedIndexes(keys, SortKind::Text, false), (QList<int>{1, 3, 4, 2, 0}));
}

TEST(SortOrder, NumbersWithTiesInBothDirections) {
  QList<TSortItem> keys(4);
  const double numbers[] = {2.5, 1.0, 2.5, -3.0};
  for (int i = 0; i < 4; ++i) keys[i].setNumber(numbers[i], quint32(i));
  EXPECT_EQ(orderedIndexes(keys, SortKind::Number, true), (QList<int>{3, 1, 0, 2}));
  EXPECT_EQ(orderedIndexes(keys, SortKind::Number, false), (QList<int>{2, 0, 1, 3}));
}

TEST(SortOrder, ComparatorsFallBackToTheIndex) {
  TSortItem a, b;
  a.setText("Same", 1);
  b.setText("SAME", 2);
  EXPECT_TRUE(lessByText(a, b));
  EXPECT_FALSE(lessByText(b, a));
  a.setNumber(7, 5);
  b.setNumber(7, 4);
  EXPECT_FALSE(lessByNumber(a, b));
  EXPECT_TRUE(lessByNumber(b, a));
  EXPECT_FALSE(lessByNumber(a, a));  // a strict order: nothing orders before itself
}
