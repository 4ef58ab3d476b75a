#pragma once
#include "core/savefile.h"
#include "print/pagelayout.h"

#include <QList>
#include <QStringList>
#include <functional>
#include <optional>

class QFont;
class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

// Prints documents of fixed-width lines on a printer that is set up and chosen,
// or any paged device: "Courier New" 10 points, 200 units of margin, each
// document from a new page, lines cut at the right margin.
// Returns false when the device could not be started.
bool printLines(QPagedPaintDevice& device, const QList<QStringList>& documents);

// The line height the device gives the font: the sample text's height + 10.
int printLineHeight(QPaintDevice& device);

// "Courier New" 10 points, the font of every printout.
QFont printFont();

// Draws each line in its band: the line in slot s at `left`, from top + s × lineHeight,
// cut at `right` rather than wrapped. The painter's font is used.
void drawLineBands(QPainter& painter, const QList<PlacedLine>& lines, int left, int top, int right, int lineHeight);

// A printout as an A4 PDF file at 1,200 dots per inch, written through the one
// save helper, so a full disk is a failure and an old file stays whole. `print`
// draws on the PDF's pages and says whether it could.
std::optional<SaveFailure> printToPdf(const QString& path, bool landscape,
                                      const std::function<bool(QPagedPaintDevice&)>& print);

// printLines as a PDF file.
std::optional<SaveFailure> printLinesToPdf(const QString& path, const QList<QStringList>& documents);
