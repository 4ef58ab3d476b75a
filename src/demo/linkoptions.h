#pragma once
#include <QString>
#include <QStringList>
#include <memory>

class AnalyzerDriver;

// How a program reaches the analyzer, from its command line and environment:
// --port PATH or KALYX5PC_PORT names a serial port, --demo uses the built-in
// simulator with its sample memory and --demo DIR with a dump folder; otherwise
// the analyzer is found by its USB description.
struct LinkOptions {
  QString port;
  bool demo = false;
  QString demoFolder;
};

// Takes --port and --demo [DIR] (also --port=PATH, --demo=DIR) out of the
// arguments. The word after --demo is its folder unless it is an option or one
// of `commandWords`. Returns false with `error` set when --port has no path.
bool takeLinkOptions(QStringList* arguments, const QStringList& commandWords, LinkOptions* options, QString* error);

// Creates the driver the options call for. Returns null with `error` set when
// the dump folder cannot be read.
std::unique_ptr<AnalyzerDriver> createDriver(const LinkOptions& options, QString* error);

// The lines the programs' --help shows for these options.
QString linkOptionsHelp();
