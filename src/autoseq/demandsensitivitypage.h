#pragma once
#include "autoseq/testlistpage.h"

class QLineEdit;
class TTriggerWaveGroup;
class UserMessages;

// "Demand Sensitivity": up to two tests of the smallest pacer trigger, in
// millivolts, that the pacemaker in demand mode still senses.
class TDemandSensitivityPage : public TTestListPage {
 public:
  TDemandSensitivityPage(TAutoSeq& work, UserMessages& messages, QWidget* parent = nullptr);

  void showEntry(int k) override;
  void clearEntry() override;
  void storeEntry(int k) override;
  bool validateEntry() override;

 private:
  UserMessages& messages_;
  QLineEdit* limit_;
  TTriggerWaveGroup* waves_;
};
