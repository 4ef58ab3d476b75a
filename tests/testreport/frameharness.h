#pragma once
#include "appservices.h"
#include "recordingmessages.h"
#include "samplememory.h"
#include "scopeddatahome.h"
#include "scriptedprompts.h"
#include "simulatordriver.h"

#include <gtest/gtest.h>

// The simulator with its sample memory, recorded messages, scripted file
// dialogs and a private data folder: what a frame or viewer under test gets.
class UiHarness : public ::testing::Test {
 protected:
  ScopedDataHome dataHome;
  SimulatorDriver driver{sampleAnalyzerMemory()};
  RecordingMessages messages;
  ScriptedFilePrompts files;
  AppServices services() {
    AppServices s;
    s.driver = &driver;
    s.messages = &messages;
    s.files = &files;
    return s;
  }
};
