#pragma once
#include "testreport/testrecord.h"

#include <QList>

// Test reports such as an analyzer holds after a day's work, for the demo's
// simulated analyzer: defibrillators (monophasic, biphasic and pulsed biphasic),
// AEDs and pacemakers, passed and failed, in host order.
QList<TTestRec> sampleTestRecords();

// The one complete example: a defibrillator record that reaches every group
// (energy with phase 2, charge time, cardioversion, ECG, pacer pulse, noise
// immunity, demand sensitivity and refractory period). It is the third of the samples.
TTestRec sampleCompleteTestRecord();
