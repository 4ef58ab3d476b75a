#include "waveform/commatext.h"

namespace {
bool isBlank(QChar c) { return c.unicode() >= 1 && c.unicode() <= 32; }
bool endsUnquoted(QChar c) { return c.unicode() <= 32 || c == QLatin1Char(','); }

bool needsQuotes(const QString& field) {
  for (QChar c : field)
    if (c.unicode() <= 32 || c == QLatin1Char('"') || c == QLatin1Char(',')) return true;
  return false;
}
}  // namespace

QString writeCommaText(const QStringList& fields) {
  QStringList out;
  out.reserve(fields.size());
  for (const QString& field : fields) {
    // An empty last field is quoted: a comma that ends a line adds no field when
    // it is read, so a bare one would be lost.
    if (field.isEmpty() && &field == &fields.last()) {
      out << QStringLiteral("\"\"");
      continue;
    }
    if (!needsQuotes(field)) {
      out << field;
      continue;
    }
    QString quoted = field;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    out << QLatin1Char('"') + quoted + QLatin1Char('"');
  }
  return out.join(QLatin1Char(','));
}

QStringList readCommaText(const QString& text) {
  // A NUL ends the line, as it ends a C string.
  const QString line = text.left(text.indexOf(QChar(0)));
  QStringList fields;
  const qsizetype n = line.size();
  qsizetype i = 0;
  const auto skipBlanks = [&] {
    while (i < n && isBlank(line[i])) ++i;
  };
  skipBlanks();
  while (i < n) {
    QString field;
    if (line[i] == QLatin1Char('"')) {
      ++i;
      while (i < n) {
        if (line[i] == QLatin1Char('"')) {
          if (i + 1 < n && line[i + 1] == QLatin1Char('"')) {
            field += QLatin1Char('"');
            i += 2;
            continue;
          }
          ++i;  // the closing quote
          break;
        }
        field += line[i++];
      }
    } else {
      const qsizetype start = i;
      while (i < n && !endsUnquoted(line[i])) ++i;
      field = line.mid(start, i - start);
    }
    fields << field;
    skipBlanks();
    if (i < n && line[i] == QLatin1Char(',')) {
      ++i;  // a comma that ends the line ends its last field, as spreadsheets write lines
      skipBlanks();
    }
  }
  return fields;
}
