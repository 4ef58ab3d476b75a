#pragma once
#include <QByteArray>
#include <QtGlobal>
#include <utility>
#include <vector>

// The 16-bit fields each record kind carries big-endian on the wire, by offset
// from the record's start, written out here from the record layouts rather than
// taken from the program. Fixtures in wire order are made with these lists and
// the program's conversions are checked against them, so a field that the
// program forgets to convert cannot be forgotten on both sides at once.
namespace wireorder {

using Offsets = std::vector<std::size_t>;

// Autosequence (276 bytes): the ten defibrillator energy targets unless the
// device code (byte 16) is 2, an AED, whose block holds single bytes only.
inline Offsets autoSeqWords(quint8 deviceCode) {
  Offsets offsets;
  if (deviceCode != 2)
    for (std::size_t k = 0; k < 10; ++k) offsets.push_back(18 + 6 * k);
  for (std::size_t o : {114, 116, 122, 132, 142, 152, 258, 262, 266, 268, 271, 273}) offsets.push_back(o);
  return offsets;
}

// Test record (736 bytes), by the DUT type at byte 23: 1 defibrillator energy
// entries, 2 AED entries, anything else neither.
inline Offsets testRecWords(quint8 dutType) {
  Offsets offsets;
  if (dutType == 1)
    for (std::size_t k = 0; k < 10; ++k) {
      for (std::size_t o = 0; o <= 32; o += 2) offsets.push_back(24 + 41 * k + o);
      offsets.push_back(24 + 41 * k + 35);
    }
  if (dutType == 2)
    for (std::size_t k = 0; k < 32; ++k) offsets.push_back(24 + 5 * k);
  for (std::size_t o : {434, 436, 438, 440, 536}) offsets.push_back(o);
  for (std::size_t k = 0; k < 4; ++k)
    for (std::size_t o : {0, 3, 5}) offsets.push_back(446 + 13 * k + o);
  for (std::size_t k = 0; k < 10; ++k)
    for (std::size_t o : {0, 2, 4, 6}) offsets.push_back(538 + 16 * k + o);
  for (std::size_t k = 0; k < 2; ++k)
    for (std::size_t o : {0, 2}) offsets.push_back(698 + 7 * k + o);
  for (std::size_t k = 0; k < 2; ++k)
    for (std::size_t o : {0, 2, 4, 6}) offsets.push_back(712 + 10 * k + o);
  return offsets;
}

// Wave record (1314 bytes): peak voltage and current, the widths at 10 % and
// 50 %, the energy.
inline Offsets waveRecWords() { return {22, 24, 26, 28, 30}; }

// Capture header (66 bytes): a pacer pulse (word at 54 zero) has its width,
// rate, energy, current and load converted, and keeps the current scale at 24
// low byte first; a defibrillator pulse has every word from 22 to 54 and the
// words at 57 and 63.
inline Offsets captureHeaderWords(bool pacer) {
  if (pacer) return {26, 28, 30, 33, 39};
  Offsets offsets;
  for (std::size_t o = 22; o <= 54; o += 2) offsets.push_back(o);
  offsets.push_back(57);
  offsets.push_back(63);
  return offsets;
}

// The record with the two bytes of each listed word exchanged: host order to
// wire order, and back.
inline QByteArray swapped(QByteArray record, const Offsets& words) {
  for (std::size_t o : words) std::swap(record[qsizetype(o)], record[qsizetype(o + 1)]);
  return record;
}

// A record whose every byte differs from its neighbours, so that any exchange shows.
inline QByteArray patterned(std::size_t size) {
  QByteArray record(qsizetype(size), '\0');
  for (std::size_t i = 0; i < size; ++i) record[qsizetype(i)] = char(quint8(i * 7 + 3));
  return record;
}

}  // namespace wireorder
