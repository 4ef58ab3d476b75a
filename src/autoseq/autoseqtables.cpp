#include "autoseq/autoseqtables.h"

#include <iterator>

namespace {
template <std::size_t N>
QString lookup(const char* const (&table)[N], unsigned code) {
  return code < N ? QString::fromUtf8(table[code]) : QStringLiteral("?");
}
}  // namespace

QString autoSeqToleranceText(unsigned code) {
  static const char* const kTexts[] = {"", "±5%", "±10%", "±15%", "±20%"};
  return lookup(kTexts, code);
}

QString autoSeqScaleText(unsigned code) {
  static const char* const kTexts[] = {"x1   (1.0mV QRS Lead II)", "x2   (2.0mV QRS Lead II)",
                                       "x0.5 (0.5mV QRS Lead II)"};
  return lookup(kTexts, code);
}

QString triggerModeText(unsigned code) {
  static const char* const kTexts[] = {"Do not respond to shock", "Change to NSR60 after shock",
                                       "Play back waveform after shock", "Play back waveform then change to NSR60"};
  return lookup(kTexts, code);
}

QString measuringMethodText(unsigned code) {
  static const char* const kTexts[] = {"Average Current", "Leading Edge of Pulse", "Trailing Edge of Pulse",
                                       "Peak Current"};
  return lookup(kTexts, code);
}

QString autoTestTimerText(unsigned deviceCode) {
  static const char* const kTexts[] = {"Empty", "Off", "AED", "3 seconds", "5 seconds", "9 seconds"};
  return lookup(kTexts, deviceCode);
}

QString syncMethodText(unsigned code) { return code == 0 ? QStringLiteral("ECG Q Wave") : QStringLiteral("ECG R Wave"); }

const QList<WaveBank>& waveBanks() {
  static const QList<WaveBank> kBanks = {
      {"None", 0, 2},          {"Performance", 2, 12},           {"Sinus Rhythm", 14, 8},
      {"Arrhythmia", 22, 9},   {"Shock Advisory / AED", 31, 12}, {"Square Pacer Trigger", 43, 5},
      {"Triangle Pacer Trigger", 48, 5}, {"Haversine Pacer Trigger", 53, 5}};
  return kBanks;
}

int bankOfWave(int wave) {
  const QList<WaveBank>& banks = waveBanks();
  if (wave < 0) return -1;
  for (int b = 0; b < banks.size(); ++b)
    if (wave < banks[b].first + banks[b].count) return b;
  return -1;
}

int defaultWave(TestKind kind) {
  switch (kind) {
    case TestKind::Cardioversion: return 31;
    case TestKind::EcgPerformance: return 2;
    case TestKind::DemandSensitivity:
    case TestKind::RefractoryPeriod: return 50;
    default: return 40;
  }
}
