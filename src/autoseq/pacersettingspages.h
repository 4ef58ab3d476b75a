#pragma once
#include "autoseq/autoseqrecord.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QSpinBox;

// "Load": the resistance the analyzer presents to the pacemaker, 50 to 1600 ohms
// in steps of 50, stored at once as its code.
class TPacerLoadPage : public QWidget {
 public:
  explicit TPacerLoadPage(TAutoSeq& work, QWidget* parent = nullptr);
  void load();

 private:
  TAutoSeq& work_;
  QSpinBox* spin_;
};

// "Noise Immunity": whether the analyzer adds 50 or 60 Hz noise to check that the
// pacemaker ignores it; both bytes change at once with the controls.
class TNoiseImmunityPage : public QWidget {
 public:
  explicit TNoiseImmunityPage(TAutoSeq& work, QWidget* parent = nullptr);
  void load();
  void store();

 private:
  void enableChanged(bool on);

  TAutoSeq& work_;
  QCheckBox* enable_;
  QComboBox* wave_;
};
