// kalyx5pc-soak: the program used for a long time, in one process on the
// offscreen platform against the built-in simulator. Each cycle downloads
// autosequences, test reports and wave records, views the reports and a
// waveform, saves them (text, CSV, MUP, waveform file, PDF), captures a pulse,
// and closes every viewer again. It prints the resident memory (RSS) after
// cycles 1, 100, 500 and the last.  Usage: kalyx5pc-soak [CYCLES]   (default 1000)

#include "analyzerdriver.h"
#include "appservices.h"
#include "autoseqframe.h"
#include "commprogress.h"
#include "fileprompts.h"
#include "linkoptions.h"
#include "printprompts.h"
#include "qalmain.h"
#include "settingsfile.h"
#include "stringgridex.h"
#include "testreportframe.h"
#include "testreportviewer.h"
#include "usermessages.h"
#include "waveformframe.h"
#include "waveformviewer.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>
#include <cstdio>

namespace {
class YesMessages : public UserMessages {
 public:
  Result show(const QString& text, const QString&, Icon icon, Buttons buttons) override {
    if (icon == Icon::Error) ++problems, lastProblem = text;
    return buttons == Buttons::Ok ? Result::Ok : Result::Yes;
  }
  int problems = 0;
  QString lastProblem;
};

// Every dialog answered with a file or folder in the scratch folder.
class ScratchPrompts : public FilePrompts, public PrintPrompts {
 public:
  explicit ScratchPrompts(QString folder) : folder_(std::move(folder)) {}
  QStringList openFiles(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
  QString saveFile(QWidget*, const QString&, const QString&, const QString&, const QString& suffix) override {
    return folder_ + QStringLiteral("/saved.") + suffix;
  }
  QString chooseFolder(QWidget*, const QString&, const QString&) override { return folder_; }
  bool choosePrinter(QWidget*, QPrinter& printer, bool) override {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder_ + QStringLiteral("/printout.pdf"));
    return true;
  }

 private:
  QString folder_;
};

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

template <class Frame>
void closeProgress(Frame* frame) {
  if (TCommProgress* progress = frame->progressHost()->current()) progress->closeProgress();
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

// The offscreen platform's notes on window hints say nothing about the program.
static void quietPlatformNotes(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.startsWith(QLatin1String("This plugin does not support"))) return;
  std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(quietPlatformNotes);
  QTemporaryDir scratch;
  qputenv("XDG_DATA_HOME", scratch.path().toLocal8Bit());
  QApplication app(argc, argv);
  const int cycles = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 1000;
  if (cycles <= 0) {
    std::fprintf(stderr, "usage: kalyx5pc-soak [CYCLES]\n");
    return 2;
  }
  const QString out = scratch.filePath(QStringLiteral("out"));
  QDir().mkpath(out);

  LinkOptions demo;
  demo.demo = true;
  QString error;
  std::unique_ptr<AnalyzerDriver> driver = createDriver(demo, &error);
  YesMessages messages;
  ScratchPrompts prompts(out);
  SettingsFile settings(scratch.filePath(QStringLiteral("kalyx5pc.ini")));
  AppServices services;
  services.driver = driver.get();
  services.messages = &messages;
  services.files = &prompts;
  services.printing = &prompts;
  services.settings = &settings;
  services.autoSeqFile = scratch.filePath(QStringLiteral("autoseq.dat"));

  {
    TQalMain window(services);
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
              static_cast<long long>(QDir(out).entryList(QDir::Files).size()), messages.problems,
              messages.problems ? ", last: " : "", qPrintable(messages.lastProblem.simplified()));
  return messages.problems == 0 ? 0 : 1;
}
