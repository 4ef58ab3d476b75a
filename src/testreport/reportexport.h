#pragma once
#include "core/savefile.h"
#include "testreport/testrecord.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// The files test reports leave the program as: one text file per report, a CSV
// index of them, and a MUP file for import into a maintenance system.

// One report as shown: its record, its index in the list, and its rendered lines.
struct ShownReport {
  TTestRec record;
  int index = 0;
  QStringList lines;
};

// The text file name of a report: the device I.D. without blanks, the nine
// characters no file name may hold and control characters, then the test's date
// and time, for example AB12.2013_03_05.14_05_09.txt. An I.D. with nothing left
// is written as "NoDeviceID", so that no report is silently lost. The name never
// leaves the chosen folder, never starts with a dot (a hidden file), and a
// device name Windows keeps for itself (CON, NUL, COM1, ...) gets a "_" before it.
QString reportFileName(const TTestRec& rec);

// Six quoted fields: device I.D., date and time, test type, device under test,
// verdict and the text file's full path.
QString csvLine(const TTestRec& rec, const QString& textFilePath);

// One MUP line: 17 fixed fields and the report's text, every field quoted and
// followed by a comma; a "~" field marks each line break.
QString mupLine(const ShownReport& report);

// The proposed MUP file name: month, day, hour and minute, then ".mup".
QString mupProposedName(const QDateTime& now);

// Each writes whole files or nothing (saveWholeFile). On a failure the files
// already written stay, the rest are not written, and the failure names the file.
std::optional<SaveFailure> saveTextFiles(const QList<ShownReport>& reports, const QString& folder);
std::optional<SaveFailure> saveCsv(const QList<ShownReport>& reports, const QString& csvPath);
std::optional<SaveFailure> saveMup(const QList<ShownReport>& reports, const QString& mupPath);
