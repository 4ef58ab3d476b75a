#pragma once
#include "core/appservices.h"
#include "grid/listframe.h"

#include <QMainWindow>
#include <QMap>

class QAction;
class QStackedWidget;
class QTabBar;
class TAutoSeqFrame;
class TTestReportFrame;
class TWaveformFrame;

// The program's main window: three list frames under a tab strip, the menus that
// route their commands to the frame showing, and the window layout kept in the settings.
class TQalMain : public QMainWindow {
  Q_OBJECT
 public:
  explicit TQalMain(const AppServices& services, QWidget* parent = nullptr);
  ~TQalMain() override;

  int frameIndex() const;
  void showFrame(int index);
  TAutoSeqFrame* autoSeqFrame() const { return autoSeqWindow_; }
  TTestReportFrame* testReportFrame() const { return testReportWindow_; }
  TWaveformFrame* waveformFrame() const { return waveformWindow_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildMenus();
  QAction* addItem(QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut);
  QAction* addCommand(QMenu* menu, FrameCommand command, const char* name, const QString& caption,
                      const QKeySequence& shortcut);
  void applyEnabling();
  void loadWindowState();
  void saveWindowState();

  void shutDown();
  void mmCheckConnectionClick();
  void mmAboutClick();
  void showMainMenuClick();
  void radShowFrameClick();

  AppServices services_;
  QTabBar* tabMenu_ = nullptr;
  QStackedWidget* stack_ = nullptr;
  TListFrame* frames_[3] = {};
  TAutoSeqFrame* autoSeqWindow_ = nullptr;
  TTestReportFrame* testReportWindow_ = nullptr;
  TWaveformFrame* waveformWindow_ = nullptr;

  QMap<FrameCommand, QAction*> commandItems_;
  QAction* mmShowMainMenu_ = nullptr;
  QAction* radFrames_[3] = {};
  bool shutDown_ = false;
};
