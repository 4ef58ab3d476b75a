#include "transfers.h"

#include "transferprogress.h"
#include "transport.h"
#include "usermessages.h"

namespace {
DownloadCommand downloadOf(const char* letters, const QString& what, int countByte, int limit, int blockSize,
                           SwapRoutine swap) {
  return DownloadCommand{letters,
                         QStringLiteral("Downloading %1...").arg(what),
                         limit + 1,
                         countByte,
                         limit,
                         blockSize,
                         swap,
                         QStringLiteral("Unexpected number of %1.").arg(what),
                         QStringLiteral("Error downloading %1").arg(what),
                         QStringLiteral("No %1 to download.").arg(what),
                         QStringLiteral("Finished downloading %1.").arg(what)};
}
}  // namespace

DownloadCommand autoSeqDownload(SwapRoutine swap) {
  return downloadOf("GA", QStringLiteral("autosequences"), 36, 32, kAutoSeqSize, swap);
}
DownloadCommand testReportDownload(SwapRoutine swap) {
  return downloadOf("GT", QStringLiteral("test reports"), 34, 50, 736, swap);
}
DownloadCommand waveRecordDownload(SwapRoutine swap) {
  return downloadOf("GW", QStringLiteral("wave records"), 35, 10, 1314, swap);
}

bool runDownload(DeviceLink& link, ProgressHost& host, const DownloadCommand& command, const RecordSink& accept,
                 quint32 timeoutMs) {
  if (openDevice(link) != 0) return false;
  TransferProgress& progress = host.beginProgress(command.caption, command.progressMaximum, timeoutMs);

  QByteArray systemInfo(kSystemInfoSize, '\0');
  if (getSystemInfo(link, systemInfo.data(), progress) != 0) {
    progress.closeProgress();
    return false;
  }
  const int n = static_cast<unsigned char>(systemInfo[command.countByte]);
  if (n > command.limit || n == 0) {
    closeDevice(link);
    progress.closeProgress();
    if (n > command.limit)
      link.messages.show(command.tooManyText, command.tooManyCaption, UserMessages::Icon::Error);
    else
      link.messages.show(command.noneText, QStringLiteral("Nothing to download"), UserMessages::Icon::Information);
    return false;
  }

  progress.setProgressText(command.caption);
  sendCommand(link, command.letters);
  QByteArray buffer(qsizetype(command.limit) * command.blockSize, '\0');
  if (readBlocks(link, buffer.data(), n, progress, quint32(command.blockSize)) != 0) {
    progress.closeProgress();
    closeDevice(link);
    return false;
  }

  QList<QByteArray> records;
  records.reserve(n);
  for (int i = 0; i < n; ++i) {
    char* record = buffer.data() + qsizetype(i) * command.blockSize;
    if (command.swapRecord) command.swapRecord(record);
    records.append(QByteArray(record, command.blockSize));
  }
  accept(systemInfo, records);
  progress.setProgressText(command.finishedText);
  progress.finishProgress();
  closeDevice(link);
  return true;
}

bool runUpload(DeviceLink& link, ProgressHost& host, const QList<QByteArray>& autoSeqs, SwapRoutine swapAutoSeq,
               quint32 timeoutMs) {
  if (autoSeqs.isEmpty()) return false;
  if (openDevice(link) != 0) return false;
  const int n = int(autoSeqs.size());
  const QString caption = QStringLiteral("Uploading autosequences...");
  TransferProgress& progress = host.beginProgress(caption, n, timeoutMs);

  QByteArray systemInfo(kSystemInfoSize, '\0');
  if (getSystemInfo(link, systemInfo.data(), progress) != 0) {
    progress.closeProgress();
    return false;
  }
  progress.setProgressText(caption);
  sendCommand(link, "PA");
  const char count = char(quint8(n));
  writeDevice(link, &count, 1);

  // The list stays in host order; its copies in the send buffer are converted.
  QByteArray buffer(qsizetype(n) * kAutoSeqSize, '\0');
  for (int i = 0; i < n; ++i) {
    char* record = buffer.data() + qsizetype(i) * kAutoSeqSize;
    memcpy(record, autoSeqs[i].constData(), size_t(qMin<qsizetype>(autoSeqs[i].size(), kAutoSeqSize)));
    if (swapAutoSeq) swapAutoSeq(record);
  }
  const bool ok = writeBlocks(link, buffer.constData(), n, progress, kAutoSeqSize) == 0;
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
  if (openDevice(link) != 0) return false;
  TransferProgress& progress =
      host.beginProgress(QStringLiteral("Downloading real-time wave data..."), kCaptureBlockSize, timeoutMs);
  QByteArray block(kCaptureBlockSize, '\0');
  sendCommand(link, "WD");
  const bool ok = readBlocks(link, block.data(), kCaptureBlockSize, progress, 1) == 0;
  closeDevice(link);
  if (ok) accept(block);
  progress.closeProgress();
  return ok;
}
