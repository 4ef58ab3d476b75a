#pragma once
#include "analyzermemory.h"

// A realistic analyzer memory for the demo and for tests: a dozen autosequences,
// test reports of defibrillators (monophasic, biphasic and pulsed biphasic),
// AEDs and pacemakers, stored wave records, and a real-time capture.
AnalyzerMemory sampleAnalyzerMemory();

// The sample test report at index 2: a defibrillator record that reaches every
// group (energy with phase 2, charge time, cardioversion, ECG, pacer pulse,
// noise immunity, demand sensitivity and refractory period), in host order.
QByteArray sampleCompleteTestRecord();
