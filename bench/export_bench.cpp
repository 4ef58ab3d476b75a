// Export of test reports from the test report viewer: the text files, the CSV
// file (with its text files) and the MUP file, as the viewer's Save commands write
// them, against writing the same bytes to the same names with plain QSaveFile
// calls, in the same run.

#include "benchsupport.h"
#include "reportbench.h"
#include "testreport/testreportviewer.h"

#include <QDir>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QSaveFile>
#include <cstdio>

namespace {
using FileSet = QMap<QString, QByteArray>;

FileSet filesIn(const QString& folder) {
  FileSet files;
  QDir dir(folder);
  for (const QString& name : dir.entryList(QDir::Files)) {
    QFile file(dir.filePath(name));
    if (file.open(QIODevice::ReadOnly)) files.insert(dir.filePath(name), file.readAll());
  }
  return files;
}

double exportRound(TTestReportViewer& viewer) {
  QElapsedTimer clock;
  clock.start();
  viewer.saveToText();
  viewer.saveToCsv();
  viewer.saveToMup();
  return clock.nsecsElapsed() / 1e6;
}

// The text files twice, as the CSV command writes them again beside its index.
double plainRound(const FileSet& files, int textFileWrites) {
  QElapsedTimer clock;
  clock.start();
  for (auto it = files.begin(); it != files.end(); ++it) {
    const int times = it.key().endsWith(QLatin1String(".txt")) ? textFileWrites : 1;
    for (int i = 0; i < times; ++i) {
      QSaveFile file(it.key());
      if (!file.open(QIODevice::WriteOnly) || file.write(it.value()) != it.value().size() || !file.commit())
        noteFailure(QStringLiteral("QSaveFile on %1").arg(it.key()));
    }
  }
  return clock.nsecsElapsed() / 1e6;
}
}  // namespace

int main(int argc, char** argv) {
  prepareWidgetBench();
  QApplication app(argc, argv);
  constexpr int kRounds = 9;
  std::printf("export (text, CSV, MUP) vs the same bytes through plain QSaveFile, median of %d rounds\n", kRounds);
  const Medians m = measureSizes({10, 25, 50}, "report", [&](int count) {
    BenchServices bench;
    TTestReportViewer viewer(bench.services, benchReports(count), benchIndexes(count), QStringLiteral("A1234567"));
    exportRound(viewer);
    const FileSet files = filesIn(bench.out);
    if (bench.messages.problems || files.size() < 3) noteFailure(QStringLiteral("the export of %1 reports").arg(count));
    // The CSV command writes the text files as well as its index.
    const Medians medians = alternate(kRounds, [&] { return exportRound(viewer); }, [&] { return plainRound(files, 2); });
    if (filesIn(bench.out).keys() != files.keys()) noteFailure(QStringLiteral("the export wrote other files"));
    return medians;
  });
  printRatio(m);
  return benchExitCode();
}
