#include "autoseq/pacerpulsepage.h"

#include "autoseq/autoseqeditrules.h"
#include "autoseq/autoseqtables.h"
#include "autoseq/editfields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

using namespace autoseq;

namespace {
int toleranceIndex(quint8 code) { return code == 0 ? 0 : code - 1; }
}  // namespace

TPacerPulsePage::TPacerPulsePage(TAutoSeq& work, UserMessages& messages, QWidget* parent)
    : TTestListPage(TestList::PacerPulse, work, parent), messages_(messages) {
  auto* options = new QGroupBox(QStringLiteral("Pacer Pulse Test Options"), this);
  current_ = makeNumberEdit("txtPulseCurrent", "Target Current", 3, options);
  currentTolerance_ = makeDropDown("cbPulseTolCurrent", options);
  rate_ = makeNumberEdit("txtPulseRate", "Target Pulse Rate", 3, options);
  rateTolerance_ = makeDropDown("cbPulseTolRate", options);
  widthBox_ = new QCheckBox(QStringLiteral("Target Pulse Width"), options);
  widthBox_->setObjectName(QStringLiteral("cboxPulseWidth"));
  width_ = makeNumberEdit("txtPulseWidth", "Target Pulse Width", 2, options);
  width_->setAccessibleName(QStringLiteral("Target Pulse Width"));  // its caption is the check box that enables it
  widthTolerance_ = makeDropDown("cbPulseTolWidth", options);
  method_ = makeDropDown("cbPulseMethod", options);
  for (QComboBox* combo : {currentTolerance_, rateTolerance_, widthTolerance_}) fillToleranceCombo(combo);
  for (unsigned m = 0; m < 4; ++m) method_->addItem(measuringMethodText(m));

  auto* grid = new QGridLayout(options);
  addFieldRow(grid, 0, QStringLiteral("Target Current"), current_, QStringLiteral("mA (1-250)"));
  addFieldRow(grid, 1, QStringLiteral("Tolerance On Current"), currentTolerance_);
  addFieldRow(grid, 2, QStringLiteral("Target Pulse Rate"), rate_, QStringLiteral("PPM (1-255)"));
  addFieldRow(grid, 3, QStringLiteral("Tolerance On Rate"), rateTolerance_);
  auto* widthRow = new QHBoxLayout;
  widthRow->addWidget(width_);
  widthRow->addWidget(noteFor(width_, QStringLiteral("msec (1-50)")));
  widthRow->addStretch(1);
  grid->addWidget(widthBox_, 4, 0);
  grid->addLayout(widthRow, 4, 1);
  addFieldRow(grid, 5, QStringLiteral("Tolerance On Width"), widthTolerance_);
  addFieldRow(grid, 6, QStringLiteral("Measuring Method"), method_);
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(7, 1);
  placeOptions(options);
  connect(widthBox_, &QCheckBox::clicked, this, &TPacerPulsePage::widthChecked);
}

void TPacerPulsePage::widthChecked(bool on) {
  width_->setEnabled(on);
  widthTolerance_->setEnabled(on);
  if (on) {
    width_->setText(QStringLiteral("20"));
    widthTolerance_->setCurrentIndex(1);  // ±10%
  } else {
    width_->clear();
    widthTolerance_->setCurrentIndex(-1);
  }
}

void TPacerPulsePage::showEntry(int k) {
  const PacerPulseEntry e = entryAt<PacerPulseEntry>(entries_, std::size_t(k));
  current_->setText(QString::number(e.current == 0 ? 50 : e.current));
  rate_->setText(QString::number(e.rate == 0 ? 60 : e.rate));
  const bool widthTested = e.width != 0;
  widthBox_->setChecked(widthTested);
  width_->setEnabled(widthTested);
  widthTolerance_->setEnabled(widthTested);
  width_->setText(widthTested ? QString::number(e.width) : QString());
  if (widthTested) selectItem(widthTolerance_, toleranceIndex(e.widthTolerance));
  else widthTolerance_->setCurrentIndex(-1);
  selectItem(currentTolerance_, toleranceIndex(e.currentTolerance));
  selectItem(rateTolerance_, toleranceIndex(e.rateTolerance));
  selectItem(method_, e.method);
}

void TPacerPulsePage::clearEntry() {
  for (QLineEdit* edit : {current_, rate_, width_}) edit->clear();
  widthBox_->setChecked(false);
  for (QComboBox* combo : {currentTolerance_, rateTolerance_, widthTolerance_, method_}) combo->setCurrentIndex(-1);
}

void TPacerPulsePage::storeEntry(int k) {
  PacerPulseEntry e = entryAt<PacerPulseEntry>(entries_, std::size_t(k));
  e.current = quint8(integerTextOrZero(current_->text()));
  e.rate = quint8(integerTextOrZero(rate_->text()));
  e.width = quint8(integerTextOrZero(width_->text()));  // empty: no width test
  e.currentTolerance = quint8(currentTolerance_->currentIndex() + 1);
  e.rateTolerance = quint8(rateTolerance_->currentIndex() + 1);
  e.widthTolerance = quint8(widthTolerance_->currentIndex() + 1);
  e.method = quint8(selectedIndexOr(method_, e.method));
  e.present = 1;
  setEntryAt(entries_, std::size_t(k), e);
}

bool TPacerPulsePage::validateEntry() {
  return validateIntEdit(current_, 1, 250, messages_) && validateIntEdit(rate_, 1, 255, messages_) &&
         (!widthBox_->isChecked() || validateIntEdit(width_, 1, 50, messages_));
}
