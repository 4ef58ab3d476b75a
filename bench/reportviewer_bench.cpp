// The test report viewer on test reports, from its creation until its text has
// been painted, against a bare QPlainTextEdit given the same text, in the same run.
// A third line times a bare QMainWindow with the viewer's menus, tool bar and
// scroll bars around the same edit: what the window's furniture costs in Qt itself.

#include "benchsupport.h"
#include "paintwatch.h"
#include "reportbench.h"
#include "testreport/testreportviewer.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QMenuBar>
#include <QToolBar>
#include <QPlainTextEdit>
#include <cstdio>

namespace {
double viewerRound(BenchServices& bench, const QList<TTestRec>& records) {
  QElapsedTimer clock;
  clock.start();
  TTestReportViewer viewer(bench.services, records, benchIndexes(int(records.size())), QStringLiteral("A1234567"));
  viewer.setAttribute(Qt::WA_DeleteOnClose, false);
  return showUntilPainted(viewer, viewer.findChild<QPlainTextEdit*>()->viewport(), clock);
}

double bareRound(const QString& text, QSize size, const QFont& font) {
  QElapsedTimer clock;
  clock.start();
  QPlainTextEdit edit;
  edit.setReadOnly(true);
  edit.setLineWrapMode(QPlainTextEdit::NoWrap);
  edit.setFont(font);
  edit.setPlainText(text);
  edit.resize(size);
  return showUntilPainted(edit, edit.viewport(), clock);
}
// The viewer's furniture without the program: menus, a tool bar with three
// icons, scroll bars always on, the text edit in the middle.
double furnishedRound(const QString& text, QSize windowSize, const QFont& font) {
  QElapsedTimer clock;
  clock.start();
  QMainWindow window;
  auto* edit = new QPlainTextEdit;
  edit->setReadOnly(true);
  edit->setLineWrapMode(QPlainTextEdit::NoWrap);
  edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  edit->setFont(font);
  window.setCentralWidget(edit);
  QMenu* file = window.menuBar()->addMenu(QStringLiteral("&File"));
  for (const char* item : {"&Save To Text", "Save To &CSV", "Save To &MUP", "&Print..."})
    file->addAction(QString::fromLatin1(item));
  window.menuBar()->addMenu(QStringLiteral("&Help"))->addAction(QStringLiteral("&Help"));
  QToolBar* toolbar = window.addToolBar(QStringLiteral("Report"));
  for (const char* icon : {"save", "savecsv", "print"})
    toolbar->addAction(QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(icon))), QString::fromLatin1(icon));
  edit->setPlainText(text);
  window.resize(windowSize);
  return showUntilPainted(window, edit->viewport(), clock);
}
}  // namespace

int main(int argc, char** argv) {
  prepareWidgetBench();
  QApplication app(argc, argv);
  BenchServices bench;
  constexpr int kRounds = 9;
  std::printf("test report viewer: open until first paint vs a bare QPlainTextEdit, median of %d rounds (platform %s)\n",
              kRounds, qPrintable(QGuiApplication::platformName()));
  const Medians m = measureSizes({10, 25, 50}, "report", [&](int count) {
    const QList<TTestRec> records = benchReports(count);
    // The bare edit gets the viewer's text, font and text area size.
    QString text;
    QSize size, windowSize;
    QFont font;
    {
      TTestReportViewer probe(bench.services, records, benchIndexes(count), QStringLiteral("A1234567"));
      probe.setAttribute(Qt::WA_DeleteOnClose, false);
      auto* memo = probe.findChild<QPlainTextEdit*>();
      PaintWatch watch(memo->viewport());
      probe.show();
      watch.wait();
      text = probe.text(), size = memo->size(), font = memo->font(), windowSize = probe.size();
      if (text.count(QLatin1Char('\n')) < count * 10) noteFailure(QStringLiteral("the viewer shows too little text"));
    }
    const Medians furnished = alternate(kRounds, [&] { return viewerRound(bench, records); },
                                        [&] { return furnishedRound(text, windowSize, font); });
    printRow(QStringLiteral("  (vs furnished window)"), furnished);
    return alternate(kRounds, [&] { return viewerRound(bench, records); },
                     [&] { return bareRound(text, size, font); });
  });
  printRatio(m);
  return benchExitCode();
}
