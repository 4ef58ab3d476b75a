#pragma once
#include <QList>
#include <QString>

// The texts through which an autosequence's one-byte codes are shown. A code
// outside its table shows as "?", so a corrupt record is visible and never read
// past a table.
QString autoSeqToleranceText(unsigned code);   // 1 "±5%" … 4 "±20%"; 0 the empty text
QString autoSeqScaleText(unsigned code);       // "x1   (1.0mV QRS Lead II)", …
QString triggerModeText(unsigned code);        // "Do not respond to shock", …
QString measuringMethodText(unsigned code);    // "Average Current", …
QString autoTestTimerText(unsigned deviceCode);  // "Empty", "Off", "AED", "3 seconds", …
QString syncMethodText(unsigned code);         // "ECG Q Wave" or "ECG R Wave"

// The simulator's eight banks of ECG waveforms: name, first waveform, count.
struct WaveBank {
  const char* name;
  int first;
  int count;
};
const QList<WaveBank>& waveBanks();
// The bank of a waveform number: 0..7, or -1 beyond 57.
int bankOfWave(int wave);

// The kinds of test, and the waveform each starts with.
enum class TestKind { DefibEnergy, AedEnergy, ChargeTime, Cardioversion, EcgPerformance, DemandSensitivity,
                      RefractoryPeriod };
int defaultWave(TestKind kind);
