#include "cli/outputfolder.h"

#include "core/usermessages.h"

#include <QDir>
#include <QFileInfo>

bool makeOutputFolder(const QString& folder, UserMessages& messages) {
  if (QDir().mkpath(folder)) return true;
  messages.show(QStringLiteral("Cannot create the folder %1.").arg(QDir::toNativeSeparators(folder)),
                QStringLiteral("Error saving file"), UserMessages::Icon::Error);
  return false;
}

bool makeFolderOf(const QString& file, UserMessages& messages) {
  return file.isEmpty() || makeOutputFolder(QFileInfo(file).absolutePath(), messages);
}
