#pragma once
#include "maintenance/forecast.h"
#include "maintenance/nearlimit.h"

#include <QHash>
#include <QString>
#include <atomic>
#include <optional>

class Archive;
struct ArchiveFailure;

// Every device's near-limit warnings, worked out in one pass over the
// archive's test reports in device order (what sorting the device list by its
// mark needs): far quicker than a history read for each device. None, with
// `failure`, when the read fails part way; none either once `stop` is set.
// With `forecasts`, each device's forecasts from the same pass.
std::optional<QHash<QString, QList<LimitWarning>>> allNearLimitWarnings(const Archive& archive,
                                                                       const std::atomic<bool>& stop,
                                                                       ArchiveFailure* failure,
                                                                       QHash<QString, QList<Forecast>>* forecasts = nullptr);
