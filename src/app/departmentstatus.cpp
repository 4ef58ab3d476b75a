#include "app/departmentstatus.h"

#include "archive/departmentsync.h"

#include <QStatusBar>

namespace {
constexpr int kDeliveredShownMs = 10000;

QString records(int n) { return n == 1 ? QStringLiteral("1 record") : QStringLiteral("%1 records").arg(n); }
}  // namespace

DepartmentStatus::DepartmentStatus(DepartmentSync& sync, QStatusBar& bar) : QObject(&bar), bar_(bar) {
  connect(&sync, &DepartmentSync::finished, this, &DepartmentStatus::show);
}

void DepartmentStatus::show(const SyncResult& result, const ArchiveFailure& failure) {
  if (!failure.reason.isEmpty()) {
    if (telling_) return;
    telling_ = true;
    bar_.setToolTip(failure.message());
    if (!failure.department)
      bar_.showMessage(QStringLiteral("This computer's archive cannot be used: nothing is sent to the department's "
                                      "archive."));
    else if (result.waiting > 0)
      bar_.showMessage(QStringLiteral("The department's archive cannot be used now: %1 wait on this computer.")
                           .arg(records(result.waiting)));
    else
      bar_.showMessage(QStringLiteral("The department's archive cannot be used now."));
    return;
  }
  const bool told = telling_;
  telling_ = false;
  bar_.setToolTip(QString());
  if (result.sent + result.known > 0)
    bar_.showMessage(QStringLiteral("Sent %1 to the department's archive.").arg(records(result.sent + result.known)),
                     kDeliveredShownMs);
  else if (told)
    bar_.clearMessage();
}
