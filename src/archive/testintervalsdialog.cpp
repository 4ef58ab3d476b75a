#include "archive/testintervalsdialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>

namespace {
QSpinBox* spinBox(QWidget* parent, const char* name, int low, int high, int value, const QString& suffix) {
  auto* box = new QSpinBox(parent);
  box->setObjectName(QLatin1String(name));
  box->setRange(low, high);
  box->setValue(value);
  box->setSuffix(suffix);
  return box;
}
}  // namespace

TTestIntervalsDialog::TTestIntervalsDialog(const DuePolicy& policy, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TestIntervalsDialog"));
  setWindowTitle(QStringLiteral("Test Intervals"));
  const QString months = QStringLiteral(" months");
  defibrillator_ = spinBox(this, "spinIntervalDefibrillator", 1, 120, policy.defibrillatorMonths, months);
  aed_ = spinBox(this, "spinIntervalAED", 1, 120, policy.aedMonths, months);
  pacemaker_ = spinBox(this, "spinIntervalPacemaker", 1, 120, policy.pacemakerMonths, months);
  dueWithin_ = spinBox(this, "spinDueWithinDays", 0, 3660, policy.dueWithinDays, QStringLiteral(" days"));
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("&Defibrillators:"), defibrillator_);
  form->addRow(QStringLiteral("&AEDs:"), aed_);
  form->addRow(QStringLiteral("&Pacemakers:"), pacemaker_);
  form->addRow(QStringLiteral("Due &within:"), dueWithin_);
  auto* intro = new QLabel(
      QStringLiteral("How often each type of device is tested, where a device has no interval of its own (1 to 120 months), "
                     "and how many days before its due date a device is listed as due."),
      this);
  intro->setWordWrap(true);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(intro);
  layout->addLayout(form);
  layout->addWidget(buttons);
}

DuePolicy TTestIntervalsDialog::policy() const {
  DuePolicy policy;
  policy.defibrillatorMonths = defibrillator_->value();
  policy.aedMonths = aed_->value();
  policy.pacemakerMonths = pacemaker_->value();
  policy.dueWithinDays = dueWithin_->value();
  return policy;
}
