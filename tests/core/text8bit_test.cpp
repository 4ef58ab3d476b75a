#include "core/text8bit.h"

#include <gtest/gtest.h>

TEST(Text8Bit, FieldTextStopsAtTheFirstNulAndAtTheFieldsEnd) {
  EXPECT_EQ(fieldText(QByteArrayView("ABCD\0\0\0\0", 8)), "ABCD");
  EXPECT_EQ(fieldText(QByteArrayView("0123456789ABCDEF", 16)), "0123456789ABCDEF");
  EXPECT_EQ(fieldText(QByteArrayView("\0BC", 3)), "");
}

TEST(Text8Bit, Windows1252BothWays) {
  const QByteArray bytes("\x80 \xE9 \x93x\x94", 7);
  const QString text = fromWindows1252(bytes);
  EXPECT_EQ(text, QString::fromUtf8("€ é “x”"));
  EXPECT_EQ(toWindows1252(text), bytes);
  EXPECT_EQ(toWindows1252(QString::fromUtf8("Ω")), "?");
}

// Read as written: in the system's encoding (or the one named), whatever its
// bytes would mean in UTF-8; a byte-order mark says UTF-8; bytes that are no
// text in the encoding are UTF-8 where they can be, else Windows-1252.
TEST(Text8Bit, FileTextIsReadInTheEncodingItIsWrittenIn) {
  const struct {
    const char* codec;
    const char* text;
  } roundTrips[] = {// Letters whose code page bytes happen to form UTF-8 too ("ÓŁ" is D3 A3, "ПІ" CF B2).
                    {"windows-1250", "PÓŁNOC-1"}, {"windows-1251", "ПІ-3"},
                    {"windows-1252", "Müller-Señor €"}, {"UTF-8", "PÓŁNOC ПІ-3 €"}};
  for (const auto& c : roundTrips) {
    const QString text = QString::fromUtf8(c.text);
    const QByteArray bytes = encodeFileText(text, c.codec);
    EXPECT_EQ(bytes == text.toUtf8(), QByteArray(c.codec) == "UTF-8") << c.codec;  // really in that code page
    EXPECT_EQ(decodeFileText(bytes, c.codec), text) << c.codec;
  }
  EXPECT_EQ(decodeFileText(QByteArray("\xEF\xBB\xBF" "caf\xC3\xA9"), "windows-1250"), QString::fromUtf8("café"));
  EXPECT_EQ(decodeFileText(QByteArray("caf\xC3\xA9"), "UTF-8"), QString::fromUtf8("café"));
  EXPECT_EQ(decodeFileText(QByteArray("caf\xE9"), "UTF-8"), QString::fromUtf8("café"));  // no UTF-8: Windows-1252
  EXPECT_EQ(decodeFileText(QByteArray("\xEF\xBB\xBFok"), "UTF-8"), "ok");
}
