#pragma once
#include "appservices.h"
#include "listframe.h"
#include "waverecord.h"

#include <QList>
#include <memory>

class CommProgressHost;
class QAction;
class TStringGridEx;
struct Waveform;

// The waveform page: downloads the analyzer's stored pulses and lists them,
// captures one real-time waveform, opens waveform files, and opens a viewer per
// waveform the user asks to see. The records live in memory only.
class TWaveformFrame : public TListFrame {
  Q_OBJECT
 public:
  explicit TWaveformFrame(const AppServices& services, QWidget* parent = nullptr);
  ~TWaveformFrame() override;

  void tbWaveOpenClick();
  void tbWaveDownloadClick();
  void tbWaveCaptureClick();
  void selectAll();
  void pmViewClick();

  TListPage* listPage() const override { return page_; }
  TStringGridEx* grid() const;
  const QList<WaveRecord>& records() const { return records_; }
  CommProgressHost* progressHost() const { return progress_.get(); }
  QString statusText() const;

 private:
  QWidget* buildBar();
  void sgWaveformDblClick();
  void openViewer(const Waveform& wave);

  AppServices services_;
  QList<WaveRecord> records_;
  std::unique_ptr<CommProgressHost> progress_;
  TListPage* page_ = nullptr;
  QAction* pmView_ = nullptr;
};
