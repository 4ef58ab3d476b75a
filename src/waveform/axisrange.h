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

// Reads the four fields (time min, time max, current min, current max). A number
// may use the system's decimal separator or a point, so a value typed as the
// fields show it always reads back.
std::variant<AxisRanges, AxisRangeError> readAxisRanges(const QStringList& fields, QChar decimalPoint);
