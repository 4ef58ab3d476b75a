#pragma once
#include "savefile.h"

#include <QList>
#include <QStringList>
#include <optional>

class QPagedPaintDevice;
class QPaintDevice;

// Prints documents of fixed-width lines on a printer that is set up and chosen,
// or any paged device: "Courier New" 10 points, 200 units of margin, each
// document from a new page, lines cut at the right margin.
// Returns false when the device could not be started.
bool printLines(QPagedPaintDevice& device, const QList<QStringList>& documents);

// The line height the device gives the font: the sample text's height + 10.
int printLineHeight(QPaintDevice& device);

// The same printout as an A4 PDF file at 1,200 dots per inch, written through
// the one save helper, so a full disk is a failure and an old file stays whole.
std::optional<SaveFailure> printLinesToPdf(const QString& path, const QList<QStringList>& documents);
