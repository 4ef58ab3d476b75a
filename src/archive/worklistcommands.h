#pragma once

class Archive;
class QWidget;
struct AppServices;

// Print Worklist... and Export Worklist...: the devices of the archive due
// within the days the user chooses (the overdue ones too), grouped by
// location with a box to tick on the round; printed, or written as a PDF file
// or as CSV rows, as the file's type says. A read or a write that fails is said.
void printWorklist(QWidget* owner, const AppServices& services, const Archive& archive);
void exportWorklist(QWidget* owner, const AppServices& services, const Archive& archive);
