#pragma once
#include <QList>
#include <QPointF>
#include <QString>

// The texts of a waveform's information panel, each named after its control.
// A path leaves the texts it has nothing for empty.
struct WaveInfo {
  QString deviceId, date, testType, testNumber, resolution, sampleInterval;
  // A defibrillator pulse: total energy, then the first and second phases.
  QString energy, energy1, ampsP1, ampsA1, voltsP1, voltsA1, width10, width50;
  QString energy2, ampsP2, ampsA2, voltsP2, voltsA2, width2, delay, tilt, freq, duty;
  // A pacer pulse.
  QString pulseCurrent, method, pulseWidth, pulseRate, pulseEnergy, testLoad;

  bool operator==(const WaveInfo&) const = default;
};

// A waveform as the viewer shows it: the texts, whether it is a pacer pulse
// (the pacer panel shows, the current is in mA), and the chart's points in
// sample order (time in ms, current in A or mA).
struct Waveform {
  WaveInfo info;
  bool pacer = false;
  QList<QPointF> points;
};

// One row of the information panel: its value control, the caption beside it,
// and its text; a heading has no text.
struct InfoRow {
  const char* control;
  const char* caption;
  QString WaveInfo::*text;
};

// The rows the panel shows, top to bottom: the six common ones, then the
// defibrillator rows or, for a pacer pulse, the pacer rows in their place.
QList<InfoRow> infoRows(bool pacer);

// "Test Type:" text of a pacer pulse, on which a waveform file is read as one.
inline QString pacerTestTypeText() { return QStringLiteral("Pacer Pulse"); }
