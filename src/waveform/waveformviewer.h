#pragma once
#include "appservices.h"
#include "waveinfo.h"

#include <QMainWindow>

// A window on one waveform: its information texts, each under its control's
// name, and its points. The chart, zoom, saving and printing come with the full
// viewer; this one shows the texts and how many points there are.
class TWaveformViewer : public QMainWindow {
  Q_OBJECT
 public:
  TWaveformViewer(const AppServices& services, const Waveform& wave);
  ~TWaveformViewer() override;

  const Waveform& waveform() const { return wave_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void saveGeometry();

  AppServices services_;
  Waveform wave_;
  bool geometrySaved_ = false;
};
