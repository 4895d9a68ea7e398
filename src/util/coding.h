// Little-endian encoding of fixed-width values, whatever the host's order.
// Every compiled file is written with these and nothing else.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <string>

namespace tarvosa {

// Into a buffer that has room: the value's bytes at `out`, low byte first.
inline void EncodeFixed16(char* out, std::uint16_t value) {
  out[0] = static_cast<char>(value & 0xFF);
  out[1] = static_cast<char>(value >> 8);
}

inline void EncodeFixed64(char* out, std::uint64_t value) {
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(out, &value, sizeof value);  // already in the file's order
  } else {
    for (int i = 0; i < 8; ++i) out[i] = static_cast<char>(value >> (8 * i));
  }
}

inline void EncodeDouble(char* out, double value) {
  EncodeFixed64(out, std::bit_cast<std::uint64_t>(value));
}

// Read back from a buffer with enough bytes, low byte first.
inline std::uint16_t DecodeFixed16(const char* in) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(in[0]) |
                                    static_cast<unsigned char>(in[1]) << 8);
}

inline std::uint32_t DecodeFixed32(const char* in) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(in[i]);
  return value;
}

inline std::uint64_t DecodeFixed64(const char* in) {
  std::uint64_t value = 0;
  for (int i = 7; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(in[i]);
  return value;
}

inline double DecodeDouble(const char* in) {
  return std::bit_cast<double>(DecodeFixed64(in));
}

// Appended to a string, low byte first.
inline void PutFixed8(std::string& out, std::uint8_t value) {
  out.push_back(static_cast<char>(value));
}

inline void PutFixed16(std::string& out, std::uint16_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>(value >> 8));
}

inline void PutFixed32(std::string& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>(value >> shift));
}

inline void PutFixed64(std::string& out, std::uint64_t value) {
  for (int shift = 0; shift < 64; shift += 8) out.push_back(static_cast<char>(value >> shift));
}

// Signed values go as their two's complement bits.
inline void PutInt16(std::string& out, std::int16_t value) {
  PutFixed16(out, static_cast<std::uint16_t>(value));
}
inline void PutInt32(std::string& out, std::int32_t value) {
  PutFixed32(out, static_cast<std::uint32_t>(value));
}

// An IEEE 754 double, its 8 bytes low first.
inline void PutDouble(std::string& out, double value) {
  PutFixed64(out, std::bit_cast<std::uint64_t>(value));
}

}  // namespace tarvosa
