#include "Crc32c.h"

#include <array>
#include <cstring>

#if defined(__x86_64__)
#include <nmmintrin.h>
#endif

namespace orbsvgcache {

namespace {

constexpr std::uint32_t ReflectedPolynomial = 0x82f63b78u;

std::array<std::uint32_t, 256> makeTable()
{
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t byte = 0; byte < 256; ++byte) {
        std::uint32_t crc = byte;
        for (int bit = 0; bit < 8; ++bit)
            crc = crc & 1 ? crc >> 1 ^ ReflectedPolynomial : crc >> 1;
        table[byte] = crc;
    }
    return table;
}

#if defined(__x86_64__)
__attribute__((target("sse4.2"))) std::uint32_t
crc32cInstruction(const unsigned char *bytes, std::size_t size, std::uint32_t crc)
{
    std::uint64_t wide = crc;
    for (; size >= 8; bytes += 8, size -= 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes, 8);
        wide = _mm_crc32_u64(wide, word);
    }
    std::uint32_t narrow = std::uint32_t(wide);
    for (; size > 0; ++bytes, --size)
        narrow = _mm_crc32_u8(narrow, *bytes);
    return narrow;
}

bool hasCrcInstruction()
{
    static const bool has = __builtin_cpu_supports("sse4.2");
    return has;
}
#endif

} // namespace

std::uint32_t crc32cPortable(const void *data, std::size_t size, std::uint32_t crc)
{
    static const std::array<std::uint32_t, 256> table = makeTable();
    const auto *bytes = static_cast<const unsigned char *>(data);
    crc = ~crc;
    for (std::size_t i = 0; i < size; ++i)
        crc = table[(crc ^ bytes[i]) & 0xff] ^ crc >> 8;
    return ~crc;
}

std::uint32_t crc32c(const void *data, std::size_t size, std::uint32_t crc)
{
#if defined(__x86_64__)
    if (hasCrcInstruction())
        return ~crc32cInstruction(static_cast<const unsigned char *>(data), size, ~crc);
#endif
    return crc32cPortable(data, size, crc);
}

} // namespace orbsvgcache
