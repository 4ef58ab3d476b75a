#pragma once
#include <QList>
#include <QStringList>

// Where each line of a printout goes: lines of a document fill pages of
// `linesPerPage` lines, and every document starts on a page of its own.
struct PlacedLine {
  int slot;      // the line's position on its page, from 0
  QString text;
};
using PrintedPage = QList<PlacedLine>;

QList<PrintedPage> layoutPages(const QList<QStringList>& documents, int linesPerPage);

// Lines per page for a page height and a line height in printer units: the
// page less 400 units of margins, in whole lines, and never less than one.
int linesPerPage(int pageHeight, int lineHeight);

// The sample text whose printed height, plus 10 units, is the line height.
QString lineHeightSample();
