#include "analyzer/shockable.h"

QString shockableText(unsigned code) {
  if ((code >= 31 && code <= 36) || code == 42) return QStringLiteral("No");
  if (code >= 37 && code <= 40) return QStringLiteral("Yes");
  return QStringLiteral("Report Only");
}
