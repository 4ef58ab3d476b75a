#pragma once
#include "headlessprogress.h"
#include "recordingmessages.h"
#include "simulatordriver.h"
#include "transport.h"

#include <gtest/gtest.h>

// An analyzer memory holding `n` records of each kind, each record filled with
// its own index so that order and identity can be checked.
inline AnalyzerMemory memoryWithRecords(int autoSeqs, int reports, int waves) {
  AnalyzerMemory m;
  for (int i = 0; i < autoSeqs; ++i) m.autoSeqs.append(QByteArray(276, char(i + 1)));
  for (int i = 0; i < reports; ++i) m.testRecords.append(QByteArray(736, char(i + 1)));
  for (int i = 0; i < waves; ++i) m.waveRecords.append(QByteArray(1314, char(i + 1)));
  m.setAnalyzerId("TEST-ANALYZER");
  m.setCountsFromLists();
  return m;
}

// A simulated analyzer on a real transport, with recorded messages and a headless progress.
class LinkFixture : public ::testing::Test {
 protected:
  explicit LinkFixture(AnalyzerMemory memory = memoryWithRecords(3, 3, 3)) : driver(std::move(memory)) {}

  SimulatorDriver driver;
  RecordingMessages messages;
  DeviceLink link{driver, messages};
  HeadlessProgressHost host{messages};

  void expectClosedOnce() {
    EXPECT_EQ(driver.opens, 1);
    EXPECT_EQ(driver.closes, 1);
    EXPECT_FALSE(driver.isOpen());
  }
  void expectOnlyMessage(const QString& text, const QString& caption, UserMessages::Icon icon) {
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, text);
    EXPECT_EQ(messages.shown[0].caption, caption);
    EXPECT_EQ(messages.shown[0].icon, icon);
  }
};
