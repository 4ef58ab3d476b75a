#pragma once
#include <QString>

// Whether an AED rhythm code (ECG waveform number) calls for a shock:
// 31 to 36 and 42 "No", 37 to 40 "Yes", any other code "Report Only".
QString shockableText(unsigned code);
