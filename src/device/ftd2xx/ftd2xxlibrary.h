#pragma once
// The FTDI D2XX library, loaded at run time: FTD2XX.DLL on Windows, libftd2xx.so
// elsewhere. Free of Qt so that it builds with any C++ compiler, including the
// Windows cross-compiler of the continuous integration.
#include <cstdint>
#include <memory>
#include <string>

namespace ftd2xx {

// FT_STATUS values the library returns (the first five are the program's own link statuses).
constexpr std::uint32_t Ok = 0;
constexpr std::uint32_t InvalidHandle = 1;
constexpr std::uint32_t DeviceNotFound = 2;
constexpr std::uint32_t DeviceNotOpened = 3;
constexpr std::uint32_t IoError = 4;

// FT_OpenEx's flag for opening the device that presents a USB description.
constexpr std::uint32_t OpenByDescription = 2;

// The library's file name on this platform.
const char* defaultLibraryName();

class Library {
 public:
  // Loads the library and finds its five functions; null, with `error` set, when
  // the library is missing or lacks one of them.
  static std::unique_ptr<Library> load(const std::string& path, std::string* error);
  ~Library();
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;

  std::uint32_t openByDescription(const char* description, void** handle) const;
  std::uint32_t queueStatus(void* handle, std::uint32_t* waiting) const;
  std::uint32_t read(void* handle, void* buffer, std::uint32_t size, std::uint32_t* count) const;
  std::uint32_t write(void* handle, const void* buffer, std::uint32_t size, std::uint32_t* count) const;
  std::uint32_t close(void* handle) const;

 private:
  struct Functions;
  Library(void* module, std::unique_ptr<Functions> functions);
  void* module_;
  std::unique_ptr<Functions> functions_;
};

}  // namespace ftd2xx
