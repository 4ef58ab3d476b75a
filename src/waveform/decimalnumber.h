#pragma once
#include <QChar>
#include <QString>

// The decimal separator of the system's locale, with which files and fields are written.
QChar systemDecimalPoint();

// A number in general format with up to 15 significant digits, the decimal
// separator given (the point or the system's).
QString generalNumberText(double value, QChar decimalPoint);

// Reads a finite number written with a point or the given decimal separator,
// blanks around it allowed; false for anything else.
bool readGeneralNumber(const QString& text, QChar decimalPoint, double* value);
