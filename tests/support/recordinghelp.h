#pragma once
#include "core/helpviewer.h"

#include <QStringList>

// Records the help pages asked for and the close-all at shut-down.
class RecordingHelp : public HelpViewer {
 public:
  void showPage(const QString& page) override { pages.append(page); }
  void closeAll() override { ++closeAlls; }
  QStringList pages;
  int closeAlls = 0;
};
