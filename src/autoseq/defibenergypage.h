#pragma once
#include "autoseq/testlistpage.h"

class QComboBox;
class QLineEdit;
class TDefibWaveGroup;
class UserMessages;

// "Defib Energy": up to ten energy tests, each a target energy in joules with its
// tolerance and the ECG waveform the analyzer plays meanwhile.
class TDefibEnergyPage : public TTestListPage {
 public:
  TDefibEnergyPage(TAutoSeq& work, UserMessages& messages, QWidget* parent = nullptr);

  void showEntry(int k) override;
  void clearEntry() override;
  void storeEntry(int k) override;
  bool validateEntry() override;

 private:
  UserMessages& messages_;
  QLineEdit* target_;
  QComboBox* tolerance_;
  TDefibWaveGroup* waves_;
};
