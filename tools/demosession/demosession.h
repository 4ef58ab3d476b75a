#pragma once
#include "core/appservices.h"
#include "core/fileprompts.h"
#include "core/printprompts.h"
#include "core/settingsfile.h"
#include "core/usermessages.h"
#include "device/commprogress.h"

#include <QString>
#include <QTemporaryDir>
#include <memory>

class AnalyzerDriver;
class QWidget;

// The program's windows driven in one process by a tool rather than a user (the
// soak, the help screenshots, the benchmarks): the built-in simulated analyzer,
// every question answered Yes, and every file and print dialog answered with a
// place in a scratch folder, so nothing of the user's is touched.

// A scratch folder that stands for the user's home and data folder while the
// tool runs, so the user's own settings, autosequences and archive are never
// touched, and the program's paths read as on a user's computer
// ("~/.local/share/..."). Make it before the application object: Qt reads
// XDG_DATA_HOME once.
class ScratchDataFolder {
 public:
  ScratchDataFolder() {
    qputenv("HOME", dir_.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", (dir_.path() + QStringLiteral("/.local/share")).toLocal8Bit());
  }
  QString path() const { return dir_.path(); }

 private:
  QTemporaryDir dir_;
};

// Answers Yes (or OK); an error or warning that only asks to be acknowledged is
// a problem: counted, kept and printed on the error stream.
class AnsweringMessages : public UserMessages {
 public:
  Result show(const QString& text, const QString& caption, Icon icon, Buttons buttons) override;
  int problems = 0;
  QString lastProblem;
};

// Every save dialog answers "saved.<suffix>" in the folder, the folder chooser the
// folder itself, the print dialog a PDF file "printout.pdf" there; open dialogs cancel.
class ScratchPrompts : public FilePrompts, public PrintPrompts {
 public:
  explicit ScratchPrompts(QString folder) : folder_(std::move(folder)) {}
  QStringList openFiles(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
  QString openFile(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
  QString saveFile(QWidget*, const QString&, const QString&, const QString&, const QString& suffix) override;
  QString chooseFolder(QWidget*, const QString&, const QString&) override { return folder_; }
  bool choosePrinter(QWidget*, QPrinter& printer, bool) override;

 private:
  QString folder_;
};

// The services over the built-in analyzer, with the settings file and autoseq.dat
// in `folder` and every dialog answering into `folder`/out. Make it after the
// application object.
class DemoSession {
 public:
  explicit DemoSession(const QString& folder);
  ~DemoSession();
  DemoSession(const DemoSession&) = delete;
  DemoSession& operator=(const DemoSession&) = delete;

  const QString out;  // where the dialogs put every file
  AnsweringMessages messages;
  ScratchPrompts prompts;
  AppServices services;

 private:
  SettingsFile settings_;
  std::unique_ptr<AnalyzerDriver> driver_;
};

// Closes a frame's finished progress dialog, as the user's OK would.
template <class Frame>
void closeProgress(Frame* frame) {
  if (TCommProgress* progress = frame->progressHost()->current()) progress->closeProgress();
}

// Leaves out the offscreen platform's notes on window hints, which say nothing
// about the program; every other Qt message still goes to the error stream.
void installQuietPlatformNotes();

// The shown top-level window of that class (a viewer opened by a frame), or null.
QWidget* shownTopLevel(const char* className);
