#pragma once
#include "simulator/analyzermemory.h"

#include <QString>
#include <optional>

// Reads an analyzer memory from a dump folder: sysinfo.bin (the system-information
// block), autoseq.bin, reports.bin, waves.bin (records back to back, wire order)
// and capture.bin (capture blocks, sent one per capture in turn); every file may
// be missing. Without sysinfo.bin the analyzer I.D. is "SIMULATOR" and the
// counts follow the files.
// Returns nothing and sets `error` when a file cannot be read or is not whole blocks.
std::optional<AnalyzerMemory> loadDumpFolder(const QString& folder, QString* error);
