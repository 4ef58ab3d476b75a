#include "archive/archivelocation.h"

#include "core/paths.h"
#include "core/settingsfile.h"

#include <QFileInfo>

bool takeArchiveOption(QStringList* arguments, QString* file, QString* error) {
  QStringList rest;
  for (qsizetype i = 0; i < arguments->size(); ++i) {
    const QString& arg = (*arguments)[i];
    if (arg == QLatin1String("--archive")) {
      if (i + 1 >= arguments->size() || (*arguments)[i + 1].isEmpty()) {
        *error = QStringLiteral("--archive needs the path of an archive file");
        return false;
      }
      *file = (*arguments)[++i];
    } else if (arg.startsWith(QLatin1String("--archive="))) {
      *file = arg.mid(10);
      if (file->isEmpty()) {
        *error = QStringLiteral("--archive needs the path of an archive file");
        return false;
      }
    } else {
      rest.append(arg);
    }
  }
  *arguments = rest;
  return true;
}

QString archiveLocation(const QString& option, bool demo) {
  if (!option.isEmpty()) return option;
  const QString named = qEnvironmentVariable("KALYX5PC_ARCHIVE");
  if (!demo) return named.isEmpty() ? dataFolder() + QStringLiteral("archive.sqlite") : named;
  const QString folder = named.isEmpty() ? dataFolder() : QFileInfo(named).absolutePath() + QLatin1Char('/');
  return folder + QStringLiteral("archive-demo.sqlite");
}

QString archiveOptionHelp() {
  return QStringLiteral(
      "  --archive FILE  keep the archive in FILE (or set KALYX5PC_ARCHIVE); by default\n"
      "                  archive.sqlite in the data folder, archive-demo.sqlite with --demo\n");
}

QString departmentAddress(const QString& option, SettingsFile& settings, bool demo) {
  if (!option.isEmpty() || demo) return option;
  return settings.readString(QStringLiteral("Archive"), QStringLiteral("SHARED"), QString()).trimmed();
}
