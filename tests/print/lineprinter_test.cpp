#include "print/lineprinter.h"
#include "support/fulldisk.h"
#include "support/pdftext.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace {
QStringList numberedLines(const QString& prefix, int count) {
  QStringList lines;
  for (int i = 0; i < count; ++i) lines << prefix + QString::number(i);
  return lines;
}
}  // namespace

TEST(PrintLinesToPdf, EachDocumentStartsOnANewA4Page) {
  QTemporaryDir dir;
  const QString path = dir.filePath("out.pdf");
  // 100 lines take two pages at 10 points; the second document starts on a third.
  ASSERT_FALSE(printLinesToPdf(path, {numberedLines("first ", 100), {"second document"}}));
  EXPECT_EQ(pdfPageCount(path), 3);
  const QString first = pdfText(path, 1);
  EXPECT_TRUE(first.contains("first 0")) << first.toStdString();
  EXPECT_FALSE(first.contains("first 99"));
  EXPECT_TRUE(pdfText(path, 2).contains("first 99"));
  EXPECT_TRUE(pdfText(path, 3).contains("second document"));
  EXPECT_TRUE(pdfInfo(path).contains("A4"));
}

TEST(PrintLinesToPdf, OnAFullDiskItFailsAndKeepsTheOldFile) {
  FullDisk disk;
  KALYX_REQUIRE_FULL_DISK(disk);
  const QString path = disk.filePath("reports.pdf");
  {
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old pdf");
  }
  disk.fill();
  const std::optional<SaveFailure> failure = printLinesToPdf(path, {numberedLines("line ", 200)});
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->path, path);
  QFile old(path);
  ASSERT_TRUE(old.open(QIODevice::ReadOnly));
  EXPECT_EQ(old.readAll(), "old pdf");
  EXPECT_EQ(disk.entries(), QStringList{"reports.pdf"});
}
