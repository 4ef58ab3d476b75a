#pragma once
#include "core/appservices.h"
#include "grid/listframe.h"
#include "waveform/waverecord.h"

#include <QList>
#include <memory>

class CommProgressHost;
class QToolBar;
struct Waveform;

// The waveform page: downloads the analyzer's stored pulses and lists them,
// captures one real-time waveform, opens waveform files, and opens a viewer per
// waveform the user asks to see. The records live in memory only.
class TWaveformFrame : public TListFrame {
  Q_OBJECT
 public:
  explicit TWaveformFrame(const AppServices& services, QWidget* parent = nullptr);
  ~TWaveformFrame() override;  // where the progress dialog's type is known

  void tbWaveOpenClick();
  void tbWaveDownloadClick();
  void tbWaveCaptureClick();
  void pmViewClick();

  const QList<WaveRecord>& records() const { return records_; }
  CommProgressHost* progressHost() const { return progress_.get(); }

 private:
  void addTools(QToolBar* toolbar);
  void sgWaveformDblClick();
  void openViewer(const Waveform& wave);

  AppServices services_;
  QList<WaveRecord> records_;
  std::unique_ptr<CommProgressHost> progress_;
};
