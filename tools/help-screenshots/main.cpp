// kalyx5pc-helpshots: takes the help pages' screenshots from the program itself,
// running on the built-in simulator's sample memory in a scratch data folder.
// Usage: kalyx5pc-helpshots OUTPUT_FOLDER (scripts/help-screenshots runs it under Xvfb).

#include "app/qalmain.h"
#include "archive/archive.h"
#include "archive/archivewindow.h"
#include "autoseq/autoseqframe.h"
#include "demosession/demosession.h"
#include "grid/stringgridex.h"
#include "testreport/samplerecords.h"
#include "testreport/testreportframe.h"
#include "waveform/waveformframe.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

namespace {
void settle() {
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
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

// A defibrillator tested twice a year whose 200 J pulse and charge time creep
// towards their limits, so that the history shows what the archive is for.
void archiveHistory(Archive& archive) {
  using namespace testrec;
  QList<QByteArray> visits;
  for (int i = 0; i < 8; ++i) {
    TTestRec rec = sampleCompleteTestRecord();
    rec.setText(DeviceId, DeviceIdSize, "ER-DEFIB-01");
    rec.setU8(Year, quint8(25 + i / 2)), rec.setU8(Month, quint8(3 + 6 * (i % 2))), rec.setU8(Day, 14);
    for (std::size_t k = 0; k < EnergyEntry::Count; ++k) {
      EnergyEntry e = entryAt<EnergyEntry>(rec, k);
      if (e.targetEnergy != 0) e.totalEnergy = quint16(e.targetEnergy - e.targetEnergy * (i * i) / 400);
      setEntryAt(rec, k, e);
    }
    ChargeTimeTest c = entryAt<ChargeTimeTest>(rec, 0);
    c.chargeTime = quint16(c.maxChargeTime * 10 * (45 + 5 * i) / 100);
    setEntryAt(rec, 0, c);
    visits.append(QByteArray(rec.data(), TTestRec::Size));
  }
  ArchiveFailure failure;
  archive.store(ArchiveKind::TestReport, QStringLiteral("A1234567"), QDateTime::currentDateTimeUtc(), visits, &failure);
}

QWidget* newestTopLevel(const char* className) {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->inherits(className) && w->isVisible()) return w;
  return nullptr;
}
}  // namespace

int main(int argc, char** argv) {
  QTemporaryDir scratch;  // the user's own settings and autosequences are never touched
  qputenv("XDG_DATA_HOME", scratch.path().toLocal8Bit());
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
  if (QWidget* viewer = newestTopLevel("TTestReportViewer")) {
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
  if (QWidget* viewer = newestTopLevel("TWaveformViewer")) {
    viewer->resize(660, 460);
    ok &= save(viewer, out, "waveform-viewer.png");
    viewer->close();
  } else {
    ok = false;
  }
  ArchiveFailure failure;
  std::unique_ptr<Archive> archive = Archive::open(QDir(scratch.path()).filePath("archive.sqlite"), &failure);
  if (archive) {
    QList<QByteArray> samples;
    for (const TTestRec& rec : sampleTestRecords()) samples.append(QByteArray(rec.data(), TTestRec::Size));
    archive->store(ArchiveKind::TestReport, QStringLiteral("A1234567"), QDateTime::currentDateTimeUtc(), samples, &failure);
    archiveHistory(*archive);
    auto* archiveWindow = new TArchiveWindow(session.services, *archive);
    archiveWindow->resize(1100, 680);
    archiveWindow->show();
    archiveWindow->findChild<QLineEdit*>("txtArchiveFilter")->setText(QStringLiteral("ER-"));
    archiveWindow->findChild<QTabWidget*>("PageArchiveDevice")->setCurrentIndex(2);
    ok &= save(archiveWindow, out, "archive.png");
    delete archiveWindow;
  } else {
    ok = false;
  }
  window.close();
  return ok ? 0 : 1;
}
