#pragma once
#include <QString>
#include <functional>

struct ArchiveFailure;

// Writes a backup of the archive at `source` into `target`: one file, whole
// and consistent at one moment (what another program's write left in the
// journal beside the archive included), that opens as an archive by itself.
// The copy is made beside `target` under a name of its own, put on the disk and
// only then renamed over it, so that a failure (a full disk) leaves no part of
// a file and any old backup as it was. The live archive itself (or its
// journal) is never a target. `progress` is called now and then with the share
// done, in percent, from the calling thread, which keeps handling its events
// meanwhile. False, with `failure`, when no backup was made.
bool backUpArchive(const QString& source, const QString& target, const std::function<void(int)>& progress,
                   ArchiveFailure* failure);
