#pragma once
#include "maintenance/historypoint.h"

#include <QList>
#include <QString>

class Archive;
struct ArchiveFailure;

// A device's test reports from the archive, oldest first (a row of the wrong
// size is left out, never read past its end). A read that fails gives none,
// with `failure` saying why: never part of a history.
QList<DeviceTest> deviceTests(const Archive& archive, const QString& device, ArchiveFailure* failure);
