#pragma once
#include "listframe.h"

// The place of a list frame whose subsystem is not built yet: it shows nothing,
// and carries out nothing, but declares the menu commands its subsystem will
// carry, so the main window's menus are enabled as they will be.
class TEmptyFrame : public TListFrame {
 public:
  TEmptyFrame(const QList<FrameCommand>& commands, QWidget* parent = nullptr) : TListFrame(parent) {
    QList<FrameCommandEntry> table;
    for (FrameCommand command : commands) table.append({command, nullptr});
    setCommands(table);
  }
};
