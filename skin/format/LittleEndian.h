// The 32-bit little-endian integers of the skin package layouts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace skin {

// The signed integer at `offset`; the caller has checked that 4 bytes are there.
inline int32_t ReadInt32LE(std::span<const uint8_t> bytes, size_t offset)
{
    return static_cast<int32_t>(static_cast<uint32_t>(bytes[offset]) | static_cast<uint32_t>(bytes[offset + 1]) << 8 |
                                static_cast<uint32_t>(bytes[offset + 2]) << 16 |
                                static_cast<uint32_t>(bytes[offset + 3]) << 24);
}

inline void AppendInt32LE(std::vector<uint8_t>& out, int32_t value)
{
    const auto v = static_cast<uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<uint8_t>(v >> shift));
}

} // namespace skin
