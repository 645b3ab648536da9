// Fuzz target: a skin description, read as the skin loader reads it where no
// window is needed, checked as `skintool check` checks it, and the text as
// one colour value.
#include "FuzzReaders.h"
#include "FuzzSupport.h"
#include "skin/format/SkinCheck.h"
#include "skin/format/SkinDescription.h"

const std::size_t fuzz::TargetMaxLen = 8192;

void fuzz::TestOneInput(std::span<const std::uint8_t> input)
{
    fuzz::ReadDescription(input);
    const std::vector<std::uint8_t> bytes(input.begin(), input.end());
    for (const skin::TSkinFinding& finding : skin::CheckSkin({{"fuzz.ini", bytes}, {}}))
        fuzz::Check(finding.Line >= 0 && finding.Line <= static_cast<int>(input.size()) + 1,
                    "a finding names a line of the description");
    fuzz::Check((skin::ParseColour(fuzz::AsText(input)) & ~0xFFFFFF) == 0,
                "a colour read from text has only 24 bits");
}
