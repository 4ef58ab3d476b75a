#pragma once
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// kalyx5pc-cli as a user runs it: its exit status and what it printed.
struct CliRun {
  int status = -1;
  QString out, err;
};

// The data and settings folders of the test run's programs, never the user's
// own: an archive the program keeps there (a capture's, --demo's) is the test's.
inline QString cliHome() {
  static const QTemporaryDir home;
  return home.path();
}

inline CliRun cli(const QStringList& args, QProcessEnvironment env = QProcessEnvironment::systemEnvironment()) {
  const QProcessEnvironment system = QProcessEnvironment::systemEnvironment();
  for (const QString& name : {QStringLiteral("XDG_DATA_HOME"), QStringLiteral("XDG_CONFIG_HOME")})
    if (env.value(name) == system.value(name)) env.insert(name, cliHome() + QLatin1Char('/') + name);
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
