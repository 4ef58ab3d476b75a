#include "autoseq/defibwavegroup.h"

#include "autoseq/autoseqtables.h"
#include "autoseq/editfields.h"

#include <QComboBox>
#include <QGridLayout>

namespace {
constexpr int kShockBank = 4;

QByteArray nameOf(const char* pattern, const char* page) { return QByteArray(pattern).replace("%", page); }
}  // namespace

TDefibWaveGroup::TDefibWaveGroup(const char* page, QWidget* parent)
    : QGroupBox(QStringLiteral("ECG Simulator Wave Options"), parent) {
  bank_ = makeDropDown(nameOf("cb%WaveBank", page).constData(), this);
  wave_ = makeDropDown(nameOf("cb%Wave", page).constData(), this);
  scale_ = makeDropDown(nameOf("cb%Scale", page).constData(), this);
  bank_->addItems({QStringLiteral("None"), QString::fromLatin1(waveBanks()[kShockBank].name)});
  const WaveBank& shock = waveBanks()[kShockBank];
  fillWaveCombo(wave_, shock.first, shock.count);
  fillScaleCombo(scale_);
  auto* grid = new QGridLayout(this);
  addFieldRow(grid, 0, QStringLiteral("Wave Bank"), bank_);
  addFieldRow(grid, 1, QStringLiteral("Wave"), wave_);
  addFieldRow(grid, 2, QStringLiteral("Scale"), scale_);
  grid->setColumnStretch(1, 1);
  connect(bank_, &QComboBox::activated, this, &TDefibWaveGroup::bankChosen);
}

void TDefibWaveGroup::bankChosen(int index) {
  if (index == 0) {
    wave_->clear();
    return;
  }
  const WaveBank& shock = waveBanks()[kShockBank];
  fillWaveCombo(wave_, shock.first, shock.count);
}

void TDefibWaveGroup::showChoice(int wave, int scale) {
  const int bank = bankOfWave(wave) != 0 ? 1 : 0;
  bank_->setCurrentIndex(bank);
  bankChosen(bank);
  if (bank == 1) selectItem(wave_, wave - waveBanks()[kShockBank].first);
  selectItem(scale_, scale);
}

void TDefibWaveGroup::clearChoice() {
  bank_->setCurrentIndex(-1);
  wave_->setCurrentIndex(-1);
  scale_->setCurrentIndex(-1);
}

int TDefibWaveGroup::chosenWave(int stored) const { return bank_->currentIndex() == 1 ? selectedWave(wave_, stored) : 0; }

int TDefibWaveGroup::chosenScale() const { return selectedIndexOr(scale_, 0); }
