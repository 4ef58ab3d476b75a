#pragma once
#include "waveform/waveinfo.h"

#include <QByteArray>

struct WaveRecord;

// Puts a decimal point before the last k digits of an integer's text; a text of
// k characters or fewer is filled with zeros to k digits and gets the point in
// front, with no zero before it: 325 → 3.25, 5 (k = 2) → .05, -5 (k = 1) → -.5.
QString insertDecimalPoint(const QString& digits, int k);

// The second-phase energy of a defibrillator capture: total minus first phase,
// both unsigned, as a signed difference with one decimal and " J".
QString secondPhaseEnergyText(quint16 total, quint16 firstPhase);
// A pacer pulse's energy: zero or positive in 0.1 mJ, negative its magnitude in
// 0.001 mJ, with three decimals and " mJ".
QString pacerPulseEnergyText(qint16 value);
// "AVERAGE", "LEADING EDGE", "TRAILING EDGE" or "PEAK"; "?" for a code the
// analyzer never sends, so a corrupt one shows.
QString pacerMethodText(quint8 code);

// The three paths from what the analyzer sent to what the viewer shows.
// A stored pulse is a record in host order; a capture is the block as received.
// A capture whose samples are all zero charts a flat line at zero.
Waveform decodeWaveRecord(const WaveRecord& rec);
Waveform decodeCapture(const QByteArray& block);
