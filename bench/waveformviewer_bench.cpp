// The waveform viewer on a capture (5,120 points): from its creation until the
// chart's first paint, then ten Zoom Ins each followed by a repaint; against a
// bare QChartView with the same series, in the same run. The work grows by
// opening 1, 5 and 10 waveforms one after the other.

#include "benchsupport.h"
#include "core/appservices.h"
#include "paintwatch.h"
#include "reportbench.h"
#include "waveform/samplewaves.h"
#include "waveform/wavechartview.h"
#include "waveform/wavedecode.h"
#include "waveform/waveformviewer.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QElapsedTimer>
#include <QLineSeries>
#include <QValueAxis>
#include <cstdio>

namespace {
double viewerRound(const AppServices& services, const Waveform& wave) {
  QElapsedTimer clock;
  clock.start();
  TWaveformViewer viewer(services, wave);
  viewer.setAttribute(Qt::WA_DeleteOnClose, false);
  showUntilPainted(viewer, viewer.chartView()->viewport(), clock);
  for (int i = 0; i < 10; ++i) {
    viewer.tbZoomInClick();
    viewer.chartView()->viewport()->repaint();
  }
  return clock.nsecsElapsed() / 1e6;
}

// The least a chart of these points can be: a view, one series, two axes.
double bareRound(const Waveform& wave) {
  QElapsedTimer clock;
  clock.start();
  auto* chart = new QChart;
  auto* series = new QLineSeries;
  series->replace(wave.points);
  chart->addSeries(series);
  auto* x = new QValueAxis;
  auto* y = new QValueAxis;
  chart->addAxis(x, Qt::AlignBottom);
  chart->addAxis(y, Qt::AlignLeft);
  series->attachAxis(x);
  series->attachAxis(y);
  x->setRange(wave.points.first().x(), wave.points.last().x());
  y->setRange(-50, 50);
  QChartView view(chart);
  view.resize(760, 390);
  showUntilPainted(view, view.viewport(), clock);
  for (int i = 0; i < 10; ++i) {
    for (QValueAxis* axis : {x, y}) {
      const double centre = (axis->min() + axis->max()) / 2, half = (axis->max() - axis->min()) / 2 * 0.8;
      axis->setRange(centre - half, centre + half);
    }
    view.viewport()->repaint();
  }
  return clock.nsecsElapsed() / 1e6;
}
}  // namespace

int main(int argc, char** argv) {
  prepareWidgetBench();
  QApplication app(argc, argv);
  BenchServices bench;
  const Waveform wave = decodeCapture(sampleDefibCapture());
  if (wave.points.size() < 1000) noteFailure(QStringLiteral("the sample capture decoded to too few points"));
  constexpr int kRounds = 7;
  std::printf("waveform viewer: open until first paint and ten zooms vs a bare QChartView, %lld points, "
              "median of %d rounds (platform %s)\n",
              qlonglong(wave.points.size()), kRounds, qPrintable(QGuiApplication::platformName()));
  const Medians m = measureSizes({1, 5, 10}, "waveform", [&](int count) {
    auto viewers = [&] {
      double ms = 0;
      for (int i = 0; i < count; ++i) ms += viewerRound(bench.services, wave);
      return ms;
    };
    auto bare = [&] {
      double ms = 0;
      for (int i = 0; i < count; ++i) ms += bareRound(wave);
      return ms;
    };
    return alternate(kRounds, viewers, bare);
  });
  printRatio(m);
  return benchExitCode();
}
