// Fuzz target: a skin description, read as the skin loader reads it where no
// window is needed, and the text as one colour value.
#include "FuzzReaders.h"
#include "FuzzSupport.h"
#include "skin/format/SkinDescription.h"

const std::size_t fuzz::TargetMaxLen = 8192;

void fuzz::TestOneInput(std::span<const std::uint8_t> input)
{
    fuzz::ReadDescription(input);
    fuzz::Check((skin::ParseColour(fuzz::AsText(input)) & ~0xFFFFFF) == 0,
                "a colour read from text has only 24 bits");
}
