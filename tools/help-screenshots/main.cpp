// kalyx5pc-helpshots: takes the help pages' screenshots from the program itself,
// running on the built-in simulator's sample memory in a scratch data folder.
// Usage: kalyx5pc-helpshots OUTPUT_FOLDER (scripts/help-screenshots runs it under Xvfb).

#include "app/qalmain.h"
#include "archive/archive.h"
#include "archive/archivelocation.h"
#include "archive/archivewindow.h"
#include "core/paths.h"
#include "autoseq/autoseqframe.h"
#include "demosession/demosession.h"
#include "demosession/samplearchive.h"
#include "grid/stringgridex.h"
#include "testreport/testreportframe.h"
#include "waveform/waveformframe.h"

#include "testreport/samplerecords.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QLineEdit>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>

namespace {
// Events handled for a moment: a chart lays out its new axes over a few passes.
void settle() {
  QEventLoop loop;
  QTimer::singleShot(300, &loop, &QEventLoop::quit);
  loop.exec();
}

bool save(QWidget* widget, const QString& folder, const char* name) {
  settle();
  const QString path = QDir(folder).filePath(QString::fromLatin1(name));
  if (widget->grab().save(path)) {
    std::printf("%s\n", qPrintable(path));
    return true;
  }
  std::fprintf(stderr, "kalyx5pc-helpshots: could not write %s\n", qPrintable(path));
  return false;
}
}  // namespace

namespace {
bool storeDrift(Archive& archive, const char* device) {
  using namespace testrec;
  QList<QByteArray> reports;
  const QDate first(2025, 1, 14);
  for (int i = 0; i < 5; ++i) {
    TTestRec rec = sampleCompleteTestRecord();
    rec.setText(DeviceId, DeviceIdSize, device);
    const QDate day = first.addMonths(4 * i);
    rec.setU8(Year, quint8(day.year() % 100)), rec.setU8(Month, quint8(day.month())), rec.setU8(Day, quint8(day.day()));
    for (std::size_t k = 0; k < EnergyEntry::Count; ++k) {
      EnergyEntry e = entryAt<EnergyEntry>(rec, k);
      if (e.targetEnergy == 2000) e.totalEnergy = quint16(2000 - 40 * i);
      setEntryAt(rec, k, e);
    }
    reports.append(QByteArray(rec.data(), TTestRec::Size));
  }
  ArchiveFailure failure;
  return archive.store(ArchiveKind::TestReport, QStringLiteral("A1234567"), QDateTime::currentDateTimeUtc(), reports,
                       &failure)
      .has_value();
}
}  // namespace

int main(int argc, char** argv) {
  ScratchDataFolder scratch;
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: kalyx5pc-helpshots OUTPUT_FOLDER\n");
    return 2;
  }
  const QString out = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(out);

  DemoSession session(scratch.path());  // every question answered Yes, as a technician trying the program would

  bool ok = true;
  TQalMain window(session.services);
  window.resize(640, 420);
  window.show();

  window.autoSeqFrame()->tbAutoSeqDownloadClick();
  closeProgress(window.autoSeqFrame());
  window.autoSeqFrame()->grid()->setCurrentGridRow(1);
  ok &= save(&window, out, "main-autosequences.png");
  QTimer::singleShot(200, [&] {
    if (QWidget* editor = QApplication::activeModalWidget()) {
      ok &= save(editor, out, "autoseq-edit.png");
      editor->close();
    }
  });
  window.autoSeqFrame()->pmEditClick();

  window.showFrame(1);
  window.testReportFrame()->tbDownloadClick();
  closeProgress(window.testReportFrame());
  ok &= save(&window, out, "test-reports.png");
  window.testReportFrame()->grid()->setCurrentGridRow(1);
  window.testReportFrame()->tbViewTestReportClick();
  if (QWidget* viewer = shownTopLevel("TTestReportViewer")) {
    viewer->resize(640, 460);
    ok &= save(viewer, out, "test-report-viewer.png");
    viewer->close();
  }

  window.showFrame(2);
  window.waveformFrame()->tbWaveDownloadClick();
  closeProgress(window.waveformFrame());
  ok &= save(&window, out, "waveforms.png");
  window.waveformFrame()->grid()->setCurrentGridRow(1);
  window.waveformFrame()->pmViewClick();
  if (QWidget* viewer = shownTopLevel("TWaveformViewer")) {
    viewer->resize(660, 460);
    ok &= save(viewer, out, "waveform-viewer.png");
    viewer->close();
  } else {
    ok = false;
  }
  ArchiveFailure failure;
  QDir().mkpath(dataFolder());
  std::unique_ptr<Archive> archive = Archive::open(archiveLocation(QString(), false), &failure);
  if (archive) {
    fillSampleArchive(*archive);
    auto* archiveWindow = new TArchiveWindow(session.services, *archive);
    archiveWindow->resize(1100, 680);
    archiveWindow->show();
    archiveWindow->findChild<QLineEdit*>("txtArchiveFilter")->setText(QStringLiteral("ER-"));
    archiveWindow->refresh();  // at once, not after the pause the list waits for while the user types
    archiveWindow->findChild<QTabWidget*>("PageArchiveDevice")->setCurrentIndex(2);
    ok &= save(archiveWindow, out, "archive.png");
    // A defibrillator whose 200 J pulse falls by 4 J every four months: its
    // history shows the forecast line.
    ok &= storeDrift(*archive, "ER-DEFIB-02");
    archiveWindow->resize(1280, 760);
    archiveWindow->findChild<QLineEdit*>("txtArchiveFilter")->setText(QStringLiteral("ER-DEFIB-02"));
    archiveWindow->refresh();
    archiveWindow->selectDevice(0);
    ok &= save(archiveWindow, out, "archive-forecast.png");
    delete archiveWindow;
  } else {
    ok = false;
  }
  window.close();
  return ok ? 0 : 1;
}
