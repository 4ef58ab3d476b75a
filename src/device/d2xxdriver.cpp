#include "device/d2xxdriver.h"

#include "device/ftd2xx/ftd2xxlibrary.h"

#include <string>

namespace {
// A library status as a link status: the first five are the same values.
quint32 linkStatus(std::uint32_t status, quint32 otherwise) {
  return status <= ftd2xx::IoError ? quint32(status) : otherwise;
}
}  // namespace

D2xxDriver::D2xxDriver(std::unique_ptr<ftd2xx::Library> library) : library_(std::move(library)) {}

D2xxDriver::~D2xxDriver() { close(); }

quint32 D2xxDriver::openByDescription(const QByteArray& description) {
  close();
  void* handle = nullptr;
  const quint32 status =
      linkStatus(library_->openByDescription(description.constData(), &handle), driverstatus::DeviceNotOpened);
  if (status == driverstatus::Ok) handle_ = handle;
  return status;
}

quint32 D2xxDriver::queueStatus(quint32* waiting) {
  if (!handle_) return driverstatus::InvalidHandle;
  std::uint32_t queued = 0;
  const quint32 status = linkStatus(library_->queueStatus(handle_, &queued), driverstatus::IoError);
  if (status == driverstatus::Ok) *waiting = queued;  // on failure the caller's 0 stands
  return status;
}

quint32 D2xxDriver::read(char* buffer, quint32 size, quint32* count) {
  if (!handle_) return driverstatus::InvalidHandle;
  std::uint32_t got = 0;
  const quint32 status = linkStatus(library_->read(handle_, buffer, size, &got), driverstatus::IoError);
  *count = got <= size ? got : size;  // never more than the buffer holds, whatever the library says
  return status;
}

quint32 D2xxDriver::write(const char* buffer, quint32 size, quint32* count) {
  if (!handle_) return driverstatus::InvalidHandle;
  std::uint32_t written = 0;
  const quint32 status = linkStatus(library_->write(handle_, buffer, size, &written), driverstatus::IoError);
  *count = written;
  return status;
}

void D2xxDriver::close() {
  if (!handle_) return;
  library_->close(handle_);
  handle_ = nullptr;
}

std::unique_ptr<AnalyzerDriver> createD2xxDriver() {
#ifndef Q_OS_WIN
  if (qEnvironmentVariableIsEmpty("KALYX5PC_D2XX")) return nullptr;
#endif
  std::string error;
  std::unique_ptr<ftd2xx::Library> library = ftd2xx::Library::load(ftd2xx::defaultLibraryName(), &error);
  if (!library) return nullptr;
  return std::make_unique<D2xxDriver>(std::move(library));
}
