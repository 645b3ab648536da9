#include "skin/format/SkinKeys.h"

#include "skin/format/SkinText.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace skin;

TEST(SkinKeys, NamesAreUniqueInTheTableAndInEachSection)
{
    std::set<std::string> sections;
    for (const TSkinSection& section : SkinSections) {
        EXPECT_TRUE(sections.insert(AsciiLowerCase(section.Name)).second) << section.Name;
        std::set<std::string> keys;
        for (TSkinKeys list : section.Keys)
            for (const TSkinKey& key : list)
                EXPECT_TRUE(keys.insert(AsciiLowerCase(key.Name)).second) << section.Name << " " << key.Name;
    }
}

// A picture's keys are keys of its own section: the checker reads them there.
TEST(SkinKeys, PicturesUseTheKeysOfTheirSection)
{
    for (const TSkinSection& section : SkinSections) {
        for (const TSkinPicture& picture : section.Pictures) {
            for (const TSkinKey* key : {picture.Key, picture.FramesKey, picture.Left, picture.Right, picture.Top,
                                        picture.Bottom, picture.Trans}) {
                if (key) {
                    EXPECT_EQ(FindSkinKey(section, key->Name), key) << section.Name << " " << key->Name;
                }
            }
            EXPECT_EQ(picture.Key->Kind, TKeyKind::Picture) << section.Name;
            EXPECT_EQ(picture.FramesKey != nullptr, picture.Rule != TFrameRule::Fixed &&
                                                        picture.Rule != TFrameRule::ProgressStyle)
                << section.Name << " " << picture.Key->Name;
            EXPECT_GT(picture.Frames + (picture.FramesKey ? 1 : 0), 0) << section.Name;
        }
    }
}

TEST(SkinKeys, SectionsAreFoundByTheEnginesRules)
{
    const struct {
        const char* name;
        const char* section;  // null: not read
    } cases[] = {
        {"Buttons", "Buttons"},        {"BUTTONS", "Buttons"},      {"Button0", "Button<n>"},
        {"buttonClose", "Button<n>"},  {"Button", nullptr},         {"Button.Radio", nullptr},
        {"Button.CheckBox", nullptr},  {"Colours", "Colours"},      {"Colour3", "Colour<n>"},
        {"colour", "Colour<n>"},       {"Colors", nullptr},         {"trackvert", "TRACKVERT"},
        {" Tabs ", nullptr},           {"Tab.Pane", "Tab.Pane"},    {"", nullptr},
    };
    for (const auto& c : cases) {
        const TSkinSection* found = FindSkinSection(c.name);
        EXPECT_EQ(found ? std::string(found->Name) : "(none)", c.section ? c.section : "(none)") << c.name;
    }
}

TEST(SkinKeys, KeysAreFoundWhateverTheirLetterCase)
{
    constexpr const TSkinSection& buttons = SectionIn("Buttons");
    EXPECT_EQ(FindSkinKey(buttons, "bitmap"), &KeyIn(ButtonsKeys, "Bitmap"));
    EXPECT_EQ(FindSkinKey(buttons, "LEFTWIDTH"), &KeyIn(MarginKeys, "LeftWidth"));
    EXPECT_EQ(FindSkinKey(buttons, "Image"), nullptr);
    EXPECT_EQ(FindSkinKey(SectionIn("Personality"), "topframe"), &KeyIn(BorderTopKeys, "TopFrame"));
}
