// Base64 text codec for the stored password.
//
// Encoding is RFC 4648 Base64 (standard alphabet, "=" padding, no line
// breaks). Decoding never fails: well-formed text gives the RFC result, and
// malformed text decodes by fixed rules that existing password files rely on
// (see DecodeBase64).
#pragma once

#include <string>
#include <string_view>

namespace kex {

// The 64 digits in RFC order followed by the padding character at position 64.
inline constexpr std::string_view Base64Alphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/=";

// Position of c in Base64Alphabet (0-63 for digits, 64 for '='), -1 otherwise.
int Base64Value(char c);

// Bytes to Base64 text; the result is 4 * ceil(n / 3) characters long.
std::string EncodeBase64(std::string_view bytes);

// Base64 text to bytes. Only complete groups of four characters are decoded.
// Each character's alphabet position is taken as an 8-bit value, so a
// character outside the alphabet counts as 255. A '=' in the third or fourth
// place of a group stops the whole decoding there; in the first or second
// place it enters the arithmetic as 64.
std::string DecodeBase64(std::string_view text);

} // namespace kex
