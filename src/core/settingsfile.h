#pragma once
#include <QString>

// The settings file: a plain INI file of "[section]" lines and "key=value" lines,
// read and written the way the platform's profile files are. Every access opens
// the file, reads or writes, and closes it, so a written key is in the file at once.
// Section and key names are found without regard to case; values are taken raw
// (backslashes, commas and semicolons are ordinary characters); lines that are not
// touched by a write are kept byte for byte.
class SettingsFile {
 public:
  explicit SettingsFile(QString path);

  // A missing file, section or key, or a value that is not a decimal integer, gives the default.
  int readInteger(const QString& section, const QString& key, int defaultValue) const;
  QString readString(const QString& section, const QString& key, const QString& defaultValue) const;

  // Returns false when the file could not be written; the old file then stays whole.
  bool writeInteger(const QString& section, const QString& key, int value);
  bool writeString(const QString& section, const QString& key, const QString& value);

 private:
  QString path_;
};
