#include "autoseq/pacertriggerwaves.h"

#include "autoseq/autoseqtables.h"
#include "autoseq/editfields.h"

#include <QComboBox>
#include <QGridLayout>

namespace {
constexpr int kFirstTriggerBank = 5, kTriggerBanks = 3;
constexpr int kFirstTrigger = 43, kLastTrigger = 57, kFallbackTrigger = 50;
}  // namespace

TTriggerWaveGroup::TTriggerWaveGroup(const char* bankName, const char* waveName, int skip, int count,
                                     QWidget* parent)
    : QGroupBox(QStringLiteral("ECG Simulator Wave Options"), parent), skip_(skip), count_(count) {
  bank_ = makeDropDown(bankName, this);
  for (int b = kFirstTriggerBank; b < kFirstTriggerBank + kTriggerBanks; ++b)
    bank_->addItem(QString::fromLatin1(waveBanks()[b].name));
  bank_->setCurrentIndex(-1);
  wave_ = makeDropDown(waveName, this);
  auto* grid = new QGridLayout(this);
  addFieldRow(grid, 0, QStringLiteral("Wave Bank"), bank_);
  addFieldRow(grid, 1, QStringLiteral("Wave"), wave_);
  grid->setColumnStretch(1, 1);
  connect(bank_, &QComboBox::activated, this, &TTriggerWaveGroup::bankChosen);
}

void TTriggerWaveGroup::bankChosen(int index) {
  if (index < 0) {
    wave_->clear();
    return;
  }
  fillWaveCombo(wave_, waveBanks()[kFirstTriggerBank + index].first + skip_, count_);
}

void TTriggerWaveGroup::showWave(int wave) {
  const int shown = wave >= kFirstTrigger && wave <= kLastTrigger ? wave : kFallbackTrigger;
  const int bank = bankOfWave(shown);
  bank_->setCurrentIndex(bank - kFirstTriggerBank);
  bankChosen(bank_->currentIndex());
  selectItem(wave_, shown - waveBanks()[bank].first - skip_);
}

void TTriggerWaveGroup::clearChoice() {
  bank_->setCurrentIndex(-1);
  bankChosen(-1);
}

int TTriggerWaveGroup::chosenWave(int stored) const { return selectedWave(wave_, stored); }
