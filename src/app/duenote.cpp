#include "app/duenote.h"

#include "app/linklabel.h"
#include "archive/archive.h"

#include <QStatusBar>
#include <QThread>

namespace {
constexpr unsigned long kStopWaitMs = 2000;

// What the reading thread hands back; it outlives the note if the window goes first.
struct DueRead {
  std::atomic<bool> stop = false;
  std::optional<QList<DeviceDue>> devices;
  ArchiveFailure failure;
};
}  // namespace

DueNote::DueNote(QStatusBar& bar, std::function<void()> showDue)
    : QObject(&bar), note_(new LinkLabel(QString(), &bar)) {
  note_->setObjectName(QStringLiteral("lblDue"));
  note_->setToolTip(QStringLiteral("Show these devices in the Archive window"));
  note_->hide();
  bar.addPermanentWidget(note_);
  connect(note_, &LinkLabel::clicked, this, std::move(showDue));
}

// A read still running at exit is told to stop, and waited for a moment.
DueNote::~DueNote() {
  if (stop_) *stop_ = true;
  if (thread_) thread_->wait(kStopWaitMs);
}

QString DueNote::text(const QList<DeviceDue>& devices, int dueWithinDays) {
  int overdue = 0, due = 0;
  for (const DeviceDue& d : devices) {
    if (d.due.status == ::DueStatus::Overdue) ++overdue;
    else if (d.due.status != ::DueStatus::Ok) ++due;  // due, or never tested (due now)
  }
  const auto devicesText = [](int n) { return n == 1 ? QStringLiteral("1 device") : QStringLiteral("%1 devices").arg(n); };
  QStringList parts;
  if (overdue > 0) parts << devicesText(overdue) + QStringLiteral(" overdue");
  if (due > 0)
    parts << (overdue > 0 ? QString::number(due) : devicesText(due)) +
                 QStringLiteral(" due within %1 days").arg(dueWithinDays);
  return parts.join(QStringLiteral(", "));
}

void DueNote::start(std::function<std::unique_ptr<Archive>(ArchiveFailure*)> reopen, const DuePolicy& policy) {
  auto read = std::make_shared<DueRead>();
  const QDate today = QDate::currentDate();
  QThread* thread = QThread::create([read, reopen = std::move(reopen), policy, today] {
    if (std::unique_ptr<Archive> own = reopen(&read->failure)) {
      read->failure = {};  // a notice (read only) is no failure here
      read->devices = devicesDue(*own, policy, today, &read->failure, &read->stop);
    }
  });
  connect(thread, &QThread::finished, thread, &QObject::deleteLater);
  connect(thread, &QThread::finished, this, [this, read, policy] {
    if (!read->devices) {  // never a count from part of the archive
      note_->setText(QStringLiteral("Due dates not read"));
      note_->setToolTip(read->failure.message());
      note_->show();
      return;
    }
    const QString said = text(*read->devices, policy.dueWithinDays);
    note_->setText(said);
    note_->setAccessibleName(said);
    note_->setVisible(!said.isEmpty());
  });
  thread_ = thread;
  stop_ = std::shared_ptr<std::atomic<bool>>(read, &read->stop);
  thread->start();
}
