#pragma once
#include <QStringList>

class PdfPrinter;

// True when the command line asks for a printout (--pdf), the one kind of work
// that needs the graphical layer.
bool asksForPrintout(const QStringList& arguments);

// Reads the command line of kalyx5pc-cli and runs its command; returns the
// process exit status (0, 1 when the work failed, 2 for a command line that
// names no command). `printer` makes the printouts; it is given when
// asksForPrintout said so.
int runCommandLine(const QStringList& arguments, PdfPrinter* printer);
