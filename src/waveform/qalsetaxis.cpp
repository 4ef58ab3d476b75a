#include "waveform/qalsetaxis.h"

#include "core/usermessages.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {
constexpr int kTypedLength = 15;  // characters a user may type into a field
}

TQalSetAxis::TQalSetAxis(QWidget* owner, const AxisRanges& current, const QString& currentUnit,
                         UserMessages& messages, QChar decimalPoint)
    : QDialog(owner), messages_(messages), decimalPoint_(decimalPoint), shown_(current), ranges_(current) {
  setObjectName(QStringLiteral("QalSetAxis"));
  setWindowTitle(QStringLiteral("Set Chart Axis"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  struct Field {
    const char* name;
    const char* caption;
    QString unit;
  };
  const Field fields[4] = {{"txtTimeMin", "Time Axis Min", QStringLiteral("msec")},
                           {"txtTimeMax", "Time Axis Max", QStringLiteral("msec")},
                           {"txtCurrentMin", "Current Axis Min", currentUnit},
                           {"txtCurrentMax", "Current Axis Max", currentUnit}};
  const QStringList texts = axisFieldTexts(current, decimalPoint_);
  auto* grid = new QGridLayout;
  for (int i = 0; i < 4; ++i) {
    QLineEdit* field = fields_[i] = new QLineEdit(this);
    field->setObjectName(QString::fromLatin1(fields[i].name));
    // The limit is on typing: a longer value shown is not cut, and never grows.
    const auto limitTyping = [field] { field->setMaxLength(std::max(kTypedLength, int(field->text().size()))); };
    field->setMaxLength(std::max(kTypedLength, int(texts[i].size())));
    field->setText(texts[i]);
    connect(field, &QLineEdit::textEdited, field, limitTyping);
    auto* caption = new QLabel(QString::fromLatin1(fields[i].caption), this);
    caption->setBuddy(field);  // a screen reader names the field by its caption
    grid->addWidget(caption, i, 0);
    grid->addWidget(fields_[i], i, 1);
    grid->addWidget(new QLabel(fields[i].unit, this), i, 2);
    field->setAccessibleDescription(fields[i].unit);  // read with the field
  }

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("btnOK"));
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  cancel->setObjectName(QStringLiteral("btnCancel"));
  connect(ok, &QPushButton::clicked, this, &TQalSetAxis::btnOKClick);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok);
  buttons->addWidget(cancel);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(buttons);
}

void TQalSetAxis::btnOKClick() {
  QStringList texts;
  for (QLineEdit* field : fields_) texts << field->text();
  const std::variant<AxisRanges, AxisRangeError> read = readAxisRanges(texts, decimalPoint_, shown_);
  if (const auto* error = std::get_if<AxisRangeError>(&read)) {
    messages_.show(error->text, error->caption, UserMessages::Icon::Error);
    return;
  }
  ranges_ = std::get<AxisRanges>(read);
  accept();
}
