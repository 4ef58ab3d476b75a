#pragma once
#include <QString>

// The kinds of record the archive keeps. The numbers are stored in the archive
// file and never change.
enum class ArchiveKind { TestReport = 1, WaveRecord = 2, Capture = 3 };

// "report", "wave" or "capture": the kind as the command line lists it.
QString archiveKindName(ArchiveKind kind);

// The size of one record of the kind: a test record, a wave record, a capture block.
int archiveRecordSize(ArchiveKind kind);
