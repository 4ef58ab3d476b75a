#pragma once
#include <functional>
#include <memory>

class Archive;
class QWidget;
struct AppServices;
struct ArchiveFailure;

// Opens the archive a worklist is read from, on the reading thread.
using WorklistSource = std::function<std::unique_ptr<Archive>(ArchiveFailure*)>;

// Print Worklist... and Export Worklist...: the devices of the archive due
// within the days the user chooses (the overdue ones too), grouped by
// location with a box to tick on the round; printed, or written as a PDF file
// or as CSV rows, as the file's type says. A read or a write that fails is said.
void printWorklist(QWidget* owner, const AppServices& services, const WorklistSource& source);
void exportWorklist(QWidget* owner, const AppServices& services, const WorklistSource& source);
