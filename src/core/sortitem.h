#pragma once
#include <QList>
#include <QString>

// The sort key of one grid row: a text or a number, and the index of the record
// the row shows. Equal keys fall back to the record index, so the order is total.
struct TSortItem {
  QString text;
  double number = 0;
  quint32 index = 0xFFFFFFFFu;

  void setText(const QString& value, quint32 recordIndex) { text = value, index = recordIndex; }
  void setNumber(double value, quint32 recordIndex) { number = value, index = recordIndex; }
};

// Text compared without regard to case, in the user's locale.
bool lessByText(const TSortItem& a, const TSortItem& b);
bool lessByNumber(const TSortItem& a, const TSortItem& b);

enum class SortKind { Text, Number };

// The one ordering of every grid: sorts the keys ascending, and for a descending
// grid reverses the whole sequence, so that equal keys come in falling index order.
// Returns the record indexes in their new order.
QList<int> orderedIndexes(QList<TSortItem> keys, SortKind kind, bool ascending);
