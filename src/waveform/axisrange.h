#pragma once
#include <QString>
#include <QStringList>
#include <variant>

// The ranges the Set Chart Axis dialog sets.
struct AxisRanges {
  double timeMin = 0, timeMax = 0, currentMin = 0, currentMax = 0;
};

// Why the dialog's fields give no ranges: the message box's body and caption.
struct AxisRangeError {
  QString text;     // "Invalid Axis"
  QString caption;  // the sentence that says what is wrong
};

// The four fields' texts (time min, time max, current min, current max) as the
// dialog fills them from the axes shown: each value in general format.
QStringList axisFieldTexts(const AxisRanges& shown, QChar decimalPoint);

// Reads the four fields. A number may use the system's decimal separator or a
// point, so a value typed as the fields show it always reads back. A field that
// still holds the text it was filled with stands for the exact value shown,
// which its 15 digits may round: OK without an edit leaves the axes as they were.
std::variant<AxisRanges, AxisRangeError> readAxisRanges(const QStringList& fields, QChar decimalPoint,
                                                        const AxisRanges& shown);
