// The D2XX loader on its own, without Qt or GoogleTest, so that the same check
// also builds with the Windows cross-compiler.
//   ftd2xxloader_check FAKE_LIBRARY INCOMPLETE_LIBRARY
// Without arguments only the missing-library case runs (as on Windows without FTD2XX.DLL).
#include "device/ftd2xx/ftd2xxlibrary.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {
int failures = 0;

void check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "FAILED: %s\n", what);
    ++failures;
  }
}
}  // namespace

int main(int argc, char** argv) {
  std::string error;
  check(!ftd2xx::Library::load("no-such-ftd2xx-library", &error), "a missing library loads nothing");
  check(error.find("could not be loaded") != std::string::npos, "a missing library is named");
  if (argc < 3) return failures == 0 ? 0 : 1;

  check(!ftd2xx::Library::load(argv[2], &error), "a library without the five functions is refused");
  check(error.find("lacks FT_GetQueueStatus") != std::string::npos, "the missing function is named");

  std::unique_ptr<ftd2xx::Library> library = ftd2xx::Library::load(argv[1], &error);
  check(library != nullptr, "the library loads");
  if (!library) return 1;
  void* handle = nullptr;
  check(library->openByDescription("Another Device", &handle) == ftd2xx::DeviceNotFound, "another description is not found");
  check(library->openByDescription("Kalyx 5 Defib Tester Final", &handle) == ftd2xx::Ok && handle, "the analyzer opens");
  std::uint32_t count = 0;
  check(library->write(handle, "GS\r", 3, &count) == ftd2xx::Ok && count == 3, "the command is written");
  std::uint32_t waiting = 0;
  check(library->queueStatus(handle, &waiting) == ftd2xx::Ok && waiting == 37, "the system information is queued");
  char block[37] = {};
  check(library->read(handle, block, 37, &count) == ftd2xx::Ok && count == 37, "the block is read");
  check(std::strncmp(block + 12, "D2XX-FAKE", 9) == 0, "the block holds the analyzer's I.D. at its place");
  check(library->close(handle) == ftd2xx::Ok, "the analyzer closes");
  check(library->queueStatus(handle, &waiting) == ftd2xx::InvalidHandle, "a closed handle is refused");
  if (failures == 0) std::printf("ftd2xx loader: all checks passed\n");
  return failures == 0 ? 0 : 1;
}
