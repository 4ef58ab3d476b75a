#include "demosession/demosession.h"

#include "demo/connectioncheck.h"
#include "demo/linkoptions.h"
#include "device/analyzerdriver.h"

#include <QApplication>
#include <QDir>
#include <QPrinter>
#include <cstdio>

UserMessages::Result AnsweringMessages::show(const QString& text, const QString&, Icon icon, Buttons buttons) {
  if (buttons == Buttons::Ok && (icon == Icon::Error || icon == Icon::Warning)) {
    ++problems;
    lastProblem = text;
    std::fprintf(stderr, "message: %s\n", qPrintable(text.simplified()));
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

DemoSession::DemoSession(const QString& folder)
    : out(QDir(folder).filePath(QStringLiteral("out"))),
      prompts(out),
      settings_(QDir(folder).filePath(QStringLiteral("kalyx5pc.ini"))) {
  QDir().mkpath(out);
  LinkOptions demo;
  demo.demo = true;
  QString error;
  driver_ = createDriver(demo, &error);
  services.driver = driver_.get();
  services.messages = &messages;
  services.files = &prompts;
  services.printing = &prompts;
  services.settings = &settings_;
  services.autoSeqFile = QDir(folder).filePath(QStringLiteral("autoseq.dat"));
  services.checkConnection = [this, demo] {
    QStringList lines;
    for (const LinkFinding& finding : checkConnection(demo, *driver_)) lines << findingLine(finding);
    return lines;
  };
}

DemoSession::~DemoSession() = default;

static void quietPlatformNotes(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.startsWith(QLatin1String("This plugin does not support"))) return;
  std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

void installQuietPlatformNotes() { qInstallMessageHandler(quietPlatformNotes); }

QWidget* shownTopLevel(const char* className) {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->inherits(className) && w->isVisible()) return w;
  return nullptr;
}
