#pragma once
#include "core/savefile.h"
#include "print/printjob.h"
#include "waveform/waveinfo.h"

#include <QList>
#include <QStringList>
#include <optional>

class QPagedPaintDevice;
class QPainter;
class QPrinter;
class TWaveChart;

// A waveform printed on one landscape page: its text lines from the top (none
// when the viewer's information panel is hidden), each in a band of the line
// height, and the chart as it stands drawn as vectors into the rest of the page,
// 200 device units in from the edges.
void drawWaveformPage(QPainter& painter, QPagedPaintDevice& device, const QStringList& lines, const TWaveChart& chart);

// Prints on the chosen printer (or its PDF file, through the save helper):
// landscape while printing, portrait again after.
PrintOutcome printWaveform(QPrinter& printer, const QStringList& lines, const TWaveChart& chart);

// One page per waveform as Print in a new viewer prints it: the information
// texts shown and the chart fitted as at load. Written through the save helper.
std::optional<SaveFailure> printWaveformsToPdf(const QString& path, const QList<Waveform>& waves);
