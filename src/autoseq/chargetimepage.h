#pragma once
#include "autoseq/autoseqrecord.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class TDefibWaveGroup;
class UserMessages;

// "Charge Time": the one charge time test, switched on by its check box: the
// energy to charge to, its tolerance, the longest charge time allowed and the ECG
// waveform meanwhile. Switching it off clears its eight bytes.
class TChargeTimePage : public QWidget {
 public:
  TChargeTimePage(TAutoSeq& work, UserMessages& messages, QWidget* parent = nullptr);

  void load();  // from the working copy
  void store();
  bool validate();

 private:
  void enableChanged(bool on);
  void showFields();

  TAutoSeq& work_;
  UserMessages& messages_;
  QCheckBox* enable_;
  QLineEdit *target_, *maximum_;
  QComboBox* tolerance_;
  TDefibWaveGroup* waves_;
};
