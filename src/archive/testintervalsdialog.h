#pragma once
#include "archive/devicedue.h"

#include <QDialog>

class QSpinBox;

// Test Intervals: the months between tests of each type of device, where a
// device has no interval of its own, and how many days ahead counts as due.
class TTestIntervalsDialog : public QDialog {
  Q_OBJECT
 public:
  TTestIntervalsDialog(const DuePolicy& policy, QWidget* parent);
  DuePolicy policy() const;

 private:
  QSpinBox* defibrillator_;
  QSpinBox* aed_;
  QSpinBox* pacemaker_;
  QSpinBox* dueWithin_;
};
