#include "archive/devicedetailsdialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>

namespace {
// The devices a dialog for several names: the first few, and how many more.
QString severalNames(const QList<Archive::DeviceDetail>& details) {
  constexpr int kNamed = 5;
  QStringList names;
  for (int i = 0; i < details.size() && i < kNamed; ++i)
    names << (details[i].device.isEmpty() ? QStringLiteral("(no I.D.)") : details[i].device);
  QString text = QStringLiteral("%1 devices: %2").arg(details.size()).arg(names.join(QStringLiteral(", ")));
  if (details.size() > kNamed) text += QStringLiteral(" and %1 more").arg(details.size() - kNamed);
  return text;
}

// A field that is set for every device only when its box is ticked.
QCheckBox* tickToSet(const QString& text, const QString& name, QWidget* field, QWidget* parent) {
  auto* box = new QCheckBox(text, parent);
  box->setObjectName(name);
  field->setEnabled(false);
  QObject::connect(box, &QCheckBox::toggled, field, &QWidget::setEnabled);
  return box;
}
}  // namespace

TDeviceDetailsDialog::TDeviceDetailsDialog(const QList<Archive::DeviceDetail>& details, QWidget* parent)
    : QDialog(parent), given_(details) {
  setObjectName(QStringLiteral("DeviceDetailsDialog"));
  setWindowTitle(QStringLiteral("Device Details"));
  const bool one = details.size() == 1;
  const Archive::DeviceDetail first = details.value(0);
  location_ = new QLineEdit(one ? first.location : QString(), this);
  location_->setObjectName(QStringLiteral("txtDeviceLocation"));
  interval_ = new QSpinBox(this);
  interval_->setObjectName(QStringLiteral("spinDeviceInterval"));
  interval_->setRange(0, 120);  // 0: none of its own
  interval_->setSpecialValueText(QStringLiteral("Its type's"));
  interval_->setSuffix(QStringLiteral(" months"));
  interval_->setValue(one ? first.intervalMonths.value_or(0) : 0);
  interval_->setAccessibleDescription(QStringLiteral("1 to 120 months, or its type's"));
  auto* form = new QFormLayout;
  auto* devices = new QLabel(this);
  devices->setTextFormat(Qt::PlainText);
  devices->setWordWrap(!one);
  if (one) {
    devices->setText(first.device.isEmpty() ? QStringLiteral("(no I.D.)") : first.device);
    note_ = new QPlainTextEdit(first.note, this);
    note_->setObjectName(QStringLiteral("txtDeviceNote"));
    note_->setTabChangesFocus(true);
    form->addRow(QStringLiteral("Device ID:"), devices);
    form->addRow(QStringLiteral("&Location:"), location_);
    form->addRow(QStringLiteral("Test &interval:"), interval_);
    form->addRow(QStringLiteral("&Note:"), note_);
  } else {
    devices->setText(severalNames(details));
    form->addRow(devices);
    setLocation_ = tickToSet(QStringLiteral("Set the &location of all"), QStringLiteral("cboxSetLocation"), location_, this);
    setInterval_ = tickToSet(QStringLiteral("Set the test &interval of all"), QStringLiteral("cboxSetInterval"),
                             interval_, this);
    location_->setAccessibleName(QStringLiteral("Location"));
    interval_->setAccessibleName(QStringLiteral("Test interval"));
    form->addRow(setLocation_, location_);
    form->addRow(setInterval_, interval_);
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
}

QList<Archive::DeviceDetail> TDeviceDetailsDialog::details() const {
  const QString location = location_->text().trimmed();
  const std::optional<int> interval = interval_->value() == 0 ? std::nullopt : std::optional(interval_->value());
  QList<Archive::DeviceDetail> result = given_;
  for (Archive::DeviceDetail& d : result) {
    if (!setLocation_ || setLocation_->isChecked()) d.location = location;
    if (!setInterval_ || setInterval_->isChecked()) d.intervalMonths = interval;
    if (note_) d.note = note_->toPlainText();
  }
  return result;
}
