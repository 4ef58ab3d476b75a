#include "autoseq/demandsensitivitypage.h"

#include "autoseq/autoseqeditrules.h"
#include "autoseq/editfields.h"
#include "autoseq/pacertriggerwaves.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace autoseq;

TDemandSensitivityPage::TDemandSensitivityPage(TAutoSeq& work, UserMessages& messages, QWidget* parent)
    : TTestListPage(TestList::DemandSensitivity, work, parent), messages_(messages) {
  auto* options = new QGroupBox(QStringLiteral("Demand Sensitivity Test Options"), this);
  limit_ = makeNumberEdit("txtSensLimit", "Sensitivity Limit", 4, options);
  waves_ = new TTriggerWaveGroup("cbSensWaveBank", "cbSensWave", 0, 5, options);  // the whole bank
  auto* fields = new QGridLayout;
  addFieldRow(fields, 0, QStringLiteral("Sensitivity Limit"), limit_, QStringLiteral("mV (0.01-3.00)"));
  auto* column = new QVBoxLayout(options);
  column->addLayout(fields);
  column->addWidget(waves_);
  column->addStretch(1);
  placeOptions(options);
}

void TDemandSensitivityPage::showEntry(int k) {
  const DemandEntry e = entryAt<DemandEntry>(entries_, std::size_t(k));
  limit_->setText(sensitivityLimitText(e.sensitivityLimit));
  waves_->showWave(e.triggerWave);
}

void TDemandSensitivityPage::clearEntry() {
  limit_->clear();
  waves_->clearChoice();
}

void TDemandSensitivityPage::storeEntry(int k) {
  DemandEntry e = entryAt<DemandEntry>(entries_, std::size_t(k));
  e.sensitivityLimit = quint16(sensitivityLimitFromText(limit_->text()));
  e.triggerWave = quint8(waves_->chosenWave(e.triggerWave));
  e.present = 1;
  setEntryAt(entries_, std::size_t(k), e);
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
