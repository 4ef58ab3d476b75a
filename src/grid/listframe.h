#pragma once
#include "grid/listpage.h"

#include <QList>
#include <QWidget>
#include <functional>

class QHBoxLayout;
class QToolBar;
class SettingsFile;
class TStringGridEx;

// The main window's menu commands that go to the frame showing.
enum class FrameCommand { New, Open, Print, Copy, Delete, SelectAll, Download, Upload, CaptureWaveform, SearchFocus };

// One row of a frame's command table: a command, and what the frame does for it.
struct FrameCommandEntry {
  FrameCommand command;
  std::function<void()> run;
};

// A list frame as the main window sees it. Each frame declares, in one table,
// the menu commands it carries out; the main window enables its items and routes
// them by asking the frame that shows. The frame's list page, its bar and its
// grid settings are kept here: a frame states only its columns, tools and commands.
class TListFrame : public QWidget {
 public:
  using QWidget::QWidget;
  // Writes the list page's grid settings, as the frame goes.
  ~TListFrame() override;

  bool supports(FrameCommand command) const;
  // Carries the command out; false when the frame has no such command.
  bool run(FrameCommand command) const;
  // The frame's list page, or null for a frame without a list yet.
  TListPage* listPage() const { return page_; }
  TStringGridEx* grid() const;
  QString statusText() const;
  void selectAll();  // every record shown, none that a search hides

 protected:
  void setCommands(QList<FrameCommandEntry> table) { commands_ = std::move(table); }
  // The list page fills the frame: on top a bar 32 pixels high with the frame's
  // tool bar (named `toolBarName`, returned for the frame's tools) at its left,
  // the grid of `columns` (named `gridName`), the status bar (`statusBarName`).
  // The grid's settings go to `settings` when the frame is destroyed.
  QToolBar* installList(const QString& gridName, const QString& statusBarName, ListColumns columns,
                        const QString& toolBarName, SettingsFile* settings);
  // Puts a widget at the right end of the frame's bar.
  void addToBar(QWidget* widget);

 private:
  QList<FrameCommandEntry> commands_;
  TListPage* page_ = nullptr;
  QHBoxLayout* bar_ = nullptr;
  SettingsFile* settings_ = nullptr;
};
