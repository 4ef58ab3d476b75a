#pragma once
#include "autoseqrecord.h"
#include "testlistbox.h"

class QComboBox;
class QLineEdit;
class UserMessages;

// "Demand Sensitivity": up to two tests of the smallest pacer trigger, in
// millivolts, that the pacemaker in demand mode still senses.
class TDemandSensitivityPage : public QWidget, public TestListOwner {
 public:
  TDemandSensitivityPage(TAutoSeq& work, UserMessages& messages, QWidget* parent = nullptr);

  TTestListBox* tests() const { return tests_; }
  bool validate() { return tests_->validateCurrent(); }

  void showEntry(int k) override;
  void clearEntry() override;
  void storeEntry(int k) override;
  bool validateEntry() override;

 private:
  void bankChosen(int index);

  TAutoSeq& work_;
  UserMessages& messages_;
  TTestListBox* tests_;
  QLineEdit* limit_;
  QComboBox *bank_, *wave_;
};
