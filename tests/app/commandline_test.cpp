// kalyx5pc as it is started from a terminal.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

namespace {
struct ProgramRun {
  int status = -1;
  QString out, err;
};

// Runs the program where there is no display at all.
ProgramRun withoutDisplay(const QStringList& args) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(QString::fromLatin1(name));
  QProcess p;
  p.setProcessEnvironment(env);
  p.start(QStringLiteral(KALYX_BINARY_DIR "/src/app/kalyx5pc"), args);
  ProgramRun run;
  if (!p.waitForFinished(20000)) return run;
  run.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
  run.out = QString::fromLocal8Bit(p.readAllStandardOutput());
  run.err = QString::fromLocal8Bit(p.readAllStandardError());
  return run;
}
}  // namespace

TEST(ProgramCommandLine, VersionAndHelpNeedNoDisplay) {
  const ProgramRun version = withoutDisplay({"--version"});
  EXPECT_EQ(version.status, 0) << version.err.toStdString();
  EXPECT_EQ(version.out, "Kalyx 5pc 2.0.2.0\n");
  const ProgramRun help = withoutDisplay({"--help"});
  EXPECT_EQ(help.status, 0) << help.err.toStdString();
  EXPECT_TRUE(help.out.startsWith("Usage: ")) << help.out.toStdString();
  EXPECT_TRUE(help.out.contains("--demo [DIR]"));
  EXPECT_TRUE(help.out.contains("--version"));
}

TEST(ProgramCommandLine, AnOptionWithoutItsPathIsRefusedBeforeAnyWindow) {
  const struct {
    const char* option;
    const char* message;
  } cases[] = {{"--port", "kalyx5pc: --port needs the path of a serial port\n"},
               {"--archive", "kalyx5pc: --archive needs the path of an archive file\n"}};
  for (const auto& c : cases) {
    const ProgramRun run = withoutDisplay({c.option});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, c.message);
  }
}
