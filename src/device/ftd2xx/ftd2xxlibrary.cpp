#include "device/ftd2xx/ftd2xxlibrary.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace ftd2xx {
namespace {
#ifdef _WIN32
#define KALYX_FT_API __stdcall
#else
#define KALYX_FT_API
#endif

// The vendor's signatures: FT_STATUS (ULONG) and DWORD are 32-bit unsigned on
// Windows; the Linux library's DWORD is 32-bit too, and a status is read as 32
// bits, which holds every status value.
using FtHandle = void*;
using OpenEx = std::uint32_t(KALYX_FT_API*)(void* arg1, std::uint32_t flags, FtHandle* handle);
using GetQueueStatus = std::uint32_t(KALYX_FT_API*)(FtHandle handle, std::uint32_t* rxBytes);
using Read = std::uint32_t(KALYX_FT_API*)(FtHandle handle, void* buffer, std::uint32_t toRead, std::uint32_t* returned);
using Write = std::uint32_t(KALYX_FT_API*)(FtHandle handle, void* buffer, std::uint32_t toWrite, std::uint32_t* written);
using Close = std::uint32_t(KALYX_FT_API*)(FtHandle handle);

void* openModule(const std::string& path) {
#ifdef _WIN32
  return reinterpret_cast<void*>(LoadLibraryA(path.c_str()));
#else
  return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
#endif
}

void* symbol(void* module, const char* name) {
#ifdef _WIN32
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name));
#else
  return dlsym(module, name);
#endif
}

void closeModule(void* module) {
#ifdef _WIN32
  FreeLibrary(static_cast<HMODULE>(module));
#else
  dlclose(module);
#endif
}

template <class Function>
bool find(void* module, const char* name, Function* out, std::string* missing) {
  *out = reinterpret_cast<Function>(symbol(module, name));
  if (!*out) *missing = name;
  return *out != nullptr;
}
}  // namespace

struct Library::Functions {
  OpenEx openEx = nullptr;
  GetQueueStatus getQueueStatus = nullptr;
  Read read = nullptr;
  Write write = nullptr;
  Close close = nullptr;
};

const char* defaultLibraryName() {
#ifdef _WIN32
  return "FTD2XX.DLL";
#else
  return "libftd2xx.so";
#endif
}

std::unique_ptr<Library> Library::load(const std::string& path, std::string* error) {
  void* module = openModule(path);
  if (!module) {
    *error = path + " could not be loaded";
    return nullptr;
  }
  auto functions = std::make_unique<Functions>();
  std::string missing;
  if (!find(module, "FT_OpenEx", &functions->openEx, &missing) ||
      !find(module, "FT_GetQueueStatus", &functions->getQueueStatus, &missing) ||
      !find(module, "FT_Read", &functions->read, &missing) || !find(module, "FT_Write", &functions->write, &missing) ||
      !find(module, "FT_Close", &functions->close, &missing)) {
    closeModule(module);
    *error = path + " lacks " + missing;
    return nullptr;
  }
  return std::unique_ptr<Library>(new Library(module, std::move(functions)));
}

Library::Library(void* module, std::unique_ptr<Functions> functions)
    : module_(module), functions_(std::move(functions)) {}

Library::~Library() { closeModule(module_); }

std::uint32_t Library::openByDescription(const char* description, void** handle) const {
  // FT_OpenEx takes the description as a non-const pointer; it only reads it.
  return functions_->openEx(const_cast<char*>(description), OpenByDescription, handle);
}

std::uint32_t Library::queueStatus(void* handle, std::uint32_t* waiting) const {
  return functions_->getQueueStatus(handle, waiting);
}

std::uint32_t Library::read(void* handle, void* buffer, std::uint32_t size, std::uint32_t* count) const {
  return functions_->read(handle, buffer, size, count);
}

std::uint32_t Library::write(void* handle, const void* buffer, std::uint32_t size, std::uint32_t* count) const {
  // FT_Write takes the buffer as a non-const pointer; it only reads it.
  return functions_->write(handle, const_cast<void*>(buffer), size, count);
}

std::uint32_t Library::close(void* handle) const { return functions_->close(handle); }

}  // namespace ftd2xx
