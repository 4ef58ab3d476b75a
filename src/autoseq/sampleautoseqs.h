#pragma once
#include "autoseq/autoseqrecord.h"

#include <QList>

// Test plans such as a department keeps, for the demo's simulated analyzer:
// defibrillators with each auto-test timer, AEDs, plans with pacemaker tests,
// titles up to the full 16 characters; in host order.
QList<TAutoSeq> sampleAutoSeqs();
