#pragma once
#include "core/recordkeeper.h"

#include <QString>

// "report", "wave" or "capture": the kind as the command line lists it.
QString archiveKindName(ArchiveKind kind);

// The size of one record of the kind: a test record, a wave record, a capture block.
int archiveRecordSize(ArchiveKind kind);
