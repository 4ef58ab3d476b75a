#include "grid/listframe.h"

#include "grid/listpage.h"

#include <QVBoxLayout>

TListFrame::~TListFrame() {
  if (page_ && settings_) page_->saveGridSettings(*settings_);
}

void TListFrame::installPage(TListPage* page, SettingsFile* settings) {
  page_ = page;
  settings_ = settings;
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(page);
}

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
