#include "core/paths.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {
// Sets or clears an environment variable for the life of a test.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const QByteArray* value)
      : name_(name), old_(qgetenv(name)), had_(qEnvironmentVariableIsSet(name)) {
    if (value) qputenv(name, *value);
    else qunsetenv(name);
  }
  ~ScopedEnv() {
    if (had_) qputenv(name_, old_);
    else qunsetenv(name_);
    initPaths();
  }

 private:
  const char* name_;
  QByteArray old_;
  bool had_;
};
}  // namespace

TEST(Paths, DataFolderIsCreatedWithEveryMissingParent) {
  QTemporaryDir root;
  const QByteArray xdg = (root.path() + "/not/yet").toLocal8Bit();
  ScopedEnv env("XDG_DATA_HOME", &xdg);
  initPaths();
  const QString expected = root.path() + "/not/yet/Velmora/Kalyx 5pc/";
  EXPECT_EQ(dataFolder(), expected);
  EXPECT_TRUE(QFileInfo(expected).isDir());
  EXPECT_EQ(iniPath(), expected + "kalyx5pc.ini");
  EXPECT_EQ(autoSeqPath(), expected + "autoseq.dat");
  EXPECT_EQ(programFolder(), QCoreApplication::applicationDirPath() + "/");
}

TEST(Paths, WithoutXdgDataHomeTheFolderIsUnderHome) {
  QTemporaryDir home;
  const QByteArray homePath = home.path().toLocal8Bit();
  const QByteArray relative("relative/data");  // a relative XDG_DATA_HOME is ignored
  ScopedEnv envHome("HOME", &homePath);
  ScopedEnv envXdg("XDG_DATA_HOME", &relative);
  initPaths();
  EXPECT_EQ(dataFolder(), home.path() + "/.local/share/Velmora/Kalyx 5pc/");
  EXPECT_TRUE(QFileInfo(dataFolder()).isDir());
}

TEST(Paths, NoPerUserFolderFallsBackToTheProgramFolder) {
  const QByteArray empty;
  ScopedEnv envHome("HOME", &empty);
  ScopedEnv envXdg("XDG_DATA_HOME", nullptr);
  initPaths();
  EXPECT_EQ(dataFolder(), programFolder());
  EXPECT_EQ(iniPath(), programFolder() + "kalyx5pc.ini");
}

#ifndef Q_OS_WIN
TEST(Paths, APathInTheHomeFolderIsShownFromTilde) {
  const QByteArray home("/home/jdoe");
  ScopedEnv envHome("HOME", &home);
  EXPECT_EQ(displayPath("/home/jdoe/.local/share/Velmora/Kalyx 5pc/archive.sqlite"),
            "~/.local/share/Velmora/Kalyx 5pc/archive.sqlite");
  EXPECT_EQ(displayPath("/home/jdoe2/archive.sqlite"), "/home/jdoe2/archive.sqlite");
  EXPECT_EQ(displayPath("/srv/archive.sqlite"), "/srv/archive.sqlite");
}
#endif
