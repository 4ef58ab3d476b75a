#include "maintenance/inventorycsv.h"

#include <QSet>
#include <QStringConverter>

namespace {
// The fields of one line; none where a quote is left open.
std::optional<QStringList> fieldsOf(const QString& line, QChar separator) {
  QStringList fields;
  QString field;
  bool quoted = false;
  for (qsizetype i = 0; i < line.size(); ++i) {
    const QChar c = line[i];
    if (quoted) {
      if (c != QLatin1Char('"')) field += c;
      else if (i + 1 < line.size() && line[i + 1] == QLatin1Char('"')) field += c, ++i;
      else quoted = false;
    } else if (c == QLatin1Char('"')) {
      quoted = true;
    } else if (c == separator) {
      fields << field.trimmed();
      field.clear();
    } else {
      field += c;
    }
  }
  if (quoted) return std::nullopt;
  fields << field.trimmed();
  return fields;
}

// A first line that names the columns: its first field names the device and
// its interval field is a word (a device's line holds a number there, or nothing).
bool isHeader(const QStringList& fields) {
  bool number = false;
  fields.value(2).toInt(&number);
  return fields.first().contains(QLatin1String("device"), Qt::CaseInsensitive) && !fields.value(2).isEmpty() && !number;
}

QChar separatorOf(const QByteArray& firstLine) {
  return firstLine.count(';') > firstLine.count(',') ? QLatin1Char(';') : QLatin1Char(',');
}
}  // namespace

Inventory parseInventoryCsv(const QByteArray& bytes) {
  Inventory inventory;
  QList<QByteArray> lines = bytes.split('\n');
  if (!lines.isEmpty() && lines.first().startsWith("\xEF\xBB\xBF")) lines.first().remove(0, 3);
  const QChar separator = separatorOf(lines.value(0));
  QSet<QString> seen;
  for (qsizetype n = 0; n < lines.size(); ++n) {
    QByteArray raw = lines[n];
    if (raw.endsWith('\r')) raw.chop(1);
    const int lineNumber = int(n + 1);
    const auto refuse = [&](const QString& reason) { inventory.refused.append({lineNumber, reason}); };
    if (raw.trimmed().isEmpty()) continue;
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString line = utf8.decode(raw);
    if (utf8.hasError()) {
      refuse(QStringLiteral("it is not UTF-8 text"));
      continue;
    }
    if (line.size() > kInventoryMaxLineChars) {
      refuse(QStringLiteral("it is longer than %1 characters").arg(kInventoryMaxLineChars));
      continue;
    }
    const std::optional<QStringList> fields = fieldsOf(line, separator);
    if (!fields) {
      refuse(QStringLiteral("a quote is not closed"));
      continue;
    }
    if (n == 0 && isHeader(*fields)) continue;
    if (fields->size() > 4) {
      refuse(QStringLiteral("it has %1 fields, not at most 4 (device I.D., location, interval, note)").arg(fields->size()));
      continue;
    }
    InventoryRow row{lineNumber, fields->value(0), fields->value(1), std::nullopt, fields->value(3)};
    if (row.device.isEmpty()) {
      refuse(QStringLiteral("it has no device I.D."));
      continue;
    }
    if (const QString interval = fields->value(2); !interval.isEmpty()) {
      bool whole = false;
      const int months = interval.toInt(&whole);
      if (!whole || months < 1 || months > kInventoryMaxMonths) {
        refuse(QStringLiteral("the interval \"%1\" is not a whole number of months from 1 to %2")
                   .arg(interval.left(20))
                   .arg(kInventoryMaxMonths));
        continue;
      }
      row.intervalMonths = months;
    }
    if (seen.contains(row.device)) {
      refuse(QStringLiteral("the device %1 is listed again").arg(row.device));
      continue;
    }
    seen.insert(row.device);
    inventory.rows.append(row);
  }
  return inventory;
}
