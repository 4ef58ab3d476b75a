// A stand-in for FTDI's D2XX library with the vendor's five functions, behind
// which the analyzer simulator answers: opening "Kalyx 5 Defib Tester Final"
// reaches an analyzer holding two test reports and the I.D. "D2XX-FAKE".
#include "analyzer/recordkinds.h"
#include "simulator/analyzermemory.h"
#include "simulator/simulatorengine.h"

#include <cstdint>
#include <cstring>

namespace {
constexpr std::uint32_t kOk = 0, kInvalidHandle = 1, kDeviceNotFound = 2, kIoError = 4, kOtherError = 18;

SimulatorEngine* analyzer = nullptr;

AnalyzerMemory fakeMemory() {
  AnalyzerMemory memory;
  memory.systemInfo.setAnalyzerId("D2XX-FAKE");
  memory.testRecords = {QByteArray(kTestReportRecords.blockSize, '\1'), QByteArray(kTestReportRecords.blockSize, '\2')};
  memory.setCountsFromLists();
  return memory;
}

bool valid(void* handle) { return handle && handle == analyzer; }
}  // namespace

extern "C" {
__attribute__((visibility("default"))) std::uint32_t FT_OpenEx(void* arg1, std::uint32_t flags, void** handle) {
  if (flags != 2 || std::strcmp(static_cast<const char*>(arg1), "Kalyx 5 Defib Tester Final") != 0)
    return kDeviceNotFound;
  delete analyzer;
  analyzer = new SimulatorEngine(fakeMemory());
  *handle = analyzer;
  return kOk;
}

__attribute__((visibility("default"))) std::uint32_t FT_GetQueueStatus(void* handle, std::uint32_t* rxBytes) {
  if (!valid(handle)) return kInvalidHandle;
  *rxBytes = std::uint32_t(analyzer->available());
  return kOk;
}

__attribute__((visibility("default"))) std::uint32_t FT_Read(void* handle, void* buffer, std::uint32_t toRead,
                                                             std::uint32_t* returned) {
  if (!valid(handle)) return kInvalidHandle;
  const QByteArray bytes = analyzer->take(toRead);
  std::memcpy(buffer, bytes.constData(), size_t(bytes.size()));
  *returned = std::uint32_t(bytes.size());
  return kOk;
}

// "FAIL" written fails with a status outside the link's own; "EIO" with an I/O error.
__attribute__((visibility("default"))) std::uint32_t FT_Write(void* handle, void* buffer, std::uint32_t toWrite,
                                                              std::uint32_t* written) {
  if (!valid(handle)) return kInvalidHandle;
  const QByteArray bytes(static_cast<const char*>(buffer), qsizetype(toWrite));
  if (bytes == "FAIL") return kOtherError;
  if (bytes == "EIO") return kIoError;
  analyzer->receive(bytes);
  *written = toWrite;
  return kOk;
}

__attribute__((visibility("default"))) std::uint32_t FT_Close(void* handle) {
  if (!valid(handle)) return kInvalidHandle;
  delete analyzer;
  analyzer = nullptr;
  return kOk;
}
}
