#include "core/settingsfile.h"

#include "core/savefile.h"
#include "core/text8bit.h"

#include <QFile>
#include <QList>
#include <optional>

namespace {

// One line of the file as it stands, with its terminator, and its decoded text.
struct Line {
  QByteArray raw;
  QString text;  // without the terminator
};

struct Document {
  QList<Line> lines;
  bool utf8 = true;
  QByteArray eol;
};

QByteArray platformEol() {
#ifdef Q_OS_WIN
  return "\r\n";
#else
  return "\n";
#endif
}

Document load(const QString& path) {
  Document doc;
  QFile file(path);
  QByteArray bytes;
  if (file.open(QIODevice::ReadOnly)) bytes = file.readAll();
  doc.utf8 = isValidUtf8(bytes);
  doc.eol = platformEol();
  qsizetype start = 0;
  bool eolKnown = false;
  while (start < bytes.size()) {
    qsizetype end = bytes.indexOf('\n', start);
    const qsizetype next = end < 0 ? bytes.size() : end + 1;
    Line line;
    line.raw = bytes.mid(start, next - start);
    QByteArray body = line.raw;
    if (body.endsWith('\n')) {
      body.chop(1);
      if (!eolKnown) {
        doc.eol = body.endsWith('\r') ? QByteArray("\r\n") : QByteArray("\n");
        eolKnown = true;
      }
    }
    if (body.endsWith('\r')) body.chop(1);
    if (start == 0 && body.startsWith("\xEF\xBB\xBF")) body.remove(0, 3);
    line.text = doc.utf8 ? QString::fromUtf8(body) : fromWindows1252(body);
    doc.lines.append(line);
    start = next;
  }
  return doc;
}

std::optional<QString> sectionName(const QString& text) {
  const QString t = text.trimmed();
  if (!t.startsWith(QLatin1Char('['))) return std::nullopt;
  const qsizetype close = t.indexOf(QLatin1Char(']'));
  return (close < 0 ? t.mid(1) : t.mid(1, close - 1)).trimmed();
}

bool sameName(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

// Position of the key's line inside the section, and where a new key of the section goes.
struct Lookup {
  qsizetype section = -1;  // line index of the section header
  qsizetype key = -1;      // line index of the key
  qsizetype insertAt = -1; // after the section's last non-blank line
};

Lookup find(const Document& doc, const QString& section, const QString& key) {
  Lookup found;
  bool inSection = false;
  for (qsizetype i = 0; i < doc.lines.size(); ++i) {
    const QString& text = doc.lines[i].text;
    if (const auto name = sectionName(text)) {
      if (inSection) break;  // the first section of that name is the one used
      if (sameName(*name, section)) {
        inSection = true;
        found.section = i;
        found.insertAt = i + 1;
      }
      continue;
    }
    if (!inSection) continue;
    if (!text.trimmed().isEmpty()) found.insertAt = i + 1;
    if (found.key >= 0 || text.trimmed().startsWith(QLatin1Char(';'))) continue;
    const qsizetype eq = text.indexOf(QLatin1Char('='));
    if (eq >= 0 && sameName(text.left(eq).trimmed(), key)) found.key = i;
  }
  return found;
}

QString valueOf(const QString& line) { return line.mid(line.indexOf(QLatin1Char('=')) + 1).trimmed(); }

QByteArray encode(const Document& doc, const QString& text) {
  return doc.utf8 ? text.toUtf8() : toWindows1252(text);
}

}  // namespace

SettingsFile::SettingsFile(QString path) : path_(std::move(path)) {}

QString SettingsFile::readString(const QString& section, const QString& key, const QString& defaultValue) const {
  const Document doc = load(path_);
  const Lookup found = find(doc, section, key);
  if (found.key < 0) return defaultValue;
  return valueOf(doc.lines[found.key].text);
}

int SettingsFile::readInteger(const QString& section, const QString& key, int defaultValue) const {
  bool ok = false;
  const int value = readString(section, key, QString()).toInt(&ok, 10);
  return ok ? value : defaultValue;
}

bool SettingsFile::writeInteger(const QString& section, const QString& key, int value) {
  return writeString(section, key, QString::number(value));
}

bool SettingsFile::writeString(const QString& section, const QString& key, const QString& value) {
  Document doc = load(path_);
  // A line break inside a value would end the line early and corrupt the file.
  QString clean = value;
  clean.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
  const Lookup found = find(doc, section, key);
  if (found.key >= 0) {
    Line& line = doc.lines[found.key];
    const QString keyText = line.text.left(line.text.indexOf(QLatin1Char('=')));
    line.raw = encode(doc, keyText + QLatin1Char('=') + clean) + doc.eol;
  } else {
    if (!doc.lines.isEmpty() && !doc.lines.last().raw.endsWith('\n')) doc.lines.last().raw += doc.eol;
    Line keyLine{encode(doc, key + QLatin1Char('=') + clean) + doc.eol, QString()};
    if (found.section >= 0) {
      doc.lines.insert(found.insertAt, keyLine);
    } else {
      doc.lines.append(Line{encode(doc, QLatin1Char('[') + section + QLatin1Char(']')) + doc.eol, QString()});
      doc.lines.append(keyLine);
    }
  }
  QByteArray bytes;
  for (const Line& line : doc.lines) bytes += line.raw;
  return !saveWholeFile(path_, bytes).has_value();
}
