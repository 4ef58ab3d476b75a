#include "analyzer/numberformat.h"

#include <gtest/gtest.h>

TEST(NumberFormat, FixedPointPadsWithZerosUpToTheDecimalsAndBlanksBefore) {
  EXPECT_EQ(fixedPoint(2000, 4, 1), "200.0");
  EXPECT_EQ(fixedPoint(5, 4, 1), "  0.5");
  EXPECT_EQ(fixedPoint(3, 4, 2), " 0.03");
  EXPECT_EQ(fixedPoint(7, 3, 0), "  7");
  EXPECT_EQ(fixedPoint(0, 4, 1), "  0.0");
  EXPECT_EQ(fixedPoint(2345, 5, 3), " 2.345");
  EXPECT_EQ(fixedPoint(123456, 4, 1), "12345.6");  // wider values are written in full
  EXPECT_EQ(fixedPoint(-20, 4, 1), " -2.0");       // a negative difference keeps its sign
  EXPECT_EQ(fixedPoint(-12345, 4, 1), "-1234.5");
}

TEST(NumberFormat, SignedFixedPointCountsTheSignInTheWidth) {
  EXPECT_EQ(signedFixedPoint(-700, 4, 0), " -700");
  EXPECT_EQ(signedFixedPoint(-1500, 4, 2), "-15.00");
  EXPECT_EQ(signedFixedPoint(5, 4, 2), "  +.05");
  EXPECT_EQ(signedFixedPoint(-5, 4, 2), "  -.05");
  EXPECT_EQ(signedFixedPoint(0, 3, 0), "   0");
  EXPECT_EQ(signedFixedPoint(35, 3, 0), " +35");
  EXPECT_EQ(signedFixedPoint(-12345, 3, 0), "-12345");
}

TEST(NumberFormat, RightAlignedPlainAndPadded) {
  EXPECT_EQ(rightAligned(305), " 305");
  EXPECT_EQ(rightAligned(12345), "12345");
  EXPECT_EQ(plain(42), "42");
  EXPECT_EQ(padded("abc", 5), "abc  ");
  EXPECT_EQ(padded(QString(52, 'x'), 50).size(), 52);
}
