#include "autoseq/pacerpage.h"

#include "autoseq/demandsensitivitypage.h"
#include "autoseq/guardedtabwidget.h"
#include "autoseq/pacerpulsepage.h"
#include "autoseq/pacersettingspages.h"
#include "autoseq/refractoryperiodpage.h"

#include <QVBoxLayout>

TPacerPage::TPacerPage(TAutoSeq& work, UserMessages& messages, QWidget* parent) : QWidget(parent) {
  pages_ = new TGuardedTabWidget(this);
  pages_->setObjectName(QStringLiteral("PagePacer"));
  pages_->setDocumentMode(true);  // flat buttons over the pages rather than a framed page control
  load_ = new TPacerLoadPage(work, pages_);
  pulse_ = new TPacerPulsePage(work, messages, pages_);
  noise_ = new TNoiseImmunityPage(work, pages_);
  sensitivity_ = new TDemandSensitivityPage(work, messages, pages_);
  refractory_ = new TRefractoryPeriodPage(work, messages, pages_);
  pages_->addTab(load_, QStringLiteral("Load"));
  pages_->addTab(pulse_, QStringLiteral("Pulse"));
  pages_->addTab(noise_, QStringLiteral("Noise Immunity"));
  pages_->addTab(sensitivity_, QStringLiteral("Demand Sensitivity"));
  pages_->addTab(refractory_, QStringLiteral("Refractory Period"));
  pages_->setLeaveCheck([this] { return validateAll(); });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pages_);
}

void TPacerPage::load() {
  load_->load();
  pulse_->tests()->rebuild();
  noise_->load();
  sensitivity_->tests()->rebuild();
  refractory_->tests()->rebuild();
}

void TPacerPage::store() {
  pulse_->tests()->storeCurrent();
  noise_->store();
  sensitivity_->tests()->storeCurrent();
  refractory_->tests()->storeCurrent();
}

bool TPacerPage::validateAll() {
  const bool pulse = pulse_->validate();
  const bool sensitivity = sensitivity_->validate();
  const bool refractory = refractory_->validate();
  return pulse && sensitivity && refractory;
}
