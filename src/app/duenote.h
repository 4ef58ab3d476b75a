#pragma once
#include "archive/devicedue.h"

#include <QObject>
#include <atomic>
#include <QPointer>
#include <QThread>
#include <functional>
#include <memory>

class Archive;
class LinkLabel;
class QStatusBar;
struct ArchiveFailure;

// Tells in the main window's status bar, from this computer's archive, how many
// devices are overdue and how many due soon ("3 devices overdue, 5 due within
// 30 days"; nothing when none is): a link that opens the Archive window showing
// those devices. Worked out on a thread of its own, so the window shows at once.
class DueNote : public QObject {
  Q_OBJECT
 public:
  DueNote(QStatusBar& bar, std::function<void()> showDue);
  ~DueNote() override;

  // Reads the devices' due dates from the archive `reopen` opens (on the thread).
  void start(std::function<std::unique_ptr<Archive>(ArchiveFailure*)> reopen, const DuePolicy& policy);
  // The link ("lblDue"); hidden while there is nothing to tell.
  LinkLabel* note() const { return note_; }
  bool reading() const { return thread_ != nullptr; }

  // What the note says of the devices: empty when none is overdue or due.
  static QString text(const QList<DeviceDue>& devices, int dueWithinDays);

 private:
  LinkLabel* note_;
  QPointer<QThread> thread_;
  std::shared_ptr<std::atomic<bool>> stop_;  // the running read's
};
