#include "autoseq/pacersettingspages.h"

#include "autoseq/autoseqeditrules.h"
#include "autoseq/editfields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

using namespace autoseq;

namespace {
// A spin box whose value moves only by its arrows and the Up, Down, Page Up and
// Page Down keys: typed or pasted text is ignored, so only the 50-ohm steps exist.
class StepOnlySpinBox : public QSpinBox {
 public:
  explicit StepOnlySpinBox(QWidget* parent) : QSpinBox(parent) { lineEdit()->setReadOnly(true); }
};
}  // namespace

TPacerLoadPage::TPacerLoadPage(TAutoSeq& work, QWidget* parent) : QWidget(parent), work_(work) {
  spin_ = new StepOnlySpinBox(this);
  spin_->setObjectName(QStringLiteral("spinPacerLoad"));
  spin_->setRange(pacerLoadOhms(0), pacerLoadOhms(31));
  spin_->setSingleStep(50);
  spin_->setValue(50);
  auto* grid = new QGridLayout(this);
  addFieldRow(grid, 0, QStringLiteral("Pacer Load"), spin_, QStringLiteral("Ohms"));
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(1, 1);
  connect(spin_, &QSpinBox::valueChanged, this, [this](int ohms) { work_.setU8(PacerLoad, pacerLoadCode(ohms)); });
}

void TPacerLoadPage::load() { spin_->setValue(pacerLoadOhms(work_.u8(PacerLoad))); }

TNoiseImmunityPage::TNoiseImmunityPage(TAutoSeq& work, QWidget* parent) : QWidget(parent), work_(work) {
  auto* group = new QGroupBox(QStringLiteral("Noise Immunity"), this);
  enable_ = new QCheckBox(QStringLiteral("Enable Noise Immunity"), group);
  enable_->setObjectName(QStringLiteral("cboxNoiseEnable"));
  wave_ = makeDropDown("cbNoiseWave", group);
  wave_->addItems({QStringLiteral("50 Hz Noise"), QStringLiteral("60 Hz Noise")});
  wave_->setCurrentIndex(-1);
  wave_->setEnabled(false);
  auto* grid = new QGridLayout(group);
  grid->addWidget(enable_, 0, 0, 1, 2);
  addFieldRow(grid, 1, QStringLiteral("Test Type"), wave_);
  grid->setColumnStretch(1, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addStretch(1);
  connect(enable_, &QCheckBox::clicked, this, &TNoiseImmunityPage::enableChanged);
  connect(wave_, &QComboBox::activated, this, [this](int index) { work_.setU8(NoiseFrequency, quint8(index + 1)); });
}

void TNoiseImmunityPage::load() {
  enable_->setChecked(work_.u8(NoiseEnabled) != 0);
  if (enable_->isChecked()) {
    enableChanged(true);
  } else {
    wave_->setEnabled(false);
    wave_->setCurrentIndex(-1);
  }
}

void TNoiseImmunityPage::enableChanged(bool on) {
  wave_->setEnabled(on);
  if (on) {
    wave_->setCurrentIndex(work_.u8(NoiseFrequency) == 1 ? 0 : 1);
    work_.setU8(NoiseEnabled, 1);
  } else {
    wave_->setCurrentIndex(-1);
    work_.setU8(NoiseEnabled, 0);
    work_.setU8(NoiseFrequency, 0);
  }
}

void TNoiseImmunityPage::store() {
  work_.setU8(NoiseEnabled, enable_->isChecked() ? 1 : 0);
  work_.setU8(NoiseFrequency, quint8(wave_->currentIndex() + 1));
}
