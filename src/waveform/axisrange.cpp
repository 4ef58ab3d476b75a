#include "waveform/axisrange.h"

#include "waveform/decimalnumber.h"

namespace {
constexpr double AxisRanges::*kFields[4] = {&AxisRanges::timeMin, &AxisRanges::timeMax, &AxisRanges::currentMin,
                                            &AxisRanges::currentMax};
}

QStringList axisFieldTexts(const AxisRanges& shown, QChar decimalPoint) {
  QStringList texts;
  for (double AxisRanges::*field : kFields) texts << generalNumberText(shown.*field, decimalPoint);
  return texts;
}

std::variant<AxisRanges, AxisRangeError> readAxisRanges(const QStringList& fields, QChar decimalPoint,
                                                        const AxisRanges& shown) {
  const QStringList shownTexts = axisFieldTexts(shown, decimalPoint);
  double values[4] = {0, 0, 0, 0};
  for (int i = 0; i < 4; ++i) {
    if (fields.value(i) == shownTexts[i]) values[i] = shown.*kFields[i];
    else if (!readGeneralNumber(fields.value(i), decimalPoint, &values[i]))
      return AxisRangeError{QStringLiteral("Invalid Axis"), QStringLiteral("An invalid number was entered.")};
  }
  const AxisRanges ranges{values[0], values[1], values[2], values[3]};
  if (!(ranges.timeMax > ranges.timeMin) || !(ranges.currentMax > ranges.currentMin))
    return AxisRangeError{QStringLiteral("Invalid Axis"), QStringLiteral("Maximum axis must be larger than minimum axis.")};
  return ranges;
}
