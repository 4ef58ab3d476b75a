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
//
// The charts are made when they first show (or are asked for), so that a window
// that opens on another tab does not wait for them.
class THistoryChart : public QWidget {
  Q_OBJECT
 public:
  explicit THistoryChart(QWidget* parent = nullptr);
  void setHistory(const QList<HistoryPoint>& points);

  QChart* energyChart();
  QChart* chargeTimeChart();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void makeCharts();
  void draw();

  QChartView* energy_ = nullptr;
  QChartView* chargeTime_ = nullptr;
  QList<HistoryPoint> points_;
  bool drawn_ = false;  // the charts show points_
};
