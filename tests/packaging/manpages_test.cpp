// Each program's man page names every option its --help lists.
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {
QString helpOf(const QString& program) {
  QProcess p;
  p.start(program, {QStringLiteral("--help")});
  if (!p.waitForFinished(30000)) return {};
  return QString::fromUtf8(p.readAllStandardOutput());
}

QString manPage(const char* name) {
  QFile file(QStringLiteral(KALYX_SOURCE_DIR "/packaging/man/") + QString::fromLatin1(name) + QStringLiteral(".1"));
  if (!file.open(QIODevice::ReadOnly)) return {};
  // roff writes a minus as \- ; read it as the option reads.
  return QString::fromUtf8(file.readAll()).replace(QStringLiteral("\\-"), QStringLiteral("-"));
}
}  // namespace

TEST(ManPages, NameEveryOptionOfTheProgramsHelp) {
  const struct {
    const char* page;
    QString program;
  } programs[] = {{"kalyx5pc", QStringLiteral(KALYX_BINARY_DIR "/src/app/kalyx5pc")},
                  {"kalyx5pc-cli", QStringLiteral(KALYX_BINARY_DIR "/src/cli/kalyx5pc-cli")},
                  {"kalyx5-simulator", QStringLiteral(KALYX_BINARY_DIR "/tools/kalyx5-simulator/kalyx5-simulator")}};
  const QRegularExpression option(QStringLiteral("(--[a-z][a-z-]+)"));
  for (const auto& p : programs) {
    const QString help = helpOf(p.program);
    const QString page = manPage(p.page);
    ASSERT_FALSE(help.isEmpty()) << p.page;
    ASSERT_FALSE(page.isEmpty()) << p.page;
    int options = 0;
    for (auto m = option.globalMatch(help); m.hasNext();) {
      const QString name = m.next().captured(1);
      if (name == QLatin1String("--help-all")) continue;  // Qt's own
      ++options;
      EXPECT_TRUE(page.contains(name)) << p.page << " lacks " << name.toStdString();
    }
    EXPECT_GE(options, 3) << p.page;
  }
}
