// The checksum that tells bytes which were changed after they were written.
#pragma once

#include <cstdint>
#include <string_view>

namespace tarvosa {

// The CRC-32 of `bytes` (the polynomial of zip and PNG, reflected, with its
// initial and final inversion): "123456789" gives CBF43926.
std::uint32_t Crc32(std::string_view bytes);

}  // namespace tarvosa
