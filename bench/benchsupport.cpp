#include "benchsupport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>

double processCpuMs() { return double(std::clock()) * 1000.0 / CLOCKS_PER_SEC; }

double median(QList<double> values) {
  if (values.isEmpty()) return 0;
  std::sort(values.begin(), values.end());
  const qsizetype mid = values.size() / 2;
  return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

Medians alternate(int rounds, const std::function<double()>& program, const std::function<double()>& baseline) {
  program();
  baseline();
  QList<double> p, b;
  for (int round = 0; round < rounds; ++round) {
    // Alternate which goes first, so neither always finds the caches warmed by the other.
    if (round % 2 == 0) {
      p << program();
      b << baseline();
    } else {
      b << baseline();
      p << program();
    }
  }
  return {median(p), median(b)};
}

void printRow(const QString& work, const Medians& m, const char* unit) {
  std::printf("  %-22s program %10.2f %s   baseline %10.2f %s   ratio %6.2f\n", qPrintable(work), m.program, unit,
              m.baseline, unit, m.ratio());
  std::fflush(stdout);
}

void printGrowth(const QList<int>& sizes, const QList<double>& programFigures, const char* unitName) {
  const qsizetype n = sizes.size();
  if (n < 2 || n != programFigures.size()) return;
  // Least-squares line t = fixed + perUnit * size, and how far the points lie from it.
  double sx = 0, sy = 0, sxx = 0, sxy = 0;
  for (qsizetype i = 0; i < n; ++i) {
    sx += sizes[i], sy += programFigures[i], sxx += double(sizes[i]) * sizes[i], sxy += sizes[i] * programFigures[i];
  }
  const double perUnit = (n * sxy - sx * sy) / (n * sxx - sx * sx);
  const double fixed = (sy - perUnit * sx) / n;
  double worst = 0;
  for (qsizetype i = 0; i < n; ++i) {
    const double fitted = fixed + perUnit * sizes[i];
    if (programFigures[i] > 0) worst = std::max(worst, std::fabs(programFigures[i] - fitted) / programFigures[i]);
  }
  std::printf("  growth: %.3f ms fixed + %.4f ms per %s; points within %.0f %% of that line -> %s\n", fixed, perUnit,
              unitName, worst * 100, worst <= 0.10 ? "linear" : "not linear");
}

void printRatio(const Medians& m) { std::printf("ratio: %.2f\n", m.ratio()); }

Medians measureSizes(const QList<int>& sizes, const char* unitName, const std::function<Medians(int size)>& measure) {
  Medians last;
  QList<double> figures;
  for (int size : sizes) {
    last = measure(size);
    figures << last.program;
    printRow(QStringLiteral("%1 %2%3").arg(size).arg(QLatin1String(unitName)).arg(size == 1 ? "" : "s"), last);
  }
  printGrowth(sizes, figures, unitName);
  return last;
}

namespace {
int failures = 0;
}

void noteFailure(const QString& what) {
  if (failures++ < 5) std::fprintf(stderr, "FAILED: %s\n", qPrintable(what));
}

int benchExitCode() { return failures == 0 ? 0 : 1; }
