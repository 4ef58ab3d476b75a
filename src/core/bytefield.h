#pragma once
#include <QtGlobal>
#include <array>
#include <cstddef>

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
  void setU16BigEndian(std::size_t offset, quint16 v) {
    bytes.at(offset) = quint8(v >> 8);
    bytes.at(offset + 1) = quint8(v & 0xFF);
  }
  void setText(std::size_t offset, std::size_t size, const char* text) {
    for (std::size_t i = 0; i < size; ++i) bytes.at(offset + i) = 0;
    for (std::size_t i = 0; i < size && text[i]; ++i) bytes.at(offset + i) = quint8(text[i]);
  }

  const char* data() const { return reinterpret_cast<const char*>(bytes.data()); }
  char* data() { return reinterpret_cast<char*>(bytes.data()); }
};
