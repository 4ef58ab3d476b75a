#pragma once
#include "analyzermemory.h"

// The demo's analyzer: a dozen autosequences, the sample test reports of
// defibrillators, AEDs and pacemakers, stored wave records, and a real-time
// capture, in wire order.
AnalyzerMemory sampleAnalyzerMemory();
