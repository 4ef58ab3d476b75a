#include "core/sortitem.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>

namespace {
// One collator per locale: building one for every comparison would dominate a sort.
QCollator caseBlindCollator(const QLocale& locale) {
  QCollator collator(locale);
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  return collator;
}

const QCollator& userCollator() {
  static QCollator collator = caseBlindCollator(QLocale());
  if (collator.locale() != QLocale()) collator = caseBlindCollator(QLocale());
  return collator;
}

int compareText(const QString& a, const QString& b) {
  // Folding the case first keeps the comparison case-blind even where the
  // collator's back end ignores the case-sensitivity setting.
  return userCollator().compare(a.toCaseFolded(), b.toCaseFolded());
}
}  // namespace

bool lessByText(const TSortItem& a, const TSortItem& b) {
  const int c = compareText(a.text, b.text);
  if (c != 0) return c < 0;
  return a.index < b.index;
}

bool lessByNumber(const TSortItem& a, const TSortItem& b) {
  if (a.number < b.number) return true;
  if (a.number > b.number) return false;
  return a.index < b.index;
}

QList<int> orderedIndexes(QList<TSortItem> keys, SortKind kind, bool ascending) {
  std::sort(keys.begin(), keys.end(), kind == SortKind::Text ? lessByText : lessByNumber);
  if (!ascending) std::reverse(keys.begin(), keys.end());
  QList<int> order;
  order.reserve(keys.size());
  for (const TSortItem& key : keys) order.append(int(key.index));
  return order;
}
