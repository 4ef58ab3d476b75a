#pragma once
#include "device/headlessprogress.h"
#include "device/transport.h"
#include "simulator/simulatordriver.h"
#include "support/memorybuilders.h"
#include "support/recordingmessages.h"

#include <gtest/gtest.h>

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
