#pragma once
#include "autoseq/testlistpage.h"

class QComboBox;

// "ECG Performance": up to twelve waveforms the analyzer plays to the monitor
// under test, from any bank but "None", all at one scale.
class TEcgPerformancePage : public TTestListPage {
 public:
  explicit TEcgPerformancePage(TAutoSeq& work, QWidget* parent = nullptr);

  void showEntry(int k) override;
  void clearEntry() override;
  void storeEntry(int k) override;
  void firstEntryAdded() override;

 private:
  void bankChosen(int index);

  QComboBox *scale_, *bank_, *wave_;
};
