#include "autoseq/refractoryperiodpage.h"

#include "autoseq/autoseqeditrules.h"
#include "autoseq/editfields.h"
#include "autoseq/pacertriggerwaves.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace autoseq;

TRefractoryPeriodPage::TRefractoryPeriodPage(TAutoSeq& work, UserMessages& messages, QWidget* parent)
    : TTestListPage(TestList::RefractoryPeriod, work, parent), messages_(messages) {
  auto* options = new QGroupBox(QStringLiteral("Refractory Period Test Options"), this);
  minimum_ = makeNumberEdit("txtRefrMin", "Minimum Refractory Limit", 4, options);
  maximum_ = makeNumberEdit("txtRefrMax", "Maximum Refractory Limit", 4, options);
  // A refractory test uses the second and third waveform of a trigger bank.
  waves_ = new TTriggerWaveGroup("cbRefrWaveBank", "cbRefrWave", 1, 2, options);
  auto* fields = new QGridLayout;
  addFieldRow(fields, 0, QStringLiteral("Minimum Refractory Limit"), minimum_, QStringLiteral("msec (50-750)"));
  addFieldRow(fields, 1, QStringLiteral("Maximum Refractory Limit"), maximum_, QStringLiteral("msec (50-750)"));
  auto* column = new QVBoxLayout(options);
  column->addLayout(fields);
  column->addWidget(waves_);
  column->addStretch(1);
  placeOptions(options);
}

void TRefractoryPeriodPage::showEntry(int k) {
  const RefractoryEntry e = entryAt<RefractoryEntry>(entries_, std::size_t(k));
  minimum_->setText(QString::number(e.minimum == 0 ? 50 : e.minimum));
  maximum_->setText(QString::number(e.maximum == 0 ? 750 : e.maximum));
  waves_->showWave(e.triggerWave);
}

void TRefractoryPeriodPage::clearEntry() {
  minimum_->clear();
  maximum_->clear();
  waves_->clearChoice();
}

void TRefractoryPeriodPage::storeEntry(int k) {
  RefractoryEntry e = entryAt<RefractoryEntry>(entries_, std::size_t(k));
  e.minimum = quint16(integerTextOrZero(minimum_->text()));
  e.maximum = quint16(integerTextOrZero(maximum_->text()));
  e.triggerWave = quint8(waves_->chosenWave(e.triggerWave));
  setEntryAt(entries_, std::size_t(k), e);
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
