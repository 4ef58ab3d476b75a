#pragma once
#include "autoseq/testlistpage.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class UserMessages;

// "Cardioversion": up to four synchronised shocks, each a target energy with its
// tolerance, the optional 20 to 65 ms delay target, and the rhythm (sinus or shock
// advisory) whose Q or R wave the shock is synchronised to.
class TCardioversionPage : public TTestListPage {
 public:
  TCardioversionPage(TAutoSeq& work, UserMessages& messages, QWidget* parent = nullptr);

  void showEntry(int k) override;
  void clearEntry() override;
  void storeEntry(int k) override;
  bool validateEntry() override;

 private:
  void bankChosen(int index);

  UserMessages& messages_;
  QLineEdit* target_;
  QComboBox *tolerance_, *bank_, *wave_, *scale_, *method_;
  QCheckBox* delayTarget_;
};
