#include "app/departmentstatus.h"

#include "archive/departmentsync.h"

#include <QLabel>
#include <QStatusBar>

namespace {
constexpr int kDeliveredShownMs = 10000;

QString records(int n) { return n == 1 ? QStringLiteral("1 record") : QStringLiteral("%1 records").arg(n); }
QString changes(int n) {
  return n == 1 ? QStringLiteral("1 change to device details") : QStringLiteral("%1 changes to device details").arg(n);
}
// Records and changes to device details, each named where there are any.
QString recordsAndChanges(int recordCount, int changeCount) {
  if (changeCount == 0) return records(recordCount);
  if (recordCount == 0) return changes(changeCount);
  return records(recordCount) + QStringLiteral(" and ") + changes(changeCount);
}
QString waiting(int recordCount, int changeCount) {
  return recordsAndChanges(recordCount, changeCount) +
         (recordCount + changeCount == 1 ? QStringLiteral(" waits") : QStringLiteral(" wait"));
}
}  // namespace

DepartmentStatus::DepartmentStatus(DepartmentSync& sync, QStatusBar& bar)
    : QObject(&bar), bar_(bar), note_(new QLabel(&bar)) {
  note_->setObjectName(QStringLiteral("lblDepartment"));
  note_->setTextFormat(Qt::PlainText);
  note_->hide();
  bar.addPermanentWidget(note_);
  connect(&sync, &DepartmentSync::finished, this, &DepartmentStatus::show);
}

bool DepartmentStatus::telling() const { return !note_->isHidden(); }

void DepartmentStatus::show(const SyncResult& result, const ArchiveFailure& failure) {
  if (!failure.reason.isEmpty()) {
    if (!failure.department)
      note_->setText(QStringLiteral("This computer's archive cannot be used: nothing is sent to the department's archive."));
    else if (failure.kind == ArchiveFailure::Kind::ReadOnly)  // another schema: read, never written
      note_->setText(QStringLiteral("The department's archive is read only for this version: %1 on this computer.")
                         .arg(waiting(result.waiting, result.detailsWaiting)));
    else if (result.waiting + result.detailsWaiting > 0)
      note_->setText(QStringLiteral("The department's archive cannot be used now: %1 on this computer.")
                         .arg(waiting(result.waiting, result.detailsWaiting)));
    else
      note_->setText(QStringLiteral("The department's archive cannot be used now."));
    note_->setToolTip(failure.message());
    note_->show();
    return;
  }
  // Records the server refused for what they hold stay on this computer, and
  // the rest go on: the note stays while any is set aside, with each reason.
  if (result.refused + result.detailsRefused > 0) {
    note_->setText(QStringLiteral("The department's archive refused %1: kept on this computer.")
                       .arg(recordsAndChanges(result.refused, result.detailsRefused)));
    QStringList reasons = result.refusals;
    reasons.sort();
    note_->setToolTip(QStringLiteral("The department's server refused them for what they hold:\n") +
                      reasons.join(QLatin1Char('\n')) +
                      QStringLiteral("\nThey are sent again by kalyx5pc-cli archive sync, or after the department's "
                                     "archive is brought up to date (archive init)."));
    note_->show();
  } else {
    note_->hide();
    note_->setToolTip(QString());
  }
  if (result.sent + result.known + result.details > 0)
    bar_.showMessage(QStringLiteral("Sent %1 to the department's archive.")
                         .arg(recordsAndChanges(result.sent + result.known, result.details)),
                     kDeliveredShownMs);
}
