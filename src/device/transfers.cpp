#include "device/transfers.h"

#include "analyzer/systeminfo.h"
#include "core/usermessages.h"
#include "device/analyzerdriver.h"
#include "device/headlessprogress.h"
#include "device/transferprogress.h"
#include "device/transport.h"

#include <cstring>

bool runDownload(DeviceLink& link, ProgressHost& host, const RecordKind& kind, SwapRoutine swapRecord,
                 const RecordSink& accept, quint32 timeoutMs) {
  const TransferClaim claim(link.driver);
  if (!claim) return false;
  if (openDevice(link) != 0) return false;
  TransferProgress& progress = host.beginProgress(downloadCaption(kind), downloadProgressMaximum(kind), timeoutMs);

  QByteArray block(kSystemInfoSize, '\0');
  if (getSystemInfo(link, block.data(), progress) != 0) {
    progress.closeProgress();
    return false;
  }
  const SystemInfo systemInfo(block);
  const int n = systemInfo.count(kind);
  if (n > kind.limit || n == 0) {
    closeDevice(link);
    progress.closeProgress();
    if (n > kind.limit)
      link.messages.show(tooManyText(kind), tooManyCaption(kind), UserMessages::Icon::Error);
    else
      link.messages.show(nothingToDownloadText(kind), nothingToDownloadCaption(), UserMessages::Icon::Information);
    return false;
  }

  progress.setProgressText(downloadCaption(kind));
  sendCommand(link, kind.letters);
  QByteArray buffer(qsizetype(kind.limit) * kind.blockSize, '\0');
  if (readBlocks(link, buffer.data(), n, progress, quint32(kind.blockSize)) != 0) {
    progress.closeProgress();
    closeDevice(link);
    return false;
  }
  progress.stopTimeout();

  QList<QByteArray> records;
  records.reserve(n);
  for (int i = 0; i < n; ++i) {
    char* record = buffer.data() + qsizetype(i) * kind.blockSize;
    if (swapRecord) swapRecord(record);
    records.append(QByteArray(record, kind.blockSize));
  }
  accept(systemInfo, records);
  progress.setProgressText(finishedDownloadText(kind));
  progress.finishProgress();
  closeDevice(link);
  return true;
}

bool runUpload(DeviceLink& link, ProgressHost& host, const QList<QByteArray>& autoSeqs, SwapRoutine swapAutoSeq,
               quint32 timeoutMs) {
  if (autoSeqs.isEmpty()) return false;
  const TransferClaim claim(link.driver);
  if (!claim) return false;
  if (openDevice(link) != 0) return false;
  const int n = int(qMin<qsizetype>(autoSeqs.size(), kAutoSeqRecords.limit));
  const int size = kAutoSeqRecords.blockSize;
  const QString caption = QStringLiteral("Uploading autosequences...");
  TransferProgress& progress = host.beginProgress(caption, n, timeoutMs);

  QByteArray systemInfo(kSystemInfoSize, '\0');
  if (getSystemInfo(link, systemInfo.data(), progress) != 0) {
    progress.closeProgress();
    return false;
  }
  progress.setProgressText(caption);
  sendCommand(link, kUploadCommand);
  const char count = char(quint8(n));
  writeDevice(link, &count, 1);

  // The list stays in host order; its copies in the send buffer are converted.
  QByteArray buffer(qsizetype(n) * size, '\0');
  for (int i = 0; i < n; ++i) {
    char* record = buffer.data() + qsizetype(i) * size;
    memcpy(record, autoSeqs[i].constData(), size_t(qMin<qsizetype>(autoSeqs[i].size(), size)));
    if (swapAutoSeq) swapAutoSeq(record);
  }
  const bool ok = writeBlocks(link, buffer.constData(), n, progress, quint32(size)) == 0;
  closeDevice(link);
  if (ok) {
    progress.setProgressText(QStringLiteral("Finished uploading autosequences."));
    progress.finishProgress();
  } else {
    progress.closeProgress();
  }
  return ok;
}

bool runCapture(DeviceLink& link, ProgressHost& host, const std::function<void(const QByteArray& block)>& accept,
                quint32 timeoutMs) {
  const TransferClaim claim(link.driver);
  if (!claim) return false;
  if (openDevice(link) != 0) return false;
  TransferProgress& progress =
      host.beginProgress(QStringLiteral("Downloading real-time wave data..."), kCaptureBlockSize, timeoutMs);
  QByteArray block(kCaptureBlockSize, '\0');
  sendCommand(link, kCaptureCommand);
  const bool ok = readBlocks(link, block.data(), kCaptureBlockSize, progress, 1) == 0;
  progress.stopTimeout();
  closeDevice(link);
  if (ok) accept(block);
  progress.closeProgress();
  return ok;
}

namespace {
// Takes every message and shows none.
class UnsaidMessages : public UserMessages {
 public:
  Result show(const QString&, const QString&, Icon, Buttons) override { return Result::Ok; }
};
}  // namespace

QString readAnalyzerId(AnalyzerDriver& driver, quint32 timeoutMs) {
  UnsaidMessages unsaid;
  DeviceLink link{driver, unsaid};
  HeadlessProgressHost host(unsaid);
  const TransferClaim claim(driver);
  if (!claim || openDevice(link) != 0) return QString();
  TransferProgress& progress = host.beginProgress(QString(), 1, timeoutMs);
  QByteArray block(kSystemInfoSize, '\0');
  const bool read = getSystemInfo(link, block.data(), progress) == 0;
  closeDevice(link);
  progress.closeProgress();
  return read ? SystemInfo(block).analyzerId() : QString();
}
