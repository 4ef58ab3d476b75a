#pragma once
#include "appservices.h"

#include <QMainWindow>

class QAction;
class QStackedWidget;
class QTabBar;
class TTestReportFrame;

// The program's main window: three list frames under a tab strip, the menus that
// route their commands to the frame showing, and the window layout kept in the settings.
class TQalMain : public QMainWindow {
  Q_OBJECT
 public:
  explicit TQalMain(const AppServices& services, QWidget* parent = nullptr);
  ~TQalMain() override;

  int frameIndex() const;
  void showFrame(int index);
  TTestReportFrame* testReportFrame() const { return testReportWindow_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildMenus();
  QAction* addItem(QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut);
  void applyEnabling(int index);
  void loadWindowState();
  void saveWindowState();

  void mmOpenClick();
  void mmSelectAllClick();
  void mmDownloadClick();
  void actionSearchFocusExecute();
  void showMainMenuClick();
  void radShowFrameClick();

  AppServices services_;
  QTabBar* tabMenu_ = nullptr;
  QStackedWidget* frames_ = nullptr;
  QWidget* autoSeqWindow_ = nullptr;
  TTestReportFrame* testReportWindow_ = nullptr;
  QWidget* waveformWindow_ = nullptr;

  QAction* mmNew_ = nullptr;
  QAction* mmOpen_ = nullptr;
  QAction* mmPrint_ = nullptr;
  QAction* mmCopy_ = nullptr;
  QAction* mmDelete_ = nullptr;
  QAction* mmSelectAll_ = nullptr;
  QAction* mmUpload_ = nullptr;
  QAction* mmCaptureWaveform_ = nullptr;
  QAction* mmShowMainMenu_ = nullptr;
  QAction* radFrames_[3] = {};
  bool stateSaved_ = false;
};
