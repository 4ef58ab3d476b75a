#pragma once
#include "autoseq/autoseqrecord.h"

#include <QWidget>

class QComboBox;

// "Advanced": what the ECG simulator does after a shock, and the auto-test timer
// (kept in the device code).
class TAdvancedPage : public QWidget {
 public:
  explicit TAdvancedPage(TAutoSeq& work, QWidget* parent = nullptr);
  void load();
  void store();  // a defibrillator's trigger mode and device code

 private:
  TAutoSeq& work_;
  QComboBox *trigger_, *timer_;
};
