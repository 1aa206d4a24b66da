#pragma once

#include <cstddef>
#include <cstdint>

namespace orbsvgcache {

// CRC-32C (the Castagnoli polynomial, reflected, initial and final value
// 0xffffffff) of size bytes, continuing from crc (0 to start). Uses the
// processor's CRC instruction where there is one: several gigabytes a second,
// so that checking the atlases costs little of a warm start.
std::uint32_t crc32c(const void *data, std::size_t size, std::uint32_t crc = 0);

// The same through a table, whatever the processor; for tests of the above.
std::uint32_t crc32cPortable(const void *data, std::size_t size, std::uint32_t crc = 0);

} // namespace orbsvgcache
