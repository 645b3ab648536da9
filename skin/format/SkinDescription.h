// What a skin description says, read into plain values: colours written as
// three numbers, picture names, the skin's colour set and the rules that pick
// the caption-button and colour sections. The element records and pictures
// are made from these by the skin data component (WinSkinData).
//
// Platform-neutral: colours are 32-bit values 0x00BBGGRR, or 0x800000nn for
// system colour nn.
#pragma once

#include "skin/format/SkinKeys.h"
#include "skin/format/WinSkinIni.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace skin {

using TSkinColour = int32_t;

// System colours, by their platform index, as colour values.
constexpr TSkinColour SystemColour(int index) { return SystemColourValue(index); }
inline constexpr TSkinColour SysScrollbar = SystemColour(0);
inline constexpr TSkinColour SysMenu = SystemColour(4);
inline constexpr TSkinColour SysMenuText = SystemColour(7);
inline constexpr TSkinColour SysWindowText = SystemColour(8);
inline constexpr TSkinColour SysCaptionText = SystemColour(9);
inline constexpr TSkinColour SysHighlight = SystemColour(13);
inline constexpr TSkinColour SysHighlightText = SystemColour(14);
inline constexpr TSkinColour SysButtonFace = SystemColour(15);
inline constexpr TSkinColour SysButtonShadow = SystemColour(16);
inline constexpr TSkinColour SysButtonText = SystemColour(18);
inline constexpr TSkinColour SysInactiveCaptionText = SystemColour(19);
inline constexpr TSkinColour SysButtonHighlight = SystemColour(20);
inline constexpr TSkinColour Sys3DDarkShadow = SystemColour(21);

inline constexpr TSkinColour SkinWhite = 0xFFFFFF;
inline constexpr TSkinColour SkinNoColour = 0x1FFFFFFF;  // a title text colour the skin does not set

// Three numbers, red, green and blue, separated by any non-digit characters
// ("207 207 207", "207,207,207"). Only the first three count; a number too
// large for 32 bits is skipped; with only two numbers before the last one,
// the last is blue. Each part keeps its low 8 bits. An empty text is black.
TSkinColour ParseColour(std::string_view text);
// defaultValue for an empty text, else ParseColour.
TSkinColour ReadColour(std::string_view text, TSkinColour defaultValue);
TSkinColour ReadColour(const TQuickIni& ini, std::string_view section, std::string_view key,
                       TSkinColour defaultValue);

// Sizes, positions and frame counts as a description gives them, each cut to
// a range no skin needs to leave, so that no sum or product of them made
// while drawing can overflow: sizes (margins, fixed ends) to 0 ... MaxSkinSize,
// positions and shifts to -MaxSkinSize ... MaxSkinSize, frame counts to
// 0 ... MaxSkinFrames. A missing or malformed value gives the default, cut
// the same way.
inline constexpr int32_t MaxSkinSize = 32767;
inline constexpr int32_t MaxSkinFrames = 1024;
int32_t ReadSkinSize(const TQuickIni& ini, std::string_view section, std::string_view key, int32_t defaultValue);
int32_t ReadSkinOffset(const TQuickIni& ini, std::string_view section, std::string_view key, int32_t defaultValue);
int32_t ReadFrameCount(const TQuickIni& ini, std::string_view section, std::string_view key, int32_t defaultValue);

// The most memory the decoded pictures of one skin may take together (each
// time an element names one): the program's own skin needs under 1 MiB.
inline constexpr uint64_t MaxSkinPictureBytes = 64u << 20;

// The package entry a picture key names: the file-name part of the value
// (after the last '\' or ':'), but only for the extension ".bmp" written in
// lower case; empty when the key names no picture.
std::string SkinImageEntryName(std::string_view value);

// The default of a key of section "Colours", from the key table.
consteval TSkinColour ColoursDefault(std::string_view key)
{
    return KeyIn(ColoursKeys, key).Default;
}

// The colours of section "Colours", each defaulting to the system colour of
// its role, the numbered colour sections and the ten custom colours.
struct TSkinColours {
    TSkinColour WindowText = ColoursDefault("WindowText");
    TSkinColour ButtonFace = ColoursDefault("ButtonFace");
    TSkinColour Scrollbar = ColoursDefault("Scrollbar");
    TSkinColour HilightText = ColoursDefault("HilightText");
    TSkinColour Hilight = ColoursDefault("Hilight");
    TSkinColour Menubar = ColoursDefault("Menubar");  // read as ButtonFace when missing
    TSkinColour Menu = ColoursDefault("Menu");
    TSkinColour MenuText = ColoursDefault("MenuText");
    TSkinColour ButtonText = ColoursDefault("ButtonText");
    TSkinColour ButtonHilight = ColoursDefault("ButtonHilight");
    TSkinColour Buttonlight = ColoursDefault("Buttonlight");
    TSkinColour ButtonShadow = ColoursDefault("ButtonShadow");
    TSkinColour ButtonDkShadow = ColoursDefault("ButtonDkShadow");
    TSkinColour MenuBarText = ColoursDefault("MenuBarText");
    TSkinColour TitleTextActive = ColoursDefault("TitleTextActive");
    TSkinColour TitleTextNoActive = ColoursDefault("TitleTextNoActive");
    // One colour per section "Colour<n>" (key "color"), in file order.
    std::vector<TSkinColour> ColourTable;
    // Keys "Color0" ... "Color9" of section "Customcolors".
    std::array<TSkinColour, std::size(CustomColourKeys)> CustomColors{};
};

TSkinColours ReadSkinColours(const TQuickIni& ini);

// The colour a disabled text is drawn in, where `text` is the colour it has
// when enabled: the skin's ButtonShadow, or the system's button shadow when
// the skin's would look the same as the text. `resolve` turns a colour value
// (a system colour included) into the colour shown, so that a skin's "0 0 0"
// and the system's black text count as equal. Every disabled caption and
// menu item the engine draws takes its colour from here, and so does the skin
// checker: the system's shadow alone can vanish on a skin's face.
template <class Resolve>
TSkinColour DisabledTextColour(const TSkinColours& colours, TSkinColour text, Resolve resolve)
{
    return resolve(colours.ButtonShadow) == resolve(text) ? SysButtonShadow : colours.ButtonShadow;
}

// The sections that describe caption buttons, in file order: names beginning
// with "BUTTON" (letter case aside) other than the control sections "Button",
// "Buttons", "Button.Radio" and "Button.CheckBox", without the ones whose
// Action is -1 unless their Visibility is 0.
std::vector<std::string> CaptionButtonSections(const TQuickIni& ini);

// The frame count of a caption button picture that has no "frame" key:
// 3 frames for a picture at most 3.8 times as wide as high, else 6; always 6
// for a negative action or a missing picture.
int CaptionButtonFrameCount(int32_t action, int imageWidth, int imageHeight);

} // namespace skin
