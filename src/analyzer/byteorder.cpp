#include "analyzer/byteorder.h"

#include <utility>

void swapWord(unsigned char* field) { std::swap(field[0], field[1]); }

void swapWord(char* field) { swapWord(reinterpret_cast<unsigned char*>(field)); }
