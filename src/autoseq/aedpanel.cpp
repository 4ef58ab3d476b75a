#include "autoseq/aedpanel.h"

#include "analyzer/shockable.h"
#include "autoseq/autoseqtables.h"
#include "autoseq/editfields.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>

using namespace autoseq;

namespace {
constexpr int kShockBank = 4;
}

TAedPanel::TAedPanel(TAutoSeq& aedArea, QWidget* parent) : TTestListPage(TestList::AedEnergy, aedArea, parent) {
  setObjectName(QStringLiteral("PanelAED"));
  auto* options = new QGroupBox(QStringLiteral("AED Energy Test Options"), this);
  const WaveBank& shock = waveBanks()[kShockBank];
  bank_ = makeDropDown("cbAEDWaveBank", options);
  bank_->addItem(QString::fromLatin1(shock.name));
  wave_ = makeDropDown("cbAEDWave", options);
  fillWaveCombo(wave_, shock.first, shock.count);
  scale_ = makeDropDown("cbAEDScale", options);
  fillScaleCombo(scale_);
  shockable_ = new QLineEdit(options);
  shockable_->setObjectName(QStringLiteral("txtShockable"));
  shockable_->setReadOnly(true);
  shockable_->setFocusPolicy(Qt::TabFocus);  // read only, but Tab brings a screen reader to it

  auto* grid = new QGridLayout(options);
  addFieldRow(grid, 0, QStringLiteral("Wave Bank"), bank_);
  addFieldRow(grid, 1, QStringLiteral("Wave"), wave_);
  addFieldRow(grid, 2, QStringLiteral("Scale"), scale_);
  addFieldRow(grid, 3, QStringLiteral("Shockable"), shockable_);
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(4, 1);
  placeOptions(options);
  connect(wave_, &QComboBox::activated, this, &TAedPanel::showShockable);
}

void TAedPanel::showEntry(int k) {
  const AedEnergyEntry e = entryAt<AedEnergyEntry>(entries_, std::size_t(k));
  shownWave_ = e.ecgWave;
  bank_->setCurrentIndex(0);
  const int first = waveBanks()[kShockBank].first;
  selectItem(wave_, e.ecgWave == 0 ? defaultWave(TestKind::AedEnergy) - first : e.ecgWave - first);
  selectItem(scale_, e.ecgScale);
  showShockable();
}

void TAedPanel::showShockable() { shockable_->setText(shockableText(unsigned(selectedWave(wave_, shownWave_)))); }

void TAedPanel::clearEntry() {
  for (QComboBox* combo : {bank_, wave_, scale_}) combo->setCurrentIndex(-1);
  shockable_->clear();
}

void TAedPanel::storeEntry(int k) {
  AedEnergyEntry e = entryAt<AedEnergyEntry>(entries_, std::size_t(k));
  e.ecgWave = quint8(selectedWave(wave_, e.ecgWave));
  e.ecgScale = quint8(selectedIndexOr(scale_, 0));
  setEntryAt(entries_, std::size_t(k), e);  // the present flag stays as it is
}
