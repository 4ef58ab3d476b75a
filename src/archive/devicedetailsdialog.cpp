#include "archive/devicedetailsdialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>

TDeviceDetailsDialog::TDeviceDetailsDialog(const Archive::DeviceDetail& detail, QWidget* parent)
    : QDialog(parent), device_(detail.device) {
  setObjectName(QStringLiteral("DeviceDetailsDialog"));
  setWindowTitle(QStringLiteral("Device Details"));
  location_ = new QLineEdit(detail.location, this);
  location_->setObjectName(QStringLiteral("txtDeviceLocation"));
  interval_ = new QSpinBox(this);
  interval_->setObjectName(QStringLiteral("spinDeviceInterval"));
  interval_->setRange(0, 120);  // 0: none of its own
  interval_->setSpecialValueText(QStringLiteral("Its type's"));
  interval_->setSuffix(QStringLiteral(" months"));
  interval_->setValue(detail.intervalMonths.value_or(0));
  interval_->setAccessibleDescription(QStringLiteral("1 to 120 months, or its type's"));
  note_ = new QPlainTextEdit(detail.note, this);
  note_->setObjectName(QStringLiteral("txtDeviceNote"));
  note_->setTabChangesFocus(true);
  auto* form = new QFormLayout;
  auto* device = new QLabel(detail.device.isEmpty() ? QStringLiteral("(no I.D.)") : detail.device, this);
  device->setTextFormat(Qt::PlainText);
  form->addRow(QStringLiteral("Device ID:"), device);
  form->addRow(QStringLiteral("&Location:"), location_);
  form->addRow(QStringLiteral("Test &interval:"), interval_);
  form->addRow(QStringLiteral("&Note:"), note_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
}

Archive::DeviceDetail TDeviceDetailsDialog::detail() const {
  return {device_, location_->text().trimmed(),
          interval_->value() == 0 ? std::nullopt : std::optional(interval_->value()), note_->toPlainText()};
}
