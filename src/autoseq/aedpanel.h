#pragma once
#include "autoseqrecord.h"
#include "testlistbox.h"

class QComboBox;
class QLineEdit;

// `PanelAED`, shown instead of the defibrillator pages for an AED: up to 32
// rhythms from the shock advisory bank that the AED must judge, each with whether
// it calls for a shock. Its entries live in the editor's AED working area.
class TAedPanel : public QWidget, public TestListOwner {
 public:
  explicit TAedPanel(TAutoSeq& aedArea, QWidget* parent = nullptr);

  TTestListBox* tests() const { return tests_; }

  void showEntry(int k) override;
  void clearEntry() override;
  void storeEntry(int k) override;
  bool validateEntry() override { return true; }

 private:
  void showShockable();

  TAutoSeq& aedArea_;
  TTestListBox* tests_;
  QComboBox *bank_, *wave_, *scale_;
  QLineEdit* shockable_;
  int shownWave_ = 0;  // the entry's stored waveform, for one the list does not hold
};
