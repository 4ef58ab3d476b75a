#include "grid/listframe.h"

#include "grid/frametoolbar.h"
#include "grid/listpage.h"

#include <QHBoxLayout>
#include <QToolBar>
#include <QVBoxLayout>

TListFrame::~TListFrame() {
  if (page_ && settings_) page_->saveGridSettings(*settings_);
}

QToolBar* TListFrame::installList(const QString& gridName, const QString& statusBarName, ListColumns columns,
                                  const QString& toolBarName, SettingsFile* settings) {
  page_ = new TListPage(gridName, statusBarName, std::move(columns), this);
  settings_ = settings;
  auto* bar = new QWidget(page_);
  bar->setFixedHeight(32);
  QToolBar* tools = makeFrameToolBar(bar, toolBarName);
  bar_ = new QHBoxLayout(bar);
  bar_->setContentsMargins(0, 0, 0, 0);
  bar_->addWidget(tools);
  bar_->addStretch(1);
  page_->setTopBar(bar);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(page_);
  return tools;
}

void TListFrame::addToBar(QWidget* widget) { bar_->addWidget(widget); }

TStringGridEx* TListFrame::grid() const { return page_->grid(); }

QString TListFrame::statusText() const { return page_->statusText(); }

void TListFrame::selectAll() { page_->selectAll(); }

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
