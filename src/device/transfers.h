#pragma once
#include "analyzer/byteorder.h"
#include "analyzer/recordkinds.h"

#include <QByteArray>
#include <QList>
#include <functional>

class AnalyzerDriver;
struct DeviceLink;
class ProgressHost;
class SystemInfo;

constexpr quint32 kTransferTimeoutMs = 5000;

// Receives the records of a successful download, in order of arrival and in host
// order, with the system-information block. It is called only when every block
// has arrived, before the dialog shows the finished text.
using RecordSink = std::function<void(const SystemInfo& systemInfo, const QList<QByteArray>& records)>;

// Downloads every stored record of one kind ("GA", "GT" or "GW"), converting each
// with `swapRecord`. Returns true when the records were handed over. A transfer
// that starts while another holds the link is refused at once and shows nothing.
bool runDownload(DeviceLink& link, ProgressHost& host, const RecordKind& kind, SwapRoutine swapRecord,
                 const RecordSink& accept, quint32 timeoutMs = kTransferTimeoutMs);

// Uploads autosequences ("PA"), given in host order; an empty list opens no link.
bool runUpload(DeviceLink& link, ProgressHost& host, const QList<QByteArray>& autoSeqs, SwapRoutine swapAutoSeq,
               quint32 timeoutMs = kTransferTimeoutMs);

// Captures one real-time waveform ("WD"): kCaptureBlockSize bytes read one byte
// per step. `accept` receives the block as it came, in wire order.
bool runCapture(DeviceLink& link, ProgressHost& host, const std::function<void(const QByteArray& block)>& accept,
                quint32 timeoutMs = kTransferTimeoutMs);

// Asks the analyzer for its system-information block alone, in an exchange of
// its own (a capture reads none, so this is how a capture learns the analyzer
// it came from). The analyzer's I.D., or empty when it does not answer; nothing
// is said to the user either way.
QString readAnalyzerId(AnalyzerDriver& driver, quint32 timeoutMs);
