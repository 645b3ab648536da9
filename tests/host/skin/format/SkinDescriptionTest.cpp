#include "skin/format/SkinDescription.h"

#include <gtest/gtest.h>

using namespace skin;

namespace {

constexpr TSkinColour Rgb(int r, int g, int b)
{
    return r | g << 8 | b << 16;
}

TQuickIni Ini(std::string_view text)
{
    TQuickIni ini;
    ini.LoadFromText(text);
    return ini;
}

} // namespace

TEST(SkinColourText, ThreeNumbersAreRedGreenBlue)
{
    const struct {
        const char* text;
        TSkinColour colour;
    } cases[] = {
        {"207 207 207", Rgb(207, 207, 207)},
        {"  1 2 3  ", Rgb(1, 2, 3)},
        {"10,20,30", Rgb(10, 20, 30)},
        {"10-20-30", Rgb(10, 20, 30)},            // a minus sign only separates
        {"1 2 3 4", Rgb(1, 2, 3)},                // a fourth number is ignored
        {"1 2 ", Rgb(1, 2, 0)},
        {"1 2", Rgb(1, 0, 0)},                    // a last number counts only as the third
        {"255", 0},                               // a lone number fills no slot
        {"256 511 767", Rgb(0, 255, 255)},        // low 8 bits of each part
        {"99999999999 5 6 7", Rgb(5, 6, 7)},      // too large for 32 bits: skipped
        {"", 0},
        {"red", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseColour(c.text), c.colour) << '"' << c.text << '"';
    EXPECT_EQ(ReadColour("", SysButtonText), SysButtonText);
    EXPECT_EQ(ReadColour("0 0 0", SysButtonText), 0);
}

// Sizes, positions and frame counts are cut to ranges in which no sum or
// product of a few of them overflows.
TEST(SkinNumbers, SizesPositionsAndFrameCountsStayInTheirRanges)
{
    const TQuickIni ini = Ini("[S]\nHuge=2147483647\nLeast=-2147483648\nSome=12\nBelow=-5\nText=x\n");
    const struct {
        const char* key;
        int32_t size, offset, frames;
    } cases[] = {
        {"Huge", MaxSkinSize, MaxSkinSize, MaxSkinFrames},
        {"Least", 0, -MaxSkinSize, 0},
        {"Some", 12, 12, 12},
        {"Below", 0, -5, 0},
        {"Text", 7, 7, 7},  // the default
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadSkinSize(ini, "S", c.key, 7), c.size) << c.key;
        EXPECT_EQ(ReadSkinOffset(ini, "S", c.key, 7), c.offset) << c.key;
        EXPECT_EQ(ReadFrameCount(ini, "S", c.key, 7), c.frames) << c.key;
    }
}

TEST(SkinImageKey, OnlyLowerCaseBmpNamesAPicture)
{
    const struct {
        const char* value;
        const char* entry;
    } cases[] = {
        {"frametop.bmp", "frametop.bmp"},
        {"lightBlue\\menuborder.bmp", "menuborder.bmp"},
        {"c:menu.bmp", "menu.bmp"},
        {"C:\\skins\\x.y\\FrameTop.bmp", "FrameTop.bmp"},  // the package lower-cases it
        {"CloseButton.BMP", ""},
        {"picture.png", ""},
        {"picture", ""},
        {"folder\\", ""},
        {".bmp", ".bmp"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SkinImageEntryName(c.value), c.entry) << c.value;
}

TEST(SkinColours, MissingKeysTakeTheSystemColourOfTheirRole)
{
    const TSkinColours c = ReadSkinColours(Ini("[Colours]\nButtonFace=1 2 3\nHilight=\n"));
    EXPECT_EQ(c.ButtonFace, Rgb(1, 2, 3));
    EXPECT_EQ(c.Menubar, Rgb(1, 2, 3)) << "the menu bar follows the button face";
    EXPECT_EQ(c.Hilight, SysHighlight) << "an empty value keeps the default";
    EXPECT_EQ(c.WindowText, static_cast<TSkinColour>(0x80000008));
    EXPECT_EQ(c.Buttonlight, static_cast<TSkinColour>(0x80000014));
    EXPECT_EQ(c.ButtonDkShadow, static_cast<TSkinColour>(0x80000015));
    EXPECT_EQ(c.TitleTextNoActive, static_cast<TSkinColour>(0x80000013));
    EXPECT_TRUE(c.ColourTable.empty());
    for (TSkinColour custom : c.CustomColors)
        EXPECT_EQ(custom, SkinWhite);
}

TEST(SkinColours, ColourSectionsAreReadInFileOrder)
{
    const TSkinColours c = ReadSkinColours(Ini("[Colours]\nMenubar=9 9 9\n"
                                               "[Colour7]\ncolor=7 7 7\n"
                                               "[colours]\ncolor=1 1 1\n"
                                               "[COLOUR1]\nColor=1 0 0\n"
                                               "[ColourX]\n"
                                               "[Color2]\ncolor=2 2 2\n"
                                               "[Customcolors]\nColor0=0 0 1\nColor9=9 0 0\n"));
    EXPECT_EQ(c.Menubar, Rgb(9, 9, 9));
    EXPECT_EQ(c.ColourTable, (std::vector<TSkinColour>{Rgb(7, 7, 7), Rgb(1, 0, 0), SysWindowText}));
    EXPECT_EQ(c.CustomColors[0], Rgb(0, 0, 1));
    EXPECT_EQ(c.CustomColors[5], SkinWhite);
    EXPECT_EQ(c.CustomColors[9], Rgb(9, 0, 0));
}

TEST(CaptionButtons, SectionsAreChosenByNameAndAction)
{
    const TQuickIni ini = Ini("[Button0]\nAction=0\n"
                              "[Buttons]\n[Button]\n[Button.Radio]\n[button.checkbox]\n"
                              "[ButtonHidden]\nAction=-1\n"
                              "[ButtonShown]\nAction=-1\nVisibility=0\n"
                              "[Button.CheckBoxes]\n"
                              "[button7]\nAction=2\n"
                              "[MyButton]\n");
    EXPECT_EQ(CaptionButtonSections(ini),
              (std::vector<std::string>{"Button0", "ButtonShown", "Button.CheckBoxes", "button7"}));
}

TEST(CaptionButtons, FrameCountFollowsThePictureShape)
{
    EXPECT_EQ(CaptionButtonFrameCount(0, 126, 21), 6);  // ratio 6
    EXPECT_EQ(CaptionButtonFrameCount(0, 57, 19), 3);   // ratio 3
    EXPECT_EQ(CaptionButtonFrameCount(0, 76, 20), 3);   // exactly 3.8
    EXPECT_EQ(CaptionButtonFrameCount(0, 77, 20), 6);
    EXPECT_EQ(CaptionButtonFrameCount(-1, 57, 19), 6);
    EXPECT_EQ(CaptionButtonFrameCount(2, 0, 0), 6);
}
