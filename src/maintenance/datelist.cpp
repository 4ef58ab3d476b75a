#include "maintenance/datelist.h"

#include <QLocale>
#include <QStringList>

QString dateListText(const QList<QDate>& dates) {
  const QLocale english = QLocale::c();
  QStringList parts;
  for (qsizetype i = 0; i < dates.size(); ++i) {
    parts << english.toString(dates[i], QStringLiteral("MMM d"));
    if (i + 1 == dates.size() || dates[i + 1].year() != dates[i].year()) parts << QString::number(dates[i].year());
  }
  return parts.join(QStringLiteral(", "));
}
