#pragma once
#include <QList>
#include <QString>

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QWidget;
class UserMessages;

// The pieces every page of the autosequence editor is built from: number edits
// named by their hint, the drop-down lists of tolerances, scales and waveforms,
// and the checks of typed numbers with their messages.

// An edit for a number of at most maxLength characters; its hint names it in messages.
QLineEdit* makeNumberEdit(const char* name, const char* hint, int maxLength, QWidget* parent);
QComboBox* makeDropDown(const char* name, QWidget* parent);  // a list to choose from, no typing

void fillToleranceCombo(QComboBox* combo);  // "±5%" … "±20%": index i is tolerance code i + 1
void fillScaleCombo(QComboBox* combo);      // the three ECG scales, the first selected
// The waveforms first … first + count − 1, each item holding its number.
void fillWaveCombo(QComboBox* combo, int first, int count);
void fillWaveCombo(QComboBox* combo, const QList<int>& waves);
void fillEcgPerformanceWaveCombo(QComboBox* combo, int first, int count);

// Selects item `index`, or nothing when the index is outside the list.
void selectItem(QComboBox* combo, int index);
// The waveform number of the selected item, or `unchanged` when nothing is selected.
int selectedWave(const QComboBox* combo, int unchanged);
// The selected index, or `none` when nothing is selected.
int selectedIndexOr(const QComboBox* combo, int none);

// "Invalid data entered" with a warning icon.
void showInvalidData(UserMessages& messages, const QString& text);
// The edit's text read as a decimal integer from min to max; otherwise the hint
// and " must be a valid integer." or " must be between min and max", and false.
bool validateIntEdit(QLineEdit* edit, int min, int max, UserMessages& messages);
// Puts the cursor into a field the user has to correct.
void focusField(QWidget* field);

// One row of a page's fields: label, control and, where it has one, the unit.
// The note shown beside a field (its unit and range, "Joules (1-360)"), which a
// screen reader reads with the field as its description.
QLabel* noteFor(QWidget* field, const QString& note);
void addFieldRow(QGridLayout* grid, int row, const QString& label, QWidget* field, const QString& unit = {});
