// Times the waveform viewer against a bare chart view showing the same 5,120
// points, in the same run: from creation until the chart's first paint, and ten
// Zoom Ins each followed by a repaint. Several rounds, alternating, median of each.

#include "appservices.h"
#include "samplewaves.h"
#include "settingsfile.h"
#include "usermessages.h"
#include "wavechart.h"
#include "wavechartview.h"
#include "wavedecode.h"
#include "waveformviewer.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QElapsedTimer>
#include <QLineSeries>
#include <QTemporaryDir>
#include <QValueAxis>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {
class QuietMessages : public UserMessages {
 public:
  Result show(const QString&, const QString&, Icon, Buttons) override { return Result::Ok; }
};

// Notes when a widget has been painted.
class PaintWatch : public QObject {
 public:
  explicit PaintWatch(QWidget* widget) { widget->installEventFilter(this); }
  bool painted = false;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted = true;
    return false;
  }
};

struct Times {
  double openMs = 0;
  double zoomMs = 0;
};

void waitForPaint(const PaintWatch& watch) {
  while (!watch.painted) QApplication::processEvents(QEventLoop::AllEvents, 5);
}

Times viewerRound(const AppServices& services, const Waveform& wave) {
  Times t;
  QElapsedTimer clock;
  clock.start();
  TWaveformViewer viewer(services, wave);
  viewer.setAttribute(Qt::WA_DeleteOnClose, false);
  PaintWatch watch(viewer.chartView()->viewport());
  viewer.show();
  waitForPaint(watch);
  t.openMs = clock.nsecsElapsed() / 1e6;
  clock.restart();
  for (int i = 0; i < 10; ++i) {
    viewer.tbZoomInClick();
    viewer.chartView()->viewport()->repaint();
  }
  t.zoomMs = clock.nsecsElapsed() / 1e6;
  return t;
}

// The least a chart of these points can be: a view, one series, two axes.
Times bareRound(const Waveform& wave) {
  Times t;
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
  PaintWatch watch(view.viewport());
  view.show();
  waitForPaint(watch);
  t.openMs = clock.nsecsElapsed() / 1e6;
  clock.restart();
  for (int i = 0; i < 10; ++i) {
    for (QValueAxis* axis : {x, y}) {
      const double centre = (axis->min() + axis->max()) / 2, half = (axis->max() - axis->min()) / 2 * 0.8;
      axis->setRange(centre - half, centre + half);
    }
    view.viewport()->repaint();
  }
  t.zoomMs = clock.nsecsElapsed() / 1e6;
  return t;
}

double median(QList<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}
}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTemporaryDir dir;
  SettingsFile settings(dir.filePath("kalyx5pc.ini"));
  QuietMessages messages;
  AppServices services;
  services.messages = &messages;
  services.settings = &settings;
  const Waveform wave = decodeCapture(sampleDefibCapture());

  constexpr int kRounds = 7;
  QList<double> viewerOpen, viewerZoom, bareOpen, bareZoom;
  viewerRound(services, wave), bareRound(wave);  // the first of each loads fonts and plugins
  for (int round = 0; round < kRounds; ++round) {
    const Times v = viewerRound(services, wave);
    const Times b = bareRound(wave);
    viewerOpen << v.openMs, viewerZoom << v.zoomMs, bareOpen << b.openMs, bareZoom << b.zoomMs;
  }
  std::printf("waveform of %lld points, %d rounds, median (platform %s)\n", qlonglong(wave.points.size()), kRounds,
              qPrintable(QGuiApplication::platformName()));
  std::printf("open until first paint:   viewer %8.1f ms   bare chart %8.1f ms   ratio %.2f\n", median(viewerOpen),
              median(bareOpen), median(viewerOpen) / median(bareOpen));
  std::printf("ten zoom-ins, repainted:  viewer %8.1f ms   bare chart %8.1f ms   ratio %.2f\n", median(viewerZoom),
              median(bareZoom), median(viewerZoom) / median(bareZoom));
  const double ratio = (median(viewerOpen) + median(viewerZoom)) / (median(bareOpen) + median(bareZoom));
  std::printf("ratio: %.2f\n", ratio);
  return 0;
}
