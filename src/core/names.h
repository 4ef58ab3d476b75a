#pragma once
#include <QString>

// The names the program is known by: the data folder and the window captions use them.
inline QString companyName() { return QStringLiteral("Velmora"); }
inline QString productName() { return QStringLiteral("Kalyx 5pc"); }
// The product version of the build's version information, "2.0.2.0".
QString productVersion();
