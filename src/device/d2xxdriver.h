#pragma once
#include "device/analyzerdriver.h"

#include <memory>

namespace ftd2xx {
class Library;
}

// The analyzer through FTDI's D2XX library, opened by its USB description as the
// library opens it. The library's statuses are the link's own; any other status
// counts as a failed open or a failed transfer.
class D2xxDriver : public AnalyzerDriver {
 public:
  explicit D2xxDriver(std::unique_ptr<ftd2xx::Library> library);
  ~D2xxDriver() override;

  quint32 openByDescription(const QByteArray& description) override;
  quint32 queueStatus(quint32* waiting) override;
  quint32 read(char* buffer, quint32 size, quint32* count) override;
  quint32 write(const char* buffer, quint32 size, quint32* count) override;
  void close() override;

 private:
  std::unique_ptr<ftd2xx::Library> library_;
  void* handle_ = nullptr;
};

// The D2XX library of this platform when it should be used: always on Windows
// where FTD2XX.DLL is installed; elsewhere only when KALYX5PC_D2XX is set, since
// the kernel's ftdi_sio driver normally holds the port. Null otherwise.
std::unique_ptr<AnalyzerDriver> createD2xxDriver();
