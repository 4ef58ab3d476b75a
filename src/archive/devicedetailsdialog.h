#pragma once
#include "archive/archive.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;

// Device Details: where a device is kept, its own test interval (none: its
// type's) and a note. Given several devices, it sets the location or the
// interval (or both) of all of them, each only where its box is ticked, and
// keeps each device's note and whatever else is not ticked.
class TDeviceDetailsDialog : public QDialog {
  Q_OBJECT
 public:
  TDeviceDetailsDialog(const QList<Archive::DeviceDetail>& details, QWidget* parent);
  // The details as the dialog leaves them, one for each device it was given.
  QList<Archive::DeviceDetail> details() const;

 private:
  QList<Archive::DeviceDetail> given_;
  QLineEdit* location_;
  QSpinBox* interval_;
  QPlainTextEdit* note_ = nullptr;      // one device only
  QCheckBox* setLocation_ = nullptr;    // several devices only
  QCheckBox* setInterval_ = nullptr;
};
