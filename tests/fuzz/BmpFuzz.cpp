// Fuzz target: a BMP file as the picture reader takes it from a skin package
// or a form: its headers checked against its size, its pixels decoded.
#include "FuzzReaders.h"
#include "FuzzSupport.h"

const std::size_t fuzz::TargetMaxLen = 16384;

void fuzz::TestOneInput(std::span<const std::uint8_t> input)
{
    fuzz::DecodeBmp(input);
}
