// kalyx5pc-tour: opens every window of the program in turn, on the built-in
// simulator's sample memory in a scratch data folder, so that each can be
// checked as a user meets it.
//
//   kalyx5pc-tour --check DIR   at each window: texts cut off, the Tab key's walk,
//                               and a screenshot DIR/NAME.png; exit 1 on a fault
//   kalyx5pc-tour --wait        at each window: prints "window NAME" and waits for
//                               a line on standard input (the accessibility check
//                               reads the window through the desktop's bus meanwhile)

#include "app/helpwindow.h"
#include "app/qalabout.h"
#include "app/qalmain.h"
#include "archive/archive.h"
#include "archive/archivewindow.h"
#include "archive/devicelist.h"
#include "autoseq/autoseqframe.h"
#include "core/qtusermessages.h"
#include "demosession/demosession.h"
#include "demosession/samplearchive.h"
#include "analyzer/recordkinds.h"
#include "device/commprogress.h"
#include "device/transferprogress.h"
#include "grid/stringgridex.h"
#include "testreport/testreportframe.h"
#include "waveform/wavechartview.h"
#include "waveform/waveformframe.h"
#include "waveform/waveformviewer.h"
#include "windowchecks.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QAbstractButton>
#include <QTest>
#include <QSocketNotifier>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <iostream>
#include <string>

namespace {
void settle() {
  for (int i = 0; i < 10; ++i) QApplication::processEvents();
  // With a screen reader listening, each key goes by way of the accessibility
  // bus before it reaches the widget.
  if (QAccessible::isActive()) QTest::qWait(150);
}

// The rows selected as the list itself holds them (the frames' grids keep their
// own selection, which Qt's selection model only mirrors).
int selectedRows(const QTableView* list) {
  if (auto* grid = qobject_cast<const TStringGridEx*>(list)) {
    int selected = 0;
    for (int row = 1; row <= grid->getDispLstSize(); ++row) selected += grid->isRowSelected(row);
    return selected;
  }
  return int(list->selectionModel()->selectedRows().size());
}

// One window of the tour: how it opens (a modal one opens later, from the event
// loop, and is found as the active modal window), and the views inside it that
// the tour shows one by one (pages of a tab widget), each with its own name.
struct Stop {
  QString name;
  std::function<QWidget*()> open;  // the window; null: a modal window about to show
  std::function<QStringList(QWidget*)> views = {};  // names of the views; showView switches
  std::function<void(QWidget*, int)> showView = {};
  bool escapeCloses = true;  // Esc closes it (not the progress dialog, which only its buttons close)
};

class Tour : public QObject {
 public:
  // `mainWindow` stays open between its stops: closing it ends the program.
  Tour(QList<Stop> stops, QWidget* mainWindow, bool wait, QString shots)
      : stops_(std::move(stops)), main_(mainWindow), wait_(wait), shots_(std::move(shots)) {
    if (wait_) {
      input_ = new QSocketNotifier(0, QSocketNotifier::Read, this);
      input_->setEnabled(false);
      connect(input_, &QSocketNotifier::activated, this, [this] {
        std::string line;
        std::getline(std::cin, line);
        input_->setEnabled(false);
        if (auto next = std::exchange(next_, nullptr)) next();
      });
    }
  }
  void start() { QTimer::singleShot(0, this, [this] { openStop(0); }); }
  int faults() const { return faults_; }

 private:
  void openStop(int index) {
    if (index >= stops_.size()) {
      std::printf("done\n");
      std::fflush(stdout);
      QApplication::exit(faults_ > 0 ? 1 : 0);
      return;
    }
    QWidget* window = stops_[index].open();
    awaitWindow(index, window, 100);
  }

  void awaitWindow(int index, QWidget* window, int triesLeft) {
    if (!window) window = QApplication::activeModalWidget();
    if (!window || !window->isVisible()) {
      if (triesLeft == 0) {
        report(stops_[index].name, {QStringLiteral("%1: the window did not open").arg(stops_[index].name)}, {});
        return openStop(index + 1);
      }
      QTimer::singleShot(50, this, [=, this] { awaitWindow(index, nullptr, triesLeft - 1); });
      return;
    }
    QPointer<QWidget> shown(window);
    const QStringList views = stops_[index].views ? stops_[index].views(window) : QStringList{QString()};
    visitView(index, shown, views, 0);
  }

  void visitView(int index, QPointer<QWidget> window, QStringList views, int view) {
    if (!window || view >= views.size()) {
      if (window && window != main_) {
        if (!wait_ && stops_[index].escapeCloses) {
          QTest::keyClick(window, Qt::Key_Escape);
          settle();
          if (window && window->isVisible())
            report(stops_[index].name, {QStringLiteral("%1: Esc does not close it").arg(stops_[index].name)}, {});
        }
        if (window) window->close();
        // The progress dialog refuses to close but through its buttons: Enter presses its default (OK).
        if (window && window->isVisible()) {
          QWidget* focus = QApplication::focusWidget();
          QTest::keyClick(focus && focus->window() == window ? focus : window.data(), Qt::Key_Return);
        }
        settle();
        if (window && window->isVisible())
          report(stops_[index].name, {QStringLiteral("%1: neither Esc nor Enter closes it").arg(stops_[index].name)}, {});
      }
      settle();
      QTimer::singleShot(0, this, [=, this] { openStop(index + 1); });
      return;
    }
    if (stops_[index].showView) stops_[index].showView(window, view);
    settle();
    const QString name = views[view].isEmpty() ? stops_[index].name : stops_[index].name + QLatin1Char('-') + views[view];
    auto next = [=, this] { visitView(index, window, views, view + 1); };
    if (wait_) {
      // What a screen reader must find: each list's rows, selected rows and current row
      // (1 = the first; 0: none) as the program holds them, then the window by its title.
      for (QWidget* top : QApplication::topLevelWidgets())
        for (const QTableView* list : top->findChildren<QTableView*>())
          if (list->isVisible() && !list->accessibleName().isEmpty())
            std::printf("list %s\t%d\t%d\t%d\n", qPrintable(list->accessibleName()), list->model()->rowCount(),
                        selectedRows(list), list->currentIndex().row() + 1);
      // What a screen reader must hear with the window and with its focus: the progress dialog's text.
      if (auto* label = window->findChild<QLabel*>(QStringLiteral("labelProgress")))
        std::printf("says %s\n", qPrintable(label->text()));
      // What a screen reader must have been told as the focus moved: the chart cursor's reading.
      if (auto* chart = qobject_cast<TWaveChartView*>(QApplication::focusWidget()); chart && chart->cursorPoint() >= 0)
        std::printf("hears %s\n", qPrintable(chart->cursorReadOut()));
      std::printf("window %s\t%s\n", qPrintable(name), qPrintable(window->windowTitle()));
      std::fflush(stdout);
      next_ = next;
      input_->setEnabled(true);
      return;
    }
    window->grab().save(QDir(shots_).filePath(name + QStringLiteral(".png")));  // as it opened
    QStringList faults = cutTexts(window, name);
    QStringList walk;
    faults += tabWalkFaults(window, name, &walk);
    report(name, faults, walk);
    QTimer::singleShot(0, this, next);
  }

  void report(const QString& name, const QStringList& faults, const QStringList& walk) {
    faults_ += int(faults.size());
    QStringList lines;
    if (faults.isEmpty() && !walk.isEmpty())
      lines << QStringLiteral("%1: texts fit; Tab reaches %2 controls: %3").arg(name).arg(walk.size()).arg(walk.join(QStringLiteral(" > ")));
    for (const QString& fault : faults) lines << QStringLiteral("FAULT ") + fault;
    if (!faults.isEmpty() && !walk.isEmpty()) lines << QStringLiteral("  Tab walk: ") + walk.join(QStringLiteral(" > "));
    for (const QString& line : lines) std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
    // What was checked, beside the screenshots, for the run's log.
    if (!shots_.isEmpty()) {
      QFile listing(QDir(shots_).filePath(QStringLiteral("checked.txt")));
      if (listing.open(QIODevice::Append | QIODevice::Text)) listing.write((lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
    }
  }

  QList<Stop> stops_;
  QWidget* main_;
  bool wait_;
  QString shots_;
  QSocketNotifier* input_ = nullptr;
  std::function<void()> next_;
  int faults_ = 0;
};

QString viewName(const QString& caption) { return QString(caption).remove(QLatin1Char('&')).simplified().replace(' ', '-').toLower(); }

QStringList tabNames(QTabWidget* tabs) {
  QStringList names;
  for (int i = 0; i < tabs->count(); ++i) names << viewName(tabs->tabText(i));
  return names;
}

// The editor's pages, each tab inside a tab (the pacer's own pages) one page of
// its own: the page's name, and the tab of each level to show it.
struct EditorPage {
  QString name;
  QList<std::pair<QTabWidget*, int>> tabs;
};

// A page whose list of tests is empty shows its fields disabled: one test is
// added (as the page's Add button does) so that they are checked too.
void addTestIfNone(QWidget* page) {
  QList<QAbstractItemView*> lists;  // the shown ones: a drop-down's list is a view too
  for (QAbstractItemView* list : page->findChildren<QAbstractItemView*>())
    if (list->isVisible()) lists << list;
  if (lists.size() != 1 || lists.first()->model()->rowCount() > 0) return;
  for (QAbstractButton* button : page->findChildren<QAbstractButton*>())
    if (button->objectName().endsWith(QLatin1String("Add")) && button->isEnabled()) return button->click();
}

QList<EditorPage> editorPages(QWidget* editor) {
  QList<EditorPage> pages;
  auto* outer = editor->findChild<QTabWidget*>(QStringLiteral("PageDefib"));
  for (int i = 0; i < outer->count(); ++i) {
    auto* inner = qobject_cast<QTabWidget*>(outer->widget(i)->findChild<QTabWidget*>(QString(), Qt::FindDirectChildrenOnly));
    if (!inner) {
      pages.append({viewName(outer->tabText(i)), {{outer, i}}});
      continue;
    }
    for (int k = 0; k < inner->count(); ++k)
      pages.append({viewName(outer->tabText(i)) + QLatin1Char('-') + viewName(inner->tabText(k)), {{outer, i}, {inner, k}}});
  }
  return pages;
}
}  // namespace

int main(int argc, char** argv) {
  ScratchDataFolder scratch;
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Kalyx 5pc"));
  const QStringList args = QApplication::arguments();
  const bool wait = args.value(1) == QLatin1String("--wait");
  if (!(wait && args.size() == 2) && !(args.value(1) == QLatin1String("--check") && args.size() == 3)) {
    std::fprintf(stderr, "usage: kalyx5pc-tour --check DIR | --wait\n");
    return 2;
  }
  const QString shots = wait ? QString() : args[2];
  if (!wait) {
    QDir().mkpath(shots);
    QFile::remove(QDir(shots).filePath(QStringLiteral("checked.txt")));
  }
  installQuietPlatformNotes();

  DemoSession session(scratch.path());
  HelpWindowViewer help({QStringLiteral(KALYX_HELP_DIR "kalyx5pc.qhc"), QStringLiteral(KALYX_HELP_DIR "kalyx5pc-help")});
  session.services.help = &help;
  TQalMain window(session.services);
  window.show();
  window.autoSeqFrame()->tbAutoSeqDownloadClick();
  closeProgress(window.autoSeqFrame());
  window.testReportFrame()->tbDownloadClick();
  closeProgress(window.testReportFrame());
  window.waveformFrame()->tbWaveDownloadClick();
  closeProgress(window.waveformFrame());

  ArchiveFailure failure;
  std::unique_ptr<Archive> archive = Archive::open(QDir(scratch.path()).filePath("archive.sqlite"), &failure);
  if (!archive || !fillSampleArchive(*archive)) {
    std::fprintf(stderr, "kalyx5pc-tour: the sample archive could not be made. %s\n", qPrintable(failure.message()));
    return 1;
  }

  QtUserMessages boxes(&window);
  std::unique_ptr<TCommProgress> progress;
  const auto mainOn = [&window](int frame) {
    return [&window, frame]() -> QWidget* {
      window.showFrame(frame);
      return &window;
    };
  };
  const auto modal = [](std::function<void()> run) {
    return [run]() -> QWidget* {
      QTimer::singleShot(0, run);
      return nullptr;
    };
  };
  const auto editorOn = [&window, modal](int gridRow) {
    return modal([&window, gridRow] {
      window.showFrame(0);
      window.autoSeqFrame()->grid()->setCurrentGridRow(gridRow);
      window.autoSeqFrame()->pmEditClick();
    });
  };
  const auto openWaveformViewer = [&window]() -> QWidget* {
    window.showFrame(2);
    window.waveformFrame()->grid()->setCurrentGridRow(1);
    window.waveformFrame()->pmViewClick();
    return shownTopLevel("TWaveformViewer");
  };
  QList<Stop> stops = {
      {"main-autosequences", mainOn(0)},
      {"main-test-reports", mainOn(1)},
      {"main-waveforms", mainOn(2)},
      {"autoseq-editor", editorOn(1),
       [](QWidget* editor) {
         QStringList names;
         for (const EditorPage& page : editorPages(editor)) names << page.name;
         return names;
       },
       [](QWidget* editor, int page) {
         const QList<EditorPage> pages = editorPages(editor);
         for (const auto& [tabs, index] : pages[page].tabs) tabs->setCurrentIndex(index);
         addTestIfNone(pages[page].tabs.last().first->currentWidget());
       }},
      {"autoseq-editor-aed", editorOn(7)},
      {"test-report-viewer",
       [&window]() -> QWidget* {
         window.showFrame(1);
         window.testReportFrame()->grid()->setCurrentGridRow(1);
         window.testReportFrame()->tbViewTestReportClick();
         return shownTopLevel("TTestReportViewer");
       }},
      // The Device ID being edited first: Enter ends the edit before the viewer's own view.
      // Last, the keyboard's cursor on the chart: two points to the right.
      {"waveform-viewer", openWaveformViewer, [](QWidget*) { return QStringList{"device-id", QString(), "chart-cursor"}; },
       [](QWidget* viewer, int view) {
         if (view == 0) {
           static_cast<TWaveformViewer*>(viewer)->lblDeviceIDClick();
         } else if (view == 1) {
           QTest::keyClick(viewer->findChild<QWidget*>("editDeviceID"), Qt::Key_Return);
         } else {
           TWaveChartView* chart = static_cast<TWaveformViewer*>(viewer)->chartView();
           viewer->activateWindow();
           (void)QTest::qWaitForWindowActive(viewer);
           chart->setFocus();
           QTest::keyClick(chart, Qt::Key_Right);
           QTest::keyClick(chart, Qt::Key_Right);
           (void)QTest::qWaitFor([chart] { return chart->cursorPoint() == 1; });
         }
       }},
      {"set-chart-axis", modal([openWaveformViewer] {
         auto* viewer = static_cast<TWaveformViewer*>(openWaveformViewer());
         viewer->mmSetChartAxisClick();
         viewer->close();
       })},
      {"check-connection", modal([&window] { window.findChild<QAction*>("mmCheckConnection")->trigger(); })},
      {"about", modal([&window] { TQalAbout(programVersionInfo(), [](const QUrl&) {}, &window).exec(); }),
       [](QWidget*) { return QStringList{QString(), "more"}; },
       [](QWidget* about, int view) {
         if (view == 1) about->findChild<QPushButton*>("btnMore")->click();
       }},
      {"help",
       [&help]() -> QWidget* {
         help.showPage(QStringLiteral("QalHelp.html"));
         return shownTopLevel("THelpWindow");
       },
       [](QWidget* help) { return tabNames(help->findChild<QTabWidget*>("HelpNavigation")); },
       [](QWidget* help, int tab) { help->findChild<QTabWidget*>("HelpNavigation")->setCurrentIndex(tab); }},
      {"archive",
       [&]() -> QWidget* {
         auto* shown = new TArchiveWindow(session.services, *archive);
         shown->show();
         return shown;
       },
       [](QWidget* shown) { return tabNames(shown->findChild<QTabWidget*>("PageArchiveDevice")); },
       [](QWidget* shown, int tab) { shown->findChild<QTabWidget*>("PageArchiveDevice")->setCurrentIndex(tab); }},
      // The Devices menu's dialogs, over an Archive window that goes with them.
      {"device-details", modal([&] {
         TArchiveWindow shown(session.services, *archive);
         shown.show();
         shown.selectDevice(0);
         shown.editDeviceDetails();
       })},
      {"device-details-several", modal([&] {
         TArchiveWindow shown(session.services, *archive);
         shown.show();
         shown.selectDevice(0);
         shown.deviceList()->view()->selectAll();
         shown.editDeviceDetails();
       })},
      {"test-intervals", modal([&] {
         TArchiveWindow shown(session.services, *archive);
         shown.editTestIntervals();
       })},
      {"progress",
       [&]() -> QWidget* {
         progress = std::make_unique<TCommProgress>(&window, 50, 0, QStringLiteral("Downloading test reports..."),
                                                    session.messages);
         progress->show();
         for (int i = 0; i < 20; ++i) progress->stepProgress();
         return progress.get();
       },
       [](QWidget*) { return QStringList{QString(), "finished"}; },
       [](QWidget* shown, int view) {
         if (view != 1) return;
         auto* dialog = static_cast<TCommProgress*>(shown);
         dialog->setProgressText(QStringLiteral("Finished downloading test reports."));  // as a download ends
         dialog->finishProgress();
       },
       false},
      {"message-question", modal([&boxes] {
         boxes.show(QStringLiteral("Do you want to delete the selected autosequences?"),
                    QStringLiteral("Delete Autosequences?"), UserMessages::Icon::Warning, UserMessages::Buttons::YesNo);
       })},
      {"message-information", modal([&boxes] {
         boxes.show(nothingToDownloadText(kTestReportRecords), nothingToDownloadCaption(), UserMessages::Icon::Information,
                    UserMessages::Buttons::Ok);
       })},
      {"message-time-out", modal([&boxes] {
         boxes.show(timeoutMessageText(), timeoutMessageCaption(), UserMessages::Icon::Warning, UserMessages::Buttons::Ok);
       })},
      {"message-error", modal([&boxes] {
         boxes.show(QStringLiteral("Could not open autosequence data file for writing."),
                    QStringLiteral("Error Opening File"), UserMessages::Icon::Error, UserMessages::Buttons::Ok);
       })},
  };
  Tour tour(stops, &window, wait, shots);
  tour.start();
  return app.exec();
}
