// A settings file of any content: reading keys and writing one must keep to the
// file's bounds, and a written key must read back.
#include "core/settingsfile.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("kalyx5pc.ini"));
  {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return 0;
    file.write(reinterpret_cast<const char*>(data), qint64(size));
  }
  SettingsFile settings(path);
  (void)settings.readInteger(QStringLiteral("QalMain"), QStringLiteral("FRAME"), 0);
  (void)settings.readString(QStringLiteral("sgTestReport"), QStringLiteral("COL_0_WIDTH"), QString());
  settings.writeInteger(QStringLiteral("QalMain"), QStringLiteral("WIDTH"), 640);
  if (settings.readInteger(QStringLiteral("QalMain"), QStringLiteral("WIDTH"), 0) != 640) std::abort();
  return 0;
}
