#include "autoseq/autoseqedit.h"

#include "autoseq/advancedpage.h"
#include "autoseq/aedpanel.h"
#include "autoseq/cardioversionpage.h"
#include "autoseq/chargetimepage.h"
#include "autoseq/defibenergypage.h"
#include "autoseq/demandsensitivitypage.h"
#include "autoseq/ecgperformancepage.h"
#include "autoseq/guardedtabwidget.h"
#include "autoseq/pacerpage.h"
#include "autoseq/pacerpulsepage.h"
#include "autoseq/refractoryperiodpage.h"
#include "core/helpviewer.h"
#include "core/names.h"
#include "core/settingsfile.h"
#include "core/windowgeometry.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>

using namespace autoseq;

namespace {
const QString kSection = QStringLiteral("AutoSeqEdit");
constexpr int kDefibIndex = 0, kAedIndex = 1;

// The AED block (32 entries of 3 bytes) and the part of it the defibrillator
// energy entries (10 of 6 bytes) share.
constexpr std::size_t kAedBlockEnd = AedEnergyEntry::Base + AedEnergyEntry::Size * AedEnergyEntry::Count;
constexpr std::size_t kDefibBlockEnd = DefibEnergyEntry::Base + DefibEnergyEntry::Size * DefibEnergyEntry::Count;

void copyAedBlock(const TAutoSeq& from, TAutoSeq& to) {
  std::copy(from.bytes.begin() + AedEnergyEntry::Base, from.bytes.begin() + kAedBlockEnd,
            to.bytes.begin() + AedEnergyEntry::Base);
}

void clearBytes(TAutoSeq& rec, std::size_t from, std::size_t to) {
  std::fill(rec.bytes.begin() + from, rec.bytes.begin() + to, quint8(0));
}
}  // namespace

TAutoSeqEdit::TAutoSeqEdit(QWidget* owner, TAutoSeq& record, const AppServices& services)
    : QDialog(owner), record_(record), services_(services), work_(initAutoSeq()) {
  work_ = record;
  setWindowTitle(productName() + QStringLiteral(" Autosequence Editor"));
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  // Modal to the main window only, so that the help window it opens can be read and scrolled.
  setWindowModality(Qt::WindowModal);

  // Created in the order Tab walks them: title and device type, the pages, the buttons.
  QWidget* topBar = buildTopBar();
  UserMessages& messages = *services_.messages;
  pageDefib_ = new TGuardedTabWidget(this);
  pageDefib_->setObjectName(QStringLiteral("PageDefib"));
  defibEnergy_ = new TDefibEnergyPage(work_, messages, pageDefib_);
  chargeTime_ = new TChargeTimePage(work_, messages, pageDefib_);
  cardioversion_ = new TCardioversionPage(work_, messages, pageDefib_);
  ecgPerformance_ = new TEcgPerformancePage(work_, pageDefib_);
  pacer_ = new TPacerPage(work_, messages, pageDefib_);
  advanced_ = new TAdvancedPage(work_, pageDefib_);
  pageDefib_->addTab(defibEnergy_, QStringLiteral("Defib Energy"));
  pageDefib_->addTab(chargeTime_, QStringLiteral("Charge Time"));
  pageDefib_->addTab(cardioversion_, QStringLiteral("Cardioversion"));
  pageDefib_->addTab(ecgPerformance_, QStringLiteral("ECG Performance"));
  pageDefib_->addTab(pacer_, QStringLiteral("Pacer"));
  pageDefib_->addTab(advanced_, QStringLiteral("Advanced"));
  aed_ = new TAedPanel(aedArea_, this);

  sides_ = new QStackedWidget(this);
  sides_->addWidget(pageDefib_);
  sides_->addWidget(aed_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(topBar);
  layout->addWidget(sides_, 1);
  layout->addWidget(buildButtons());

  loadWindowState();
  pageDefib_->setLeaveCheck([this] { return validatePages(true); });
  showRecord();
  setFixedSize(sizeHint().expandedTo(QSize(504, 495)));
  if (services_.settings) loadWindowPlace(*this, *services_.settings, kSection);
}

TAutoSeqEdit::~TAutoSeqEdit() {
  saveWindowState();
  work_ = TAutoSeq{};
  aedArea_ = TAutoSeq{};
}

QWidget* TAutoSeqEdit::buildTopBar() {
  auto* bar = new QWidget(this);
  title_ = new QLineEdit(bar);
  title_->setObjectName(QStringLiteral("txtTitle"));
  title_->setMaxLength(int(TitleSize));
  dut_ = new QComboBox(bar);
  dut_->setObjectName(QStringLiteral("cbDUT"));
  dut_->addItems({QStringLiteral("Defibrillator"), QStringLiteral("AED")});
  auto* titleLabel = new QLabel(QStringLiteral("Autosequence Title"), bar);
  titleLabel->setBuddy(title_);
  auto* dutLabel = new QLabel(QStringLiteral("Device Under Test"), bar);
  dutLabel->setBuddy(dut_);
  auto* row = new QHBoxLayout(bar);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(titleLabel);
  row->addWidget(title_, 1);
  row->addSpacing(12);
  row->addWidget(dutLabel);
  row->addWidget(dut_);
  connect(dut_, &QComboBox::activated, this, &TAutoSeqEdit::dutChosen);
  return bar;
}

QWidget* TAutoSeqEdit::buildButtons() {
  auto* bar = new QWidget(this);
  auto* help = new QPushButton(QStringLiteral("Help"), bar);
  help->setObjectName(QStringLiteral("btnHelp"));
  help->setAutoDefault(false);
  auto* ok = new QPushButton(QStringLiteral("OK"), bar);
  ok->setObjectName(QStringLiteral("btnOK"));
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), bar);
  cancel->setObjectName(QStringLiteral("btnCancel"));
  cancel->setAutoDefault(false);
  auto* row = new QHBoxLayout(bar);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(help);
  row->addStretch(1);
  row->addWidget(ok);
  row->addWidget(cancel);
  const auto showHelp = [this] { showHelpPage(services_.help, QStringLiteral("QalAutosequenceEditHelp.html")); };
  connect(help, &QPushButton::clicked, this, showHelp);
  auto* helpKey = new QAction(this);
  helpKey->setShortcut(QKeySequence(Qt::Key_F1));
  connect(helpKey, &QAction::triggered, this, showHelp);
  addAction(helpKey);
  connect(ok, &QPushButton::clicked, this, &TAutoSeqEdit::btnOKClick);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  return bar;
}

void TAutoSeqEdit::showRecord() {
  title_->setText(autoSeqTitleText(work_));
  aedArea_ = TAutoSeq{};
  const bool aed = isAedAutoSeq(work_);
  if (aed) {
    // The AED entries move to their working area; the defibrillator lists, which
    // share their bytes, start empty.
    copyAedBlock(work_, aedArea_);
    clearBytes(work_, DefibEnergyEntry::Base, kDefibBlockEnd);
  }
  dut_->setCurrentIndex(aed ? kAedIndex : kDefibIndex);
  showSide(aed);
  loadDefibPages();  // ready also for an AED plan, should the user switch it to a defibrillator
  aed_->tests()->rebuild();
}

void TAutoSeqEdit::showSide(bool aed) {
  sides_->setCurrentWidget(aed ? static_cast<QWidget*>(aed_) : pageDefib_);
}

// Values typed into the current entries are not stored by the switch: the side
// shown is loaded again from the working copy.
void TAutoSeqEdit::dutChosen(int index) {
  const bool aed = index == kAedIndex;
  showSide(aed);
  if (aed) aed_->tests()->rebuild();
  else loadDefibPages();
}

void TAutoSeqEdit::loadDefibPages() {
  defibEnergy_->tests()->rebuild();
  chargeTime_->load();
  cardioversion_->tests()->rebuild();
  ecgPerformance_->tests()->rebuild();
  pacer_->load();
  advanced_->load();
}

bool TAutoSeqEdit::validatePages(bool stopAtFirstFailure) {
  const std::function<bool()> checks[] = {
      [this] { return defibEnergy_->validate(); },   [this] { return chargeTime_->validate(); },
      [this] { return cardioversion_->validate(); }, [this] { return pacer_->pulsePage()->validate(); },
      [this] { return pacer_->sensitivityPage()->validate(); },
      [this] { return pacer_->refractoryPage()->validate(); }};
  bool valid = true;
  for (const auto& check : checks) {
    if (check()) continue;
    valid = false;
    if (stopAtFirstFailure) break;
  }
  return valid;
}

void TAutoSeqEdit::btnOKClick() {
  // Every page is checked whatever the device type, each failure with its message.
  if (!validatePages(false)) return;
  storeRecord();
  accept();
}

void TAutoSeqEdit::storeRecord() {
  if (dut_->currentIndex() == kAedIndex) {
    // An AED plan keeps its title and its AED entries and nothing else.
    work_ = TAutoSeq{};
    work_.setU8(Device, Aed);
    setAutoSeqTitle(work_, title_->text());
    aed_->tests()->storeCurrent();
    copyAedBlock(aedArea_, work_);
  } else {
    advanced_->store();
    setAutoSeqTitle(work_, title_->text());
    defibEnergy_->tests()->storeCurrent();
    chargeTime_->store();
    cardioversion_->tests()->storeCurrent();
    ecgPerformance_->tests()->storeCurrent();
    pacer_->store();
    // Bytes 78 to 113 are no part of a defibrillator plan: they are carried as
    // the record had them, also when the plan was an AED plan before this edit.
  }
  record_ = work_;
}

void TAutoSeqEdit::loadWindowState() {
  if (!services_.settings) return;
  const SettingsFile& settings = *services_.settings;
  pageDefib_->setCurrentIndex(settings.readInteger(kSection, QStringLiteral("DEFIB_TAB"), 0));
  pacer_->pages()->setCurrentIndex(settings.readInteger(kSection, QStringLiteral("PACER_TAB"), 0));
}

void TAutoSeqEdit::saveWindowState() {
  if (!services_.settings) return;
  SettingsFile& settings = *services_.settings;
  saveWindowPlace(*this, settings, kSection);
  settings.writeInteger(kSection, QStringLiteral("DEFIB_TAB"), pageDefib_->currentIndex());
  settings.writeInteger(kSection, QStringLiteral("PACER_TAB"), pacer_->pages()->currentIndex());
}
