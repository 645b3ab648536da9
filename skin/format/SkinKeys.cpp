#include "skin/format/SkinKeys.h"

#include "skin/format/SkinText.h"

namespace skin {

namespace {

bool StartsWithUpper(const std::string& upper, std::string_view prefix)
{
    return upper.compare(0, prefix.size(), prefix) == 0;
}

bool Matches(const TSkinSection& section, std::string_view name)
{
    switch (section.Match) {
    case TSectionMatch::Exact: return SameAsciiText(name, section.Name);
    case TSectionMatch::CaptionButton: return IsCaptionButtonSection(name);
    case TSectionMatch::ColourTable: return IsColourTableSection(name);
    }
    return false;
}

} // namespace

bool IsCaptionButtonSection(std::string_view name)
{
    const std::string upper = AsciiUpperCase(name);
    return StartsWithUpper(upper, "BUTTON") && upper != "BUTTON" && upper != "BUTTONS" && upper != "BUTTON.RADIO" &&
           upper != "BUTTON.CHECKBOX";
}

bool IsColourTableSection(std::string_view name)
{
    const std::string upper = AsciiUpperCase(name);
    return StartsWithUpper(upper, "COLOUR") && upper != "COLOURS";
}

const TSkinSection* FindSkinSection(std::string_view name)
{
    // Exact names first: "Buttons" is the control section, not a caption button.
    for (const TSkinSection& section : SkinSections)
        if (section.Match == TSectionMatch::Exact && Matches(section, name))
            return &section;
    for (const TSkinSection& section : SkinSections)
        if (section.Match != TSectionMatch::Exact && Matches(section, name))
            return &section;
    return nullptr;
}

const TSkinKey* FindSkinKey(const TSkinSection& section, std::string_view name)
{
    for (TSkinKeys list : section.Keys)
        for (const TSkinKey& key : list)
            if (SameAsciiText(key.Name, name))
                return &key;
    return nullptr;
}

} // namespace skin
