#pragma once
#include <QtGlobal>
#include <array>
#include <cstddef>
#include <type_traits>
#include <utility>

// Fixed-size packed byte records: 16-bit fields at any offset, little-endian in
// host order (memory and files) and big-endian on the wire.
template <std::size_t N>
struct ByteRecord {
  static constexpr std::size_t Size = N;
  std::array<quint8, N> bytes{};

  quint8 u8(std::size_t offset) const { return bytes.at(offset); }
  quint16 u16(std::size_t offset) const { return quint16(bytes.at(offset) | (bytes.at(offset + 1) << 8)); }
  qint16 i16(std::size_t offset) const { return qint16(u16(offset)); }

  void setU8(std::size_t offset, quint8 v) { bytes.at(offset) = v; }
  void setU16(std::size_t offset, quint16 v) {
    bytes.at(offset) = quint8(v & 0xFF);
    bytes.at(offset + 1) = quint8(v >> 8);
  }
  void setText(std::size_t offset, std::size_t size, const char* text) {
    for (std::size_t i = 0; i < size; ++i) bytes.at(offset + i) = 0;
    for (std::size_t i = 0; i < size && text[i]; ++i) bytes.at(offset + i) = quint8(text[i]);
  }

  const char* data() const { return reinterpret_cast<const char*>(bytes.data()); }
  char* data() { return reinterpret_cast<char*>(bytes.data()); }
};

// A record's repeated entries: an entry kind says where its first entry lies
// (Base), how large each is (Size), how many there are (Count), and its fields
// once, in a `fields` function that names each field's offset. Reading, writing
// and a record's byte-order conversion all follow that one description.
// k must be below the kind's Count.
template <class Entry, std::size_t N>
Entry entryAt(const ByteRecord<N>& rec, std::size_t k) {
  Entry e;
  const std::size_t base = Entry::Base + k * Entry::Size;
  Entry::fields(e, [&](std::size_t offset, auto& field) {
    if constexpr (sizeof(field) == 1) field = std::remove_reference_t<decltype(field)>(rec.u8(base + offset));
    else field = std::remove_reference_t<decltype(field)>(rec.u16(base + offset));
  });
  return e;
}

template <class Entry, std::size_t N>
void setEntryAt(ByteRecord<N>& rec, std::size_t k, const Entry& e) {
  const std::size_t base = Entry::Base + k * Entry::Size;
  Entry::fields(e, [&](std::size_t offset, const auto& field) {
    if constexpr (sizeof(field) == 1) rec.setU8(base + offset, quint8(field));
    else rec.setU16(base + offset, quint16(field));
  });
}

// Swaps the 16-bit fields of the first `count` entries of a kind, as its
// description lists them: wire order to host order, or back.
template <class Entry>
void swapEntries(unsigned char* record, std::size_t count = Entry::Count) {
  Entry probe;
  for (std::size_t k = 0; k < count; ++k) {
    const std::size_t base = Entry::Base + k * Entry::Size;
    Entry::fields(probe, [&](std::size_t offset, const auto& field) {
      if constexpr (sizeof(field) == 2) std::swap(record[base + offset], record[base + offset + 1]);
    });
  }
}
