#include "core/filesync.h"

#include <QFile>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

bool syncFileToDisk(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadWrite)) return false;
#ifdef Q_OS_WIN
  return ::_commit(file.handle()) == 0;
#else
  return ::fsync(file.handle()) == 0;
#endif
}
