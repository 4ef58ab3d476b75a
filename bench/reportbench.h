#pragma once
#include "appservices.h"
#include "fileprompts.h"
#include "printprompts.h"
#include "settingsfile.h"
#include "testrecord.h"
#include "usermessages.h"

#include <QList>
#include <QTemporaryDir>

// The test report benchmarks' common ground: `count` test reports such as an
// analyzer holds (the demo's samples over and over, each with its own device
// I.D.), and the services a viewer
// needs, with every dialog answered by a file or folder in a scratch folder.

QList<TTestRec> benchReports(int count);
QList<int> benchIndexes(int count);

class QuietMessages : public UserMessages {
 public:
  Result show(const QString& text, const QString&, Icon icon, Buttons buttons) override;
  int problems = 0;
};

class ScratchPrompts : public FilePrompts, public PrintPrompts {
 public:
  explicit ScratchPrompts(QString folder) : folder_(std::move(folder)) {}
  QStringList openFiles(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
  QString saveFile(QWidget*, const QString&, const QString&, const QString&, const QString& suffix) override;
  QString chooseFolder(QWidget*, const QString&, const QString&) override { return folder_; }
  bool choosePrinter(QWidget*, QPrinter& printer, bool) override;
  QString folder() const { return folder_; }

 private:
  QString folder_;
};

// A scratch folder with the settings file, the prompts and the services.
struct BenchServices {
  BenchServices();
  QTemporaryDir scratch;
  QString out;  // where the prompts put every file
  SettingsFile settings;
  QuietMessages messages;
  ScratchPrompts prompts;
  AppServices services;
};

// The offscreen platform when there is no display, and quiet about its window hints.
void prepareWidgetBench();
