#include "skin/format/SkinCheckValues.h"

#include "skin/format/SkinDescription.h"

#include <cstdint>
#include <vector>

namespace skin {

namespace {

struct TRange {
    int32_t Low, High;
};

std::optional<TRange> RangeOf(TKeyKind kind)
{
    switch (kind) {
    case TKeyKind::Size: return TRange{0, MaxSkinSize};
    case TKeyKind::Offset: return TRange{-MaxSkinSize, MaxSkinSize};
    case TKeyKind::Frames: return TRange{0, MaxSkinFrames};
    case TKeyKind::Switch: return TRange{0, 1};
    case TKeyKind::ColourPart: return TRange{0, 255};
    default: return std::nullopt;
    }
}

std::string Quoted(std::string_view value)
{
    std::string quoted = "\"";  // built in steps: a one-character literal + string upsets GCC 12's -Wrestrict
    quoted += value;
    return quoted + '"';
}

// A whole number as TQuickIni reads it: a malformed one reads as the
// default, whichever default is asked for.
std::optional<std::string> NumberFault(const TSkinKey& key, std::string_view value, const TQuickIni& ini,
                                       std::string_view section)
{
    const int32_t a = ini.ReadInteger(section, key.Name, 0), b = ini.ReadInteger(section, key.Name, 1);
    if (a != b)
        return "expected a whole number, not " + Quoted(value);
    const std::optional<TRange> range = RangeOf(key.Kind);
    if (range && (a < range->Low || a > range->High))
        return "expected " + std::to_string(range->Low) + (range->High - range->Low == 1 ? " or " : " ... ") +
               std::to_string(range->High) + ", not " + std::string(value);
    return std::nullopt;
}

std::vector<std::string_view> ColourParts(std::string_view value)
{
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (size_t i = 0; i <= value.size(); ++i)
        if (i == value.size() || value[i] == ' ' || value[i] == '\t' || value[i] == ',') {
            if (i > start)
                parts.push_back(value.substr(start, i - start));
            start = i + 1;
        }
    return parts;
}

bool IsColourPart(std::string_view part)
{
    if (part.empty() || part.size() > 3)
        return false;
    int number = 0;
    for (char c : part) {
        if (c < '0' || c > '9')
            return false;
        number = number * 10 + (c - '0');
    }
    return number <= 255;
}

std::optional<std::string> ColourFault(std::string_view value)
{
    const std::vector<std::string_view> parts = ColourParts(value);
    bool right = parts.size() == 3;
    for (std::string_view part : parts)
        right = right && IsColourPart(part);
    if (right)
        return std::nullopt;
    return "expected three numbers 0 ... 255 (red green blue), not " + Quoted(value);
}

std::optional<std::string> PictureNameFault(std::string_view value)
{
    if (!SkinImageEntryName(value).empty())
        return std::nullopt;
    return Quoted(value) + " names no picture: only names ending in \".bmp\", in lower case, are loaded";
}

} // namespace

std::optional<std::string> ValueFault(const TSkinKey& key, std::string_view value, const TQuickIni& ini,
                                      std::string_view section)
{
    if (value.empty())
        return std::nullopt;  // the default
    switch (key.Kind) {
    case TKeyKind::Picture: return PictureNameFault(value);
    case TKeyKind::Colour: return ColourFault(value);
    case TKeyKind::Text: return std::nullopt;
    default: return NumberFault(key, value, ini, section);
    }
}

} // namespace skin
