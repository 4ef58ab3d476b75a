#pragma once
#include "autoseq/autoseqrecord.h"

#include <QStringList>

// The printed lines of one autosequence, in order: its title and device under
// test, then a block of lines for each kind of planned test (AED energy; or the
// trigger mode and timer, then the defibrillator energies; charge time;
// cardioversion; ECG performance; pacer pulses, noise immunity, demand
// sensitivity and refractory periods, followed by the pacer load when any of
// those four is planned). Empty texts are blank lines.
QStringList autoSeqPrintLines(const TAutoSeq& rec);

// A waveform as the printout writes it: its title, and its code without blanks
// in brackets, then " - " and the short scale text.
QString printedWaveText(unsigned wave, unsigned scale);
// A pacer trigger waveform, which has no scale: "title (CODE)".
QString printedTriggerWaveText(unsigned wave);
// A sensitivity limit stored in 0.01 mV, in millivolts without trailing zeros: 250 → "2.5".
QString sensitivityText(quint16 hundredths);
