#pragma once
#include <QList>
#include <QWidget>
#include <functional>

class SettingsFile;
class TListPage;

// The main window's menu commands that go to the frame showing.
enum class FrameCommand { New, Open, Print, Copy, Delete, SelectAll, Download, Upload, CaptureWaveform, SearchFocus };

// One row of a frame's command table: a command, and what the frame does for it.
struct FrameCommandEntry {
  FrameCommand command;
  std::function<void()> run;
};

// A list frame as the main window sees it. Each frame declares, in one table,
// the menu commands it carries out; the main window enables its items and routes
// them by asking the frame that shows.
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

 protected:
  void setCommands(QList<FrameCommandEntry> table) { commands_ = std::move(table); }
  // The page fills the frame; its grid settings go to `settings` when the frame is destroyed.
  void installPage(TListPage* page, SettingsFile* settings);

 private:
  QList<FrameCommandEntry> commands_;
  TListPage* page_ = nullptr;
  SettingsFile* settings_ = nullptr;
};
