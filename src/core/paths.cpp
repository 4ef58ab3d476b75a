#include "core/paths.h"

#include "core/names.h"

#include <QCoreApplication>
#include <QDir>

namespace {
struct Paths {
  QString programFolder;
  QString dataFolder;
  QString iniPath;
  QString autoSeqPath;
};

Paths& paths() {
  static Paths instance;
  return instance;
}

const Paths& knownPaths() {
  if (paths().programFolder.isEmpty()) initPaths();
  return paths();
}

QString executableFolder() {
  if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath();
  return QDir::currentPath();
}
}  // namespace

QString withTrailingSeparator(const QString& folder) {
  if (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\'))) return folder;
  return folder + QLatin1Char('/');
}

QString roamingDataFolder() {
#ifdef Q_OS_WIN
  return qEnvironmentVariable("APPDATA");
#else
  const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
  // The XDG rules ignore a relative XDG_DATA_HOME.
  if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg)) return xdg;
  const QString home = qEnvironmentVariable("HOME");
  if (home.isEmpty()) return QString();
  return withTrailingSeparator(home) + QStringLiteral(".local/share");
#endif
}

void initPaths() {
  Paths& p = paths();
  p.programFolder = withTrailingSeparator(executableFolder());
  const QString roaming = roamingDataFolder();
  if (roaming.isEmpty()) {
    p.dataFolder = p.programFolder;
  } else {
    p.dataFolder = withTrailingSeparator(roaming) + companyName() + QLatin1Char('/') + productName() +
                   QLatin1Char('/');
    // A failed creation is not reported here: the file operations that follow report their own.
    QDir().mkpath(p.dataFolder);
  }
  p.iniPath = p.dataFolder + QStringLiteral("kalyx5pc.ini");
  p.autoSeqPath = p.dataFolder + QStringLiteral("autoseq.dat");
}

QString programFolder() { return knownPaths().programFolder; }
QString dataFolder() { return knownPaths().dataFolder; }
QString iniPath() { return knownPaths().iniPath; }
QString autoSeqPath() { return knownPaths().autoSeqPath; }

QString displayPath(const QString& path) {
#ifndef Q_OS_WIN
  const QString home = QDir::homePath();
  if (home != QLatin1String("/") && path.startsWith(home + QLatin1Char('/'))) return QLatin1Char('~') + path.mid(home.size());
#endif
  return QDir::toNativeSeparators(path);
}
