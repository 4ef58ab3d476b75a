#pragma once
#include "support/golden.h"
#include "testreport/samplerecords.h"
#include "testreport/testrecord.h"


// Test records built field by field, in host order.
inline TTestRec makeTestRec(const char* id, DateTimeBytes when, quint8 autoSeq, quint8 dutType) {
  return newTestRec(id, when, autoSeq, dutType);
}

// The complete defibrillator report: biphasic energy entries 1 (pass) and 3 (no
// verdict), charge time, one cardioversion, two ECG tests, one pacer pulse at load
// index 1 with energy −2345, noise immunity 50 Hz at 1000, one demand sensitivity
// and one refractory period test. The demo shows the same record.
inline TTestRec completeDefibRecord() { return sampleCompleteTestRecord(); }
