#pragma once
#include <QString>

// The version information the program carries: the values the Windows version
// resource holds (translation 0409, code page 04E4), generated from the build's
// project version so that every place reads the same.
struct VersionInfo {
  QString productVersion;
  QString productName;
  QString companyName;
  QString legalCopyright;
};

// The values built into this program.
VersionInfo programVersionInfo();
