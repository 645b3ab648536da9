#include "SkinKeysDoc.h"

#include "skin/format/SkinDescription.h"
#include "skin/format/SkinKeys.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace skintool {

using namespace skin;

namespace {

struct TListTitle {
    TSkinKeys List;
    std::string_view Title;
};

// The title of each key list in the reference.
const TListTitle ListTitles[] = {
    {TitlebarSkinKeys, "Skin name"},           {BorderLeftKeys, "Left frame side"},
    {BorderRightKeys, "Right frame side"},     {BorderTopKeys, "Title bar (top frame side)"},
    {BorderBottomKeys, "Bottom frame side"},   {TitleKeys, "Title text"},
    {MenuBarKeys, "Menu bar"},                 {FontsKeys, "Fonts"},
    {ColoursKeys, "Colours"},                  {ColourTableKeys, "Colour table"},
    {CustomColourKeys, "Custom colours"},      {CaptionButtonKeys, "Caption buttons"},
    {MdiControlsKeys, "MDI buttons"},          {ButtonsKeys, "Buttons"},
    {ProgressKeys, "Progress bar"},            {PictureKeys, "Picture"},
    {MarginKeys, "Margins and keying"},        {StyleKeys, "Style"},
    {TileKeys, "Tiling"},                      {TextColourKeys, "Text colours"},
    {FrameKeys, "Frame count"},                {ThumbKeys, "Thumb frame count"},
    {TabsKeys, "Tab pane"},                    {UpDownKeys, "Up-down glyphs"},
    {GroupBoxKeys, "Group box"},
};

std::string_view TitleOf(TSkinKeys list)
{
    for (const TListTitle& title : ListTitles)
        if (title.List.data() == list.data())
            return title.Title;
    throw std::logic_error("a key list of the table has no title in the reference");
}

std::string Anchor(std::string_view title)
{
    std::string anchor;
    for (char c : title)
        if (c == ' ')
            anchor += '-';
        else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-')
            anchor += c;
        else if (c >= 'A' && c <= 'Z')
            anchor += static_cast<char>(c - 'A' + 'a');
    return anchor;
}

std::string_view KindText(TKeyKind kind)
{
    switch (kind) {
    case TKeyKind::Picture: return "picture";
    case TKeyKind::Size: return "pixels, 0 ... 32767";
    case TKeyKind::Offset: return "pixels, -32767 ... 32767";
    case TKeyKind::Frames: return "frames, 0 ... 1024";
    case TKeyKind::Number: return "number";
    case TKeyKind::Switch: return "0 or 1";
    case TKeyKind::Colour: return "red green blue";
    case TKeyKind::ColourPart: return "0 ... 255";
    case TKeyKind::Text: return "text";
    }
    return "";
}

std::string DefaultText(const TSkinKey& key)
{
    if (!key.DefaultText.empty())
        return std::string(key.DefaultText);
    if (key.Kind == TKeyKind::Picture)
        return "none";
    return std::to_string(key.Default);
}

// The frames' names from the States text: "a, b" names one frame each;
// "label: a, b; other: the same" names them "label a", "label b", "other a"...
std::vector<std::string> FrameNames(std::string_view states)
{
    std::vector<std::string> names, group;
    size_t start = 0;
    while (start <= states.size()) {
        const size_t end = std::min(states.find("; ", start), states.size());
        std::string_view part = states.substr(start, end - start);
        const size_t colon = part.find(": ");
        const std::string label = colon == std::string_view::npos ? "" : std::string(part.substr(0, colon)) + " ";
        part = colon == std::string_view::npos ? part : part.substr(colon + 2);
        if (part != "the same") {
            group.clear();
            for (size_t from = 0; from <= part.size();) {
                const size_t comma = std::min(part.find(", ", from), part.size());
                group.emplace_back(part.substr(from, comma - from));
                from = comma + 2;
            }
        }
        for (const std::string& name : group)
            names.push_back(label + name);
        start = end + 2;
    }
    return names;
}

std::string FramesText(const TSkinPicture& p)
{
    switch (p.Rule) {
    case TFrameRule::Fixed: return std::to_string(p.Frames) + (p.Frames == 1 ? " frame" : " frames");
    case TFrameRule::FromKey:
        return std::string(p.FramesKey->Name) + " frames (default " +
               std::to_string(p.FramesKey->Default ? p.FramesKey->Default : p.Frames) + ")";
    case TFrameRule::CaptionButton: return "frame frames, else 3, or 6 for a picture over 3.8 times as wide as high";
    case TFrameRule::GlyphStrip: return std::string(p.FramesKey->Name) + " frames, else counted from the width";
    case TFrameRule::ProgressStyle: return "2 frames (1 with a Style other than 0)";
    }
    return "";
}

// Boxes of `names` side by side, numbered, wrapped into rows of boxes.
void SideBySide(std::ostream& out, const std::vector<std::string>& names)
{
    constexpr size_t width = 100;
    for (size_t first = 0; first < names.size();) {
        std::string top = "+", middle = "|";
        size_t i = first;
        for (; i < names.size(); ++i) {
            const std::string cell = " " + std::to_string(i + 1) + " " + names[i] + " ";
            if (i > first && middle.size() + cell.size() + 1 > width)
                break;
            top += std::string(cell.size(), '-') + "+";
            middle += cell + "|";
        }
        out << "    " << top << "\n    " << middle << "\n    " << top << "\n";
        first = i;
    }
}

void Stacked(std::ostream& out, const std::vector<std::string>& names)
{
    size_t longest = 0;
    for (size_t i = 0; i < names.size(); ++i)
        longest = std::max(longest, names[i].size() + std::to_string(i + 1).size() + 3);
    const std::string rule = "    +" + std::string(longest, '-') + "+\n";
    out << rule;
    for (size_t i = 0; i < names.size(); ++i) {
        std::string cell = " " + std::to_string(i + 1) + " " + names[i];
        out << "    |" << cell << std::string(longest - cell.size(), ' ') << "|\n" << rule;
    }
}

void Picture(std::ostream& out, const TSkinSection& section, const TSkinPicture& p)
{
    out << "`[" << section.Name << "] " << p.Key->Name << "`: " << FramesText(p)
        << (p.Stacked ? ", stacked top to bottom" : ", side by side");
    if (p.Left || p.Top)
        out << "; fixed margins " << (p.Left ? std::string(p.Left->Name) + "/" + std::string(p.Right->Name) : "")
            << (p.Left && p.Top ? " and " : "")
            << (p.Top ? std::string(p.Top->Name) + "/" + std::string(p.Bottom->Name) : "");
    if (p.AlwaysKeyed)
        out << "; magenta is always left out";
    else if (p.Trans)
        out << "; magenta left out with " << p.Trans->Name << " 1";
    out << ".\n\n";
    const std::vector<std::string> names = FrameNames(p.States);
    if (p.Stacked)
        Stacked(out, names);
    else
        SideBySide(out, names);
    out << "\n";
}

// The lists every element section starts with, named once as "element keys".
const TSkinKeys ElementLists[] = {PictureKeys, MarginKeys, StyleKeys, TileKeys, TextColourKeys};
constexpr std::string_view ElementTitle = "Element keys";

bool StartsWithElementLists(std::span<const TSkinKeys> lists)
{
    return lists.size() >= std::size(ElementLists) &&
           std::equal(std::begin(ElementLists), std::end(ElementLists), lists.begin(),
                      [](TSkinKeys a, TSkinKeys b) { return a.data() == b.data(); });
}

void Link(std::ostream& out, std::string_view title, bool first)
{
    out << (first ? "" : ", ") << "[" << title << "](#" << Anchor(title) << ")";
}

void SectionsTable(std::ostream& out)
{
    out << "| Section | What it skins | Keys |\n|---|---|---|\n";
    for (const TSkinSection& section : SkinSections) {
        out << "| `[" << section.Name << "]` | " << section.Meaning << " | ";
        size_t i = 0;
        if (StartsWithElementLists(section.Keys)) {
            Link(out, ElementTitle, true);
            i = std::size(ElementLists);
        }
        for (const size_t first = i; i < section.Keys.size(); ++i)
            Link(out, TitleOf(section.Keys[i]), i == 0 && first == 0);
        out << " |\n";
    }
    out << "\n";
}

void KeyLists(std::ostream& out)
{
    for (const TListTitle& title : ListTitles) {
        if (title.List.data() == ElementLists[0].data())
            out << "#### " << ElementTitle << "\n\nThe keys of every element section: the five lists below.\n\n";
        out << "#### " << title.Title << "\n\n| Key | Value | Default | Meaning |\n|---|---|---|---|\n";
        for (const TSkinKey& key : title.List)
            out << "| `" << key.Name << "` | " << KindText(key.Kind) << " | " << DefaultText(key) << " | "
                << key.Meaning << " |\n";
        out << "\n";
    }
}

} // namespace

void WriteKeysReference(std::ostream& out)
{
    out << "### Sections\n\n";
    SectionsTable(out);
    out << "### Keys\n\n";
    KeyLists(out);
    out << "### Frames\n\n"
           "Frames count from 1, from the left, or from the top where they are stacked. Check boxes with 12 frames "
           "show unchecked, checked, unchecked disabled and checked disabled in frames 1, 5, 4 and 8 and grayed in "
           "9 (12 disabled); radio buttons with 8 frames use frames 1, 5, 4 and 8. A caption button of 3 frames "
           "has only the first three.\n\n";
    for (const TSkinSection& section : SkinSections)
        for (const TSkinPicture& picture : section.Pictures)
            Picture(out, section, picture);
}

} // namespace skintool
