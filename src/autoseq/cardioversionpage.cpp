#include "autoseq/cardioversionpage.h"

#include "autoseq/autoseqeditrules.h"
#include "autoseq/autoseqtables.h"
#include "autoseq/editfields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace autoseq;

namespace {
constexpr int kSinusBank = 2;
// The rhythms a cardioversion is synchronised to: sinus at 60, 90 and 120 beats
// a minute, or the first two of the shock advisory bank.
const QList<int>& sinusWaves() {
  static const QList<int> kWaves = {15, 16, 17};
  return kWaves;
}
const QList<int>& shockWaves() {
  static const QList<int> kWaves = {31, 32};
  return kWaves;
}
}  // namespace

TCardioversionPage::TCardioversionPage(TAutoSeq& work, UserMessages& messages, QWidget* parent)
    : TTestListPage(TestList::Cardioversion, work, parent), messages_(messages) {
  auto* options = new QGroupBox(QStringLiteral("Cardioversion Test Options"), this);
  target_ = makeNumberEdit("txtCardTarget", "Cardioversion Target Energy", 3, options);
  tolerance_ = makeDropDown("cbCardTolerance", options);
  fillToleranceCombo(tolerance_);
  delayTarget_ = new QCheckBox(QStringLiteral("Enable delay target: 20 to 65 msec"), options);
  delayTarget_->setObjectName(QStringLiteral("cboxCardDelayTarget"));
  auto* waves = new QGroupBox(QStringLiteral("ECG Simulator Wave Options"), options);
  bank_ = makeDropDown("cbCardWaveBank", waves);
  bank_->addItems({QString::fromLatin1(waveBanks()[kSinusBank].name), QString::fromLatin1(waveBanks()[4].name)});
  bank_->setCurrentIndex(-1);
  wave_ = makeDropDown("cbCardWave", waves);
  scale_ = makeDropDown("cbCardScale", waves);
  fillScaleCombo(scale_);
  method_ = makeDropDown("cbCardMethod", waves);
  method_->addItems({syncMethodText(0), syncMethodText(1)});
  bankChosen(-1);

  auto* fields = new QGridLayout;
  addFieldRow(fields, 0, QStringLiteral("Target Energy"), target_, QStringLiteral("Joules (1-360)"));
  addFieldRow(fields, 1, QStringLiteral("Tolerance"), tolerance_);
  fields->setColumnStretch(1, 1);
  auto* waveFields = new QGridLayout(waves);
  addFieldRow(waveFields, 0, QStringLiteral("Wave Bank"), bank_);
  addFieldRow(waveFields, 1, QStringLiteral("Wave"), wave_);
  addFieldRow(waveFields, 2, QStringLiteral("Scale"), scale_);
  addFieldRow(waveFields, 3, QStringLiteral("Sync To"), method_);
  waveFields->setColumnStretch(1, 1);
  auto* column = new QVBoxLayout(options);
  column->addLayout(fields);
  column->addWidget(delayTarget_);
  column->addWidget(waves);
  column->addStretch(1);
  placeOptions(options);
  connect(bank_, &QComboBox::activated, this, &TCardioversionPage::bankChosen);
}

void TCardioversionPage::bankChosen(int index) {
  fillWaveCombo(wave_, index == 1 ? shockWaves() : sinusWaves());
}

void TCardioversionPage::showEntry(int k) {
  const CardioversionEntry e = entryAt<CardioversionEntry>(entries_, std::size_t(k));
  target_->setText(QString::number(e.targetEnergy == 0 ? 100 : e.targetEnergy / 10));
  selectItem(tolerance_, e.tolerance == 0 ? 1 : e.tolerance - 1);
  delayTarget_->setChecked(e.delayTarget != 0);
  const bool sinus = bankOfWave(e.ecgWave) == kSinusBank;
  bank_->setCurrentIndex(sinus ? 0 : 1);
  bankChosen(bank_->currentIndex());
  const int first = sinus ? sinusWaves().first() : shockWaves().first();
  selectItem(wave_, e.ecgWave < first ? 0 : e.ecgWave - first);
  selectItem(scale_, e.ecgScale);
  selectItem(method_, e.syncMethod);
}

void TCardioversionPage::clearEntry() {
  target_->clear();
  delayTarget_->setChecked(false);
  for (QComboBox* combo : {tolerance_, bank_, wave_, scale_, method_}) combo->setCurrentIndex(-1);
}

void TCardioversionPage::storeEntry(int k) {
  CardioversionEntry e = entryAt<CardioversionEntry>(entries_, std::size_t(k));
  e.targetEnergy = quint16(integerTextOrZero(target_->text()) * 10);
  e.tolerance = quint8(tolerance_->currentIndex() + 1);
  e.delayTarget = delayTarget_->isChecked() ? 1 : 0;
  e.ecgWave = quint8(selectedWave(wave_, e.ecgWave));  // a rhythm the list lacks stays as stored
  e.ecgScale = quint8(selectedIndexOr(scale_, 0));
  e.syncMethod = quint8(selectedIndexOr(method_, e.syncMethod));
  e.present = 1;
  setEntryAt(entries_, std::size_t(k), e);
}

bool TCardioversionPage::validateEntry() { return validateIntEdit(target_, 1, 360, messages_); }
