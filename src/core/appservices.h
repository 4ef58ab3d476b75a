#pragma once
#include <QString>
#include <QStringList>
#include <functional>

class AnalyzerDriver;
class FilePrompts;
class HelpViewer;
class PrintPrompts;
class RecordKeeper;
class SettingsFile;
class UserMessages;
class QWidget;

// What the main window hands to its frames, and the frames to their viewers:
// the link to the analyzer, the message boxes, the file and print dialogs, the
// settings file, the help, the keeper of downloaded records (the archive) and
// the autosequence data file's path. Tests hand in recording
// and scripted stand-ins.
struct AppServices {
  AnalyzerDriver* driver = nullptr;
  UserMessages* messages = nullptr;
  FilePrompts* files = nullptr;
  PrintPrompts* printing = nullptr;
  SettingsFile* settings = nullptr;
  HelpViewer* help = nullptr;  // none: Help does nothing
  RecordKeeper* keeper = nullptr;  // where downloads and captures are kept; none: they are not
  QString autoSeqFile;  // autoseq.dat
  // Checks the way to the analyzer and returns the report's lines; unset: not offered.
  std::function<QStringList()> checkConnection;
  // Shows the Archive window (raising the one open); unset: not offered.
  std::function<void()> showArchive;
  // Writes a backup of the archive where the user chooses; unset: not offered.
  std::function<void(QWidget* owner)> backUpArchive;
};
