// The test report viewer on test reports, from its creation until its text has
// been painted, against a bare QPlainTextEdit given the same text, in the same run.

#include "benchsupport.h"
#include "paintwatch.h"
#include "reportbench.h"
#include "testreportviewer.h"

#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <cstdio>

namespace {
double viewerRound(BenchServices& bench, const QList<TTestRec>& records) {
  QElapsedTimer clock;
  clock.start();
  TTestReportViewer viewer(bench.services, records, benchIndexes(int(records.size())), QStringLiteral("A1234567"));
  viewer.setAttribute(Qt::WA_DeleteOnClose, false);
  auto* memo = viewer.findChild<QPlainTextEdit*>();
  PaintWatch watch(memo->viewport());
  viewer.show();
  watch.wait();
  return clock.nsecsElapsed() / 1e6;
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
  PaintWatch watch(edit.viewport());
  edit.show();
  watch.wait();
  return clock.nsecsElapsed() / 1e6;
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
    QSize size;
    QFont font;
    {
      TTestReportViewer probe(bench.services, records, benchIndexes(count), QStringLiteral("A1234567"));
      probe.setAttribute(Qt::WA_DeleteOnClose, false);
      auto* memo = probe.findChild<QPlainTextEdit*>();
      PaintWatch watch(memo->viewport());
      probe.show();
      watch.wait();
      text = probe.text(), size = memo->size(), font = memo->font();
      if (text.count(QLatin1Char('\n')) < count * 10) noteFailure(QStringLiteral("the viewer shows too little text"));
    }
    return alternate(kRounds, [&] { return viewerRound(bench, records); },
                     [&] { return bareRound(text, size, font); });
  });
  printRatio(m);
  return benchExitCode();
}
