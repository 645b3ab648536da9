#include "skin/format/SkinCheck.h"

#include "skin/format/SkinCheckNames.h"
#include "skin/format/SkinContrast.h"
#include "ui/graphics/BmpFormat.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace skin;

namespace {

constexpr uint32_t Magenta = 0xFF00FF;
constexpr uint32_t Light = 0xF0F0F0;
constexpr uint32_t Dark = 0x3C3C3C;

// A 24-bit BMP file of `width` x `height` pixels; colour(x, y) gives
// 0xRRGGBB with y counted from the top.
std::vector<uint8_t> Bmp(int width, int height, const std::function<uint32_t(int, int)>& colour)
{
    std::vector<uint8_t> file = ui::BmpHeaders(width, height, 3);
    const size_t stride = ui::DibStride(width, 3);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const uint32_t c = colour(x, y);
            file.insert(file.end(), {static_cast<uint8_t>(c), static_cast<uint8_t>(c >> 8), static_cast<uint8_t>(c >> 16)});
        }
        file.resize(file.size() + stride - static_cast<size_t>(width) * 3);
    }
    return file;
}

// Five button frames of 8 x 8 with magenta corners; the disabled one (frame
// 3) dark, so that the system's grey text stands out on it.
std::vector<uint8_t> ButtonPicture(int width = 40, uint32_t corner = Magenta)
{
    return Bmp(width, 8, [corner](int x, int y) {
        if ((x % 8 == 0 || x % 8 == 7) && (y == 0 || y == 7))
            return corner;
        return x / 8 == 2 ? Dark : Light;
    });
}

// Two title bar frames of 8 x 3, stacked.
std::vector<uint8_t> TopPicture(int height = 6)
{
    return Bmp(8, height, [](int, int y) { return y < 3 ? 0xFFFFFFu : Light; });
}

const char* const FixtureText = "; a fixture skin\n"
                                "[Personality]\n"
                                "Top=top.bmp\n"
                                "TopFrame=2\n"
                                "TopTopHeight=2\n"
                                "TopBotHeight=2\n"
                                "TopTrans=0\n"
                                "\n"
                                "[Colours]\n"
                                "ButtonFace=240 240 240\n"
                                "Menu=255 255 255\n"
                                "MenuText=0 0 0\n"
                                "Hilight=0 90 180\n"
                                "ButtonShadow=144 144 144\n"
                                "Menubar=60 60 60\n"
                                "MenuBarText=255 255 255\n"
                                "\n"
                                "[Buttons]\n"
                                "Bitmap=button.bmp\n"
                                "LeftWidth=2\n"
                                "RightWidth=2\n"
                                "TopHeight=2\n"
                                "BottomHeight=2\n"
                                "Trans=1\n"
                                "NormalColour2=0 0 0\n";

struct Fixture {
    std::string Text = FixtureText;
    std::vector<TSkinFolderFile> Pictures{{"button.bmp", ButtonPicture()}, {"Top.bmp", TopPicture()}};

    void Replace(const std::string& from, const std::string& to)
    {
        const size_t at = Text.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        Text.replace(at, from.size(), to);
    }
    void SetPicture(const std::string& name, std::vector<uint8_t> bytes)
    {
        for (TSkinFolderFile& file : Pictures)
            if (file.Name == name)
                file.Bytes = std::move(bytes);
    }
    void RemovePicture(const std::string& name)
    {
        std::erase_if(Pictures, [&](const TSkinFolderFile& file) { return file.Name == name; });
    }
    std::vector<TSkinFinding> Check() const
    {
        return CheckSkin({{"fixture.ini", std::vector<uint8_t>(Text.begin(), Text.end())}, Pictures});
    }
    // The last line (from 1) that starts with `start`.
    int LineOf(const std::string& start) const
    {
        int line = 1, found = 0;
        for (size_t at = 0; at < Text.size(); at = Text.find('\n', at) + 1, ++line)
            if (Text.compare(at, start.size(), start) == 0)
                found = line;
        return found;
    }
};

std::string Listed(const std::vector<TSkinFinding>& findings)
{
    std::string text;
    for (const TSkinFinding& f : findings)
        text += FormatFinding(f) + "\n";
    return text;
}

} // namespace

TEST(SkinCheck, TheFixtureSkinHasNoFindings)
{
    const std::vector<TSkinFinding> findings = Fixture().Check();
    EXPECT_TRUE(findings.empty()) << Listed(findings);
}

// One fault in the fixture each, and the one error (or, for a warning, the
// one finding) it must give: where (file, the line that starts with `at`,
// section, key) and what. An error may bring warnings with it: without its
// picture a button's texts lie on the face colour.
TEST(SkinCheck, EachFaultIsReportedWhereItIs)
{
    const struct {
        const char* name;
        std::function<void(Fixture&)> breakIt;
        const char* file;  // the description when null
        const char* at;    // the start of the reported line; null: the file as a whole
        const char* section;
        const char* key;
        const char* message;
        bool warning;
    } cases[] = {
        {"missing picture", [](Fixture& f) { f.RemovePicture("button.bmp"); }, nullptr, "Bitmap=", "Buttons",
         "Bitmap", "button.bmp is not in the folder", false},
        {"unused picture", [](Fixture& f) { f.Pictures.push_back({"Extra.bmp", TopPicture()}); }, "Extra.bmp",
         nullptr, "", "", "not named by fixture.ini", false},
        {"frames not dividing the width", [](Fixture& f) { f.SetPicture("button.bmp", ButtonPicture(41)); },
         nullptr, "Bitmap=", "Buttons", "Bitmap", "button.bmp is 41 px wide, not a multiple of 5 frames", false},
        {"stacked frames not dividing the height", [](Fixture& f) { f.SetPicture("Top.bmp", TopPicture(7)); },
         nullptr, "Top=", "Personality", "Top", "Top.bmp is 7 px high, not a multiple of 2 frames stacked", false},
        {"margins wider than a frame", [](Fixture& f) { f.Replace("LeftWidth=2", "LeftWidth=7"); }, nullptr,
         "LeftWidth=", "Buttons", "LeftWidth", "LeftWidth 7 + RightWidth 2 = 9 px, more than a frame of button.bmp (8 px wide)",
         false},
        {"end pieces longer than a stacked frame", [](Fixture& f) { f.Replace("TopBotHeight=2", "TopBotHeight=7"); },
         nullptr, "TopBotHeight=", "Personality", "TopBotHeight", "= 9 px, more than a frame of Top.bmp (8 px wide)",
         false},
        {"Trans without magenta", [](Fixture& f) { f.SetPicture("button.bmp", ButtonPicture(40, Light)); }, nullptr,
         "Trans=", "Buttons", "Trans", "Trans is 1 but button.bmp has no magenta (255 0 255) pixel", false},
        {"Trans by default without magenta", [](Fixture& f) { f.Replace("TopTrans=0\n", ""); }, nullptr, "Top=",
         "Personality", "TopTrans", "TopTrans is 1 but Top.bmp has no magenta", false},
        {"a pixel one off magenta",
         [](Fixture& f) {
             f.SetPicture("button.bmp", Bmp(40, 8, [](int x, int y) {
                              return x == 9 && y == 0 ? 0xFE00FFu : x == 0 && y == 0 ? Magenta : Light;
                          }));
         },
         nullptr, "Bitmap=", "Buttons", "Bitmap", "button.bmp has 1 pixel 1 off magenta, the first at (9, 0): 254 0 255",
         false},
        {"colour part out of range", [](Fixture& f) { f.Replace("NormalColour2=0 0 0", "NormalColour2=0 0 256"); },
         nullptr, "NormalColour2=", "Buttons", "NormalColour2", "expected three numbers 0 ... 255 (red green blue), not \"0 0 256\"",
         false},
        {"colour of two numbers", [](Fixture& f) { f.Replace("ButtonFace=240 240 240", "ButtonFace=240 240"); },
         nullptr, "ButtonFace=", "Colours", "ButtonFace", "expected three numbers", false},
        {"size that is no number", [](Fixture& f) { f.Replace("\nTopHeight=2", "\nTopHeight=2px"); }, nullptr,
         "TopHeight=", "Buttons", "TopHeight", "expected a whole number, not \"2px\"", false},
        {"switch out of range", [](Fixture& f) { f.Replace("Trans=1", "Trans=2"); }, nullptr, "Trans=", "Buttons",
         "Trans", "expected 0 or 1, not 2", false},
        {"picture named in capitals", [](Fixture& f) { f.Replace("TopFrame=2", "TopFrame=2\nTextBack=top.BMP"); },
         nullptr, "TextBack=", "Personality", "TextBack", "\"top.BMP\" names no picture", false},
        {"unknown section", [](Fixture& f) { f.Text += "[Fontz]\nFontHeight=12\n"; }, nullptr, "[Fontz]", "Fontz",
         "", "unknown section, not read by the engine; did you mean [Fonts]?", false},
        {"unknown numbered section", [](Fixture& f) { f.Text += "[Buton0]\nAction=0\n"; }, nullptr, "[Buton0]",
         "Buton0", "", "did you mean [Button0]?", false},
        {"unknown key", [](Fixture& f) { f.Replace("BottomHeight=2", "BottomHieght=2"); }, nullptr,
         "BottomHieght=", "Buttons", "BottomHieght", "unknown key, not read in this section; did you mean BottomHeight?",
         false},
        {"key of another section", [](Fixture& f) { f.Text += "[MenuItem]\nBitmap=button.bmp\n"; }, nullptr,
         "Bitmap=", "MenuItem", "Bitmap", "([Buttons], [Progress] read it)", false},
        {"repeated key", [](Fixture& f) { f.Text += "LeftWidth=3\n"; }, nullptr, "LeftWidth=3", "Buttons",
         "LeftWidth", "repeats the key of line 20; only the first is read", false},
        {"repeated section", [](Fixture& f) { f.Text += "[colours]\nMenu=0 0 0\n"; }, nullptr, "[colours]",
         "colours", "", "repeats the section of line 9", false},
        {"line that is no key", [](Fixture& f) { f.Replace("TopFrame=2", "TopFrame 2"); }, nullptr, "TopFrame 2",
         "", "", "\"TopFrame 2\" is neither [Section], Key=Value nor a ; comment", false},
        {"low contrast", [](Fixture& f) { f.Replace("NormalColour2=0 0 0", "NormalColour2=200 200 200"); },
         nullptr, "NormalColour2=", "Buttons", "NormalColour2",
         "button caption 200 200 200 ([Buttons] NormalColour2) on the normal face 240 240 240 (button.bmp frame 1): "
         "contrast 1.46:1, below 4.50:1",
         true},
        {"low contrast of disabled text", [](Fixture& f) { f.Replace("ButtonShadow=144 144 144", "ButtonShadow=200 200 200"); },
         nullptr, "ButtonShadow=", "Colours", "ButtonShadow", "disabled menu item 200 200 200", true},
    };
    for (const auto& c : cases) {
        Fixture fixture;
        c.breakIt(fixture);
        const std::vector<TSkinFinding> findings = fixture.Check();
        std::vector<TSkinFinding> wanted = findings;
        if (!c.warning)
            std::erase_if(wanted, [](const TSkinFinding& f) { return f.Warning; });
        ASSERT_EQ(wanted.size(), 1u) << c.name << "\n" << Listed(findings);
        const TSkinFinding& f = wanted[0];
        EXPECT_EQ(f.File, c.file ? c.file : "fixture.ini") << c.name;
        EXPECT_EQ(f.Line, c.at ? fixture.LineOf(c.at) : 0) << c.name;
        EXPECT_EQ(f.Section, c.section) << c.name;
        EXPECT_EQ(f.Key, c.key) << c.name;
        EXPECT_NE(f.Message.find(c.message), std::string::npos) << c.name << ": " << f.Message;
        EXPECT_EQ(f.Warning, c.warning) << c.name;
        EXPECT_EQ(HasErrors(findings), !c.warning) << c.name;
    }
}

TEST(SkinCheck, ADescriptionTooLongForTheEngineIsOneError)
{
    Fixture fixture;
    for (int i = 0; i < 70000; ++i)
        fixture.Text += "LeftWidth=2\n";
    const std::vector<TSkinFinding> findings = fixture.Check();
    ASSERT_EQ(findings.size(), 1u) << Listed(findings);
    EXPECT_NE(findings[0].Message.find("more than the 65536 lines"), std::string::npos);
}

TEST(SkinCheck, APictureTheReaderRefusesIsAnError)
{
    Fixture fixture;
    fixture.SetPicture("button.bmp", std::vector<uint8_t>(60, 'X'));
    std::vector<TSkinFinding> findings = fixture.Check();
    std::erase_if(findings, [](const TSkinFinding& f) { return f.Warning; });
    ASSERT_EQ(findings.size(), 1u) << Listed(findings);
    EXPECT_EQ(findings[0].Line, fixture.LineOf("Bitmap="));
    EXPECT_NE(findings[0].Message.find("button.bmp cannot be loaded: "), std::string::npos) << findings[0].Message;
}

TEST(SkinCheck, FindingsAreFormattedFileLineSectionKey)
{
    EXPECT_EQ(FormatFinding({false, "a.ini", 12, "Buttons", "Image", "wrong"}), "a.ini:12: [Buttons] Image: wrong");
    EXPECT_EQ(FormatFinding({true, "a.ini", 3, "Tabs", "", "dim"}), "warning: a.ini:3: [Tabs] dim");
    EXPECT_EQ(FormatFinding({false, "x.bmp", 0, "", "", "unused"}), "x.bmp: unused");
}

TEST(SkinContrast, RatiosFollowRelativeLuminance)
{
    EXPECT_DOUBLE_EQ(ContrastRatio(0x000000, 0xFFFFFF), 21.0);
    EXPECT_DOUBLE_EQ(ContrastRatio(0xFFFFFF, 0x000000), 21.0);
    EXPECT_DOUBLE_EQ(ContrastRatio(0x3A84D4, 0x3A84D4), 1.0);
    EXPECT_NEAR(ContrastRatio(0x777777, 0xFFFFFF), 4.48, 0.01);  // the grey just short of 4.5:1
    EXPECT_NEAR(ContrastRatio(0xFF0000, 0xFFFFFF), 4.00, 0.01);
}

TEST(SkinContrast, SkinColoursAreRedGreenBlueAndSystemColoursTheStandardScheme)
{
    EXPECT_EQ(ResolvedColour(0x0000FF), 0xFF0000u);  // a skin colour is 0x00BBGGRR
    EXPECT_EQ(ResolvedColour(SysButtonShadow), 0xA0A0A0u);
    EXPECT_EQ(ResolvedColour(SysButtonText), 0x000000u);
}

// Disabled text takes the skin's shadow unless that shows as the text's own
// colour; system colours count by what they show.
TEST(SkinContrast, DisabledTextIsTheSkinsShadowUnlessItIsTheTextColour)
{
    const struct {
        const char* name;
        TSkinColour shadow;
        TSkinColour text;
        TSkinColour wanted;
    } cases[] = {
        {"skin's shadow", 0x8C7A6A, 0x000000, 0x8C7A6A},
        {"shadow the text colour", 0x8C7A6A, 0x8C7A6A, SysButtonShadow},
        {"shadow black, the system's black text", 0x000000, SysButtonText, SysButtonShadow},
        {"shadow left to the system", SysButtonShadow, 0x000000, SysButtonShadow},
        {"system text, a skin's shadow", 0x8C7A6A, SysButtonText, 0x8C7A6A},
    };
    for (const auto& c : cases) {
        TSkinColours colours;
        colours.ButtonShadow = c.shadow;
        EXPECT_EQ(DisabledTextColour(colours, c.text, ResolvedColour), c.wanted) << c.name;
    }
}

TEST(SkinCheckNames, EditDistanceCountsSingleEdits)
{
    const struct {
        const char* a;
        const char* b;
        size_t distance;
    } cases[] = {
        {"Tabs", "Tabs", 0}, {"tabs", "TABS", 0}, {"Tabs", "Tab", 1}, {"Buton0", "Button0", 1},
        {"TopHieght", "TopHeight", 2}, {" Tabs ", "Tabs", 2}, {"", "abc", 3}, {"Image", "Bitmap", 4},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EditDistance(c.a, c.b), c.distance) << c.a << " / " << c.b;
}
