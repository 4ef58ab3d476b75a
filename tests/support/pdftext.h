#pragma once
#include <QProcess>
#include <QString>

// A PDF read back as a user would: what pdfinfo says of it (page count and size
// among the rest), and its text (pdftotext -layout).
inline QString pdfInfo(const QString& path) {
  QProcess p;
  p.start(QStringLiteral("pdfinfo"), {path});
  p.waitForFinished(20000);
  return QString::fromUtf8(p.readAllStandardOutput());
}

inline int pdfPageCount(const QString& path) {
  for (const QString& line : pdfInfo(path).split('\n'))
    if (line.startsWith(QLatin1String("Pages:"))) return line.mid(6).trimmed().toInt();
  return -1;
}

inline QString pdfText(const QString& path, int page = 0) {
  QProcess p;
  QStringList args = {QStringLiteral("-layout")};
  if (page > 0) args << "-f" << QString::number(page) << "-l" << QString::number(page);
  p.start(QStringLiteral("pdftotext"), args << path << QStringLiteral("-"));
  p.waitForFinished(20000);
  return QString::fromUtf8(p.readAllStandardOutput());
}
