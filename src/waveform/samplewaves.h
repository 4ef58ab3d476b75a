#pragma once
#include "waveform/waverecord.h"

#include <QByteArray>
#include <QList>

// Pulses such as an analyzer holds, for the demo's simulated analyzer: stored
// pulses of monophasic, biphasic and pulsed biphasic defibrillators, in host
// order, and two real-time captures as the analyzer sends them, one of a
// defibrillator pulse and one of a pacer pulse.
QList<WaveRecord> sampleWaveRecords();
QByteArray sampleDefibCapture();
QByteArray samplePacerCapture();
