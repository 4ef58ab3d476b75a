#pragma once
#include "device/linkdiagnosis.h"

class AnalyzerDriver;
struct LinkOptions;

// The whole check of the way to the analyzer, as "kalyx5pc-cli diagnose" prints it
// and Help > Check Analyzer Connection shows it: the system's findings, then the
// analyzer is asked for its I.D. and record counts through `driver`.
QList<LinkFinding> checkConnection(const LinkOptions& options, AnalyzerDriver& driver,
                                   const SystemRoots& roots = SystemRoots());
