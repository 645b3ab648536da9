#include "skin/format/SkinContrast.h"

#include "skin/format/SkinKeys.h"
#include "skin/format/SkinText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

namespace skin {

namespace {

// The standard Windows scheme's colours of the system colour indices a
// skin's defaults use; black for the others.
std::uint32_t StandardSystemColour(int index)
{
    switch (index) {
    case 0: return 0xC8C8C8;   // scroll bar
    case 4: return 0xF0F0F0;   // menu
    case 13: return 0x0078D7;  // highlight
    case 14: return 0xFFFFFF;  // highlight text
    case 15: return 0xF0F0F0;  // button face
    case 16: return 0xA0A0A0;  // button shadow
    case 20: return 0xFFFFFF;  // button highlight
    case 21: return 0x696969;  // dark shadow
    default: return 0x000000;  // the texts
    }
}

double Channel(std::uint32_t value)
{
    const double c = value / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

std::string Rgb(std::uint32_t colour)
{
    return std::to_string(colour >> 16 & 0xFF) + " " + std::to_string(colour >> 8 & 0xFF) + " " +
           std::to_string(colour & 0xFF);
}

// Two decimals, cut rather than rounded: a ratio just below the limit must
// not read as the limit.
std::string Ratio(double ratio)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f:1", std::floor(ratio * 100) / 100);
    return text;
}

// A colour and where it comes from, for the message and the line.
struct TSource {
    std::uint32_t Rgb = 0;
    std::string What;           // "[Colours] ButtonText", "button.bmp frame 1"
    std::string Section, Key;   // where the description writes it; empty when it does not
};

// One text on one face.
struct TPair {
    std::string Text;  // "button caption"
    std::string Face;  // "normal face"
    bool Disabled;
};

// The texts of a control that the engine draws only with its picture, and
// the frames they lie on (0: none).
struct TControlTexts {
    const char* Name;            // "tab"
    int Normal;
    int Second;                  // the pressed or selected look
    const char* SecondName;      // "selected tab"
    const char* SecondFace;      // "selected face"
    const char* SecondKey;       // its colour's key
    int Hot;
    int Disabled;
};

class TContrastCheck {
public:
    explicit TContrastCheck(const TContrastContext& context) : c_(context), colours_(ReadSkinColours(context.Ini)) {}

    void Run()
    {
        Buttons();
        Menus();
        MenuBar();
        Title();
        Tabs();
        Header();
        StatusBar();
    }

private:
    bool Written(std::string_view section, std::string_view key) const
    {
        const TDescribedSection* s = c_.Description.Find(section);
        const TDescribedKey* k = s ? s->Find(key) : nullptr;
        return k && !k->Value.empty();
    }

    TSource SkinColour(std::string_view key, TSkinColour value) const
    {
        const std::string section(SectionIn("Colours").Name);
        if (!Written(section, key))
            return {ResolvedColour(value), "[Colours] " + std::string(key) + ", not given", "", ""};
        return {ResolvedColour(value), "[Colours] " + std::string(key), section, std::string(key)};
    }

    // Disabled text whose enabled colour is `enabled`: the skin's button
    // shadow, or the system's when the skin's is the text colour itself.
    TSource DisabledText(const TSource& enabled) const
    {
        const auto value = static_cast<TSkinColour>((enabled.Rgb >> 16 & 0xFF) | (enabled.Rgb & 0xFF00) |
                                                    (enabled.Rgb & 0xFF) << 16);
        if (DisabledTextColour(colours_, value, ResolvedColour) == colours_.ButtonShadow)
            return SkinColour("ButtonShadow", colours_.ButtonShadow);
        return {ResolvedColour(SysButtonShadow), "the system's button shadow, as [Colours] ButtonShadow is the text's",
                "", ""};
    }

    // The key's colour when the section writes it, else `otherwise`.
    TSource TextKey(std::string_view section, std::string_view key, const TSource& otherwise) const
    {
        const TDescribedSection* s = c_.Description.Find(section);
        const TDescribedKey* k = s ? s->Find(key) : nullptr;
        if (!k || k->Value.empty())
            return otherwise;
        return {ResolvedColour(ParseColour(k->Value)), "[" + s->Name + "] " + std::string(key), s->Name,
                std::string(key)};
    }

    const TLoadedPicture* Picture(std::string_view section, std::string_view key) const
    {
        for (const TLoadedPicture& p : c_.Pictures)
            if (SameAsciiText(p.Section, section) && p.Spec->Key->Name == key)
                return &p;
        return nullptr;
    }

    // Frame `frame` of a picture over `under`, or `under` without the picture.
    TSource Face(std::string_view section, std::string_view key, int frame, const TSource& under) const
    {
        const TLoadedPicture* p = Picture(section, key);
        if (!p)
            return under;
        const std::optional<std::uint32_t> middle = MiddleColour(p->Pixels, p->Layout, p->Margins, frame);
        if (!middle)
            return under;
        return {*middle, p->File + " frame " + std::to_string(frame), p->Section, std::string(p->Spec->Key->Name)};
    }

    void Check(const TPair& pair, const TSource& text, const TSource& face)
    {
        const double ratio = ContrastRatio(text.Rgb, face.Rgb);
        const double wanted = pair.Disabled ? DisabledTextContrast : EnabledTextContrast;
        if (ratio >= wanted)
            return;
        const TSource& at = !text.Key.empty() ? text : face;
        c_.Findings.push_back({true, c_.File, c_.Description.LineOf(at.Section, at.Key), at.Section, at.Key,
                               pair.Text + " " + Rgb(text.Rgb) + " (" + text.What + ") on the " + pair.Face + " " +
                                   Rgb(face.Rgb) + " (" + face.What + "): contrast " + Ratio(ratio) + ", below " +
                                   Ratio(wanted)});
    }

    void Buttons()
    {
        constexpr std::string_view s = SectionIn("Buttons").Name;
        const TSource face = SkinColour("ButtonFace", colours_.ButtonFace);
        const TSource text = SkinColour("ButtonText", colours_.ButtonText);
        const auto on = [&](int frame) { return Face(s, "Bitmap", frame, face); };
        Check({"button caption", "normal face", false}, TextKey(s, "NormalColour2", text), on(1));
        Check({"pressed button caption", "pressed face", false}, TextKey(s, "PressedColour2", text), on(2));
        Check({"disabled button caption", "disabled face", true}, DisabledText(TextKey(s, "NormalColour2", text)),
              on(3));
        Check({"button caption under the mouse", "hot face", false}, TextKey(s, "MouseOverColour2", text), on(4));
    }

    void Menus()
    {
        constexpr std::string_view item = SectionIn("MenuItem").Name;
        const TSource back = Face(SectionIn("MenuBackground").Name, "Image", 1, SkinColour("Menu", colours_.Menu));
        const TSource normal = Face(item, "Image", 1, back);
        const TSource selected = Picture(item, "Image") ? Face(item, "Image", 4, back)
                                                        : SkinColour("Hilight", colours_.Hilight);
        const TSource text = SkinColour("MenuText", colours_.MenuText);
        Check({"menu item", "item face", false}, text, normal);
        Check({"disabled menu item", "item face", true}, DisabledText(text), normal);
        Check({"selected menu item", "selected item face", false}, SkinColour("HilightText", colours_.HilightText),
              selected);
    }

    void MenuBar()
    {
        constexpr std::string_view s = SectionIn("Personality").Name;
        const TSource bar = Face(s, "menuBar", 1, SkinColour("Menubar", colours_.Menubar));
        const TSource text = SkinColour("MenuBarText", colours_.MenuBarText);
        Check({"menu bar item", "menu bar", false}, text, bar);
        Check({"disabled menu bar item", "menu bar", true}, DisabledText(text), bar);
        constexpr std::string_view item = SectionIn("MenuItem").Name;
        if (Picture(item, "Image"))
            Check({"lit menu bar item", "selected item face", false},
                  SkinColour("HilightText", colours_.HilightText), Face(item, "Image", 4, bar));
    }

    void Title()
    {
        constexpr std::string_view s = SectionIn("Personality").Name;
        const TSource face = SkinColour("ButtonFace", colours_.ButtonFace);
        const TLoadedPicture* top = Picture(s, "Top");
        const int inactive = top && top->Layout.Count > 1 ? 2 : 1;
        const auto on = [&](int frame) { return Face(s, "TextBack", frame, Face(s, "Top", frame, face)); };
        Check({"active title", "title bar", false}, SkinColour("TitleTextActive", colours_.TitleTextActive), on(1));
        Check({"inactive title", "inactive title bar", false},
              SkinColour("TitleTextNoActive", colours_.TitleTextNoActive), on(inactive));
    }

    void PicturedControl(std::string_view s, const TControlTexts& t)
    {
        if (!Picture(s, "Image"))
            return;
        const TSource face = SkinColour("ButtonFace", colours_.ButtonFace);
        const TSource text = SkinColour("ButtonText", colours_.ButtonText);
        const auto on = [&](int frame) { return Face(s, "Image", frame, face); };
        const std::string name(t.Name);
        const TSource normal = TextKey(s, "NormalColour2", text);
        Check({name, "normal face", false}, normal, on(t.Normal));
        if (t.Second)
            Check({t.SecondName, t.SecondFace, false}, TextKey(s, t.SecondKey, text), on(t.Second));
        if (t.Hot)
            Check({name + " under the mouse", "hot face", false}, TextKey(s, "MouseOverColour2", text), on(t.Hot));
        if (t.Disabled)
            Check({"disabled " + name, "disabled face", true}, DisabledText(normal), on(t.Disabled));
    }

    void Tabs()
    {
        PicturedControl(SectionIn("Tabs").Name, {"tab", 1, 2, "selected tab", "selected face", "MouseOverColour2", 4, 3});
    }

    void Header()
    {
        PicturedControl(SectionIn("Headerbar").Name, {"header", 1, 3, "pressed header", "pressed face", "PressedColour2", 2, 1});
    }

    void StatusBar()
    {
        PicturedControl(SectionIn("StatusBarEdges").Name, {"status bar text", 1, 0, "", "", "", 0, 0});
    }

    const TContrastContext& c_;
    const TSkinColours colours_;
};

} // namespace

double RelativeLuminance(std::uint32_t rgb)
{
    return 0.2126 * Channel(rgb >> 16 & 0xFF) + 0.7152 * Channel(rgb >> 8 & 0xFF) + 0.0722 * Channel(rgb & 0xFF);
}

double ContrastRatio(std::uint32_t a, std::uint32_t b)
{
    const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

std::uint32_t ResolvedColour(TSkinColour colour)
{
    const auto bits = static_cast<std::uint32_t>(colour);
    if (bits & 0x80000000u)
        return StandardSystemColour(static_cast<int>(bits & 0xFF));
    return (bits & 0xFF) << 16 | (bits & 0xFF00) | (bits >> 16 & 0xFF);
}

void CheckContrast(const TContrastContext& context)
{
    TContrastCheck(context).Run();
}

} // namespace skin
