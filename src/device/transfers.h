#pragma once
#include "byteorder.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>

struct DeviceLink;
class ProgressHost;

// One row of the download command table: what "GA", "GT" and "GW" send, how many
// blocks of which size follow, and the texts the user sees.
struct DownloadCommand {
  const char* letters;
  QString caption;
  int progressMaximum;
  int countByte;
  int limit;
  int blockSize;
  SwapRoutine swapRecord;
  QString tooManyText;
  QString tooManyCaption;
  QString noneText;
  QString finishedText;
};

DownloadCommand autoSeqDownload(SwapRoutine swapAutoSeq);
DownloadCommand testReportDownload(SwapRoutine swapTestRec);
DownloadCommand waveRecordDownload(SwapRoutine swapWaveRec);

constexpr quint32 kTransferTimeoutMs = 5000;
constexpr int kCaptureBlockSize = 10306;
constexpr int kAutoSeqSize = 276;

// Receives the records of a successful download, in order of arrival and in host
// order, with the system-information block. It is called only when every block
// has arrived, before the dialog shows the finished text.
using RecordSink = std::function<void(const QByteArray& systemInfo, const QList<QByteArray>& records)>;

// Downloads the records of one command. Returns true when the records were handed over.
bool runDownload(DeviceLink& link, ProgressHost& host, const DownloadCommand& command, const RecordSink& accept,
                 quint32 timeoutMs = kTransferTimeoutMs);

// Uploads autosequences ("PA"), given in host order; an empty list opens no link.
bool runUpload(DeviceLink& link, ProgressHost& host, const QList<QByteArray>& autoSeqs, SwapRoutine swapAutoSeq,
               quint32 timeoutMs = kTransferTimeoutMs);

// Captures one real-time waveform ("WD"): 10,306 bytes read one byte per step.
// `accept` receives the block as it came, in wire order.
bool runCapture(DeviceLink& link, ProgressHost& host, const std::function<void(const QByteArray& block)>& accept,
                quint32 timeoutMs = kTransferTimeoutMs);
