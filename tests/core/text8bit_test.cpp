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

TEST(Text8Bit, FileTextIsUtf8ElseWindows1252) {
  EXPECT_EQ(decodeFileText(QByteArray("caf\xC3\xA9")), QString::fromUtf8("café"));
  EXPECT_EQ(decodeFileText(QByteArray("caf\xE9")), QString::fromUtf8("café"));
  EXPECT_EQ(decodeFileText(QByteArray("\xEF\xBB\xBFok")), "ok");
  // Where the system's code page is another: a UTF-8 file is still UTF-8, the rest that code page.
  EXPECT_EQ(decodeFileText(QByteArray("caf\xC3\xA9"), "windows-1250"), QString::fromUtf8("café"));
  EXPECT_EQ(decodeFileText(QByteArray("\xA3\xF3" "d\x9F"), "windows-1250"), QString::fromUtf8("Łódź"));
}
