// kalyx5pc-soak: the program used for a long time, in one process on the
// offscreen platform against the built-in simulator. Each cycle downloads
// autosequences, test reports and wave records, views the reports and a
// waveform, saves them (text, CSV, MUP, waveform file, PDF), captures a pulse,
// and closes every viewer again. It prints the resident memory (RSS) after
// cycles 1, 100, 500 and the last.  Usage: kalyx5pc-soak [CYCLES]   (default 1000)

#include "app/qalmain.h"
#include "autoseq/autoseqframe.h"
#include "demosession/demosession.h"
#include "grid/stringgridex.h"
#include "testreport/testreportframe.h"
#include "testreport/testreportviewer.h"
#include "waveform/waveformframe.h"
#include "waveform/waveformviewer.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <cstdio>

namespace {
long residentKiB() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return -1;
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toLong();
  return -1;
}

void settle() {
  for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

template <class Viewer>
QList<Viewer*> openViewers() {
  QList<Viewer*> viewers;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* viewer = qobject_cast<Viewer*>(w); viewer && viewer->isVisible()) viewers << viewer;
  return viewers;
}

void closeAll(const QList<QWidget*>& windows) {
  for (QWidget* w : windows) w->close();  // the viewers delete themselves on close
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  settle();
}

void oneCycle(TQalMain& window) {
  TAutoSeqFrame* autoSeqs = window.autoSeqFrame();
  autoSeqs->tbAutoSeqDownloadClick();
  closeProgress(autoSeqs);
  autoSeqs->tbAutoSeqPrintClick();

  TTestReportFrame* reports = window.testReportFrame();
  reports->tbDownloadClick();
  closeProgress(reports);
  reports->tbSelectAllClick();
  reports->tbViewTestReportClick();
  QList<QWidget*> open;
  for (TTestReportViewer* viewer : openViewers<TTestReportViewer>()) {
    viewer->saveToText();
    viewer->saveToCsv();
    viewer->saveToMup();
    viewer->print();
    open << viewer;
  }

  TWaveformFrame* waves = window.waveformFrame();
  waves->tbWaveDownloadClick();
  closeProgress(waves);
  waves->grid()->setCurrentGridRow(1);
  waves->pmViewClick();
  waves->tbWaveCaptureClick();
  for (TWaveformViewer* viewer : openViewers<TWaveformViewer>()) {
    viewer->tbSaveClick();
    viewer->tbPrintClick();
    open << viewer;
  }
  closeAll(open);
}
}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  installQuietPlatformNotes();
  ScratchDataFolder scratch;
  QApplication app(argc, argv);
  const int cycles = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 1000;
  if (cycles <= 0) {
    std::fprintf(stderr, "usage: kalyx5pc-soak [CYCLES]\n");
    return 2;
  }
  DemoSession session(scratch.path());

  {
    TQalMain window(session.services);
    window.show();
    std::printf("cycle  RSS (KiB)\n");
    for (int cycle = 1; cycle <= cycles; ++cycle) {
      oneCycle(window);
      if (cycle == 1 || cycle == 100 || cycle == 500 || cycle == cycles) {
        std::printf("%5d  %ld\n", cycle, residentKiB());
        std::fflush(stdout);
      }
    }
    window.close();
  }
  std::printf("files in the output folder: %lld; problems reported: %d%s%s\n",
              static_cast<long long>(QDir(session.out).entryList(QDir::Files).size()), session.messages.problems,
              session.messages.problems ? ", last: " : "", qPrintable(session.messages.lastProblem.simplified()));
  return session.messages.problems == 0 ? 0 : 1;
}
