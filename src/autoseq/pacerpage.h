#pragma once
#include "autoseq/autoseqrecord.h"

#include <QWidget>

class TDemandSensitivityPage;
class TGuardedTabWidget;
class TNoiseImmunityPage;
class TPacerLoadPage;
class TPacerPulsePage;
class TRefractoryPeriodPage;
class UserMessages;

// "Pacer": the tests of a transcutaneous pacemaker on pages of their own (Load,
// Pulse, Noise Immunity, Demand Sensitivity, Refractory Period). A pacer page can
// only be left when the pulse, sensitivity and refractory entries are valid.
class TPacerPage : public QWidget {
 public:
  TPacerPage(TAutoSeq& work, UserMessages& messages, QWidget* parent = nullptr);

  void load();
  void store();  // the current pulse, sensitivity and refractory entries and the noise bytes
  // Each check shows its own message; all three run.
  bool validateAll();

  TGuardedTabWidget* pages() const { return pages_; }
  TPacerPulsePage* pulsePage() const { return pulse_; }
  TDemandSensitivityPage* sensitivityPage() const { return sensitivity_; }
  TRefractoryPeriodPage* refractoryPage() const { return refractory_; }

 private:
  TGuardedTabWidget* pages_;
  TPacerLoadPage* load_;
  TPacerPulsePage* pulse_;
  TNoiseImmunityPage* noise_;
  TDemandSensitivityPage* sensitivity_;
  TRefractoryPeriodPage* refractory_;
};
