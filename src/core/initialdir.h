#pragma once
#include <QString>

class SettingsFile;

// The last folder of an open or save dialog, kept under the dialog's section as INITIAL_DIR.
// Reading a section never written gives the current directory. The result always ends
// in a path separator.
QString readInitialDir(const SettingsFile& settings, const QString& section);
void writeInitialDir(SettingsFile& settings, const QString& section, const QString& folder);
