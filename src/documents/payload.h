// The scenario a packaged installer carries: the installer's own program
// with a scenario appended, which the program finds when it starts and
// installs in place of its own. The tool writes it and the installer reads
// it; both go by this layout, every number little-endian:
//
//   the installer's program   its slot holds where the payload begins
//   header, 24 bytes          at that offset:
//     magic     8 bytes       "TVSCENAR"
//     version   u32           1
//     checksum  u32           CRC-32 of the body
//     length    u64           the body's bytes
//   body, version 1:
//     route title, train title: each a u16 length and its UTF-8 bytes
//     the five documents in the order a run writes them, each a byte 0
//     (missing) or 1, and when 1 a u32 count of lines and every line as a
//     u32 length and its UTF-8 bytes, without its line end
//   nothing after the body
//
// The slot is a marker of 16 bytes and a u64 offset, 0 in the installer as
// built: a program whose slot holds 0 carries no scenario and never reads
// its own file. The tool finds the marker in the installer's bytes and
// writes the offset there, so a program cut short anywhere past its own
// bytes still knows that a payload was due, and where.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "documents/scenario_documents.h"
#include "util/status.h"

namespace tarvosa {

inline constexpr std::size_t kSlotMarkerBytes = 16;
inline constexpr std::size_t kSlotOffsetBytes = 8;

// The marker, its 15 characters and a NUL.
inline constexpr char kSlotMarker[kSlotMarkerBytes] = "(tarvosa:slot1)";

struct PayloadSlot {
  char marker[kSlotMarkerBytes];
  unsigned char offset[kSlotOffsetBytes];  // u64, little-endian
};

// The slot of an installer as built: the marker and an offset of 0.
constexpr PayloadSlot EmptyPayloadSlot() {
  PayloadSlot slot{};
  for (std::size_t i = 0; i < kSlotMarkerBytes; ++i) slot.marker[i] = kSlotMarker[i];
  return slot;
}

inline constexpr std::string_view kPayloadMagic = "TVSCENAR";
inline constexpr std::uint32_t kPayloadVersion = 1;
inline constexpr std::size_t kPayloadHeaderBytes = 24;

// The header and body of `scenario`, which ScenarioProblem must find
// nothing wrong with.
std::string EncodePayload(const ScenarioDocuments& scenario);

// Reads the scenario from `payload`, the program's bytes from the offset
// its slot holds to the end. A data error says why there is none: cut
// short, altered (a checksum that does not match, bytes after the body, a
// body that does not read as a scenario), of another version, or one that
// ScenarioProblem refuses, down to a line the writers cannot encode: the
// writing of a scenario it gives can fail only on the file system.
Result<ScenarioDocuments> DecodePayload(std::string_view payload);

}  // namespace tarvosa
