#pragma once
#include "autoseq/testlistpage.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class UserMessages;

// "Pulse": up to ten pacer pulse tests, each a target current and rate with
// their tolerances, an optional target width, and how the current is measured.
class TPacerPulsePage : public TTestListPage {
 public:
  TPacerPulsePage(TAutoSeq& work, UserMessages& messages, QWidget* parent = nullptr);

  void showEntry(int k) override;
  void clearEntry() override;
  void storeEntry(int k) override;
  bool validateEntry() override;

 private:
  void widthChecked(bool on);

  UserMessages& messages_;
  QLineEdit *current_, *rate_, *width_;
  QComboBox *currentTolerance_, *rateTolerance_, *widthTolerance_, *method_;
  QCheckBox* widthBox_;
};
