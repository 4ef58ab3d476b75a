// The printout of test reports into a PDF file (Print to File), as the test report
// viewer's Print makes it, against a plain QPdfWriter drawing the same lines in
// the same font on the same pages, in the same run.

#include "benchsupport.h"
#include "reportbench.h"
#include "testreport/testreportviewer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QPdfWriter>
#include <cstdio>

namespace {
double printRound(TTestReportViewer& viewer) {
  QElapsedTimer clock;
  clock.start();
  viewer.print();
  return clock.nsecsElapsed() / 1e6;
}

// Each report from a new page, lines one under the other, 200 units of margin.
double plainRound(const QList<QStringList>& reports, const QString& path) {
  QElapsedTimer clock;
  clock.start();
  QPdfWriter writer(path);
  writer.setResolution(1200);
  writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
  QPainter painter(&writer);
  painter.setFont(QFont(QStringLiteral("Courier New"), 10));
  const int lineHeight = QFontMetrics(painter.font(), &writer).height() + 10;
  const int bottom = writer.height() - 200;
  bool firstPage = true;
  for (const QStringList& lines : reports) {
    if (!firstPage) writer.newPage();
    firstPage = false;
    int y = 200;
    for (const QString& line : lines) {
      if (y + lineHeight > bottom) {
        writer.newPage();
        y = 200;
      }
      painter.drawText(200, y + painter.fontMetrics().ascent(), line);
      y += lineHeight;
    }
  }
  painter.end();
  return clock.nsecsElapsed() / 1e6;
}
}  // namespace

int main(int argc, char** argv) {
  prepareWidgetBench();
  QApplication app(argc, argv);
  constexpr int kRounds = 7;
  std::printf("PDF printout of test reports vs a plain QPdfWriter, median of %d rounds\n", kRounds);
  const Medians m = measureSizes({10, 25, 50}, "report", [&](int count) {
    BenchServices bench;
    TTestReportViewer viewer(bench.services, benchReports(count), benchIndexes(count), QStringLiteral("A1234567"));
    const QString plainPath = bench.out + QStringLiteral("/plain.pdf");
    const Medians medians = alternate(kRounds, [&] { return printRound(viewer); },
                                      [&] { return plainRound(viewer.reports(), plainPath); });
    const QFileInfo printed(bench.out + QStringLiteral("/printout.pdf")), plain(plainPath);
    std::printf("  %-22s printout %lld bytes, plain %lld bytes\n", "", printed.size(), plain.size());
    if (bench.messages.problems || printed.size() < 1000 || plain.size() < 1000)
      noteFailure(QStringLiteral("the printout of %1 reports").arg(count));
    return medians;
  });
  printRatio(m);
  return benchExitCode();
}
