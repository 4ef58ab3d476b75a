#pragma once
#include "waveform/waveinfo.h"

#include <QStringList>

// The text lines a printed waveform carries above its chart, from the texts the
// viewer shows: the device I.D., date, test type and number, resolution and
// sample interval, then the pacer block (15 lines in all), the two-phase block of
// a 13-bit pulse whose total and first-phase energies differ (14), or the short
// block (14). In the two-phase block "%8s" and "%10s" right-align a value in 8 or
// 10 characters without cutting a longer one.
QStringList waveformPrintLines(const WaveInfo& info, bool pacer);
