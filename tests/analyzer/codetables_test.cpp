#include "analyzer/codetables.h"
#include "analyzer/shockable.h"

#include <gtest/gtest.h>

TEST(CodeTables, TextsKeepTheirWidthAndUnknownIndexesShowQuestionMarks) {
  EXPECT_EQ(toleranceText(0), "--");
  EXPECT_EQ(toleranceText(1), " 5");
  EXPECT_EQ(toleranceText(5), "??");
  EXPECT_EQ(tolerancePercent(0), 0);  // none
  EXPECT_EQ(tolerancePercent(2), 10);
  EXPECT_EQ(tolerancePercent(5), 0);  // outside the table
  EXPECT_EQ(ecgScaleText(2), "x0.5");
  EXPECT_EQ(ecgScaleText(3), "????");
  EXPECT_EQ(pacerMethodText(0), " AVG. ");
  EXPECT_EQ(pacerMethodText(200), "??????");
  EXPECT_EQ(ecgWaveCode(15), "ECG60  ");
  EXPECT_EQ(ecgWaveCode(57), "SSQP200");
  EXPECT_EQ(ecgWaveCode(58), "       ");
  EXPECT_EQ(ecgWaveTitle(58), QString(23, ' '));
  EXPECT_EQ(ecgWaveCode(59), "???????");
  EXPECT_EQ(ecgWaveTitle(255), "?");
  EXPECT_EQ(ecgWaveTitle(25), "Premature Ventricular Contraction");
  EXPECT_EQ(resultText(0), "NO DATA");
  EXPECT_EQ(resultText(1), "----");
  EXPECT_EQ(resultText(2), "PASS");
  EXPECT_EQ(resultText(3), "FAIL");
  EXPECT_EQ(resultText(9), "----");
}

TEST(ShockableText, RhythmCodesAtTheBoundaries) {
  EXPECT_EQ(shockableText(30), "Report Only");
  EXPECT_EQ(shockableText(31), "No");
  EXPECT_EQ(shockableText(36), "No");
  EXPECT_EQ(shockableText(37), "Yes");
  EXPECT_EQ(shockableText(40), "Yes");
  EXPECT_EQ(shockableText(41), "Report Only");
  EXPECT_EQ(shockableText(42), "No");
  EXPECT_EQ(shockableText(43), "Report Only");
}
