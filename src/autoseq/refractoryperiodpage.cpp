#include "refractoryperiodpage.h"

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

TRefractoryPeriodPage::TRefractoryPeriodPage(TAutoSeq& work, UserMessages& messages, QWidget* parent)
    : QWidget(parent), work_(work), messages_(messages) {
  tests_ = new TTestListBox(testListKind(TestList::RefractoryPeriod), work, *this, this);
  auto* options = new QGroupBox(QStringLiteral("Refractory Period Test Options"), this);
  minimum_ = makeNumberEdit("txtRefrMin", "Minimum Refractory Limit", 4, options);
  maximum_ = makeNumberEdit("txtRefrMax", "Maximum Refractory Limit", 4, options);
  auto* waves = new QGroupBox(QStringLiteral("ECG Simulator Wave Options"), options);
  bank_ = makeDropDown("cbRefrWaveBank", waves);
  fillTriggerBankCombo(bank_);
  wave_ = makeDropDown("cbRefrWave", waves);
  tests_->setOptionControls({options});

  auto* fields = new QGridLayout;
  addFieldRow(fields, 0, QStringLiteral("Minimum Refractory Limit"), minimum_, QStringLiteral("msec (50-750)"));
  addFieldRow(fields, 1, QStringLiteral("Maximum Refractory Limit"), maximum_, QStringLiteral("msec (50-750)"));
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
  connect(bank_, &QComboBox::activated, this, &TRefractoryPeriodPage::bankChosen);
}

// A refractory test uses the second and third waveform of a trigger bank.
void TRefractoryPeriodPage::bankChosen(int index) {
  if (index < 0) {
    wave_->clear();
    return;
  }
  fillWaveCombo(wave_, waveBanks()[kFirstTriggerBank + index].first + 1, 2);
}

void TRefractoryPeriodPage::showEntry(int k) {
  const RefractoryEntry e = entryAt<RefractoryEntry>(work_, std::size_t(k));
  minimum_->setText(QString::number(e.minimum == 0 ? 50 : e.minimum));
  maximum_->setText(QString::number(e.maximum == 0 ? 750 : e.maximum));
  const bool trigger = e.triggerWave >= 43 && e.triggerWave <= 57;
  const int bank = trigger ? bankOfWave(e.triggerWave) - kFirstTriggerBank : 1;
  bank_->setCurrentIndex(bank);
  bankChosen(bank);
  selectItem(wave_, trigger ? e.triggerWave - waveBanks()[bankOfWave(e.triggerWave)].first - 1 : 1);
}

void TRefractoryPeriodPage::clearEntry() {
  minimum_->clear();
  maximum_->clear();
  bank_->setCurrentIndex(-1);
  bankChosen(-1);
}

void TRefractoryPeriodPage::storeEntry(int k) {
  RefractoryEntry e = entryAt<RefractoryEntry>(work_, std::size_t(k));
  e.minimum = quint16(integerTextOrZero(minimum_->text()));
  e.maximum = quint16(integerTextOrZero(maximum_->text()));
  e.triggerWave = quint8(selectedWave(wave_, e.triggerWave));
  setEntryAt(work_, std::size_t(k), e);
}

bool TRefractoryPeriodPage::validateEntry() {
  const std::optional<int> minimum = readIntegerText(minimum_->text());
  const std::optional<int> maximum = readIntegerText(maximum_->text());
  // A limit of 0 is named by its own field, the minimum first.
  QLineEdit* zero = minimum == 0 ? minimum_ : maximum == 0 ? maximum_ : nullptr;
  if (zero) {
    showInvalidData(messages_, zero->toolTip() + QStringLiteral(" must be a valid number."));
    focusField(zero);
    return false;
  }
  // Only two numbers can be in the wrong order; a text that is not one is named below.
  if (minimum && maximum && *maximum < *minimum) {
    showInvalidData(messages_, QStringLiteral("Minimum time greater than maximum time"));
    focusField(minimum_);
    return false;
  }
  return validateIntEdit(minimum_, 50, 750, messages_) && validateIntEdit(maximum_, 50, 750, messages_);
}
