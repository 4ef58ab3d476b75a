#pragma once
#include "cli/pdfprinter.h"

#include <QString>
#include <memory>

// Loads the printing module from beside the program (or, installed, from the
// module folder) and starts its graphical layer; null, with the reason in
// `error`, when the module cannot be found or loaded.
std::unique_ptr<PrintingLayer> startPrintingLayer(int& argc, char** argv, QString* error);
