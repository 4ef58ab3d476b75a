#pragma once
#include "waveform/currentaxis.h"

#include <QChart>
#include <QList>
#include <QPointF>

class QLineSeries;
class QValueAxis;
struct AxisRanges;

// The chart of one waveform: current against time as one dark blue line with
// optional 3 × 3 markers, a navy two-line title, the time axis at the bottom and
// the current axis on the left with a silver minor grid, on white, no legend.
//
// The time axis is automatic (it spans the points) unless the user sets it; the
// current axis starts as fitCurrentAxis chose, and that range is remembered:
// Undo Zoom returns to it, or to the automatic range when the fit left it so.
class TWaveChart : public QChart {
  Q_OBJECT
 public:
  TWaveChart();

  void setWaveform(const QList<QPointF>& points, bool pacer);
  void setTitleFor(const QString& deviceId, const QString& date);

  void zoomAboutCentre(double spanFactor);  // 0.8 zooms in, 1.2 out, on both axes
  void undoZoom();
  void setRanges(const AxisRanges& ranges);  // both axes fixed, as the user entered them
  void setPointsShown(bool shown);
  bool pointsShown() const;

  // The same picture on another chart: points, title, both ranges, markers.
  void copyViewTo(TWaveChart& other) const;

  QLineSeries* series() const { return series_; }
  QValueAxis* timeAxis() const { return time_; }
  QValueAxis* currentAxis() const { return current_; }
  const CurrentAxis& savedCurrentAxis() const { return saved_; }

 private:
  void fitTimeAxis();
  void fitCurrentAxisToPoints();

  QLineSeries* series_;
  QValueAxis* time_;
  QValueAxis* current_;
  CurrentAxis saved_;
};
