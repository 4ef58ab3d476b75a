// A D2XX library that lacks all but its open function, as a wrong or damaged DLL would.
#include <cstdint>

extern "C" __attribute__((visibility("default"))) std::uint32_t FT_OpenEx(void*, std::uint32_t, void**) { return 2; }
