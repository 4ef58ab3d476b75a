#pragma once
#include <QString>

// Where the program keeps its files. The paths are computed once, by the first
// component that needs them; initPaths() may be called again to recompute them
// (tests do so after changing the environment).
void initPaths();
QString programFolder();  // folder of the program file, with a trailing separator
QString dataFolder();     // per-user data folder + "Velmora/Kalyx 5pc/", or programFolder()
QString iniPath();        // dataFolder() + "kalyx5pc.ini"
QString autoSeqPath();    // dataFolder() + "autoseq.dat"

// The per-user roaming application-data folder of the platform, or an empty text
// when none can be determined: $XDG_DATA_HOME (default ~/.local/share) on Linux,
// %APPDATA% on Windows.
QString roamingDataFolder();

// Adds a trailing "/" unless the text already ends in a separator.
QString withTrailingSeparator(const QString& folder);

// A path as the program shows it: in the platform's separators and, on Linux,
// a path in the home folder from "~" ("~/.local/share/Velmora/Kalyx 5pc/archive.sqlite").
QString displayPath(const QString& path);
