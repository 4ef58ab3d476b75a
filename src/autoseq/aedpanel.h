#pragma once
#include "autoseq/testlistpage.h"

class QComboBox;
class QLineEdit;

// `PanelAED`, shown instead of the defibrillator pages for an AED: up to 32
// rhythms from the shock advisory bank that the AED must judge, each with whether
// it calls for a shock. Its entries live in the editor's AED working area.
class TAedPanel : public TTestListPage {
 public:
  explicit TAedPanel(TAutoSeq& aedArea, QWidget* parent = nullptr);

  void showEntry(int k) override;
  void clearEntry() override;
  void storeEntry(int k) override;

 private:
  void showShockable();

  QComboBox *bank_, *wave_, *scale_;
  QLineEdit* shockable_;
  int shownWave_ = 0;  // the entry's stored waveform, for one the list does not hold
};
