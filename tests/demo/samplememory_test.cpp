#include "demo/samplememory.h"
#include "support/wireorder.h"
#include "testreport/samplerecords.h"

#include <gtest/gtest.h>

TEST(SampleMemory, CountsFollowTheListsAndEveryBlockHasItsSize) {
  const AnalyzerMemory m = sampleAnalyzerMemory();
  EXPECT_EQ(m.systemInfo.count(kTestReportRecords), m.testRecords.size());
  EXPECT_EQ(m.systemInfo.count(kWaveRecords), m.waveRecords.size());
  EXPECT_EQ(m.systemInfo.count(kAutoSeqRecords), m.autoSeqs.size());
  EXPECT_EQ(m.systemInfo.analyzerId(), "A1234567");
  EXPECT_EQ(m.autoSeqs.size(), 12);
  for (const QByteArray& r : m.testRecords) EXPECT_EQ(r.size(), 736);
  for (const QByteArray& r : m.waveRecords) EXPECT_EQ(r.size(), 1314);
  for (const QByteArray& r : m.autoSeqs) EXPECT_EQ(r.size(), 276);
  ASSERT_EQ(m.captures.size(), 2);
  for (const QByteArray& c : m.captures) EXPECT_EQ(c.size(), 10306);
}

TEST(SampleMemory, TheTestReportsAreTheSampleRecordsInWireOrder) {
  const AnalyzerMemory m = sampleAnalyzerMemory();
  const QList<TTestRec> samples = sampleTestRecords();
  ASSERT_EQ(m.testRecords.size(), samples.size());
  for (int i = 0; i < samples.size(); ++i) {
    const QByteArray host(samples[i].data(), TTestRec::Size);
    EXPECT_EQ(m.testRecords[i], wireorder::swapped(host, wireorder::testRecWords(samples[i].u8(testrec::DutTypeByte))))
        << i;
  }
  EXPECT_EQ(samples[2].bytes, sampleCompleteTestRecord().bytes);
}
