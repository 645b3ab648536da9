#include "skin/format/WinSkinIni.h"
#include "tests/host/SkinFixtures.h"

#include <gtest/gtest.h>

using skin::TQuickIni;
using namespace std::string_view_literals;

namespace {

const char* const Description =
    "; a skin description\r\n"
    "Orphan=1\r\n"
    "[Buttons]\r\n"
    "  rIGHTwIDTH = 4 \r\n"
    "Hex=0x1F\r\n"
    "HexUpper=0X1f\r\n"
    "Dollar=$1F\r\n"
    "TextAlignment=\r\n"
    "Triple=207 207 207\r\n"
    "Pair=a=b\r\n"
    ";Hidden=5\r\n"
    "Negative=-12\r\n"
    "Plus=+7\r\n"
    "Unit=12px\r\n"
    "TooBig=2147483648\r\n"
    "Smallest=-2147483648\r\n"
    "Colour=$FFFFFFFF\r\n"
    "HexTooBig=$100000000\r\n"
    "BarePrefix=0x\r\n"
    "Twice=\r\n"
    "Twice=5\r\n"
    "JustText\r\n"
    "\t\x01Padded\x01=\tvalue with ; inside\x1F\r\n"
    "[ Tabs ]\r\n"
    "Height=20\r\n"
    "[buttons]\r\n"
    "RightWidth=9\r\n"
    "Extra=1\r\n"
    "[Title]\r\n"
    "Text=Hello\r\n";

TQuickIni Loaded(std::string_view text = Description)
{
    TQuickIni ini;
    ini.LoadFromText(text);
    return ini;
}

} // namespace

TEST(QuickIni, FindsKeysIgnoringCaseAndBlanks)
{
    const TQuickIni ini = Loaded();
    EXPECT_EQ(ini.ReadString("Buttons", "RightWidth", "-"), "4");
    EXPECT_EQ(ini.ReadString("BUTTONS", "rightwidth", "-"), "4");
    EXPECT_EQ(ini.ReadString("Buttons", "padded", "-"), "value with ; inside");
    EXPECT_EQ(ini.ReadString("Buttons", "Pair", "-"), "a=b");
    EXPECT_EQ(ini.ReadString("Title", "Text", "-"), "Hello");
}

TEST(QuickIni, FallsBackToTheDefault)
{
    const TQuickIni ini = Loaded();
    const struct {
        const char* section;
        const char* key;
    } cases[] = {
        {"Buttons", "TextAlignment"},  // empty value
        {"Buttons", "Hidden"},         // commented out
        {"Buttons", "Twice"},          // the first, empty, occurrence decides
        {"Buttons", "Extra"},          // only in the second [buttons]
        {"Buttons", "Height"},         // in the next section
        {"Buttons", "JustText"},       // a line without '=' has no key
        {"Tabs", "Height"},            // "[ Tabs ]" is not "[Tabs]"
        {"", "Orphan"},                // lines before the first section
        {"Missing", "Text"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ini.ReadString(c.section, c.key, "default"), "default") << c.section << "/" << c.key;
}

TEST(QuickIni, ReadsDecimalAndHexadecimalIntegers)
{
    const TQuickIni ini = Loaded();
    const struct {
        const char* key;
        int32_t expected;
    } cases[] = {
        {"RightWidth", 4},   {"Hex", 31},           {"HexUpper", 31},    {"Dollar", 31},
        {"Negative", -12},   {"Plus", 7},           {"Smallest", INT32_MIN}, {"Colour", -1},
        {"TextAlignment", 77}, {"Triple", 77},      {"Unit", 77},        {"TooBig", 77},
        {"HexTooBig", 77},   {"BarePrefix", 77},    {"Pair", 77},        {"Missing", 77},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ini.ReadInteger("Buttons", c.key, 77), c.expected) << c.key;
}

TEST(QuickIni, ListsSectionsWithoutBrackets)
{
    const TQuickIni ini = Loaded();
    std::vector<std::string> sections = {"stale"};
    ini.ReadSections(sections);
    EXPECT_EQ(sections, (std::vector<std::string>{"Buttons", "Tabs", "buttons", "Title"}));
    EXPECT_EQ(ini.FindSection("Buttons"), 1);  // after "Orphan=1"; the comment is not kept
    EXPECT_EQ(ini.FindSection("Tabs"), -1);
    EXPECT_EQ(ini.FindSection(" Tabs "), 21);
}

TEST(QuickIni, SplitsLinesAtEveryBreakAndStopsAtAZeroCharacter)
{
    const TQuickIni ini = Loaded("[A]\rOne=1\nTwo=2\r\nThree=3\n\r[B]\0Four=4\n"sv);
    EXPECT_EQ(ini.ReadInteger("A", "One", 0), 1);
    EXPECT_EQ(ini.ReadInteger("A", "Two", 0), 2);
    EXPECT_EQ(ini.ReadInteger("A", "Three", 0), 3);
    EXPECT_EQ(ini.FindSection("B"), 4);
    EXPECT_EQ(ini.ReadInteger("B", "Four", 0), 0);
}

TEST(QuickIni, LoadingReplacesTheText)
{
    TQuickIni ini = Loaded();
    ini.LoadFromStream(skintest::ToBytes("[Other]\nKey=v\n"));
    EXPECT_EQ(ini.FindSection("Buttons"), -1);
    EXPECT_EQ(ini.ReadString("Other", "Key", ""), "v");
    ini.LoadFromText("");
    std::vector<std::string> sections;
    ini.ReadSections(sections);
    EXPECT_TRUE(sections.empty());
    EXPECT_EQ(ini.ReadString("Other", "Key", "gone"), "gone");
}

// At most MaxIniLines kept lines: blank lines and comments do not count, and
// a longer description is refused whole, leaving the reader as it was.
TEST(QuickIni, RefusesMoreLinesThanTheBoundAndKeepsWhatItHeld)
{
    std::string atTheBound = "[A]\n";
    for (size_t i = 1; i < skin::MaxIniLines; ++i)
        atTheBound += "k" + std::to_string(i) + "=" + std::to_string(i) + "\n\n;comment\n";
    TQuickIni ini = Loaded(atTheBound);
    EXPECT_EQ(ini.ReadInteger("A", "k65535", 0), 65535);

    try {
        ini.LoadFromText(atTheBound + "one=more\n");
        ADD_FAILURE() << "accepted a line past the bound";
    } catch (const skin::ESkinDescriptionError& e) {
        EXPECT_NE(e.Message().find("more than the 65536 lines"), std::string::npos) << e.Message();
    }
    EXPECT_EQ(ini.ReadInteger("A", "k1", 0), 1) << "the text held before stays";
}
