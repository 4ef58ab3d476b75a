#include "cli/climessages.h"

#include <cstdio>

UserMessages::Result CliMessages::show(const QString& text, const QString&, Icon, Buttons buttons) {
  QString line = text;
  line.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
  std::fflush(stderr);
  return buttons == Buttons::YesNo ? Result::Yes : Result::Ok;
}
