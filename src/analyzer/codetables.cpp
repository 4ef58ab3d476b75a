#include "analyzer/codetables.h"

#include <cstdlib>
#include <iterator>

namespace {
struct EcgWave {
  const char* code;
  const char* title;
};

constexpr EcgWave kEcgWaves[kEcgWaveCount] = {
    {"OFF    ", "Off"},
    {"CAL500 ", "500 Hz Cal Waveform"},
    {"PULSE  ", "DC Pulse, 4 sec"},
    {"SQR2HZ ", "Square Wave, 2 Hz"},
    {"TRI2HZ ", "Triangle Wave, 2 Hz"},
    {"SIN01  ", "Sinewave, 0.1 Hz"},
    {"SIN05  ", "Sinewave, 0.5 Hz"},
    {"SIN10  ", "Sinewave, 10 Hz"},
    {"SIN20  ", "Sinewave, 20 Hz"},
    {"SIN40  ", "Sinewave, 40 Hz"},
    {"SIN50  ", "Sinewave, 50 Hz"},
    {"SIN60  ", "Sinewave, 60 Hz"},
    {"SIN70  ", "Sinewave, 70 Hz"},
    {"SIN100 ", "Sinewave, 100 Hz"},
    {"ECG30  ", "ECG 30 BPM"},
    {"ECG60  ", "ECG 60 BPM"},
    {"ECG90  ", "ECG 90 BPM"},
    {"ECG120 ", "ECG 120 BPM"},
    {"ECG150 ", "ECG 150 BPM"},
    {"ECG180 ", "ECG 180 BPM"},
    {"ECG240 ", "ECG 240 BPM"},
    {"ECG300 ", "ECG 300 BPM"},
    {"BLKII  ", "2nd deg. AV Block"},
    {"PAC    ", "Premature Atrial Contraction"},
    {"RBBB   ", "Right Bundle Branch Block"},
    {"PVC    ", "Premature Ventricular Contraction"},
    {"RONT   ", "R-on-T PVC"},
    {"MFPVC  ", "Multifocal PVC"},
    {"RUN5   ", "Run of 5 PVC"},
    {"BIGEM  ", "Bigeminy"},
    {"TRGEM  ", "Trigeminy"},
    {"AFIB1  ", "Atrial Fibrillation, Coarse"},
    {"AFIB2  ", "Atrial Fibrillation, Fine"},
    {"ASYS1  ", "Asytole, Random baseline"},
    {"ASYS2  ", "Asytole - Flat line"},
    {"SVTACH ", "Supraventricular Tachycardia"},
    {"VTACH1 ", "Ventricular Tachycardia, 140 BPM"},
    {"VTACH2 ", "Ventricular Tachycardia, 160 BPM"},
    {"VTACH3 ", "Ventricular Tachycardia, 190 BPM"},
    {"PVTACH ", "Torsades de Pointes"},
    {"VFIB1  ", "Ventricular Fibrillation, Coarse"},
    {"VFIB2  ", "Ventricular Fibrillation, Fine"},
    {"SQRP1  ", "Pulse, 1 msec"},
    {"SQRP2  ", "Pulse, 2 msec"},
    {"SQRP25 ", "Pulse, 25 msec"},
    {"SQRP40 ", "Pulse, 40 msec"},
    {"SQRP100", "Pulse, 100 msec"},
    {"SQRP200", "Pulse, 200 msec"},
    {"TRIP10 ", "Pulse, 10 msec"},
    {"TRIP25 ", "Pulse, 25 msec"},
    {"TRIP40 ", "Pulse, 40 msec"},
    {"TRIP100", "Pulse, 100 msec"},
    {"TRIP200", "Pulse, 200 msec"},
    {"SSQP10 ", "Pulse, 10 msec"},
    {"SSQP25 ", "Pulse, 25 msec"},
    {"SSQP40 ", "Pulse, 40 msec"},
    {"SSQP100", "Pulse, 100 msec"},
    {"SSQP200", "Pulse, 200 msec"},
    {"       ", "                       "},
};

template <unsigned N>
QString lookup(const char* const (&table)[N], unsigned index, int width) {
  if (index < N) return QString::fromLatin1(table[index]);
  return QString(width, QLatin1Char('?'));
}

constexpr const char* kTolerance[] = {"--", " 5", "10", "15", "20"};
constexpr const char* kScale[] = {"x1  ", "x2  ", "x0.5"};
constexpr const char* kMethod[] = {" AVG. ", "L.EDGE", "T.EDGE", "PEAK  "};
}  // namespace

QString toleranceText(unsigned index) { return lookup(kTolerance, index, 2); }
int tolerancePercent(unsigned index) {
  return index > 0 && index < std::size(kTolerance) ? std::atoi(kTolerance[index]) : 0;
}
QString ecgScaleText(unsigned index) { return lookup(kScale, index, 4); }
QString pacerMethodText(unsigned index) { return lookup(kMethod, index, 6); }

QString ecgWaveCode(unsigned index) {
  return index < kEcgWaveCount ? QString::fromLatin1(kEcgWaves[index].code) : QString(7, QLatin1Char('?'));
}

QString ecgWaveTitle(unsigned index) {
  return index < kEcgWaveCount ? QString::fromLatin1(kEcgWaves[index].title) : QStringLiteral("?");
}

QString resultText(unsigned code) {
  switch (code) {
    case 0: return QStringLiteral("NO DATA");
    case 2: return QStringLiteral("PASS");
    case 3: return QStringLiteral("FAIL");
    default: return QStringLiteral("----");
  }
}
