#pragma once
#include "core/savefile.h"

#include <functional>
#include <optional>

class QPagedPaintDevice;
class QPrinter;
class UserMessages;

// What became of a print job: whether the printer could be started, and for a
// printout into a PDF file, whether the file was written.
struct PrintOutcome {
  bool started = true;
  std::optional<SaveFailure> failure;
};

// Runs `print` on the printer the print dialog chose. A printer that writes a
// PDF file (Print to File) gets a PDF of the same page layout and resolution
// written through the one save helper instead, so that a full disk is reported
// and an old file of that name stays whole: Qt's own PDF output is not checked.
PrintOutcome runPrintJob(QPrinter& printer, const std::function<bool(QPagedPaintDevice&)>& print);

// Tells the user what went wrong, if anything: "The printer could not be
// started." or the save failure, under the caption "Error printing".
void reportPrintOutcome(const PrintOutcome& outcome, UserMessages& messages);
