// Fuzz target: the password codec. Any text decodes to at most three bytes per
// four characters; any bytes encode to alphabet characters of the promised
// length and decode back.
#include "app/kexBase64.h"
#include "FuzzSupport.h"

#include <algorithm>

const std::size_t fuzz::TargetMaxLen = 1024;

void fuzz::TestOneInput(std::span<const std::uint8_t> input)
{
    const std::string_view text = fuzz::AsText(input);
    fuzz::Check(kex::DecodeBase64(text).size() <= input.size() / 4 * 3, "four characters decode to three bytes at most");
    const std::string encoded = kex::EncodeBase64(text);
    fuzz::Check(encoded.size() == (input.size() + 2) / 3 * 4, "n bytes encode to 4 * ceil(n / 3) characters");
    fuzz::Check(std::all_of(encoded.begin(), encoded.end(), [](char c) { return kex::Base64Value(c) >= 0; }),
                "encoded text holds only alphabet characters");
    fuzz::Check(kex::DecodeBase64(encoded) == text, "encoded bytes decode back");
}
