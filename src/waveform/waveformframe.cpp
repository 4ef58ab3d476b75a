#include "waveform/waveformframe.h"

#include "analyzer/systeminfo.h"
#include "core/fileprompts.h"
#include "core/initialdir.h"
#include "core/recordkeeper.h"
#include "core/settingsfile.h"
#include "core/toolicons.h"
#include "core/usermessages.h"
#include "device/commprogress.h"
#include "device/transfers.h"
#include "device/transport.h"
#include "grid/frametoolbar.h"
#include "grid/listpage.h"
#include "grid/stringgridex.h"
#include "waveform/wavedecode.h"
#include "waveform/waveformfile.h"
#include "waveform/waveformlist.h"
#include "waveform/waveformviewer.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QToolBar>

using namespace waveformlist;

namespace {
const QString kOpenDialogSection = QStringLiteral("OpenDialogWave");
const QString kOpenErrorCaption = QStringLiteral("Error opening file");
}  // namespace

TWaveformFrame::TWaveformFrame(const AppServices& services, QWidget* parent)
    : TListFrame(parent), services_(services), progress_(std::make_unique<CommProgressHost>(this, *services.messages)) {
  ListColumns columns = recordColumns(records_, kColumnCount, columnHeader, cellText, sortKey, sortKind);
  columns.widths = {106, 64, 64, 64, 302};
  columns.widest = {{QString::number(kWaveRecords.limit)}, {kLongestDeviceId}, longestDateTimeTexts(),
                    {QStringLiteral("Energy"), QStringLiteral("Charge Time"), QStringLiteral("Cardioversion")},
                    {QStringLiteral("15")}};
  columns.maximum = kWaveRecords.limit;
  columns.noun = QStringLiteral("Low Resolution Waveforms");
  addTools(installList(QStringLiteral("sgWaveform"), QStringLiteral("sbWaveform"), std::move(columns),
                       QStringLiteral("tbWaveform"), services_.settings));
  listPage()->addViewMenu([this] { pmViewClick(); });
  connect(grid(), &TStringGridEx::gridDblClick, this, &TWaveformFrame::sgWaveformDblClick);

  setCommands({{FrameCommand::Open, [this] { tbWaveOpenClick(); }},
               {FrameCommand::SelectAll, [this] { selectAll(); }},
               {FrameCommand::Download, [this] { tbWaveDownloadClick(); }},
               {FrameCommand::CaptureWaveform, [this] { tbWaveCaptureClick(); }}});
}

TWaveformFrame::~TWaveformFrame() = default;

void TWaveformFrame::addTools(QToolBar* toolbar) {
  connect(addFrameTool(toolbar, "tbWaveOpen", openIcon(), QStringLiteral("Open Waveform")), &QAction::triggered, this,
          &TWaveformFrame::tbWaveOpenClick);
  connect(addFrameTool(toolbar, "tbWaveDownload", downloadIcon(), QStringLiteral("Download Waveforms")),
          &QAction::triggered, this, &TWaveformFrame::tbWaveDownloadClick);
  connect(addFrameTool(toolbar, "tbWaveCapture", captureIcon(), QStringLiteral("Capture Waveform")),
          &QAction::triggered, this, &TWaveformFrame::tbWaveCaptureClick);
}

void TWaveformFrame::tbWaveDownloadClick() {
  DeviceLink link{*services_.driver, *services_.messages};
  QList<QByteArray> received;
  QString analyzerId;
  const bool done = runDownload(link, *progress_, kWaveRecords, swapWaveRec,
                                [&](const SystemInfo& info, const QList<QByteArray>& blocks) {
                                  received = blocks;
                                  analyzerId = info.analyzerId();
                                  records_.clear();
                                  for (const QByteArray& block : blocks)
                                    records_.append(waveRecordFromBytes(block.constData()));
                                  listPage()->recordsReplaced();
                                });
  // Kept once the list shows them and the dialog its finished text.
  if (done && services_.keeper) services_.keeper->keep(ArchiveKind::WaveRecord, analyzerId, received);
}

void TWaveformFrame::tbWaveCaptureClick() {
  DeviceLink link{*services_.driver, *services_.messages};
  QByteArray captured;
  const bool done = runCapture(link, *progress_, [this, &captured](const QByteArray& block) {
    captured = block;
    openViewer(decodeCapture(block));
  });
  if (done && services_.keeper) services_.keeper->keep(ArchiveKind::Capture, QString(), {captured});
}

void TWaveformFrame::tbWaveOpenClick() {
  SettingsFile& settings = *services_.settings;
  const QString path =
      services_.files->openFile(window(), readInitialDir(settings, kOpenDialogSection),
                                QStringLiteral("CSV Files (*.csv);;All Files (*.*)"), QStringLiteral("csv"));
  if (path.isEmpty()) return;
  if (!QFileInfo::exists(path)) {
    services_.messages->show(QStringLiteral("File does not exist."), kOpenErrorCaption, UserMessages::Icon::Error);
    return;
  }
  writeInitialDir(settings, kOpenDialogSection, QFileInfo(path).absolutePath());
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    services_.messages->show(
        QStringLiteral("Cannot read the file %1.\n%2").arg(QDir::toNativeSeparators(path), file.errorString()),
        kOpenErrorCaption, UserMessages::Icon::Error);
    return;
  }
  const std::variant<Waveform, WaveformFileError> read = readWaveformFile(file.readAll());
  if (const auto* error = std::get_if<WaveformFileError>(&read)) {
    services_.messages->show(error->message(path), kOpenErrorCaption, UserMessages::Icon::Error);
    return;
  }
  openViewer(std::get<Waveform>(read));
}

void TWaveformFrame::pmViewClick() {
  if (grid()->getDispLstSize() == 0) return;
  for (int index : listPage()->selectedIndexes()) openViewer(decodeWaveRecord(records_[index]));
}

void TWaveformFrame::sgWaveformDblClick() {
  const int index = listPage()->currentRecord();
  if (index >= 0) openViewer(decodeWaveRecord(records_[index]));
}

void TWaveformFrame::openViewer(const Waveform& wave) { listPage()->addViewer(new TWaveformViewer(services_, wave)); }
