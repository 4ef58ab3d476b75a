#pragma once
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// kalyx5pc-cli as a user runs it: its exit status and what it printed.
struct CliRun {
  int status = -1;
  QString out, err;
};

inline CliRun cli(const QStringList& args, const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
  QProcess p;
  p.setProcessEnvironment(env);
  p.start(QStringLiteral(KALYX_BINARY_DIR "/src/cli/kalyx5pc-cli"), args);
  CliRun run;
  if (!p.waitForFinished(30000)) return run;
  run.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
  run.out = QString::fromUtf8(p.readAllStandardOutput());
  run.err = QString::fromUtf8(p.readAllStandardError());
  return run;
}
