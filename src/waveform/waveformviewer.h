#pragma once
#include "core/appservices.h"
#include "waveform/waveinfo.h"

#include <QMainWindow>

class QAction;
class QMenu;
class QScrollArea;
class QSplitter;
class QToolBar;
class TWaveChart;
class TWaveChartView;
class TWaveInfoPanel;

// A window on one waveform: the chart of current against time beside the
// information panel, with zoom and pan, axis setting, an editable device I.D.
// (which goes into the chart title, the printout and a saved file, never into
// the record or the analyzer), saving to a waveform file and printing. Each
// viewer works on its own copy of the waveform; its own task-bar button; it is
// destroyed when closed, and the last one closed leaves its window settings.
class TWaveformViewer : public QMainWindow {
  Q_OBJECT
 public:
  TWaveformViewer(const AppServices& services, const Waveform& wave);
  ~TWaveformViewer() override;

  const Waveform& waveform() const { return wave_; }
  TWaveChart* chart() const { return chart_; }
  TWaveChartView* chartView() const { return chartView_; }
  TWaveInfoPanel* infoPanel() const { return panel_; }
  bool infoShown() const;

  void tbSaveClick();
  void tbPrintClick();
  void tbZoomInClick();
  void tbZoomOutClick();
  void tbUndoZoomClick();
  void setRectangleZoom(bool on);
  void setDataPointsShown(bool shown);
  void setInfoShown(bool shown);
  void lblDeviceIDClick();
  void mmSetChartAxisClick();
  void mmHelpClick();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildActions();
  QMenu* buildPopup();
  void loadSettings();
  void saveSettings();

  AppServices services_;
  Waveform wave_;
  TWaveChart* chart_ = nullptr;
  TWaveChartView* chartView_ = nullptr;
  TWaveInfoPanel* panel_ = nullptr;
  QScrollArea* panelArea_ = nullptr;
  QSplitter* splitterInfo_ = nullptr;
  QToolBar* tbWaveViewer_ = nullptr;
  QMenu* popup_ = nullptr;
  QAction *tbZoomRect_ = nullptr, *mmZoomRect_ = nullptr;
  QAction *tbShowDataPoints_ = nullptr, *mmShowDataPoints_ = nullptr, *pmShowDataPoints_ = nullptr;
  QAction *mmShowInfo_ = nullptr, *pmShowInfo_ = nullptr;
  int infoWidth_ = 265;
  bool settingsSaved_ = false;
};
