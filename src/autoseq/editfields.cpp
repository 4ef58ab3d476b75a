#include "autoseq/editfields.h"

#include "autoseq/autoseqeditrules.h"
#include "autoseq/autoseqtables.h"
#include "core/usermessages.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace {
void fillWaves(QComboBox* combo, const QList<int>& waves, QString (*itemText)(int)) {
  // Its items change with the bank: a steady width that shows most titles whole,
  // the drop-down list as wide as its longest item.
  combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  combo->setMinimumContentsLength(30);
  combo->clear();
  for (int wave : waves) combo->addItem(itemText(wave), wave);
  combo->setCurrentIndex(waves.isEmpty() ? -1 : 0);
}

QList<int> run(int first, int count) {
  QList<int> waves;
  for (int wave = first; wave < first + count; ++wave) waves << wave;
  return waves;
}
}  // namespace

QLineEdit* makeNumberEdit(const char* name, const char* hint, int maxLength, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setToolTip(QString::fromLatin1(hint));
  edit->setMaxLength(maxLength);
  edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('0')) * (maxLength + 2) + 12);
  return edit;
}

QComboBox* makeDropDown(const char* name, QWidget* parent) {
  auto* combo = new QComboBox(parent);
  combo->setObjectName(QString::fromLatin1(name));
  combo->setEditable(false);
  combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  return combo;
}

void fillToleranceCombo(QComboBox* combo) {
  combo->clear();
  for (unsigned code = 1; code <= 4; ++code) combo->addItem(autoSeqToleranceText(code));
}

void fillScaleCombo(QComboBox* combo) {
  combo->clear();
  for (unsigned scale = 0; scale < 3; ++scale) combo->addItem(autoSeqScaleText(scale));
  combo->setCurrentIndex(0);
}

void fillWaveCombo(QComboBox* combo, int first, int count) { fillWaves(combo, run(first, count), waveItemText); }

void fillWaveCombo(QComboBox* combo, const QList<int>& waves) { fillWaves(combo, waves, waveItemText); }

void fillEcgPerformanceWaveCombo(QComboBox* combo, int first, int count) {
  fillWaves(combo, run(first, count), ecgPerformanceWaveItemText);
}

void selectItem(QComboBox* combo, int index) { combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1); }

int selectedWave(const QComboBox* combo, int unchanged) {
  return combo->currentIndex() < 0 ? unchanged : combo->currentData().toInt();
}

int selectedIndexOr(const QComboBox* combo, int none) { return combo->currentIndex() < 0 ? none : combo->currentIndex(); }

void showInvalidData(UserMessages& messages, const QString& text) {
  messages.show(text, QStringLiteral("Invalid data entered"), UserMessages::Icon::Warning);
}

bool validateIntEdit(QLineEdit* edit, int min, int max, UserMessages& messages) {
  const std::optional<int> value = readIntegerText(edit->text());
  QString problem;
  if (!value) problem = QStringLiteral(" must be a valid integer.");
  else if (*value < min || *value > max)
    problem = QStringLiteral(" must be between %1 and %2").arg(min).arg(max);
  if (problem.isEmpty()) return true;
  showInvalidData(messages, edit->toolTip() + problem);
  focusField(edit);
  return false;
}

void focusField(QWidget* field) {
  field->setFocus(Qt::OtherFocusReason);
  if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->selectAll();
}

QLabel* noteFor(QWidget* field, const QString& note) {
  field->setAccessibleDescription(note);
  return new QLabel(note, field->parentWidget());
}

void addFieldRow(QGridLayout* grid, int row, const QString& label, QWidget* field, const QString& unit) {
  QWidget* parent = field->parentWidget();
  auto* caption = new QLabel(label, parent);
  caption->setBuddy(field);
  grid->addWidget(caption, row, 0);
  if (unit.isEmpty()) {
    grid->addWidget(field, row, 1, Qt::AlignLeft);
    return;
  }
  auto* withUnit = new QHBoxLayout;  // the unit right after its number
  withUnit->addWidget(field);
  withUnit->addWidget(noteFor(field, unit));
  withUnit->addStretch(1);
  grid->addLayout(withUnit, row, 1);
}
