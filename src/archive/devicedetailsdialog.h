#pragma once
#include "archive/archive.h"

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;
class QSpinBox;

// Device Details: where a device is kept, its own test interval (none: its
// type's) and a note.
class TDeviceDetailsDialog : public QDialog {
  Q_OBJECT
 public:
  TDeviceDetailsDialog(const Archive::DeviceDetail& detail, QWidget* parent);
  Archive::DeviceDetail detail() const;

 private:
  QString device_;
  QLineEdit* location_;
  QSpinBox* interval_;
  QPlainTextEdit* note_;
};
