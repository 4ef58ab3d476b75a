#pragma once
#include <cstddef>

// Exchanges the two bytes of one 16-bit field in place. The analyzer sends its
// fields most significant byte first; exchanging twice restores the field.
void swapWord(unsigned char* field);
void swapWord(char* field);

// The byte-order routine of one kind of record: converts it in place, wire to host or back.
using SwapRoutine = void (*)(char* record);
