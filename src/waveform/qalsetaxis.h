#pragma once
#include "waveform/axisrange.h"

#include <QDialog>

class QLineEdit;
class UserMessages;

// The Set Chart Axis dialog: the time and current axes' minimum and maximum, each
// with its unit, pre-filled from the chart. OK reads them and, when they are not
// numbers or a maximum is not above its minimum, says so and stays open. A field
// takes at most 15 typed characters; a longer value it was filled with is kept
// whole, and typing cannot lengthen it.
class TQalSetAxis : public QDialog {
  Q_OBJECT
 public:
  TQalSetAxis(QWidget* owner, const AxisRanges& current, const QString& currentUnit, UserMessages& messages,
              QChar decimalPoint);

  const AxisRanges& ranges() const { return ranges_; }

 private:
  void btnOKClick();

  UserMessages& messages_;
  QChar decimalPoint_;
  QLineEdit* fields_[4] = {};
  const AxisRanges shown_;
  AxisRanges ranges_;
};
