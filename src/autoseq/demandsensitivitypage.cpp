#include "demandsensitivitypage.h"

#include "autoseqeditrules.h"
#include "autoseqtables.h"
#include "editfields.h"
#include "pacertriggerwaves.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace autoseq;

TDemandSensitivityPage::TDemandSensitivityPage(TAutoSeq& work, UserMessages& messages, QWidget* parent)
    : QWidget(parent), work_(work), messages_(messages) {
  tests_ = new TTestListBox(testListKind(TestList::DemandSensitivity), work, *this, this);
  auto* options = new QGroupBox(QStringLiteral("Demand Sensitivity Test Options"), this);
  limit_ = makeNumberEdit("txtSensLimit", "Sensitivity Limit", 4, options);
  auto* waves = new QGroupBox(QStringLiteral("ECG Simulator Wave Options"), options);
  bank_ = makeDropDown("cbSensWaveBank", waves);
  fillTriggerBankCombo(bank_);
  wave_ = makeDropDown("cbSensWave", waves);
  tests_->setOptionControls({options});

  auto* fields = new QGridLayout;
  addFieldRow(fields, 0, QStringLiteral("Sensitivity Limit"), limit_, QStringLiteral("mV (0.01-3.00)"));
  fields->setColumnStretch(1, 1);
  auto* waveFields = new QGridLayout(waves);
  addFieldRow(waveFields, 0, QStringLiteral("Wave Bank"), bank_);
  addFieldRow(waveFields, 1, QStringLiteral("Wave"), wave_);
  waveFields->setColumnStretch(1, 1);
  auto* column = new QVBoxLayout(options);
  column->addLayout(fields);
  column->addWidget(waves);
  column->addStretch(1);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(tests_);
  layout->addWidget(options, 1);
  connect(bank_, &QComboBox::activated, this, &TDemandSensitivityPage::bankChosen);
}

void TDemandSensitivityPage::bankChosen(int index) {
  if (index < 0) {
    wave_->clear();
    return;
  }
  const WaveBank& bank = waveBanks()[kFirstTriggerBank + index];
  fillWaveCombo(wave_, bank.first, bank.count);
}

void TDemandSensitivityPage::showEntry(int k) {
  const DemandEntry e = entryAt<DemandEntry>(work_, std::size_t(k));
  limit_->setText(sensitivityLimitText(e.sensitivityLimit));
  const bool trigger = e.triggerWave >= 43 && e.triggerWave <= 57;
  const int bank = trigger ? bankOfWave(e.triggerWave) - kFirstTriggerBank : 1;
  bank_->setCurrentIndex(bank);
  bankChosen(bank);
  selectItem(wave_, trigger ? e.triggerWave - waveBanks()[bankOfWave(e.triggerWave)].first : 2);
}

void TDemandSensitivityPage::clearEntry() {
  limit_->clear();
  bank_->setCurrentIndex(-1);
  bankChosen(-1);
}

void TDemandSensitivityPage::storeEntry(int k) {
  DemandEntry e = entryAt<DemandEntry>(work_, std::size_t(k));
  e.sensitivityLimit = quint16(sensitivityLimitFromText(limit_->text()));
  e.triggerWave = quint8(selectedWave(wave_, e.triggerWave));
  e.present = 1;
  setEntryAt(work_, std::size_t(k), e);
}

bool TDemandSensitivityPage::validateEntry() {
  const std::optional<double> millivolts = readSensitivityText(limit_->text());
  QString problem;
  if (!millivolts) problem = QStringLiteral(" must be a valid number.");
  else if (*millivolts < 0.01 || *millivolts > 3.00) problem = QStringLiteral(" must be between 0.01 and 3.00.");
  if (problem.isEmpty()) return true;
  showInvalidData(messages_, limit_->toolTip() + problem);
  focusField(limit_);
  return false;
}
