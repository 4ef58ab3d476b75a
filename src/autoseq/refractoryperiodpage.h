#pragma once
#include "autoseq/testlistpage.h"

class QLineEdit;
class TTriggerWaveGroup;
class UserMessages;

// "Refractory Period": up to two tests of the time after a paced or sensed beat
// during which the pacemaker ignores a trigger, between a minimum and a maximum.
class TRefractoryPeriodPage : public TTestListPage {
 public:
  TRefractoryPeriodPage(TAutoSeq& work, UserMessages& messages, QWidget* parent = nullptr);

  void showEntry(int k) override;
  void clearEntry() override;
  void storeEntry(int k) override;
  bool validateEntry() override;

 private:
  UserMessages& messages_;
  QLineEdit *minimum_, *maximum_;
  TTriggerWaveGroup* waves_;
};
