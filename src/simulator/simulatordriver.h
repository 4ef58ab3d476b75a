#pragma once
#include "device/analyzerdriver.h"
#include "simulator/simulatorengine.h"

// An analyzer simulated in process, behind the same five operations as the USB
// link. The engine holds the analyzer's memory and answers; the driver adds the
// link's own faults (a missing analyzer, failing calls, short counts) and counts
// how the link was used.
class SimulatorDriver : public AnalyzerDriver {
 public:
  explicit SimulatorDriver(AnalyzerMemory memory);

  quint32 openByDescription(const QByteArray& description) override;
  quint32 queueStatus(quint32* waiting) override;
  quint32 read(char* buffer, quint32 size, quint32* count) override;
  quint32 write(const char* buffer, quint32 size, quint32* count) override;
  void close() override;

  SimulatorEngine& engine() { return engine_; }

  // Faults of the link itself.
  bool attached = true;           // false: open by description finds nothing
  bool throwOnOpen = false;       // the open call raises an exception
  quint32 queueStatusError = 0;   // non-zero: the queue status call fails and reports nothing
  quint32 readStatusError = 0;    // non-zero: reads fail with this status
  int failReadsFrom = 0;          // the read fault applies from this read on (0 = the first)
  qint64 shortReadCount = -1;     // >= 0: reads deliver this many bytes at most
  quint32 writeStatusError = 0;   // non-zero: writes fail with this status
  qint64 shortWriteCount = -1;    // >= 0: writes take this many bytes at most
  int failWritesFrom = 0;         // the write fault applies from this write on (0 = the first)

  // What happened on the link.
  int opens = 0;
  int closes = 0;
  int reads = 0;
  int writes = 0;
  qint64 bytesRead = 0;
  qint64 bytesWritten = 0;
  bool isOpen() const { return open_; }

 private:
  SimulatorEngine engine_;
  bool open_ = false;
};
