#pragma once
#include <QList>
#include <QString>
#include <functional>

// What every benchmark shares: the program's path and a minimal baseline timed
// in the same run, alternating round by round, and the median of each printed
// with the ratio program / baseline.

// Milliseconds of processor time (user and system) this process has used.
double processCpuMs();

double median(QList<double> values);

// Medians of `rounds` alternating runs of each, after one unmeasured run of
// each (fonts, plugins and caches loaded). Each run returns its own figure.
struct Medians {
  double program = 0;
  double baseline = 0;
  double ratio() const { return baseline > 0 ? program / baseline : 0; }
};
Medians alternate(int rounds, const std::function<double()>& program, const std::function<double()>& baseline);

// One line of a figure's table: the work ("50 reports"), both medians and their ratio.
void printRow(const QString& work, const Medians& m, const char* unit = "ms");

// How the program's figure grows with its work: the least-squares line through
// (size, figure), and "linear" when every point lies within 10 % of it.
void printGrowth(const QList<int>& sizes, const QList<double>& programFigures, const char* unitName);

// The last line of every benchmark: "ratio: X.XX".
void printRatio(const Medians& m);

// Measures each size with `measure`, prints its row ("<size> <unitName>s") and
// then the growth; returns the medians of the largest size.
Medians measureSizes(const QList<int>& sizes, const char* unitName, const std::function<Medians(int size)>& measure);

// A run that did not do its work: printed, and the benchmark exits with 1.
void noteFailure(const QString& what);
int benchExitCode();
