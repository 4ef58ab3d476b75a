#pragma once
#include "core/sortitem.h"

#include <QString>

struct WaveRecord;

// What the waveform list shows of its records: five columns and their sort keys.
namespace waveformlist {

constexpr int kColumnCount = 5;

QString columnHeader(int column);  // "No.", "Device ID", "Date", "Test Type", "Test No."
QString cellText(const WaveRecord& rec, int index, int column);
SortKind sortKind(int column);  // text for Device ID and Test Type, numbers for the others
TSortItem sortKey(const WaveRecord& rec, int index, int column);

}  // namespace waveformlist
