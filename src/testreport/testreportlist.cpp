#include "testreport/testreportlist.h"

#include "core/datetimetext.h"
#include "testreport/testrecord.h"

using namespace testrec;

namespace testreportlist {

QString columnHeader(int column) {
  static const char* const headers[kColumnCount] = {"No.",  "Device ID", "Device Under Test",
                                                    "Date", "Test Type", "Overall Pass"};
  return column >= 0 && column < kColumnCount ? QString::fromLatin1(headers[column]) : QString();
}

QString cellText(const TTestRec& rec, int index, int column) {
  switch (column) {
    case 0: return QString::number(index + 1);
    case 1: return deviceIdText(rec);
    case 2: return dutTypeName(rec);
    case 3: return dateTimeText(testDateTime(rec));
    case 4: return testTypeText(rec);
    default: return QString();
  }
}

SortKind sortKind(int column) { return column == 1 || column == 2 ? SortKind::Text : SortKind::Number; }

TSortItem sortKey(const TTestRec& rec, int index, int column) {
  TSortItem key;
  const quint32 i = quint32(index);
  switch (column) {
    case 1: key.setText(deviceIdText(rec), i); break;
    case 2: key.setText(dutTypeName(rec), i); break;
    case 3: key.setNumber(dateTimeValue(testDateTime(rec)), i); break;
    case 4: key.setNumber(rec.u8(testrec::AutoSeqNumber), i); break;
    case kPassColumn: key.setNumber(testRecPassed(rec) ? 0 : 1, i); break;
    default: key.setNumber(index, i); break;
  }
  return key;
}

QString searchNeedle(const QString& boxText) { return boxText.trimmed().toLower(); }

bool matchesSearch(const TTestRec& rec, const QString& needle) {
  for (const QString& text : {deviceIdText(rec), dutTypeName(rec), dateTimeText(testDateTime(rec)), testTypeText(rec)})
    if (text.toLower().contains(needle)) return true;
  return false;
}

}  // namespace testreportlist
