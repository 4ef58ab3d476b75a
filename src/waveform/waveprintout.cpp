#include "waveform/waveprintout.h"

namespace {
// Fills each %8s or %10s of the format, in order, with the next value right-aligned.
QString fill(const char* format, const QStringList& values) {
  QString out;
  qsizetype next = 0;
  for (const char* p = format; *p; ++p) {
    if (p[0] == '%') {
      const int width = p[1] == '8' ? 8 : 10;
      out += values.value(next++).rightJustified(width, QLatin1Char(' '));
      p += width == 8 ? 2 : 3;
      continue;
    }
    out += QLatin1Char(*p);
  }
  return out;
}

bool isTwoPhase(const WaveInfo& info) {
  return info.resolution == QLatin1String("13-bit") && info.energy != info.energy1;
}
}  // namespace

QStringList waveformPrintLines(const WaveInfo& i, bool pacer) {
  QStringList lines = {"Device ID:       " + i.deviceId,   "Date:            " + i.date,       QString(),
                       "Test Type:       " + i.testType,   "Test No.:        " + i.testNumber,
                       "Resolution:      " + i.resolution, "Sample Interval: " + i.sampleInterval};
  if (pacer) {
    lines << QString() << "Pulse Current:   " + i.pulseCurrent << "Method:          " + i.method << QString()
          << "Pulse Width:     " + i.pulseWidth << "Pulse Rate:      " + i.pulseRate << QString()
          << "Test Load:       " + i.testLoad;
  } else if (isTwoPhase(i)) {
    lines << "Total Energy:    " + i.energy
          << QStringLiteral("------------------ Phase 1 -----------------------       "
                            "------------------ Phase 2 -----------------------")
          << fill("Peak Current: %8s   Average Current: %8s       ", {i.ampsP1, i.ampsA1}) +
                 fill("Peak Current: %8s   Average Current: %8s", {i.ampsP2, i.ampsA2})
          << fill("Peak Voltage: %8s   Average Voltage: %8s       ", {i.voltsP1, i.voltsA1}) +
                 fill("Peak Voltage: %8s   Average Voltage: %8s", {i.voltsP2, i.voltsA2})
          << fill("Energy:       %8s   Pulse Width:   %10s       ", {i.energy1, i.width10}) +
                 fill("Energy:       %8s   Pulse Width:   %10s", {i.energy2, i.width2})
          << QStringLiteral("--------------------------------------------------       "
                            "--------------------------------------------------")
          << fill("Frequency:    %8s   Duty Cycle:    %10s       ", {i.freq, i.duty}) +
                 fill("Tilt: %8s      Interphase Delay:    %10s", {i.tilt, i.delay});
  } else {
    lines << QString() << "Peak Current:    " + i.ampsP1 << "Peak Voltage:    " + i.voltsP1
          << "Energy:          " + i.energy << QString() << "Pulse Width 10%: " + i.width10
          << "Pulse Width 50%: " + i.width50;
  }
  return lines;
}
