#pragma once
#include <QFile>
#include <QString>
#include <QStringList>

// Printed lines, each ended by a line feed, as the golden files hold them.
inline QString joinedLines(const QStringList& lines) {
  QString text;
  for (const QString& line : lines) text += line + QLatin1Char('\n');
  return text;
}

inline QString goldenFile(const QString& name) {
  QFile file(QStringLiteral(KALYX_TEST_DATA "/") + name);
  if (!file.open(QIODevice::ReadOnly)) return QStringLiteral("<missing golden file %1>").arg(name);
  return QString::fromUtf8(file.readAll());
}
