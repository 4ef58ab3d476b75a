#include "autoseq/chargetimepage.h"

#include "autoseq/autoseqeditrules.h"
#include "autoseq/autoseqtables.h"
#include "autoseq/defibwavegroup.h"
#include "autoseq/editfields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>

using namespace autoseq;

namespace {
constexpr std::size_t kChargeBytes = 8;  // MaxChargeTime … ChargeTimeEnabled
}

TChargeTimePage::TChargeTimePage(TAutoSeq& work, UserMessages& messages, QWidget* parent)
    : QWidget(parent), work_(work), messages_(messages) {
  enable_ = new QCheckBox(QStringLiteral("Enable Charge Time Test"), this);
  enable_->setObjectName(QStringLiteral("cboxChargeEnable"));
  target_ = makeNumberEdit("txtChargeTarget", "Charge Time Target Energy", 3, this);
  tolerance_ = makeDropDown("cbChargeTolerance", this);
  fillToleranceCombo(tolerance_);
  maximum_ = makeNumberEdit("txtChargeMax", "Maximum Charge Time", 2, this);
  waves_ = new TDefibWaveGroup("Charge", this);

  auto* fields = new QGridLayout;
  addFieldRow(fields, 0, QStringLiteral("Target Energy"), target_, QStringLiteral("Joules (1-360)"));
  addFieldRow(fields, 1, QStringLiteral("Tolerance"), tolerance_);
  addFieldRow(fields, 2, QStringLiteral("Maximum Charge Time"), maximum_, QStringLiteral("Seconds (1-99)"));
  fields->setColumnStretch(1, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(enable_);
  layout->addLayout(fields);
  layout->addWidget(waves_);
  layout->addStretch(1);
  connect(enable_, &QCheckBox::clicked, this, &TChargeTimePage::enableChanged);
}

void TChargeTimePage::load() {
  enable_->setChecked(work_.u8(ChargeTimeEnabled) != 0);
  if (enable_->isChecked()) enableChanged(true);
  else showFields();
}

void TChargeTimePage::enableChanged(bool on) {
  if (on && work_.u8(ChargeTimeWave) == 0 && work_.u16(ChargeTimeEnergy) == 0)
    work_.setU8(ChargeTimeWave, quint8(defaultWave(TestKind::ChargeTime)));
  if (!on) std::fill_n(work_.bytes.begin() + MaxChargeTime, kChargeBytes, quint8(0));
  showFields();
}

void TChargeTimePage::showFields() {
  const bool on = enable_->isChecked();
  for (QWidget* field : {static_cast<QWidget*>(target_), static_cast<QWidget*>(tolerance_),
                         static_cast<QWidget*>(maximum_), static_cast<QWidget*>(waves_)})
    field->setEnabled(on);
  if (!on) {
    target_->clear();
    maximum_->clear();
    tolerance_->setCurrentIndex(-1);
    waves_->clearChoice();
    return;
  }
  const quint16 energy = work_.u16(ChargeTimeEnergy), seconds = work_.u16(MaxChargeTime);
  const quint8 tolerance = work_.u8(ChargeTimeTolerance);
  target_->setText(QString::number(energy == 0 ? 360 : energy / 10));
  selectItem(tolerance_, tolerance == 0 ? 1 : tolerance - 1);
  maximum_->setText(QString::number(seconds == 0 ? 99 : seconds / 10));
  waves_->showChoice(work_.u8(ChargeTimeWave), work_.u8(ChargeTimeScale));
}

void TChargeTimePage::store() {
  if (!enable_->isChecked()) {
    std::fill_n(work_.bytes.begin() + MaxChargeTime, kChargeBytes, quint8(0));
    return;
  }
  work_.setU16(ChargeTimeEnergy, quint16(integerTextOrZero(target_->text()) * 10));
  work_.setU8(ChargeTimeTolerance, quint8(tolerance_->currentIndex() + 1));
  work_.setU16(MaxChargeTime, quint16(integerTextOrZero(maximum_->text()) * 10));
  work_.setU8(ChargeTimeWave, quint8(waves_->chosenWave(work_.u8(ChargeTimeWave))));
  work_.setU8(ChargeTimeScale, quint8(waves_->chosenScale()));
  work_.setU8(ChargeTimeEnabled, 1);
}

bool TChargeTimePage::validate() {
  if (!enable_->isChecked()) return true;
  return validateIntEdit(target_, 1, 360, messages_) && validateIntEdit(maximum_, 1, 99, messages_);
}
