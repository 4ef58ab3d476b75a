#include "helppages.h"

#include "paths.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

QString helpPagePath(const QString& page) { return programFolder() + QStringLiteral("kalyx5pc-help/") + page; }

void openHelpPage(const QString& page) {
  const QString path = helpPagePath(page);
  if (!QFileInfo::exists(path)) return;
  QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
