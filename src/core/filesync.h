#pragma once
#include <QString>

// Waits until the file's bytes are on the disk itself, not only in the
// system's cache, as QSaveFile does before it renames (a file written by
// another library, a database's copy, has no such step of its own). False when
// the file cannot be opened or the disk refuses.
bool syncFileToDisk(const QString& path);
