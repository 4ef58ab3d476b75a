#pragma once
#include "maintenance/historypoint.h"

#include <QWidget>

class QChart;
class QChartView;

// A device's history as two charts, one above the other: the delivered energy
// of each test and target against the test date, each with its tolerance band
// drawn behind it, and the charge time against its maximum; band and maximum
// span the whole chart. Values that raised the near-limit mark are drawn as red
// triangles. A screen reader is given every value with its date and limit.
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
