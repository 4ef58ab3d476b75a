#pragma once
#include "core/sortitem.h"

#include <QString>

struct TAutoSeq;

// What the autosequence list shows of its records: three columns and their sort keys.
namespace autoseqlist {

constexpr int kColumnCount = 3;

QString columnHeader(int column);  // "No.", "Title", "Device Under Test"
QString cellText(const TAutoSeq& rec, int index, int column);
SortKind sortKind(int column);  // text for Title and Device Under Test, the record number for No.
TSortItem sortKey(const TAutoSeq& rec, int index, int column);

}  // namespace autoseqlist
