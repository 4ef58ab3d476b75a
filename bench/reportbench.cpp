#include "reportbench.h"

#include "samplerecords.h"

#include <QDir>
#include <QPrinter>
#include <cstdio>
#include <cstring>

QList<TTestRec> benchReports(int count) {
  const QList<TTestRec> samples = sampleTestRecords();
  QList<TTestRec> records;
  for (int i = 0; i < count; ++i) {
    // Each its own device I.D. ("BENCH007"), so each has its own text file.
    TTestRec rec = samples[i % samples.size()];
    const QByteArray id = QByteArrayLiteral("BENCH") + QByteArray::number(i).rightJustified(3, '0');
    memset(rec.data() + testrec::DeviceId, 0, testrec::DeviceIdSize);
    memcpy(rec.data() + testrec::DeviceId, id.constData(), size_t(id.size()));
    records << rec;
  }
  return records;
}

QList<int> benchIndexes(int count) {
  QList<int> indexes;
  for (int i = 0; i < count; ++i) indexes << i;
  return indexes;
}

UserMessages::Result QuietMessages::show(const QString& text, const QString&, Icon icon, Buttons buttons) {
  // Questions (Yes/No) are answered Yes; an error or warning to acknowledge is a problem.
  if (buttons == Buttons::Ok && (icon == Icon::Error || icon == Icon::Warning)) {
    ++problems;
    std::fprintf(stderr, "message: %s\n", qPrintable(text));
  }
  return buttons == Buttons::Ok ? Result::Ok : Result::Yes;
}

QString ScratchPrompts::saveFile(QWidget*, const QString&, const QString&, const QString&, const QString& suffix) {
  return folder_ + QStringLiteral("/saved.") + suffix;
}

bool ScratchPrompts::choosePrinter(QWidget*, QPrinter& printer, bool) {
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(folder_ + QStringLiteral("/printout.pdf"));
  return true;
}

BenchServices::BenchServices()
    : out(scratch.filePath(QStringLiteral("out"))),
      settings(scratch.filePath(QStringLiteral("kalyx5pc.ini"))),
      prompts(out) {
  QDir().mkpath(out);
  services.messages = &messages;
  services.files = &prompts;
  services.printing = &prompts;
  services.settings = &settings;
  services.autoSeqFile = scratch.filePath(QStringLiteral("autoseq.dat"));
}

static void quietPlatformNotes(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.startsWith(QLatin1String("This plugin does not support"))) return;
  std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

void prepareWidgetBench() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(quietPlatformNotes);
}
