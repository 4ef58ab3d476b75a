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

// Gives the chart's values to a screen reader after its axes' ranges, in the
// words of the chart's owner ("200.0 J: Jan 01, 2025 200.0 J (180.0-220.0 J)").
void setChartValuesText(QChartView* view, const QString& values);
