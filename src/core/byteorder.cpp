#include "byteorder.h"

#include <utility>

void swapWord(unsigned char* field) { std::swap(field[0], field[1]); }

void swapWord(char* field) { swapWord(reinterpret_cast<unsigned char*>(field)); }

void swapWordsAt(unsigned char* record, std::size_t recordSize, const std::size_t* offsets, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i)
    if (offsets[i] + 1 < recordSize) swapWord(record + offsets[i]);
}
