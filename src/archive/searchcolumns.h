#pragma once
#include "archive/archivekind.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

// What the archive keeps beside a record's bytes so that it can be found again,
// read from the bytes by the subsystems' own code, as the lists show it.
struct SearchColumns {
  QString device;      // the device I.D. as the lists show it
  QDateTime tested;    // the test's date and time (wall clock, as UTC); invalid when the record holds no valid date
  QString title;       // "Autosequence 2", "Manual"; a waveform's test type ("Energy", "Pacer Pulse")
  int dutType = 0;     // test reports: the device-under-test type byte
  bool passed = false; // test reports: the overall verdict
  int autoSeq = 0;     // test reports: the autosequence number, 0 for a manual test
};

// The columns of a record as the program holds it: a test record or wave record
// in host order, a capture block as received. A record of the wrong size has none.
SearchColumns searchColumns(ArchiveKind kind, const QByteArray& bytes);
