#pragma once
#include <QObject>
#include <QString>

class DepartmentSync;
class QStatusBar;
struct ArchiveFailure;
struct SyncResult;

// Tells in the main window's status bar how sending to the department's archive
// goes: once when the server cannot be used (the full cause in the tool tip),
// never in a message box, and briefly what a sending delivered. A sending that
// works again clears the note.
class DepartmentStatus : public QObject {
  Q_OBJECT
 public:
  DepartmentStatus(DepartmentSync& sync, QStatusBar& bar);

  void show(const SyncResult& result, const ArchiveFailure& failure);
  bool telling() const { return telling_; }

 private:
  QStatusBar& bar_;
  bool telling_ = false;  // the note of a failure shows
};
