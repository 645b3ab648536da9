#include "skin/format/SkinDescription.h"

#include "skin/format/SkinText.h"

#include <algorithm>
#include <charconv>

namespace skin {

namespace {

bool StartsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

std::vector<std::string> SectionsWhere(const TQuickIni& ini, bool (*keep)(const std::string& upperName))
{
    std::vector<std::string> sections;
    ini.ReadSections(sections);
    std::vector<std::string> kept;
    for (const std::string& name : sections)
        if (keep(AsciiUpperCase(name)))
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
    const auto read = [&ini](std::string_view key, TSkinColour& member) {
        member = ReadColour(ini, "Colours", key, member);
    };
    read("WindowText", c.WindowText);
    read("ButtonFace", c.ButtonFace);
    read("Scrollbar", c.Scrollbar);
    read("HilightText", c.HilightText);
    read("Hilight", c.Hilight);
    c.Menubar = c.ButtonFace;
    read("Menubar", c.Menubar);
    read("Menu", c.Menu);
    read("MenuText", c.MenuText);
    read("ButtonText", c.ButtonText);
    read("ButtonHilight", c.ButtonHilight);
    read("Buttonlight", c.Buttonlight);
    read("ButtonShadow", c.ButtonShadow);
    read("ButtonDkShadow", c.ButtonDkShadow);
    read("MenuBarText", c.MenuBarText);
    read("TitleTextActive", c.TitleTextActive);
    read("TitleTextNoActive", c.TitleTextNoActive);

    const auto isColourSection = [](const std::string& upper) {
        return StartsWith(upper, "COLOUR") && upper != "COLOURS";
    };
    for (const std::string& section : SectionsWhere(ini, isColourSection))
        c.ColourTable.push_back(ReadColour(ini, section, "color", SysWindowText));
    for (size_t i = 0; i < c.CustomColors.size(); ++i)
        c.CustomColors[i] = ReadColour(ini, "Customcolors", "Color" + std::to_string(i), SkinWhite);
    return c;
}

std::vector<std::string> CaptionButtonSections(const TQuickIni& ini)
{
    const auto isButtonSection = [](const std::string& upper) {
        return StartsWith(upper, "BUTTON") && upper != "BUTTON" && upper != "BUTTONS" && upper != "BUTTON.RADIO" &&
               upper != "BUTTON.CHECKBOX";
    };
    std::vector<std::string> kept;
    for (const std::string& section : SectionsWhere(ini, isButtonSection))
        if (ini.ReadInteger(section, "Action", 0) != -1 || ini.ReadInteger(section, "Visibility", -1) == 0)
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
