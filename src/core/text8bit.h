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

// The text files the program writes and reads back (waveform files, text
// reports) are in one encoding: the system's (UTF-8 on Linux, the ANSI code page
// on Windows), or the one named by `codec`. Reading takes a file in that same
// encoding, so what was written comes back unchanged; a file that begins with a
// UTF-8 byte-order mark is UTF-8, and bytes that are no text in the encoding
// (a file from another system) are read as Windows-1252.
QByteArray encodeFileText(const QString& text, const char* codec = nullptr);
QString decodeFileText(const QByteArray& bytes, const char* codec = nullptr);
bool isValidUtf8(QByteArrayView bytes);
