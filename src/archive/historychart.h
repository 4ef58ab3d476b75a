#pragma once
#include "archive/devicehistory.h"

#include <QWidget>

class QChart;
class QChartView;

// A device's history as two charts, one above the other: the delivered energy
// of each target against the test date, each target with its tolerance band
// drawn behind it, and the charge time against its maximum. Values that raised
// the near-limit mark are drawn as red dots.
class THistoryChart : public QWidget {
  Q_OBJECT
 public:
  explicit THistoryChart(QWidget* parent = nullptr);
  void setHistory(const QList<HistoryPoint>& points);

  QChart* energyChart() const;
  QChart* chargeTimeChart() const;

 private:
  QChartView* energy_;
  QChartView* chargeTime_;
};
