#pragma once
#include "core/appservices.h"
#include "core/settingsfile.h"
#include "simulator/simulatordriver.h"
#include "support/recordinghelp.h"
#include "support/recordingkeeper.h"
#include "support/recordingmessages.h"
#include "support/scopeddatahome.h"
#include "support/scriptedprompts.h"

#include <gtest/gtest.h>

// What a frame, viewer or main window under test is handed: a simulated analyzer
// whose memory the test fills, recorded messages, help pages and kept records,
// scripted file dialogs, and a settings file in a private data folder.
class UiHarness : public ::testing::Test {
 protected:
  ScopedDataHome dataHome;
  SettingsFile settings{dataHome.path() + QStringLiteral("/kalyx5pc.ini")};
  SimulatorDriver driver{AnalyzerMemory()};
  RecordingMessages messages;
  ScriptedFilePrompts files;
  RecordingHelp help;
  RecordingKeeper keeper;

  AppServices services() {
    AppServices s;
    s.driver = &driver;
    s.messages = &messages;
    s.files = &files;
    s.settings = &settings;
    s.help = &help;
    s.keeper = &keeper;
    s.autoSeqFile = autoSeqFile();
    return s;
  }
  void useMemory(const AnalyzerMemory& memory) { driver.engine().memory() = memory; }
  QString autoSeqFile() const { return dataHome.path() + QStringLiteral("/autoseq.dat"); }
};
