// The program idle: the main window with all three pages filled from the
// built-in simulator (autosequences, test reports, wave records downloaded, a
// test report viewer and a waveform viewer open), then 10 s without input. It
// counts the timer events delivered in that time, by receiver, and reports the
// wake-ups a second that the program's own timers cause (the aim is none).
// A timer counts as the program's when its receiver, or the object owning the
// QTimer, is one of the program's classes; a QTimer owned by nothing and a
// QTimer::singleShot count as the program's too, as they cannot be told apart.
// Qt's own (a text cursor blinking) are listed but not counted. The count starts
// 3 s after the pages are filled, when the one-off timers of showing windows are done.

#include "app/qalmain.h"
#include "autoseq/autoseqframe.h"
#include "benchsupport.h"
#include "grid/stringgridex.h"
#include "reportbench.h"
#include "testreport/testreportframe.h"
#include "waveform/waveformframe.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QMap>
#include <QTimer>
#include <cstdio>

namespace {
// Counts the timer events of the whole application by who receives them.
class TimerCensus : public QObject {
 public:
  QObject* ignored = nullptr;  // the benchmark's own 10 s timer
  QMap<QString, int> byReceiver;
  int programs = 0;
  int total = 0;

 protected:
  bool eventFilter(QObject* receiver, QEvent* event) override {
    if (event->type() != QEvent::Timer || receiver == ignored) return false;
    ++total;
    QObject* owner = receiver;
    while (owner && qobject_cast<QTimer*>(owner) && owner->parent()) owner = owner->parent();
    const QString ownerClass = QString::fromLatin1(owner->metaObject()->className());
    const bool program = !ownerClass.startsWith(QLatin1Char('Q')) || qobject_cast<QTimer*>(owner) ||
                         ownerClass == QLatin1String("QSingleShotTimer");
    if (program) ++programs;
    byReceiver[ownerClass + (program ? QStringLiteral(" (program)") : QString())]++;
    return false;
  }
};

long voluntarySwitches() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return -1;
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith("voluntary_ctxt_switches:")) return line.mid(24).trimmed().toLong();
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  prepareWidgetBench();
  QApplication app(argc, argv);
  constexpr int kIdleSeconds = 10;
  BenchServices bench;

  TQalMain window(bench.services);
  window.show();
  TAutoSeqFrame* autoSeqs = window.autoSeqFrame();
  autoSeqs->tbAutoSeqDownloadClick();
  closeProgress(autoSeqs);
  TTestReportFrame* reports = window.testReportFrame();
  reports->tbDownloadClick();
  closeProgress(reports);
  reports->tbSelectAllClick();
  reports->tbViewTestReportClick();
  TWaveformFrame* waves = window.waveformFrame();
  waves->tbWaveDownloadClick();
  closeProgress(waves);
  waves->grid()->setCurrentGridRow(1);
  waves->pmViewClick();
  window.activateWindow();
  const int filled = autoSeqs->grid()->rowCount() > 1 && reports->grid()->rowCount() > 1 && waves->grid()->rowCount() > 1;
  if (!filled || bench.messages.problems) noteFailure(QStringLiteral("the pages were not filled"));
  // Let everything that follows the downloads settle before counting.
  QElapsedTimer settle;
  settle.start();
  while (settle.elapsed() < 3000) QApplication::processEvents(QEventLoop::AllEvents, 50);

  TimerCensus census;
  QEventLoop idle;
  QTimer end;
  end.setSingleShot(true);
  QObject::connect(&end, &QTimer::timeout, &idle, &QEventLoop::quit);
  census.ignored = &end;
  app.installEventFilter(&census);
  const long switchesBefore = voluntarySwitches();
  QElapsedTimer clock;
  clock.start();
  end.start(kIdleSeconds * 1000);
  idle.exec();
  const double seconds = clock.nsecsElapsed() / 1e9;
  app.removeEventFilter(&census);
  const long switches = voluntarySwitches() - switchesBefore;

  std::printf("idle for %.1f s with all three pages filled and two viewers open (platform %s)\n", seconds,
              qPrintable(QGuiApplication::platformName()));
  std::printf("  timer events: %d in all, %d from the program's own timers\n", census.total, census.programs);
  for (auto it = census.byReceiver.begin(); it != census.byReceiver.end(); ++it)
    std::printf("    %-40s %d\n", qPrintable(it.key()), it.value());
  std::printf("  the process slept and woke %ld times (%.1f a second, Qt's and the platform's included)\n", switches,
              switches / seconds);
  std::printf("wakeups: %.2f per second from the program's own timers\n", census.programs / seconds);
  return benchExitCode();
}
