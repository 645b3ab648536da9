// Helpers of the skin data tests: byte strings and hand-built packages.
#pragma once

#include "skin/format/LittleEndian.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace skintest {

using Bytes = std::vector<uint8_t>;

inline Bytes ToBytes(std::string_view text)
{
    return Bytes(text.begin(), text.end());
}

inline std::string ToText(const Bytes& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

// Deterministic pseudo-random bytes.
inline Bytes NoiseBytes(size_t count, uint32_t seed)
{
    Bytes bytes(count);
    for (uint8_t& b : bytes) {
        seed = seed * 1103515245u + 12345u;
        b = static_cast<uint8_t>(seed >> 16);
    }
    return bytes;
}

// An unpacked package laid out by hand, so that tests can set every field.
struct RawPackage {
    int32_t version = 20000;
    Bytes reserved;
    std::string names;
    std::optional<int32_t> namesLength;  // default: the length of `names`
    std::vector<int32_t> sizes;
    Bytes data;

    Bytes Build() const
    {
        Bytes out;
        skin::AppendInt32LE(out, version);
        skin::AppendInt32LE(out, namesLength.value_or(static_cast<int32_t>(names.size())));
        skin::AppendInt32LE(out, 0x11111111);
        skin::AppendInt32LE(out, 0x22222222);
        out.insert(out.end(), reserved.begin(), reserved.end());
        out.insert(out.end(), names.begin(), names.end());
        for (int32_t size : sizes)
            skin::AppendInt32LE(out, size);
        out.insert(out.end(), data.begin(), data.end());
        return out;
    }
};

} // namespace skintest
