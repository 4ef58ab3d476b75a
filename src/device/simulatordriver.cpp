#include "simulatordriver.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace {
// The status values of the analyzer's USB library.
constexpr quint32 kInvalidHandle = 1;
constexpr quint32 kDeviceNotFound = 2;
}  // namespace

SimulatorDriver::SimulatorDriver(AnalyzerMemory memory) : engine_(std::move(memory)) {}

quint32 SimulatorDriver::openByDescription(const QByteArray& description) {
  if (throwOnOpen) throw std::runtime_error("simulated failure of the open call");
  if (!attached || description != analyzerDescription()) return kDeviceNotFound;
  ++opens;
  open_ = true;
  engine_.clearOutput();
  return 0;
}

quint32 SimulatorDriver::queueStatus(quint32* waiting) {
  if (!open_) return kInvalidHandle;
  if (queueStatusError != 0) return queueStatusError;
  *waiting = quint32(engine_.available());
  return 0;
}

quint32 SimulatorDriver::read(char* buffer, quint32 size, quint32* count) {
  *count = 0;
  if (!open_) return kInvalidHandle;
  const bool faulty = reads++ >= failReadsFrom;
  if (faulty && readStatusError != 0) return readStatusError;
  qint64 wanted = size;
  if (faulty && shortReadCount >= 0) wanted = std::min<qint64>(wanted, shortReadCount);
  const QByteArray bytes = engine_.take(wanted);
  memcpy(buffer, bytes.constData(), size_t(bytes.size()));
  *count = quint32(bytes.size());
  bytesRead += bytes.size();
  return 0;
}

quint32 SimulatorDriver::write(const char* buffer, quint32 size, quint32* count) {
  *count = 0;
  if (!open_) return kInvalidHandle;
  const bool faulty = writes++ >= failWritesFrom;
  if (faulty && writeStatusError != 0) return writeStatusError;
  qint64 taken = size;
  if (faulty && shortWriteCount >= 0) taken = std::min<qint64>(taken, shortWriteCount);
  engine_.receive(QByteArray(buffer, taken));
  *count = quint32(taken);
  bytesWritten += taken;
  return 0;
}

void SimulatorDriver::close() {
  ++closes;
  open_ = false;
}
