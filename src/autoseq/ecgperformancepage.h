#pragma once
#include "autoseqrecord.h"
#include "testlistbox.h"

class QComboBox;

// "ECG Performance": up to twelve waveforms the analyzer plays to the monitor
// under test, from any bank but "None", all at one scale.
class TEcgPerformancePage : public QWidget, public TestListOwner {
 public:
  explicit TEcgPerformancePage(TAutoSeq& work, QWidget* parent = nullptr);

  TTestListBox* tests() const { return tests_; }

  void showEntry(int k) override;
  void clearEntry() override;
  void storeEntry(int k) override;
  bool validateEntry() override { return true; }  // a waveform chosen from the list is always valid
  void firstEntryAdded() override;

 private:
  void bankChosen(int index);

  TAutoSeq& work_;
  TTestListBox* tests_;
  QComboBox *scale_, *bank_, *wave_;
};
