#pragma once
#include "support/golden.h"
#include "testreport/samplerecords.h"
#include "testreport/testrecord.h"

#include <QByteArray>
#include <QDate>


// Test records built field by field, in host order.
inline TTestRec makeTestRec(const char* id, DateTimeBytes when, quint8 autoSeq, quint8 dutType) {
  return newTestRec(id, when, autoSeq, dutType);
}

// The complete defibrillator report: biphasic energy entries 1 (pass) and 3 (no
// verdict), charge time, one cardioversion, two ECG tests, one pacer pulse at load
// index 1 with energy −2345, noise immunity 50 Hz at 1000, one demand sensitivity
// and one refractory period test. The demo shows the same record.
inline TTestRec completeDefibRecord() { return sampleCompleteTestRecord(); }

// A defibrillator's test `daysAgo` days before today, its 200 J pulse delivered
// `delivered` (0.1 J, ±10 %), as the archive keeps it.
inline QByteArray testedDaysAgo(const char* device, int daysAgo, quint16 delivered = 2000) {
  const QDate day = QDate::currentDate().addDays(-daysAgo);
  TTestRec rec = makeTestRec(device, {quint8(day.day()), quint8(day.month()), quint8(day.year() % 100), 10, 0, 0}, 1,
                             testrec::DutDefibrillator);
  setEntryAt(rec, 0,
             testrec::EnergyEntry{.totalEnergy = delivered, .targetEnergy = 2000, .tolerance = 2, .result = testrec::Pass});
  return QByteArray(rec.data(), TTestRec::Size);
}
