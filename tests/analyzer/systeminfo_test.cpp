#include "analyzer/byteorder.h"
#include "analyzer/recordkinds.h"
#include "analyzer/systeminfo.h"

#include <gtest/gtest.h>

TEST(SystemInfo, TheIdStopsAtItsFirstNulAndKeepsItsBlanks) {
  QByteArray block(kSystemInfoSize, 'x');
  block.replace(SystemInfo::kIdOffset, 16, QByteArray(" A12 ", 5) + QByteArray(11, '\0'));
  EXPECT_EQ(SystemInfo(block).analyzerId(), " A12 ");
  block.replace(SystemInfo::kIdOffset, 16, "0123456789ABCDEF");  // sixteen characters: no NUL at all
  EXPECT_EQ(SystemInfo(block).analyzerId(), "0123456789ABCDEF");
  SystemInfo info;
  info.setAnalyzerId("LONGER THAN SIXTEEN");
  EXPECT_EQ(info.analyzerId(), "LONGER THAN SIXT");
  EXPECT_EQ(info.bytes().size(), kSystemInfoSize);
}

TEST(SystemInfo, CountsAreUnsignedBytesOfTheirKind) {
  QByteArray block(kSystemInfoSize, '\0');
  block[34] = char(200);
  block[35] = 3;
  block[36] = 32;
  const SystemInfo info(block);
  EXPECT_EQ(info.count(kTestReportRecords), 200);
  EXPECT_EQ(info.count(kWaveRecords), 3);
  EXPECT_EQ(info.count(kAutoSeqRecords), 32);
  SystemInfo written;
  written.setCount(kWaveRecords, 300);  // a byte holds no more than 255
  EXPECT_EQ(written.count(kWaveRecords), 255);
  EXPECT_EQ(quint8(written.bytes()[35]), 255);
}

TEST(SystemInfo, AShortOrLongBlockIsPaddedOrCut) {
  EXPECT_EQ(SystemInfo(QByteArray(5, 'a')).bytes(), QByteArray(5, 'a') + QByteArray(kSystemInfoSize - 5, '\0'));
  EXPECT_EQ(SystemInfo(QByteArray(100, 'b')).bytes(), QByteArray(kSystemInfoSize, 'b'));
}

TEST(RecordKinds, TheTextsOfTheDownloadRoad) {
  EXPECT_EQ(downloadCaption(kAutoSeqRecords), "Downloading autosequences...");
  EXPECT_EQ(tooManyText(kTestReportRecords), "Unexpected number of test reports.");
  EXPECT_EQ(tooManyCaption(kWaveRecords), "Error downloading wave records");
  EXPECT_EQ(nothingToDownloadText(kTestReportRecords), "No test reports to download.");
  EXPECT_EQ(nothingToDownloadCaption(), "Nothing to download");
  EXPECT_EQ(finishedDownloadText(kAutoSeqRecords), "Finished downloading autosequences.");
  EXPECT_EQ(downloadProgressMaximum(kAutoSeqRecords), 33);
  EXPECT_EQ(downloadProgressMaximum(kTestReportRecords), 51);
  EXPECT_EQ(downloadProgressMaximum(kWaveRecords), 11);
}

TEST(SwapWord, ExchangesTheBytesAndTwiceRestoresThem) {
  unsigned char field[2] = {0x01, 0x02};
  swapWord(field);
  EXPECT_EQ(field[0] | (field[1] << 8), 258);  // host order now reads 258
  swapWord(field);
  EXPECT_EQ(field[0], 0x01);
  EXPECT_EQ(field[1], 0x02);
}

