#pragma once
#include "archive/archive.h"

#include <QList>
#include <QString>
#include <memory>

// The archive benchmarks' common ground: an archive of 1,000,000 test reports of
// 20,000 devices, made once by kalyx5pc-make-archive beside the benchmarks and
// kept for the next run, and the process's resident memory.

// Opens the large archive, making it first when it is not there; null (the
// failure noted) when it cannot be made.
std::unique_ptr<Archive> openLargeArchive();
constexpr int kLargeReports = 1000000;
constexpr int kLargeDevices = 20000;

// `count` reports the large archive does not hold yet (each call gives new ones),
// as the program holds them.
QList<QByteArray> freshReports(int count);

// Resident memory of this process, in MiB (Linux /proc; 0 elsewhere).
double residentMiB();

// One round of the history benchmarks, on a local or the department's archive:
// the histories of `devices` devices of the large archive ("DEV-n"), read with
// their points and the near-limit rule, or read bare by the indexed query of
// the same rows. Each returns its milliseconds.
double historyRound(const Archive& archive, int devices);
double bareHistoryRound(const Archive& archive, int devices);
