#include "waveform/currentaxis.h"

#include <algorithm>

CurrentAxis fitCurrentAxis(const QList<QPointF>& points, bool pacer) {
  double highest = 0, lowest = 0;
  if (!points.isEmpty()) {
    const auto [low, high] = std::minmax_element(points.begin(), points.end(),
                                                 [](const QPointF& a, const QPointF& b) { return a.y() < b.y(); });
    lowest = low->y();
    highest = high->y();
  }
  const double excursion = std::max(highest, -lowest);
  CurrentAxis axis;
  // A pacer's current is in milliamperes whatever its range, the automatic one too.
  axis.title = pacer ? QStringLiteral("Current (mA)") : QStringLiteral("Current (A)");
  for (double limit : {5.0, 10.0, 20.0, 50.0, 100.0}) {
    if (excursion >= limit) continue;
    axis.minimum = pacer ? 0.0 : -limit;
    axis.maximum = limit;
    return axis;
  }
  axis.automatic = true;
  return axis;
}
