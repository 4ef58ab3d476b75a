#include "testreport/reportexport.h"

#include "core/datetimetext.h"
#include "core/savefile.h"
#include "core/text8bit.h"

#include <QDir>
#include <QFileInfo>

namespace {
const QString kRemovedFromNames = QStringLiteral(" \\/:*?\"<>|");
const QString kNoIdName = QStringLiteral("NoDeviceID");

// The device names Windows keeps for itself, whatever follows them after a dot.
bool isReservedWindowsName(const QString& base) {
  static const QStringList names = [] {
    QStringList list = {QStringLiteral("CON"), QStringLiteral("PRN"), QStringLiteral("AUX"), QStringLiteral("NUL")};
    for (int i = 1; i <= 9; ++i) list << QStringLiteral("COM%1").arg(i) << QStringLiteral("LPT%1").arg(i);
    return list;
  }();
  return names.contains(base.trimmed(), Qt::CaseInsensitive);
}

QString twoDigits(unsigned v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); }

// A field between double quotes; a quote inside it is doubled, as readers of
// quoted fields expect, so the field cannot end early.
QString quoted(const QString& field) {
  QString text = field;
  text.replace(QLatin1Char('"'), QStringLiteral("\"\""));
  return QLatin1Char('"') + text + QLatin1Char('"');
}

QString verdictText(const TTestRec& rec) { return testRecPassed(rec) ? QStringLiteral("PASS") : QStringLiteral("FAIL"); }

QByteArray linesBytes(const QStringList& lines) {
  QString text;
  for (const QString& line : lines) text += line + QStringLiteral("\r\n");
  return encodeFileText(text);
}
}  // namespace

QString reportFileName(const TTestRec& rec) {
  QString name = deviceIdText(rec);
  // Control characters go with the ten, as no file system shows them and
  // Windows refuses them; leading dots too, which would hide the file on Linux.
  name.removeIf([](QChar c) { return kRemovedFromNames.contains(c) || c.unicode() < 32 || c.unicode() == 127; });
  while (name.startsWith(QLatin1Char('.'))) name.remove(0, 1);
  if (name.isEmpty()) name = kNoIdName;
  if (isReservedWindowsName(name.section(QLatin1Char('.'), 0, 0))) name.prepend(QLatin1Char('_'));
  const DateTimeBytes t = testDateTime(rec);
  return name + QStringLiteral(".20") + twoDigits(t.year) + QLatin1Char('_') + twoDigits(t.month) + QLatin1Char('_') +
         twoDigits(t.day) + QLatin1Char('.') + twoDigits(t.hour) + QLatin1Char('_') + twoDigits(t.minute) +
         QLatin1Char('_') + twoDigits(t.second) + QStringLiteral(".txt");
}

QString csvLine(const TTestRec& rec, const QString& textFilePath) {
  const QStringList fields = {deviceIdText(rec), dateTimeText(testDateTime(rec)), testTypeText(rec), dutTypeName(rec),
                              verdictText(rec), QDir::toNativeSeparators(textFilePath)};
  QStringList out;
  for (const QString& f : fields) out << quoted(f);
  return out.join(QLatin1Char(','));
}

QString mupLine(const ShownReport& report) {
  const CivilDateTime when = civilDateTime(testDateTime(report.record));
  QStringList fields = {deviceIdText(report.record),
                        QStringLiteral("2"),
                        twoDigits(when.date.month()) + QLatin1Char('/') + twoDigits(when.date.day()) + QLatin1Char('/') +
                            twoDigits(when.date.year() % 100),
                        when.time.toString(QStringLiteral("HH:mm:ss")),
                        verdictText(report.record)};
  for (int i = 0; i < 8; ++i) fields << QString();
  fields << QStringLiteral(" Calvetrix  REC #") << QString::number(report.index) << QStringLiteral("~")
         << QStringLiteral("~");
  bool paragraphStart = true;
  for (const QString& line : report.lines) {
    if (line.isEmpty()) {
      fields << QStringLiteral("~");
      paragraphStart = true;
      continue;
    }
    fields << (paragraphStart ? QStringLiteral("   ") + line : line) << QStringLiteral("~");
    paragraphStart = false;
  }
  QString out;
  for (const QString& f : fields) out += quoted(f) + QLatin1Char(',');
  return out;
}

QString mupProposedName(const QDateTime& now) { return now.toString(QStringLiteral("MMddHHmm")) + QStringLiteral(".mup"); }

std::optional<SaveFailure> saveTextFiles(const QList<ShownReport>& reports, const QString& folder) {
  const QDir dir(folder);
  for (const ShownReport& report : reports)
    if (auto failure = saveWholeFile(dir.filePath(reportFileName(report.record)), linesBytes(report.lines)))
      return failure;
  return std::nullopt;
}

std::optional<SaveFailure> saveCsv(const QList<ShownReport>& reports, const QString& csvPath) {
  const QString folder = QFileInfo(csvPath).absolutePath();
  // The text files first: the index names only files that were written.
  if (auto failure = saveTextFiles(reports, folder)) return failure;
  QStringList lines;
  for (const ShownReport& report : reports)
    lines << csvLine(report.record, QDir(folder).filePath(reportFileName(report.record)));
  return saveWholeFile(csvPath, linesBytes(lines));
}

std::optional<SaveFailure> saveMup(const QList<ShownReport>& reports, const QString& mupPath) {
  QStringList lines;
  for (const ShownReport& report : reports) lines << mupLine(report);
  return saveWholeFile(mupPath, linesBytes(lines));
}
