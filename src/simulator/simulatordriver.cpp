#include "simulator/simulatordriver.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

SimulatorDriver::SimulatorDriver(AnalyzerMemory memory) : engine_(std::move(memory)) {}

quint32 SimulatorDriver::openByDescription(const QByteArray& description) {
  if (throwOnOpen) throw std::runtime_error("simulated failure of the open call");
  if (!attached || description != analyzerDescription()) return driverstatus::DeviceNotFound;
  ++opens;
  open_ = true;
  engine_.clearOutput();
  return driverstatus::Ok;
}

quint32 SimulatorDriver::queueStatus(quint32* waiting) {
  if (!open_) return driverstatus::InvalidHandle;
  if (queueStatusError != 0) return queueStatusError;
  *waiting = quint32(engine_.available());
  return driverstatus::Ok;
}

quint32 SimulatorDriver::read(char* buffer, quint32 size, quint32* count) {
  *count = 0;
  if (!open_) return driverstatus::InvalidHandle;
  const bool faulty = reads++ >= failReadsFrom;
  if (faulty && readStatusError != 0) return readStatusError;
  qint64 wanted = size;
  if (faulty && shortReadCount >= 0) wanted = std::min<qint64>(wanted, shortReadCount);
  const QByteArray bytes = engine_.take(wanted);
  memcpy(buffer, bytes.constData(), size_t(bytes.size()));
  *count = quint32(bytes.size());
  bytesRead += bytes.size();
  return driverstatus::Ok;
}

quint32 SimulatorDriver::write(const char* buffer, quint32 size, quint32* count) {
  *count = 0;
  if (!open_) return driverstatus::InvalidHandle;
  const bool faulty = writes++ >= failWritesFrom;
  if (faulty && writeStatusError != 0) return writeStatusError;
  qint64 taken = size;
  if (faulty && shortWriteCount >= 0) taken = std::min<qint64>(taken, shortWriteCount);
  engine_.receive(QByteArray(buffer, taken));
  *count = quint32(taken);
  bytesWritten += taken;
  return driverstatus::Ok;
}

void SimulatorDriver::close() {
  ++closes;
  open_ = false;
}
