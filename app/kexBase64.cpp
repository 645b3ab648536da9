#include "app/kexBase64.h"

#include <cstdint>

namespace kex {

namespace {
constexpr std::uint8_t PadValue = 64;
}

int Base64Value(char c)
{
    const auto pos = Base64Alphabet.find(c);
    return pos == std::string_view::npos ? -1 : static_cast<int>(pos);
}

std::string EncodeBase64(std::string_view bytes)
{
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    const auto digit = [](unsigned v) { return Base64Alphabet[v & 63]; };
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const unsigned b0 = static_cast<std::uint8_t>(bytes[i]);
        const std::size_t left = bytes.size() - i;
        const unsigned b1 = left > 1 ? static_cast<std::uint8_t>(bytes[i + 1]) : 0;
        const unsigned b2 = left > 2 ? static_cast<std::uint8_t>(bytes[i + 2]) : 0;
        out += digit(b0 >> 2);
        out += digit(((b0 & 3) << 4) | (b1 >> 4));
        out += left > 1 ? digit(((b1 & 15) << 2) | (b2 >> 6)) : '=';
        out += left > 2 ? digit(b2) : '=';
    }
    return out;
}

std::string DecodeBase64(std::string_view text)
{
    std::string out;
    const std::size_t groups = text.size() / 4;
    for (std::size_t g = 0; g < groups; ++g) {
        std::uint8_t p[4];
        for (int k = 0; k < 4; ++k)
            p[k] = static_cast<std::uint8_t>(Base64Value(text[4 * g + k]));
        out += static_cast<char>(static_cast<std::uint8_t>((p[0] << 2) | (p[1] >> 4)));
        if (p[2] == PadValue)
            break;
        out += static_cast<char>(static_cast<std::uint8_t>(p[1] << 4) | (p[2] >> 2));
        if (p[3] == PadValue)
            break;
        out += static_cast<char>(static_cast<std::uint8_t>(p[2] << 6) | p[3]);
    }
    return out;
}

} // namespace kex
