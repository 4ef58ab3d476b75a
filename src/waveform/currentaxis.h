#pragma once
#include <QList>
#include <QPointF>
#include <QString>

// The range of a chart's current axis, fitted to a waveform's points.
struct CurrentAxis {
  bool automatic = false;  // the largest excursion is 100 or more: the chart chooses
  double minimum = 0;
  double maximum = 0;
  QString title;  // "Current (A)", or "Current (mA)" for a pacer pulse
};

// The smallest of 5, 10, 20, 50 and 100 above the largest excursion on either
// side of zero: -L..L for a defibrillator pulse, 0..L for a pacer pulse.
CurrentAxis fitCurrentAxis(const QList<QPointF>& points, bool pacer);
