#pragma once
#include <QString>
#include <QStringList>

// One line of comma text, the form of a waveform file's lines.
//
// Written: a field holding a character of code 32 or less, a double quote or a
// comma is put in double quotes, a quote inside doubled; fields are joined by
// single commas; an empty last field (a list of one empty field too) is written
// as "", so that it is read back.
//
// Read: characters of code 1..32 are skipped before a field; a quoted field runs
// to its closing quote (a doubled quote stands for one); an unquoted field runs
// up to a comma or a character of code 32 or less, so a blank also ends it; a
// comma after a field is skipped with the blanks around it and two commas in a
// row give an empty field; a comma that ends the line adds none ("1.5," holds
// one field, as spreadsheets end their lines). A NUL ends the line.
QString writeCommaText(const QStringList& fields);
QStringList readCommaText(const QString& line);
