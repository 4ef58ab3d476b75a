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
// reports) are written in the system's encoding (UTF-8 on Linux, the ANSI code
// page on Windows), or the one named by `codec`, and read with the same rule:
// bytes that are valid UTF-8 are UTF-8 (a file from Linux or a spreadsheet's
// UTF-8 export), else the text is read in that encoding, else (bytes no text
// there) as Windows-1252. A code page's national letters are never valid UTF-8
// in practice, so what the program wrote comes back unchanged.
QByteArray encodeFileText(const QString& text, const char* codec = nullptr);
QString decodeFileText(const QByteArray& bytes, const char* codec = nullptr);
bool isValidUtf8(QByteArrayView bytes);
