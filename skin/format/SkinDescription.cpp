#include "skin/format/SkinDescription.h"

#include "skin/format/SkinKeys.h"

#include <algorithm>
#include <charconv>

namespace skin {

namespace {

std::vector<std::string> SectionsWhere(const TQuickIni& ini, bool (*keep)(std::string_view name))
{
    std::vector<std::string> sections;
    ini.ReadSections(sections);
    std::vector<std::string> kept;
    for (const std::string& name : sections)
        if (keep(name))
            kept.push_back(name);
    return kept;
}

} // namespace

TSkinColour ParseColour(std::string_view text)
{
    int parts[3] = {0, 0, 0};
    int filled = 0;
    const auto store = [&](std::string_view number) {
        int value = 0;
        const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
        if (error == std::errc() && filled < 3)
            parts[filled++] = value;
    };
    size_t start = 0;  // of the digits being collected
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] >= '0' && text[i] <= '9')
            continue;
        if (i > start)
            store(text.substr(start, i - start));
        start = i + 1;
    }
    if (filled == 2 && start < text.size())
        store(text.substr(start));
    return (parts[0] & 0xFF) | (parts[1] & 0xFF) << 8 | (parts[2] & 0xFF) << 16;
}

TSkinColour ReadColour(std::string_view text, TSkinColour defaultValue)
{
    return text.empty() ? defaultValue : ParseColour(text);
}

TSkinColour ReadColour(const TQuickIni& ini, std::string_view section, std::string_view key, TSkinColour defaultValue)
{
    return ReadColour(ini.ReadString(section, key, ""), defaultValue);
}

int32_t ReadSkinSize(const TQuickIni& ini, std::string_view section, std::string_view key, int32_t defaultValue)
{
    return std::clamp(ini.ReadInteger(section, key, defaultValue), 0, MaxSkinSize);
}

int32_t ReadSkinOffset(const TQuickIni& ini, std::string_view section, std::string_view key, int32_t defaultValue)
{
    return std::clamp(ini.ReadInteger(section, key, defaultValue), -MaxSkinSize, MaxSkinSize);
}

int32_t ReadFrameCount(const TQuickIni& ini, std::string_view section, std::string_view key, int32_t defaultValue)
{
    return std::clamp(ini.ReadInteger(section, key, defaultValue), 0, MaxSkinFrames);
}

std::string SkinImageEntryName(std::string_view value)
{
    const size_t cut = value.find_last_of("\\:");
    const std::string_view name = cut == std::string_view::npos ? value : value.substr(cut + 1);
    const size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || name.substr(dot) != ".bmp")
        return {};
    return std::string(name);
}

TSkinColours ReadSkinColours(const TQuickIni& ini)
{
    TSkinColours c;
    const auto read = [&ini](const TSkinKey& key, TSkinColour& member) {
        member = ReadColour(ini, SectionIn("Colours").Name, key.Name, member);
    };
    read(KeyIn(ColoursKeys, "WindowText"), c.WindowText);
    read(KeyIn(ColoursKeys, "ButtonFace"), c.ButtonFace);
    read(KeyIn(ColoursKeys, "Scrollbar"), c.Scrollbar);
    read(KeyIn(ColoursKeys, "HilightText"), c.HilightText);
    read(KeyIn(ColoursKeys, "Hilight"), c.Hilight);
    c.Menubar = c.ButtonFace;
    read(KeyIn(ColoursKeys, "Menubar"), c.Menubar);
    read(KeyIn(ColoursKeys, "Menu"), c.Menu);
    read(KeyIn(ColoursKeys, "MenuText"), c.MenuText);
    read(KeyIn(ColoursKeys, "ButtonText"), c.ButtonText);
    read(KeyIn(ColoursKeys, "ButtonHilight"), c.ButtonHilight);
    read(KeyIn(ColoursKeys, "Buttonlight"), c.Buttonlight);
    read(KeyIn(ColoursKeys, "ButtonShadow"), c.ButtonShadow);
    read(KeyIn(ColoursKeys, "ButtonDkShadow"), c.ButtonDkShadow);
    read(KeyIn(ColoursKeys, "MenuBarText"), c.MenuBarText);
    read(KeyIn(ColoursKeys, "TitleTextActive"), c.TitleTextActive);
    read(KeyIn(ColoursKeys, "TitleTextNoActive"), c.TitleTextNoActive);

    constexpr const TSkinKey& colour = KeyIn(ColourTableKeys, "color");
    for (const std::string& section : SectionsWhere(ini, IsColourTableSection))
        c.ColourTable.push_back(ReadColour(ini, section, colour.Name, colour.Default));
    constexpr std::string_view custom = SectionIn("Customcolors").Name;
    for (size_t i = 0; i < c.CustomColors.size(); ++i)
        c.CustomColors[i] = ReadColour(ini, custom, CustomColourKeys[i].Name, CustomColourKeys[i].Default);
    return c;
}

std::vector<std::string> CaptionButtonSections(const TQuickIni& ini)
{
    constexpr std::string_view action = KeyIn(CaptionButtonKeys, "Action").Name;
    constexpr std::string_view visibility = KeyIn(CaptionButtonKeys, "Visibility").Name;
    std::vector<std::string> kept;
    for (const std::string& section : SectionsWhere(ini, IsCaptionButtonSection))
        if (ini.ReadInteger(section, action, 0) != -1 || ini.ReadInteger(section, visibility, -1) == 0)
            kept.push_back(section);
    return kept;
}

int CaptionButtonFrameCount(int32_t action, int imageWidth, int imageHeight)
{
    if (action < 0 || imageWidth <= 0 || imageHeight <= 0)
        return 6;
    return static_cast<double>(imageWidth) / imageHeight <= 3.8 ? 3 : 6;
}

} // namespace skin
