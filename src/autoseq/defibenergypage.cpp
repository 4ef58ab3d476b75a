#include "autoseq/defibenergypage.h"

#include "autoseq/autoseqeditrules.h"
#include "autoseq/defibwavegroup.h"
#include "autoseq/editfields.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace autoseq;

TDefibEnergyPage::TDefibEnergyPage(TAutoSeq& work, UserMessages& messages, QWidget* parent)
    : TTestListPage(TestList::DefibEnergy, work, parent), messages_(messages) {
  auto* options = new QGroupBox(QStringLiteral("Defib Energy Test Options"), this);
  target_ = makeNumberEdit("txtDefibTarget", "Defib Target Energy", 3, options);
  tolerance_ = makeDropDown("cbDefibTolerance", options);
  fillToleranceCombo(tolerance_);
  waves_ = new TDefibWaveGroup("Defib", options);
  auto* fields = new QGridLayout;
  addFieldRow(fields, 0, QStringLiteral("Target Energy"), target_, QStringLiteral("Joules (1-360)"));
  addFieldRow(fields, 1, QStringLiteral("Tolerance"), tolerance_);
  fields->setColumnStretch(1, 1);
  auto* column = new QVBoxLayout(options);
  column->addLayout(fields);
  column->addWidget(waves_);
  column->addStretch(1);
  placeOptions(options);
}

void TDefibEnergyPage::showEntry(int k) {
  const DefibEnergyEntry e = entryAt<DefibEnergyEntry>(entries_, std::size_t(k));
  target_->setText(QString::number(e.targetEnergy == 0 ? 100 : e.targetEnergy / 10));
  selectItem(tolerance_, e.tolerance == 0 ? 1 : e.tolerance - 1);
  waves_->showChoice(e.ecgWave, e.ecgScale);
}

void TDefibEnergyPage::clearEntry() {
  target_->clear();
  tolerance_->setCurrentIndex(-1);
  waves_->clearChoice();
}

void TDefibEnergyPage::storeEntry(int k) {
  DefibEnergyEntry e = entryAt<DefibEnergyEntry>(entries_, std::size_t(k));
  e.targetEnergy = quint16(integerTextOrZero(target_->text()) * 10);
  e.tolerance = quint8(tolerance_->currentIndex() + 1);
  e.ecgWave = quint8(waves_->chosenWave(e.ecgWave));
  e.ecgScale = quint8(waves_->chosenScale());
  e.present = 1;
  setEntryAt(entries_, std::size_t(k), e);
}

bool TDefibEnergyPage::validateEntry() { return validateIntEdit(target_, 1, 360, messages_); }
