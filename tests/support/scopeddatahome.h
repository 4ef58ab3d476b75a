#pragma once
#include "core/paths.h"

#include <QByteArray>
#include <QTemporaryDir>

// Points the per-user data folder at a fresh temporary folder for one test and
// recomputes the program's paths; the environment is restored afterwards.
class ScopedDataHome {
 public:
  ScopedDataHome() : old_(qgetenv("XDG_DATA_HOME")), hadOld_(qEnvironmentVariableIsSet("XDG_DATA_HOME")) {
    qputenv("XDG_DATA_HOME", dir_.path().toLocal8Bit());
    initPaths();
  }
  ~ScopedDataHome() {
    if (hadOld_) qputenv("XDG_DATA_HOME", old_);
    else qunsetenv("XDG_DATA_HOME");
    initPaths();
  }
  QString path() const { return dir_.path(); }

 private:
  QTemporaryDir dir_;
  QByteArray old_;
  bool hadOld_;
};
