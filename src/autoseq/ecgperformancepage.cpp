#include "autoseq/ecgperformancepage.h"

#include "autoseq/autoseqtables.h"
#include "autoseq/editfields.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QToolButton>
#include <QVBoxLayout>

using namespace autoseq;

namespace {
// The bank combo lists banks 1 to 7: bank "None" holds no test waveform.
const WaveBank& bankAt(int index) { return waveBanks()[index + 1]; }
}  // namespace

TEcgPerformancePage::TEcgPerformancePage(TAutoSeq& work, QWidget* parent)
    : TTestListPage(TestList::EcgPerformance, work, parent) {
  scale_ = makeDropDown("cbECGScale", this);
  fillScaleCombo(scale_);
  auto* waves = new QGroupBox(QStringLiteral("ECG Simulator Wave Options"), this);
  bank_ = makeDropDown("cbECGWaveBank", waves);
  for (int b = 1; b < waveBanks().size(); ++b) bank_->addItem(QString::fromLatin1(waveBanks()[b].name));
  wave_ = makeDropDown("cbECGWave", waves);
  tests_->setOptionControls({scale_, waves});

  auto* scaleRow = new QHBoxLayout;
  auto* scaleLabel = new QLabel(QStringLiteral("Scale"), this);
  scaleLabel->setBuddy(scale_);
  scaleRow->addWidget(scaleLabel);
  scaleRow->addWidget(scale_);
  scaleRow->addWidget(noteFor(scale_, QStringLiteral("(Applies to all ECG performance tests)")));
  scaleRow->addStretch(1);
  auto* waveFields = new QGridLayout(waves);
  addFieldRow(waveFields, 0, QStringLiteral("Wave Bank"), bank_);
  addFieldRow(waveFields, 1, QStringLiteral("Wave"), wave_);
  waveFields->setColumnStretch(1, 1);
  waveFields->setRowStretch(2, 1);
  auto* row = new QHBoxLayout;
  row->addWidget(tests_);
  row->addWidget(waves, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(scaleRow);
  layout->addLayout(row, 1);

  // Tab goes as the page reads: the scale above, then the list, then the waveform.
  setTabOrder(scale_, tests_->list());
  setTabOrder(tests_->list(), tests_->addButton());
  setTabOrder(tests_->addButton(), tests_->deleteButton());
  setTabOrder(tests_->deleteButton(), bank_);

  connect(scale_, &QComboBox::activated, this, [this](int index) { entries_.setU8(EcgScale, quint8(index)); });
  connect(bank_, &QComboBox::activated, this, &TEcgPerformancePage::bankChosen);
}

void TEcgPerformancePage::bankChosen(int index) {
  const WaveBank& bank = bankAt(index);
  fillEcgPerformanceWaveCombo(wave_, bank.first, bank.count);
}

void TEcgPerformancePage::showEntry(int k) {
  selectItem(scale_, entries_.u8(EcgScale));
  const int wave = entryAt<EcgPerformanceEntry>(entries_, std::size_t(k)).ecgWave;
  const int bank = bankOfWave(wave) - 1;
  const bool inBank = bank >= 0 && bank < bank_->count();
  bank_->setCurrentIndex(inBank ? bank : 0);
  bankChosen(bank_->currentIndex());
  if (inBank) selectItem(wave_, wave - bankAt(bank).first);
}

void TEcgPerformancePage::clearEntry() {
  for (QComboBox* combo : {scale_, bank_, wave_}) combo->setCurrentIndex(-1);
}

void TEcgPerformancePage::storeEntry(int k) {
  entries_.setU8(EcgScale, quint8(selectedIndexOr(scale_, 0)));
  const quint8 stored = entryAt<EcgPerformanceEntry>(entries_, std::size_t(k)).ecgWave;
  setEntryAt(entries_, std::size_t(k), EcgPerformanceEntry{quint8(selectedWave(wave_, stored))});
}

void TEcgPerformancePage::firstEntryAdded() { scale_->setCurrentIndex(0); }
