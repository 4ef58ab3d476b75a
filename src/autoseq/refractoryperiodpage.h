#pragma once
#include "autoseqrecord.h"
#include "testlistbox.h"

class QComboBox;
class QLineEdit;
class UserMessages;

// "Refractory Period": up to two tests of the time after a paced or sensed beat
// during which the pacemaker ignores a trigger, between a minimum and a maximum.
class TRefractoryPeriodPage : public QWidget, public TestListOwner {
 public:
  TRefractoryPeriodPage(TAutoSeq& work, UserMessages& messages, QWidget* parent = nullptr);

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
  QLineEdit *minimum_, *maximum_;
  QComboBox *bank_, *wave_;
};
