#pragma once
#include <QList>
#include <QStringList>

class QPrinter;

// Prints reports on a printer that is set up and chosen: "Courier New" 10 points,
// 200 units of margin, each report from a new page, lines cut at the right margin.
// Returns false when the printer could not be started.
bool printReports(QPrinter& printer, const QList<QStringList>& reports);

// The line height the printer gives the report font: the sample text's height + 10.
int reportLineHeight(QPrinter& printer);
