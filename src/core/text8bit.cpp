#include "core/text8bit.h"

#include <QStringDecoder>

namespace {
// Windows-1252 differs from Latin-1 only in 0x80..0x9F; the five unassigned
// positions are kept as the C1 control of the same value.
constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
}  // namespace

QString fromWindows1252(QByteArrayView bytes) {
  QString text;
  text.reserve(bytes.size());
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    text.append(QChar(b >= 0x80 && b < 0xA0 ? kHigh[b - 0x80] : char16_t(b)));
  }
  return text;
}

QByteArray toWindows1252(const QString& text) {
  QByteArray bytes;
  bytes.reserve(text.size());
  for (QChar ch : text) {
    const char16_t u = ch.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
      bytes.append(static_cast<char>(u));
      continue;
    }
    char out = '?';
    for (int i = 0; i < 32; ++i)
      if (kHigh[i] == u) out = static_cast<char>(0x80 + i);
    bytes.append(out);
  }
  return bytes;
}

QString fieldText(QByteArrayView field) {
  const qsizetype nul = field.indexOf('\0');
  return fromWindows1252(nul < 0 ? field : field.first(nul));
}

QString trimmedOfBlanksAndControls(const QString& text) {
  const auto blankOrControl = [](QChar c) { return c.unicode() <= 0x20 || c.unicode() == 0x7F; };
  qsizetype start = 0, end = text.size();
  while (start < end && blankOrControl(text[start])) ++start;
  while (end > start && blankOrControl(text[end - 1])) --end;
  return text.mid(start, end - start);
}

bool isValidUtf8(QByteArrayView bytes) {
  QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  const QString text = decoder(bytes);
  return !decoder.hasError();
}

QByteArray encodeFileText(const QString& text, const char* codec) {
  QStringEncoder encoder = codec ? QStringEncoder(codec) : QStringEncoder(QStringConverter::System);
  return encoder.encode(text);
}

QString decodeFileText(const QByteArray& bytes, const char* codec) {
  static const QByteArray kUtf8Mark("\xEF\xBB\xBF");
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  if (bytes.startsWith(kUtf8Mark)) {
    const QString text = utf8(QByteArrayView(bytes).sliced(kUtf8Mark.size()));
    if (!utf8.hasError()) return text;
  }
  QStringDecoder decoder = codec ? QStringDecoder(codec, QStringDecoder::Flag::Stateless)
                                 : QStringDecoder(QStringDecoder::System, QStringDecoder::Flag::Stateless);
  QString text = decoder(bytes);
  if (!decoder.hasError()) return text;
  // Bytes that are no text in this encoding: a UTF-8 file from elsewhere, else Windows-1252.
  text = utf8(bytes);
  return utf8.hasError() ? fromWindows1252(bytes) : text;
}
