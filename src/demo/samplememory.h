#pragma once
#include "simulator/analyzermemory.h"

// The demo's analyzer: a dozen autosequences, the sample test reports of
// defibrillators, AEDs and pacemakers, stored wave records, and two real-time
// captures (a defibrillator's and a pacer's, sent in turn), in wire order.
AnalyzerMemory sampleAnalyzerMemory();
