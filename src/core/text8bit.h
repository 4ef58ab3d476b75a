#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The analyzer's 8-bit texts and older text files are Windows-1252.
QString fromWindows1252(QByteArrayView bytes);
QByteArray toWindows1252(const QString& text);  // characters outside the code page become '?'

// Text from a fixed-size field: the bytes up to the first NUL, at most the field's size.
QString fieldText(QByteArrayView field);
// The text without the blanks and control characters at either end.
QString trimmedOfBlanksAndControls(const QString& text);

// File text: UTF-8 when the bytes are valid UTF-8, else Windows-1252.
QString decodeFileText(const QByteArray& bytes);
bool isValidUtf8(QByteArrayView bytes);
