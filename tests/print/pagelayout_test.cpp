#include "print/pagelayout.h"

#include <gtest/gtest.h>

TEST(PageLayout, SeventyLinesOnSixtyLinePagesAndTheNextReportOnAThirdPage) {
  QStringList seventy, three;
  for (int i = 0; i < 70; ++i) seventy << QString::number(i);
  three << "x" << "y" << "z";
  const QList<PrintedPage> pages = layoutPages({seventy, three}, 60);
  ASSERT_EQ(pages.size(), 3);
  EXPECT_EQ(pages[0].size(), 60);
  EXPECT_EQ(pages[1].size(), 10);
  EXPECT_EQ(pages[1][0].text, "60");
  EXPECT_EQ(pages[1][0].slot, 0);
  EXPECT_EQ(pages[2].size(), 3);
  EXPECT_EQ(pages[2][2].slot, 2);
  EXPECT_EQ(layoutPages({seventy.mid(0, 60), three}, 60).size(), 2);  // a full page, then the next report
}

TEST(PageLayout, LinesPerPageAreWholeAndNeverFewerThanOne) {
  EXPECT_EQ(linesPerPage(14033, 199), 68);
  EXPECT_EQ(linesPerPage(400, 199), 1);
  EXPECT_EQ(linesPerPage(1000, 0), 1);
  EXPECT_EQ(lineHeightSample().size(), 92);
}
