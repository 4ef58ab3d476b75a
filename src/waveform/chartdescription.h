#pragma once
#include <QString>

class QChart;
class QChartView;

// What a chart shows, for a screen reader: each axis's title and the range it
// spans ("Current (A) from -50 to 50; Time (msec) from 0 to 14.57").
QString chartDescription(const QChart* chart);

// Makes a chart view known to assistive technology as a chart named `name`,
// whose description follows its axes' ranges as they change (zoom, Set Chart
// Axis, a new waveform or history).
void describeChartView(QChartView* view, const QString& name);
