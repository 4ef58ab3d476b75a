#pragma once
#include "autoseqrecord.h"
#include "testlistbox.h"

class QComboBox;
class QLineEdit;
class TDefibWaveGroup;
class UserMessages;

// "Defib Energy": up to ten energy tests, each a target energy in joules with its
// tolerance and the ECG waveform the analyzer plays meanwhile.
class TDefibEnergyPage : public QWidget, public TestListOwner {
 public:
  TDefibEnergyPage(TAutoSeq& work, UserMessages& messages, QWidget* parent = nullptr);

  TTestListBox* tests() const { return tests_; }
  bool validate() { return tests_->validateCurrent(); }

  void showEntry(int k) override;
  void clearEntry() override;
  void storeEntry(int k) override;
  bool validateEntry() override;

 private:
  TAutoSeq& work_;
  UserMessages& messages_;
  TTestListBox* tests_;
  QLineEdit* target_;
  QComboBox* tolerance_;
  TDefibWaveGroup* waves_;
};
