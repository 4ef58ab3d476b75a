#include "core/initialdir.h"

#include "core/paths.h"
#include "core/settingsfile.h"

#include <QDir>

namespace {
const QString kInitialDirKey = QStringLiteral("INITIAL_DIR");
}

QString readInitialDir(const SettingsFile& settings, const QString& section) {
  return withTrailingSeparator(settings.readString(section, kInitialDirKey, QDir::currentPath()));
}

void writeInitialDir(SettingsFile& settings, const QString& section, const QString& folder) {
  settings.writeString(section, kInitialDirKey, folder);
}
