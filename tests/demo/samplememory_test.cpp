#include "demo/samplememory.h"
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
    TTestRec host = testRecFromBytes(m.testRecords[i].constData());
    swapTestRec(host);
    EXPECT_EQ(host.bytes, samples[i].bytes) << i;
  }
  EXPECT_EQ(samples[2].bytes, sampleCompleteTestRecord().bytes);
}
