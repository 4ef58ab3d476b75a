#include "listframe.h"

bool TListFrame::supports(FrameCommand command) const {
  for (const FrameCommandEntry& entry : commands_)
    if (entry.command == command) return true;
  return false;
}

bool TListFrame::run(FrameCommand command) const {
  for (const FrameCommandEntry& entry : commands_) {
    if (entry.command != command) continue;
    if (entry.run) entry.run();
    return true;
  }
  return false;
}
