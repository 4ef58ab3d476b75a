#pragma once
#include "maintenance/historypoint.h"

#include <QList>
#include <QString>
#include <functional>

class Archive;
struct ArchiveFailure;

// A device's test reports from the archive, oldest first (a row of the wrong
// size is left out, never read past its end). A read that fails gives none,
// with `failure` saying why: never part of a history.
QList<DeviceTest> deviceTests(const Archive& archive, const QString& device, ArchiveFailure* failure);

// Every device's test reports in one pass over the archive, in device order:
// `each` is given each device once with its tests, oldest first (none where
// every report of it was damaged). False, with `failure`, when the read stops
// before its end; false too when `each` returns false, which stops it.
bool eachDeviceTests(const Archive& archive,
                     const std::function<bool(const QString& device, const QList<DeviceTest>& tests)>& each,
                     ArchiveFailure* failure);
