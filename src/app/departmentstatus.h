#pragma once
#include <QObject>
#include <QString>

class DepartmentSync;
class QLabel;
class QStatusBar;
struct ArchiveFailure;
struct SyncResult;

// Tells in the main window's status bar how sending to the department's archive
// goes, never in a message box. A server that cannot be used, and records it
// refused for what they hold, are told by a note of their own in the status bar
// (the full cause in its tool tip) that stays, through menus and other
// messages, until a sending works; what a sending delivered is told briefly.
class DepartmentStatus : public QObject {
  Q_OBJECT
 public:
  DepartmentStatus(DepartmentSync& sync, QStatusBar& bar);

  void show(const SyncResult& result, const ArchiveFailure& failure);
  bool telling() const;
  // The note that stays ("lblDepartment").
  QLabel* note() const { return note_; }

 private:
  QStatusBar& bar_;
  QLabel* note_;
};
