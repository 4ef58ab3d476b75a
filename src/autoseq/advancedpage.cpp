#include "autoseq/advancedpage.h"

#include "autoseq/autoseqeditrules.h"
#include "autoseq/autoseqtables.h"
#include "autoseq/editfields.h"

#include <QComboBox>
#include <QGridLayout>

using namespace autoseq;

TAdvancedPage::TAdvancedPage(TAutoSeq& work, QWidget* parent) : QWidget(parent), work_(work) {
  trigger_ = makeDropDown("cbECGTriggerMode", this);
  for (unsigned mode = 0; mode < 4; ++mode) trigger_->addItem(triggerModeText(mode));
  timer_ = makeDropDown("cbAutoTestTimer", this);
  timer_->addItems({QStringLiteral("OFF"), QStringLiteral("3 seconds"), QStringLiteral("5 seconds"),
                    QStringLiteral("9 seconds")});
  auto* grid = new QGridLayout(this);
  addFieldRow(grid, 0, QStringLiteral("ECG Trigger Mode"), trigger_);
  addFieldRow(grid, 1, QStringLiteral("Auto-Test Timer"), timer_);
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(2, 1);
}

void TAdvancedPage::load() {
  selectItem(trigger_, triggerModeIndex(work_.u8(Device), work_.u8(TriggerMode)));
  selectItem(timer_, autoTestTimerIndex(work_.u8(Device)));
}

void TAdvancedPage::store() {
  work_.setU8(TriggerMode, quint8(selectedIndexOr(trigger_, work_.u8(TriggerMode))));
  work_.setU8(Device, deviceCodeOfTimer(timer_->currentIndex()));
}
