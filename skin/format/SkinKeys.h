// The sections and keys of a skin description that the engine reads: each
// key with the kind of value it takes, its default and what it does, and
// each picture with how its frames lie. The engine's readers look their key
// names up here when they are compiled (KeyIn, SectionIn: a name missing
// from the table does not compile), the description checker (SkinCheck)
// checks a skin against it, and `skintool keys` prints it for the skin
// author's guide.
//
// Platform-neutral and constexpr: the whole table is known when compiling.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <span>
#include <string_view>

namespace skin {

// What a key's value is. Numbers are whole numbers as TQuickIni reads them.
enum class TKeyKind : std::uint8_t {
    Picture,     // the file name of a .bmp picture in the skin's folder
    Size,        // pixels, 0 ... MaxSkinSize
    Offset,      // pixels, -MaxSkinSize ... MaxSkinSize
    Frames,      // a frame count, 0 ... MaxSkinFrames
    Number,      // a code or a number whose meaning the key tells
    Switch,      // 0 or 1
    Colour,      // three numbers 0 ... 255: red, green and blue
    ColourPart,  // one number 0 ... 255 of a colour given by three keys
    Text,
};

struct TSkinKey {
    std::string_view Name;
    TKeyKind Kind;
    std::int32_t Default;          // what a missing or empty value reads as (numbers)
    std::string_view Meaning;
    std::string_view DefaultText;  // the default in words, where it is no number
};
using TSkinKeys = std::span<const TSkinKey>;

// The key `name` of a list, found while compiling.
consteval const TSkinKey& KeyIn(TSkinKeys list, std::string_view name)
{
    for (const TSkinKey& key : list)
        if (key.Name == name)
            return key;
    throw "the skin key table has no such key";
}

// How the engine counts a picture's frames.
enum class TFrameRule : std::uint8_t {
    Fixed,          // always Frames
    FromKey,        // FramesKey, or Frames when the key gives 0
    CaptionButton,  // FramesKey, else 3 or 6 by the picture's shape (CaptionButtonFrameCount)
    GlyphStrip,     // FramesKey, else frames 13 px wide (16 px for pictures 16 px high or more), at least 4
    ProgressStyle,  // 2, or 1 when the section's Style is not 0
};

// One picture of a section: the key naming it, its frames and the keys that
// give its fixed margins and its keying.
struct TSkinPicture {
    const TSkinKey* Key;
    TFrameRule Rule;
    std::int32_t Frames;
    const TSkinKey* FramesKey;  // FromKey, CaptionButton, GlyphStrip
    bool Stacked;               // frames top to bottom instead of side by side
    // Fixed margins, kept when the picture is stretched: across a frame
    // (Left, Right) and down it (Top, Bottom); null where none applies.
    const TSkinKey* Left;
    const TSkinKey* Right;
    const TSkinKey* Top;
    const TSkinKey* Bottom;
    const TSkinKey* Trans;  // the key that has magenta left out, when one does
    bool AlwaysKeyed;       // magenta is left out whatever the keys say
    std::string_view States;  // what each frame shows, in order, separated by ", "
};

// Which section names a section of the table stands for.
enum class TSectionMatch : std::uint8_t {
    Exact,          // Name, letter case aside
    CaptionButton,  // IsCaptionButtonSection
    ColourTable,    // IsColourTableSection
};

struct TSkinSection {
    std::string_view Name;  // for the non-exact kinds, how the guide writes them
    TSectionMatch Match;
    std::string_view Meaning;
    std::span<const TSkinKeys> Keys;  // every list the section's keys come from
    std::span<const TSkinPicture> Pictures;
};

// ---- Key lists, one per reader of the engine ----

inline constexpr TSkinKey TitlebarSkinKeys[] = {
    {"SkinName", TKeyKind::Text, 0, "the skin's name", "empty"},
};

inline constexpr TSkinKey BorderLeftKeys[] = {
    {"Left", TKeyKind::Picture, 0, "the window frame's left side; frames side by side: active, inactive", ""},
    {"LeftFrame", TKeyKind::Frames, 1, "frames in Left (1 or 2)", ""},
    {"LeftTopHeight", TKeyKind::Size, 0, "fixed top end of Left", ""},
    {"LeftBotHeight", TKeyKind::Size, 0, "fixed bottom end of Left", ""},
    {"LeftStretch", TKeyKind::Switch, 1, "1: the middle of Left is stretched, 0: repeated", ""},
    {"LeftTrans", TKeyKind::Switch, 1, "1: magenta pixels of Left are not drawn", ""},
};
inline constexpr TSkinKey BorderRightKeys[] = {
    {"Right", TKeyKind::Picture, 0, "the window frame's right side; frames side by side: active, inactive", ""},
    {"RightFrame", TKeyKind::Frames, 1, "frames in Right (1 or 2)", ""},
    {"RightTopHeight", TKeyKind::Size, 0, "fixed top end of Right", ""},
    {"RightBotHeight", TKeyKind::Size, 0, "fixed bottom end of Right", ""},
    {"RightStretch", TKeyKind::Switch, 1, "1: the middle of Right is stretched, 0: repeated", ""},
    {"RightTrans", TKeyKind::Switch, 1, "1: magenta pixels of Right are not drawn", ""},
};
inline constexpr TSkinKey BorderTopKeys[] = {
    {"Top", TKeyKind::Picture, 0, "the title bar (the frame's top side); frames stacked: active, inactive", ""},
    {"TopFrame", TKeyKind::Frames, 1, "frames in Top (1 or 2)", ""},
    {"TopTopHeight", TKeyKind::Size, 0, "fixed left end of Top", ""},
    {"TopBotHeight", TKeyKind::Size, 0, "fixed right end of Top", ""},
    {"TopStretch", TKeyKind::Switch, 1, "1: the middle of Top is stretched, 0: repeated", ""},
    {"TopTrans", TKeyKind::Switch, 1, "1: magenta pixels of Top are not drawn", ""},
};
inline constexpr TSkinKey BorderBottomKeys[] = {
    {"Bottom", TKeyKind::Picture, 0, "the window frame's bottom side; frames stacked: active, inactive", ""},
    {"BottomFrame", TKeyKind::Frames, 1, "frames in Bottom (1 or 2)", ""},
    {"BottomTopHeight", TKeyKind::Size, 0, "fixed left end of Bottom", ""},
    {"BottomBotHeight", TKeyKind::Size, 0, "fixed right end of Bottom", ""},
    {"BottomStretch", TKeyKind::Switch, 1, "1: the middle of Bottom is stretched, 0: repeated", ""},
    {"BottomTrans", TKeyKind::Switch, 1, "1: magenta pixels of Bottom are not drawn", ""},
};

inline constexpr TSkinKey TitleKeys[] = {
    {"TextBack", TKeyKind::Picture, 0, "drawn behind the title text; frames stacked: active, inactive", ""},
    {"TextShift", TKeyKind::Offset, 0, "the title text's distance from the left (TextAlignment 0)", ""},
    {"TextShiftVert", TKeyKind::Offset, 0, "moves the title text down by half this many pixels", ""},
    {"TextRightClip", TKeyKind::Offset, 0,
     "room kept free right of the title text, for all the right-aligned caption buttons (less the room of those a "
     "window does not show)",
     ""},
    {"TextAlignment", TKeyKind::Number, 0, "title text: 0 left, 1 centred, 2 right", ""},
    {"Textbackground", TKeyKind::Number, 0, "read and kept; nothing draws with it", ""},
    {"TXTBackleft", TKeyKind::Size, 0, "fixed left end of TextBack", ""},
    {"TXTBackRight", TKeyKind::Size, 0, "fixed right end of TextBack", ""},
    {"ActiveTextR", TKeyKind::ColourPart, -1, "red of the active title colour; read and kept, the title is drawn in "
     "[Colours] TitleTextActive", "not given"},
    {"ActiveTextG", TKeyKind::ColourPart, -1, "green of the same", "not given"},
    {"ActiveTextB", TKeyKind::ColourPart, -1, "blue of the same", "not given"},
    {"InActiveTextR", TKeyKind::ColourPart, -1, "red of the inactive title colour; read and kept, the title is drawn "
     "in [Colours] TitleTextNoActive", "not given"},
    {"InActiveTextG", TKeyKind::ColourPart, -1, "green of the same", "not given"},
    {"InActiveTextB", TKeyKind::ColourPart, -1, "blue of the same", "not given"},
};

inline constexpr TSkinKey MenuBarKeys[] = {
    {"menuBar", TKeyKind::Picture, 0, "the menu bar's background; frames stacked: active, inactive", ""},
    {"TileMenu", TKeyKind::Switch, 1, "1: the middle of menuBar is stretched, 0: repeated", ""},
    {"TileLeftMenu", TKeyKind::Offset, 1, "fixed left end of menuBar, in pixels", ""},
    {"TileRightMenu", TKeyKind::Offset, 1, "fixed right end of menuBar, in pixels", ""},
};

inline constexpr TSkinKey FontsKeys[] = {
    {"FontHeight", TKeyKind::Offset, 14, "read and kept; the title uses the system's caption font", ""},
};

// System colours as colour values (SkinDescription.h names them).
inline constexpr std::int32_t SystemColourValue(int index)
{
    return static_cast<std::int32_t>(0x80000000u | static_cast<std::uint32_t>(index));
}

inline constexpr TSkinKey ColoursKeys[] = {
    {"WindowText", TKeyKind::Colour, SystemColourValue(8), "text of windows", "the system's"},
    {"ButtonFace", TKeyKind::Colour, SystemColourValue(15), "face of windows, dialogs and controls", "the system's"},
    {"Scrollbar", TKeyKind::Colour, SystemColourValue(0), "scroll bar track", "the system's"},
    {"HilightText", TKeyKind::Colour, SystemColourValue(14), "text of selected menu items", "the system's"},
    {"Hilight", TKeyKind::Colour, SystemColourValue(13), "selected menu items without a MenuItem picture",
     "the system's"},
    {"Menubar", TKeyKind::Colour, SystemColourValue(15), "the menu bar without a menuBar picture", "ButtonFace"},
    {"Menu", TKeyKind::Colour, SystemColourValue(4), "menus without a MenuBackground picture", "the system's"},
    {"MenuText", TKeyKind::Colour, SystemColourValue(7), "text of menu items", "the system's"},
    {"ButtonText", TKeyKind::Colour, SystemColourValue(18), "text of buttons and the default of every NormalColour2",
     "the system's"},
    {"ButtonHilight", TKeyKind::Colour, SystemColourValue(20), "light edges; the outline of a lit menu bar item "
     "without a MenuItem picture", "the system's"},
    {"Buttonlight", TKeyKind::Colour, SystemColourValue(20), "light edges", "the system's"},
    {"ButtonShadow", TKeyKind::Colour, SystemColourValue(16), "shadow edges and disabled text",
     "the system's"},
    {"ButtonDkShadow", TKeyKind::Colour, SystemColourValue(21), "dark shadow edges", "the system's"},
    {"MenuBarText", TKeyKind::Colour, SystemColourValue(7), "text of the menu bar", "the system's menu text"},
    {"TitleTextActive", TKeyKind::Colour, SystemColourValue(9), "title text of the active window", "the system's"},
    {"TitleTextNoActive", TKeyKind::Colour, SystemColourValue(19), "title text of inactive windows", "the system's"},
};

inline constexpr TSkinKey ColourTableKeys[] = {
    {"color", TKeyKind::Colour, SystemColourValue(8), "one colour of the skin's colour table, in file order",
     "the system's window text"},
};

inline constexpr TSkinKey CustomColourKeys[] = {
    {"Color0", TKeyKind::Colour, 0xFFFFFF, "custom colour 0 of colour dialogs", "white"},
    {"Color1", TKeyKind::Colour, 0xFFFFFF, "custom colour 1", "white"},
    {"Color2", TKeyKind::Colour, 0xFFFFFF, "custom colour 2", "white"},
    {"Color3", TKeyKind::Colour, 0xFFFFFF, "custom colour 3", "white"},
    {"Color4", TKeyKind::Colour, 0xFFFFFF, "custom colour 4", "white"},
    {"Color5", TKeyKind::Colour, 0xFFFFFF, "custom colour 5", "white"},
    {"Color6", TKeyKind::Colour, 0xFFFFFF, "custom colour 6", "white"},
    {"Color7", TKeyKind::Colour, 0xFFFFFF, "custom colour 7", "white"},
    {"Color8", TKeyKind::Colour, 0xFFFFFF, "custom colour 8", "white"},
    {"Color9", TKeyKind::Colour, 0xFFFFFF, "custom colour 9", "white"},
};

inline constexpr TSkinKey CaptionButtonKeys[] = {
    {"Action", TKeyKind::Number, 0, "0 close, 1 maximise or restore, 2 minimise, 3 or 11 the window icon (system "
     "menu), 12 system menu, 4 context help, 7/8/9 an MDI child's minimise/restore/close; -1: the section is "
     "skipped unless Visibility is 0; other codes are left to the window", ""},
    {"Align", TKeyKind::Number, 0, "Xcoord counts from: 0 the left edge, 1 the right edge, 2 the title text's left "
     "end (leftwards), 3 its right end", ""},
    {"Xcoord", TKeyKind::Offset, 0, "distance from where Align says", ""},
    {"Ycoord", TKeyKind::Offset, 0, "distance from the window's top", ""},
    {"Visibility", TKeyKind::Number, 0, "shown when: 0 always, 1 maximised, 2 not maximised, 3 active, 4 inactive, 6 "
     "or 8 a minimise or maximise box and a system menu, 7 no maximise box, 9 no minimise box, 10 a help box only", ""},
    {"Visibility1", TKeyKind::Number, 0, "a second condition like Visibility (-1 when Action is -1)", ""},
    {"CombineOp", TKeyKind::Number, -1, "read and kept; nothing uses it", ""},
    {"frame", TKeyKind::Frames, 0, "frames in ButtonImage; 0: 3, or 6 for a picture more than 3.8 times as wide as "
     "high", ""},
    {"ButtonImage", TKeyKind::Picture, 0, "the button; frames side by side", ""},
};

inline constexpr TSkinKey PictureKeys[] = {
    {"Image", TKeyKind::Picture, 0, "the element's picture; frames side by side", ""},
};

// The keys every element reader shares (ReadMarginsAndTrans).
inline constexpr TSkinKey MarginKeys[] = {
    {"LeftWidth", TKeyKind::Size, 0, "fixed left margin of each frame, kept when the picture is stretched", ""},
    {"RightWidth", TKeyKind::Size, 0, "fixed right margin", ""},
    {"TopHeight", TKeyKind::Size, 0, "fixed top margin", ""},
    {"BottomHeight", TKeyKind::Size, 0, "fixed bottom margin", ""},
    {"Trans", TKeyKind::Switch, 0, "1: magenta pixels are not drawn", ""},
};

// The look the element readers share (ReadLook) beside the margins.
inline constexpr TSkinKey StyleKeys[] = {
    {"Style", TKeyKind::Number, 0, "a variant of the element (see its section)", ""},
};

inline constexpr TSkinKey TileKeys[] = {
    {"Tile", TKeyKind::Switch, 0, "1: the middle of each frame is repeated, 0: stretched", ""},
};

// The text colours of elements and buttons; a missing one is [Colours]
// ButtonText, for [Buttons] the control's own font colour.
inline constexpr TSkinKey TextColourKeys[] = {
    {"NormalColour", TKeyKind::Number, -1, "read and kept; nothing draws with it", ""},
    {"MouseOverColour", TKeyKind::Number, -1, "read and kept; nothing draws with it", ""},
    {"PressedColour", TKeyKind::Number, -1, "read and kept; nothing draws with it", ""},
    {"NormalColour2", TKeyKind::Colour, 0, "text colour in the normal state", "ButtonText ([Buttons]: the font's)"},
    {"MouseOverColour2", TKeyKind::Colour, 0, "text colour under the mouse (tabs: also of the selected tab)",
     "ButtonText ([Buttons]: the font's)"},
    {"PressedColour2", TKeyKind::Colour, 0, "text colour when pressed", "ButtonText ([Buttons]: the font's)"},
};

inline constexpr TSkinKey FrameKeys[] = {
    {"Frame", TKeyKind::Frames, 0, "frames in Image where the element's count is not fixed (Headerbar: 0 means 5)", ""},
};

inline constexpr TSkinKey ThumbKeys[] = {
    {"FrameCount", TKeyKind::Frames, 3, "frames in Image", ""},
};

inline constexpr TSkinKey TabsKeys[] = {
    {"Border", TKeyKind::Picture, 0, "the pane under the tabs, one frame (Style 0)", ""},
};

inline constexpr TSkinKey UpDownKeys[] = {
    {"GlyphImage", TKeyKind::Picture, 0, "the arrows drawn centred on the buttons; frames as in Image", ""},
};

inline constexpr TSkinKey GroupBoxKeys[] = {
    {"BackgroundAlignment", TKeyKind::Number, 0, "read and kept; nothing uses it", ""},
    {"BackgroundLeftShift", TKeyKind::Offset, 0, "read and kept; nothing uses it", ""},
    {"BackgroundRightShift", TKeyKind::Offset, 0, "read and kept; nothing uses it", ""},
};

inline constexpr TSkinKey ButtonsKeys[] = {
    {"Bitmap", TKeyKind::Picture, 0, "push buttons; frames side by side", ""},
    {"CheckButton", TKeyKind::Picture, 0, "check boxes; frames side by side", ""},
    {"RadioButton", TKeyKind::Picture, 0, "radio buttons; frames side by side", ""},
    {"RadioButtonFrame", TKeyKind::Frames, 0, "frames in RadioButton; 0: counted from its width", ""},
    {"CheckButtonFrame", TKeyKind::Frames, 0, "frames in CheckButton; 0: counted from its width", ""},
};

inline constexpr TSkinKey ProgressKeys[] = {
    {"Bitmap", TKeyKind::Picture, 0, "the bar; frames side by side", ""},
    {"Style", TKeyKind::Number, 0, "0: frame 1 is the track, frame 2 the done part; 1: one frame, the done part "
     "drawn with [Progress.Chunk]", ""},
    {"Tile", TKeyKind::Number, 0, "read; above 1 counts as 1", ""},
};

inline constexpr TSkinKey MdiControlsKeys[] = {
    {"Image", TKeyKind::Picture, 0, "a maximised MDI child's buttons on the menu bar; frames side by side", ""},
};

// ---- Pictures ----

// The place of each key in the list of a side of the window frame.
enum TBorderKey : std::size_t {
    BorderPicture, BorderFrames, BorderFirstEnd, BorderLastEnd, BorderStretch, BorderTrans
};

// Whether the keys of a side of the window frame are its name followed by
// "", "Frame", "TopHeight", "BotHeight", "Stretch" and "Trans", in that
// order: the engine's reader and Border take them by place.
inline constexpr bool IsBorderList(TSkinKeys keys)
{
    constexpr std::string_view suffixes[] = {"", "Frame", "TopHeight", "BotHeight", "Stretch", "Trans"};
    const std::string_view side = keys[0].Name;
    if (keys.size() != std::size(suffixes))
        return false;
    for (std::size_t i = 0; i < keys.size(); ++i)
        if (keys[i].Name.substr(0, side.size()) != side || keys[i].Name.substr(side.size()) != suffixes[i])
            return false;
    return true;
}
static_assert(IsBorderList(BorderLeftKeys) && IsBorderList(BorderRightKeys) && IsBorderList(BorderTopKeys) &&
              IsBorderList(BorderBottomKeys));

namespace skinkeys_detail {

// A picture of Image (or `pictureKey`) with the shared margins and Trans.
inline constexpr TSkinPicture ElementPicture(TFrameRule rule, std::int32_t frames, const TSkinKey* framesKey,
                                      std::string_view states, const TSkinKey* pictureKey = &PictureKeys[0])
{
    return {pictureKey, rule, frames, framesKey, false, &KeyIn(MarginKeys, "LeftWidth"),
            &KeyIn(MarginKeys, "RightWidth"), &KeyIn(MarginKeys, "TopHeight"), &KeyIn(MarginKeys, "BottomHeight"),
            &KeyIn(MarginKeys, "Trans"), false, states};
}

inline constexpr TSkinPicture Fixed(std::int32_t frames, std::string_view states, bool alwaysKeyed = false)
{
    TSkinPicture picture = ElementPicture(TFrameRule::Fixed, frames, nullptr, states);
    picture.AlwaysKeyed = alwaysKeyed;
    return picture;
}

// A picture drawn at its own size or stretched whole, always keyed.
inline constexpr TSkinPicture Glyphs(const TSkinKey* key, TFrameRule rule, std::int32_t frames,
                                     const TSkinKey* framesKey, std::string_view states)
{
    return {key, rule, frames, framesKey, false, nullptr, nullptr, nullptr, nullptr, nullptr, true, states};
}

// A side of the window frame, from its six keys (IsBorderList). The ends
// of the top and bottom sides lie across their frames, those of the left
// and right sides down them.
inline constexpr TSkinPicture Border(TSkinKeys keys, bool stacked)
{
    const TSkinKey* first = &keys[BorderFirstEnd];
    const TSkinKey* last = &keys[BorderLastEnd];
    return {&keys[BorderPicture], TFrameRule::FromKey, 1, &keys[BorderFrames], stacked,
            stacked ? first : nullptr, stacked ? last : nullptr, stacked ? nullptr : first, stacked ? nullptr : last,
            &keys[BorderTrans], false, "active, inactive"};
}

inline constexpr std::string_view ButtonStates = "normal, pressed, disabled, hot, focused or default";
inline constexpr std::string_view ArrowStates = "normal, pressed, disabled, hot";
inline constexpr std::string_view UpDownStates = "first arrow: normal, pressed, disabled, hot; second arrow: the same";

} // namespace skinkeys_detail

inline constexpr TSkinPicture PersonalityPictures[] = {
    skinkeys_detail::Border(BorderLeftKeys, false),
    skinkeys_detail::Border(BorderRightKeys, false),
    skinkeys_detail::Border(BorderTopKeys, true),
    skinkeys_detail::Border(BorderBottomKeys, true),
    {&TitleKeys[0], TFrameRule::Fixed, 2, nullptr, true, &KeyIn(TitleKeys, "TXTBackleft"),
     &KeyIn(TitleKeys, "TXTBackRight"), nullptr, nullptr, nullptr, true, "active, inactive"},
    {&MenuBarKeys[0], TFrameRule::Fixed, 2, nullptr, true, &KeyIn(MenuBarKeys, "TileLeftMenu"),
     &KeyIn(MenuBarKeys, "TileRightMenu"), nullptr, nullptr, nullptr, false, "active, inactive"},
};

inline constexpr TSkinPicture CaptionButtonPictures[] = {
    skinkeys_detail::Glyphs(&KeyIn(CaptionButtonKeys, "ButtonImage"), TFrameRule::CaptionButton, 0,
                            &KeyIn(CaptionButtonKeys, "frame"),
                            "normal, pressed, hot, disabled or inactive (or hot on the menu bar), unused, unused"),
};

inline constexpr TSkinPicture MdiControlsPictures[] = {
    skinkeys_detail::Glyphs(&MdiControlsKeys[0], TFrameRule::Fixed, 12, nullptr,
                            "minimise: normal, pressed, hot, hot on the menu bar or disabled; restore: the same; "
                            "close: the same"),
};

inline constexpr TSkinPicture ButtonsPictures[] = {
    skinkeys_detail::ElementPicture(TFrameRule::Fixed, 5, nullptr, skinkeys_detail::ButtonStates, &ButtonsKeys[0]),
    skinkeys_detail::Glyphs(&KeyIn(ButtonsKeys, "CheckButton"), TFrameRule::GlyphStrip, 0,
                            &KeyIn(ButtonsKeys, "CheckButtonFrame"),
                            "unchecked, checked, unchecked disabled, checked disabled or grayed"),
    skinkeys_detail::Glyphs(&KeyIn(ButtonsKeys, "RadioButton"), TFrameRule::GlyphStrip, 0,
                            &KeyIn(ButtonsKeys, "RadioButtonFrame"),
                            "unchecked, checked, unchecked disabled, checked disabled"),
};

inline constexpr TSkinPicture ProgressPictures[] = {
    {&ProgressKeys[0], TFrameRule::ProgressStyle, 2, nullptr, false, &KeyIn(MarginKeys, "LeftWidth"),
     &KeyIn(MarginKeys, "RightWidth"), &KeyIn(MarginKeys, "TopHeight"), &KeyIn(MarginKeys, "BottomHeight"),
     &KeyIn(MarginKeys, "Trans"), true, "track, done part"},
};

inline constexpr TSkinPicture ProgressChunkPictures[] = {
    {&PictureKeys[0], TFrameRule::Fixed, 1, nullptr, false, &KeyIn(MarginKeys, "LeftWidth"),
     &KeyIn(MarginKeys, "RightWidth"), nullptr, nullptr, &KeyIn(MarginKeys, "Trans"), true, "one chunk"},
};

inline constexpr TSkinPicture GroupBoxEdgePictures[] = {skinkeys_detail::Fixed(2, "not drawn, not drawn")};
inline constexpr TSkinPicture GroupBoxPictures[] = {skinkeys_detail::Fixed(1, "not drawn")};
inline constexpr TSkinPicture TabsPictures[] = {
    skinkeys_detail::Fixed(5, "normal, selected, disabled, hot, selected and hot"),
    {&TabsKeys[0], TFrameRule::Fixed, 1, nullptr, false, nullptr, nullptr, nullptr, nullptr, nullptr, false,
     "the pane"},
};
inline constexpr TSkinPicture StatusBarPictures[] = {skinkeys_detail::Fixed(3, "lowered, raised, no bevel")};
inline constexpr TSkinPicture TabPanePictures[] = {skinkeys_detail::Fixed(1, "the pane (Tabs Style other than 0)")};
inline constexpr TSkinPicture ToolBarsPictures[] = {skinkeys_detail::Fixed(5, skinkeys_detail::ButtonStates)};
inline constexpr TSkinPicture ComboButtonPictures[] = {skinkeys_detail::Fixed(4, skinkeys_detail::ArrowStates, true)};
inline constexpr TSkinPicture SunkEdgePictures[] = {skinkeys_detail::Fixed(4, skinkeys_detail::ArrowStates)};
inline constexpr TSkinPicture ExtraImagesPictures[] = {
    skinkeys_detail::Fixed(5, "combo arrow: normal, pressed, disabled, hot; size grip", true)};
inline constexpr TSkinPicture HeaderbarPictures[] = {
    skinkeys_detail::ElementPicture(TFrameRule::FromKey, 5, &FrameKeys[0], "normal, hot, pressed, unused, unused")};
inline constexpr TSkinPicture MenuItemPictures[] = {
    skinkeys_detail::Fixed(5, "normal, separator (its bottom rows), unused, selected, unused", true)};
inline constexpr TSkinPicture MenuBackgroundPictures[] = {skinkeys_detail::Fixed(1, "behind the items of menus")};
inline constexpr TSkinPicture ScrollbarPictures[] = {skinkeys_detail::Fixed(
    23, "left arrow: normal, pressed, disabled, hot; right arrow: the same; up arrow: the same; down arrow: the "
        "same; horizontal grip: normal, pressed, hot; vertical grip: the same; unused",
    true)};
inline constexpr TSkinPicture ScrollTrackPictures[] = {skinkeys_detail::Fixed(4, "enabled, unused, disabled, unused")};
inline constexpr TSkinPicture ScrollThumbPictures[] = {
    skinkeys_detail::ElementPicture(TFrameRule::FromKey, 1, &ThumbKeys[0], "normal, pressed, hot")};
inline constexpr TSkinPicture TrackThumbPictures[] = {
    skinkeys_detail::Fixed(5, "unused, the thumb, unused, unused, unused", true)};
inline constexpr TSkinPicture UpDownPictures[] = {
    skinkeys_detail::Fixed(8, skinkeys_detail::UpDownStates, true),
    skinkeys_detail::Glyphs(&UpDownKeys[0], TFrameRule::Fixed, 8, nullptr, skinkeys_detail::UpDownStates),
};
inline constexpr TSkinPicture TrackPictures[] = {
    skinkeys_detail::Fixed(1, "the channel at its own thickness")};

// ---- Sections ----

namespace skinkeys_detail {
inline constexpr TSkinKeys PersonalityLists[] = {BorderLeftKeys, BorderRightKeys, BorderTopKeys, BorderBottomKeys,
                                                 TitleKeys, MenuBarKeys};
inline constexpr TSkinKeys ElementLists[] = {PictureKeys, MarginKeys, StyleKeys, TileKeys, TextColourKeys, FrameKeys};
inline constexpr TSkinKeys LookLists[] = {PictureKeys, MarginKeys, StyleKeys, TileKeys, TextColourKeys};
inline constexpr TSkinKeys TabsLists[] = {PictureKeys, MarginKeys, StyleKeys, TileKeys, TextColourKeys, TabsKeys};
inline constexpr TSkinKeys UpDownLists[] = {PictureKeys, MarginKeys, StyleKeys, TileKeys, TextColourKeys, UpDownKeys};
inline constexpr TSkinKeys GroupBoxLists[] = {PictureKeys, MarginKeys,     StyleKeys,
                                              TileKeys,    TextColourKeys, GroupBoxKeys};
inline constexpr TSkinKeys ThumbLists[] = {PictureKeys, MarginKeys, StyleKeys, TileKeys, TextColourKeys, FrameKeys,
                                           ThumbKeys};
inline constexpr TSkinKeys ButtonsLists[] = {ButtonsKeys, MarginKeys, TileKeys, TextColourKeys};
inline constexpr TSkinKeys ProgressLists[] = {ProgressKeys, MarginKeys};
inline constexpr TSkinKeys TitlebarSkinLists[] = {TitlebarSkinKeys};
inline constexpr TSkinKeys FontsLists[] = {FontsKeys};
inline constexpr TSkinKeys ColoursLists[] = {ColoursKeys};
inline constexpr TSkinKeys ColourTableLists[] = {ColourTableKeys};
inline constexpr TSkinKeys CustomColourLists[] = {CustomColourKeys};
inline constexpr TSkinKeys CaptionButtonLists[] = {CaptionButtonKeys};
inline constexpr TSkinKeys MdiControlsLists[] = {MdiControlsKeys};

inline constexpr TSkinSection ElementSection(std::string_view name, std::string_view meaning,
                                      std::span<const TSkinPicture> pictures,
                                      std::span<const TSkinKeys> lists = ElementLists)
{
    return {name, TSectionMatch::Exact, meaning, lists, pictures};
}
} // namespace skinkeys_detail

// Every section the engine reads, in the order of the guide.
inline constexpr TSkinSection SkinSections[] = {
    {"TitlebarSkin", TSectionMatch::Exact, "the skin's name", skinkeys_detail::TitlebarSkinLists, {}},
    {"Personality", TSectionMatch::Exact, "the window frame, the title text and the menu bar",
     skinkeys_detail::PersonalityLists, PersonalityPictures},
    {"Fonts", TSectionMatch::Exact, "fonts", skinkeys_detail::FontsLists, {}},
    {"Colours", TSectionMatch::Exact, "the skin's colours", skinkeys_detail::ColoursLists, {}},
    {"Colour<n>", TSectionMatch::ColourTable, "one colour of the colour table per section (Colour0, Colour1, ...)",
     skinkeys_detail::ColourTableLists, {}},
    {"Customcolors", TSectionMatch::Exact, "the ten custom colours of colour dialogs",
     skinkeys_detail::CustomColourLists, {}},
    {"Button<n>", TSectionMatch::CaptionButton, "one caption button of the title bar per section (Button0, ...)",
     skinkeys_detail::CaptionButtonLists, CaptionButtonPictures},
    {"MDICONTROLS", TSectionMatch::Exact, "a maximised MDI child's buttons, fitted to the menu bar's height",
     skinkeys_detail::MdiControlsLists, MdiControlsPictures},
    {"Buttons", TSectionMatch::Exact, "push buttons, check boxes and radio buttons", skinkeys_detail::ButtonsLists,
     ButtonsPictures},
    {"Progress", TSectionMatch::Exact, "progress bars", skinkeys_detail::ProgressLists, ProgressPictures},
    skinkeys_detail::ElementSection("Progress.Chunk", "the done part of a progress bar of Style 1 (Tile 1: repeated)",
                                    ProgressChunkPictures),
    skinkeys_detail::ElementSection("GroupBoxEdge", "group box edges: read and kept, not drawn", GroupBoxEdgePictures),
    skinkeys_detail::ElementSection("GroupBox", "group box captions: read and kept, not drawn", GroupBoxPictures,
                                    skinkeys_detail::GroupBoxLists),
    skinkeys_detail::ElementSection("Tabs",
                                    "tabs, at least as thick as its frames are high; Style 0 draws the pane with "
                                    "Border, another Style with [Tab.Pane]",
                                    TabsPictures, skinkeys_detail::TabsLists),
    skinkeys_detail::ElementSection("StatusBarEdges", "status bar panels (NormalColour2: their text)",
                                    StatusBarPictures),
    skinkeys_detail::ElementSection("Tab.Pane", "the pane under tabs (margins at most 4)", TabPanePictures),
    skinkeys_detail::ElementSection("ToolBars", "tool bar buttons", ToolBarsPictures),
    skinkeys_detail::ElementSection("ComboButton",
                                    "the drop button of combo boxes (Style 1: flat, 2: built with SunkEdge)",
                                    ComboButtonPictures, skinkeys_detail::LookLists),
    skinkeys_detail::ElementSection("SunkEdge", "edit and combo box borders", SunkEdgePictures),
    skinkeys_detail::ElementSection("ExtraImages", "glyphs: the combo arrow and the size grip", ExtraImagesPictures),
    skinkeys_detail::ElementSection("Headerbar", "list headers", HeaderbarPictures),
    skinkeys_detail::ElementSection("MenuItem", "menu items and lit menu bar items", MenuItemPictures),
    skinkeys_detail::ElementSection("MenuBackground", "menus", MenuBackgroundPictures),
    skinkeys_detail::ElementSection("Scrollbar",
                                    "scroll bar arrows and thumb grips; a window's bars are as thick as its frames "
                                    "where the system's are thinner",
                                    ScrollbarPictures),
    skinkeys_detail::ElementSection("HorzScroll", "horizontal scroll bar tracks", ScrollTrackPictures),
    skinkeys_detail::ElementSection("VertScroll", "vertical scroll bar tracks", ScrollTrackPictures),
    skinkeys_detail::ElementSection("HorzScrollThumb", "horizontal scroll bar thumbs", ScrollThumbPictures,
                                    skinkeys_detail::ThumbLists),
    skinkeys_detail::ElementSection("VertScrollThumb", "vertical scroll bar thumbs", ScrollThumbPictures,
                                    skinkeys_detail::ThumbLists),
    skinkeys_detail::ElementSection("Trackbar.ThumbHorz", "track bar thumbs (frame 2, its margins kept)",
                                    TrackThumbPictures),
    skinkeys_detail::ElementSection("Trackbar.ThumbVert", "vertical track bar thumbs (frame 2, its margins kept)",
                                    TrackThumbPictures),
    skinkeys_detail::ElementSection("Trackbar.ThumbLeft", "read and kept; not drawn", TrackThumbPictures),
    skinkeys_detail::ElementSection("Trackbar.ThumbRight", "read and kept; not drawn", TrackThumbPictures),
    skinkeys_detail::ElementSection("Trackbar.ThumbUp", "read and kept; not drawn", TrackThumbPictures),
    skinkeys_detail::ElementSection("Trackbar.ThumbDown", "read and kept; not drawn", TrackThumbPictures),
    skinkeys_detail::ElementSection("UpDown.Horz", "up-down buttons side by side", UpDownPictures,
                                    skinkeys_detail::UpDownLists),
    skinkeys_detail::ElementSection("UpDown.Vert", "up-down buttons one above the other", UpDownPictures,
                                    skinkeys_detail::UpDownLists),
    skinkeys_detail::ElementSection("Track", "track bar channels (a built-in one without the section)", TrackPictures),
    skinkeys_detail::ElementSection("TRACKVERT", "vertical track bar channels (a built-in one without the section)",
                                    TrackPictures),
};

// The section of the table named `name` (an exact one), found while compiling.
consteval const TSkinSection& SectionIn(std::string_view name)
{
    for (const TSkinSection& section : SkinSections)
        if (section.Name == name)
            return section;
    throw "the skin key table has no such section";
}

// The key `name` of a section, found while compiling.
consteval const TSkinKey& KeyIn(const TSkinSection& section, std::string_view name)
{
    for (TSkinKeys list : section.Keys)
        for (const TSkinKey& key : list)
            if (key.Name == name)
                return key;
    throw "the skin key table has no such key";
}

// Caption button sections: names beginning with "Button", letter case aside,
// other than the control sections "Button", "Buttons", "Button.Radio" and
// "Button.CheckBox".
bool IsCaptionButtonSection(std::string_view name);
// Colour table sections: names beginning with "Colour", other than "Colours".
bool IsColourTableSection(std::string_view name);

// The section of the table that the engine reads a description's section
// `name` (the text between the brackets, as written) as; null for a section
// the engine does not read.
const TSkinSection* FindSkinSection(std::string_view name);
// The key of `section` that the engine reads `name` as (letter case aside).
const TSkinKey* FindSkinKey(const TSkinSection& section, std::string_view name);

} // namespace skin
