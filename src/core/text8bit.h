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
// page on Windows), or the one named by `codec`, and read with the same one
// rule: in that encoding, so that what the program wrote comes back letter for
// letter on every code page. A file that starts with UTF-8's byte-order mark (a
// spreadsheet's UTF-8 export) is UTF-8; bytes that are no text in the encoding
// are UTF-8 where they are valid UTF-8, else Windows-1252.
QByteArray encodeFileText(const QString& text, const char* codec = nullptr);
QString decodeFileText(const QByteArray& bytes, const char* codec = nullptr);
bool isValidUtf8(QByteArrayView bytes);
