// The skin data component on real bitmaps: the compiled-in skin as the main
// window's form loads it, small skins built by the tests for the rules the
// compiled-in one does not exercise, broken packages, and the component's
// published properties.
#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "app/Startup.h"
#include "app/Unit_main.h"
#include "skin/data/BuiltinPictures.h"
#include "skin/data/WinSkinData.h"
#include "skin/draw/ImgUtil.h"
#include "skin/draw/SkinDraw.h"
#include "skin/format/LZHEncoder.h"
#include "skin/format/SkinReader.h"
#include "tests/shared/BmpSamples.h"
#include "tests/support/TempDir.h"
#include "tests/win/support/PixelTestSupport.h"
#include "tests/win/support/TestSkins.h"
#include "ui/core/FileStream.h"
#include "ui/core/FormReader.h"
#include "ui/forms/Forms.h"

using namespace skin;
using ui::TBitmap;
using ui::TColor;
using tests::Bytes;
using tests::LoadedFrom;
using tests::SamePixels;
using tests::Solid;
using tests::StripBytes;
using tests::TTestSkin;

namespace {

constexpr TColor Rgb(int r, int g, int b)
{
    return r | g << 8 | b << 16;
}
constexpr TColor Magenta = Rgb(255, 0, 255);

TColor PixelAt(const TBitmap& b, int x, int y)
{
    const std::uint8_t* p = b.ScanLine(y) + x * b.BytesPerPixel();
    return Rgb(p[2], p[1], p[0]);
}

// Collects the errors the application would show in a box.
class TShownErrors {
public:
    TShownErrors()
    {
        ui::Application()->OnException = ui::TExceptionEvent(
            [this](ui::TObject*, const std::exception& e) { messages.push_back(e.what()); });
    }
    ~TShownErrors() { ui::Application()->OnException = {}; }
    std::vector<std::string> messages;
};

// Reads a TSkinData from form text, as a form holding it would.
void ReadSkinData(TSkinData& data, const std::string& properties)
{
    ui::ReadComponent("object SkinData1: TSkinData\n" + properties + "end\n", data);
}

// The picture of a package entry, as a bitmap.
std::unique_ptr<TBitmap> EntryPicture(const TSkinData& data, const std::string& name)
{
    TSkinReader reader;
    reader.LoadPackage(data.SkinPackage());
    Bytes bytes;
    reader.ExtractEntry(name, bytes);
    auto picture = std::make_unique<TBitmap>();
    picture->LoadFromBytes(bytes.data(), bytes.size());
    return picture;
}

class CompiledInSkin : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        app::RegisterAppClasses();
        form = new app::TForm_main(nullptr);
    }
    static void TearDownTestSuite()
    {
        delete form;
        form = nullptr;
    }
    static app::TForm_main* form;
    TSkinData& data = *form->SkinData1;
};
app::TForm_main* CompiledInSkin::form = nullptr;

} // namespace

TEST_F(CompiledInSkin, TheMainWindowStoresTheDesignedSettings)
{
    EXPECT_FALSE(data.Empty());
    EXPECT_TRUE(data.Active());
    EXPECT_EQ(data.DisableTag(), 99);
    EXPECT_EQ(data.SkinControls(), DefaultSkinControls) << "the stored set is the default one";
    EXPECT_EQ(data.Options(), SetOf(xoPreview) | SetOf(xoToolbarBK));
    EXPECT_EQ(data.SkinFormtype(), TSkinFormType::sfMainform);
    EXPECT_TRUE(data.MenuUpdate());
    EXPECT_FALSE(data.MenuMerge());
    EXPECT_EQ(data.Skin3rd()->ToVector(), DefaultSkin3rd());
    EXPECT_EQ(data.SkinName, "lightblue");
    // The form stores the SkinStream framing: the package's length, then it.
    const Bytes value = data.SkinStreamValue();
    EXPECT_EQ(value.size(), data.SkinPackage().size() + 4);
}

TEST_F(CompiledInSkin, FrameBordersTakeTheirKeys)
{
    const TDataSkinBorder& top = *data.BorderTop;
    EXPECT_EQ(top.FrameCount, 2);
    EXPECT_EQ(top.LeftWidth, 12);
    EXPECT_EQ(top.RightWidth, 12);
    EXPECT_EQ(top.TopHeight, 0);
    EXPECT_EQ(top.Tile, 1);
    EXPECT_EQ(top.Trans, 0) << "TopTrans=0 against the default 1: frametop.bmp has no magenta";
    EXPECT_TRUE(SamePixels(*top.Image, *EntryPicture(data, "frametop.bmp")));
    EXPECT_TRUE(top.Image2->Empty());
    const TDataSkinBorder& left = *data.BorderLeft;
    EXPECT_EQ(left.TopHeight, 29);
    EXPECT_EQ(left.BottomHeight, 5);
    EXPECT_EQ(left.LeftWidth, 0);
    EXPECT_EQ(left.RightWidth, 0);
    EXPECT_EQ(data.BorderBottom->Trans, 0);
    EXPECT_EQ(data.BorderTop->Name, "Top");
}

TEST_F(CompiledInSkin, TitleButtonsAreTheFiveSectionsAndThreeBuiltOnes)
{
    ASSERT_EQ(data.TitleButtons.size(), 8u);
    const TDataSkinSysButton& close = *data.TitleButtons[0];
    EXPECT_EQ(close.Name, "BUTTON0");
    EXPECT_EQ(close.Action, 0);
    EXPECT_EQ(close.Image->Width(), 126);
    EXPECT_EQ(close.Image->Height(), 21);
    EXPECT_EQ(close.FrameCount, 6) << "126 / 21 = 6 > 3.8";
    EXPECT_TRUE(SamePixels(*close.Image, *EntryPicture(data, "closebutton.bmp")));
    const TDataSkinSysButton& icon = *data.TitleButtons[4];
    EXPECT_EQ(icon.Action, 3);
    EXPECT_TRUE(icon.Image->Empty()) << "the window icon is drawn in its place";
    EXPECT_EQ(data.TitleButtons[1]->Visibility1, 6);
    EXPECT_EQ(data.TitleButtons[1]->CombineOp, -1);
    const auto mdiControls = EntryPicture(data, "mdicontrols.bmp");
    const int third = mdiControls->Width() / 3;
    for (int i = 0; i < 3; ++i) {
        const TDataSkinSysButton& mdi = *data.TitleButtons[5 + i];
        EXPECT_EQ(mdi.Action, 7 + i);
        EXPECT_EQ(mdi.Align, 100);
        EXPECT_EQ(mdi.Visibility, 100);
        EXPECT_EQ(mdi.Visibility1, 100);
        EXPECT_EQ(mdi.FrameCount, 4);
        // Minimise, restore and close: a third of the MDICONTROLS picture each.
        ui::TBitmap part(third, mdiControls->Height());
        BitBlt(part.Canvas()->Handle(), 0, 0, third, mdiControls->Height(), mdiControls->Canvas()->Handle(),
               third * i, 0, SRCCOPY);
        EXPECT_TRUE(SamePixels(*mdi.Image, part)) << i;
        EXPECT_EQ(mdi.Xcoord, (third / 4 + 4) * (3 - i));
    }
}

TEST_F(CompiledInSkin, ColoursAndControlPictures)
{
    EXPECT_EQ(data.Colours.ButtonFace, Rgb(236, 243, 250));
    EXPECT_EQ(data.Colours.ButtonText, Rgb(20, 50, 95));
    EXPECT_EQ(data.Colours.ColourTable, (std::vector<TSkinColour>{Rgb(58, 132, 212), Rgb(168, 206, 242),
                                                                  Rgb(236, 243, 250), Rgb(58, 104, 160),
                                                                  Rgb(20, 50, 95)}));
    EXPECT_EQ(data.Colours.CustomColors[9], Rgb(255, 255, 255));
    EXPECT_EQ(data.ButtonFaceBrush->Color(), data.Colours.ButtonFace);

    const TDataSkinButton& buttons = *data.Buttons;
    EXPECT_EQ(buttons.FrameCount, 5);
    EXPECT_EQ(buttons.RadioImage->Width(), 65);
    EXPECT_EQ(buttons.RadioImage->Height(), 14);
    EXPECT_EQ(buttons.RadioFrameCount, 5) << "65 / 13";
    EXPECT_EQ(buttons.CheckImage->Width(), 70);
    EXPECT_EQ(buttons.CheckFrameCount, 5) << "70 / 13";
    EXPECT_TRUE(buttons.HasNormalColour2);
    EXPECT_EQ(buttons.MouseOverColour2, Rgb(18, 80, 160));

    EXPECT_EQ(data.Title->FrameCount, 2);
    EXPECT_EQ(data.Title->TextShift(), 22);
    EXPECT_EQ(data.Title->TextRightClip(), 75);
    EXPECT_EQ(data.Title->ActiveTextColour, Rgb(16, 46, 92));
    EXPECT_EQ(data.Title->FontHeight, 14);

    // Each element gets the frame count of its kind.
    const struct {
        const TDataSkinObject* element;
        int frames;
    } counts[] = {
        {data.MenuBar.get(), 2},      {data.Progress.get(), 2},        {data.ProgressChunk.get(), 1},
        {data.GroupBoxEdge.get(), 2}, {data.GroupBox.get(), 1},        {data.Tabs.get(), 5},
        {data.StatusBarEdges.get(), 3}, {data.TabPane.get(), 1},       {data.ToolBars.get(), 5},
        {data.ComboButton.get(), 4},  {data.SunkEdge.get(), 4},        {data.ExtraImages.get(), 5},
        {data.Headerbar.get(), 5},    {data.MenuItem.get(), 5},        {data.MenuBackground.get(), 1},
        {data.Scrollbar.get(), 23},   {data.HorzScroll.get(), 4},      {data.VertScroll.get(), 4},
        {data.HorzScrollThumb.get(), 3}, {data.VertScrollThumb.get(), 3}, {data.ThumbHorz.get(), 5},
        {data.ThumbDown.get(), 5},    {data.UpDownHorz.get(), 8},      {data.UpDownVert.get(), 8},
        {data.Toolbar.get(), 1},
    };
    for (const auto& c : counts) {
        ASSERT_NE(c.element, nullptr);
        EXPECT_EQ(c.element->FrameCount, c.frames) << c.element->Name;
        EXPECT_FALSE(c.element->Image->Empty()) << c.element->Name;
    }
    EXPECT_EQ(data.MenuBar->Name, "Personality");
    EXPECT_FALSE(data.Tabs->Image2->Empty()) << "the tab border picture";
    EXPECT_FALSE(data.UpDownVert->Image2->Empty()) << "the arrow glyphs";
}

TEST_F(CompiledInSkin, WithoutTrackSectionsTheBuiltInChannelsAreUsed)
{
    const struct {
        const TDataSkinObject* track;
        bool vertical;
    } cases[] = {{data.Track.get(), false}, {data.TrackVert.get(), true}};
    for (const auto& c : cases) {
        ASSERT_NE(c.track, nullptr);
        EXPECT_EQ(c.track->LeftWidth, 3);
        EXPECT_EQ(c.track->TopHeight, 3);
        EXPECT_EQ(c.track->RightWidth, 3);
        EXPECT_EQ(c.track->BottomHeight, 3);
        EXPECT_EQ(c.track->Tile, 0);
        EXPECT_EQ(c.track->FrameCount, 1);
        EXPECT_TRUE(SamePixels(*c.track->Image, *MakeTrackPicture(c.vertical)));
    }
    EXPECT_GT(data.Track->Image->Width(), data.Track->Image->Height());
    EXPECT_LT(data.TrackVert->Image->Width(), data.TrackVert->Image->Height());
}

TEST_F(CompiledInSkin, TheComboPicturesAreComposedFromEditAndButton)
{
    const int b = GetSystemMetrics(SM_CXHSCROLL) + 2;
    const TDataSkinBorder& button = *data.ComboButton;
    EXPECT_EQ(button.Style, 2);
    EXPECT_EQ(button.LeftWidth, 2);
    EXPECT_EQ(button.RightWidth, b + 2);
    ASSERT_EQ(button.Image->Width(), 200);
    ASSERT_EQ(button.Image->Height(), 21);
    // Image2 is the skin's own combo button facing the other way, frame by frame.
    const auto own = EntryPicture(data, "combobutton.bmp");
    ASSERT_EQ(button.Image2->Width(), 72);
    for (int k = 0; k < 4; ++k)
        for (int x = 0; x < 18; x += 4)
            EXPECT_EQ(PixelAt(*button.Image2, 18 * k + 17 - x, 9), PixelAt(*own, 18 * k + x, 9))
                << "frame " << k << ", x " << x;
    const TDataSkinObject& edit = *data.SunkEdge;
    EXPECT_EQ(edit.LeftWidth, b + 2);
    EXPECT_EQ(edit.RightWidth, 2);
    ASSERT_EQ(edit.Image->Width(), 200);
    for (int k = 0; k < 4; ++k) {
        const int x0 = 50 * k;
        EXPECT_EQ(PixelAt(*button.Image, x0 + 10, 10), Magenta) << "the edit's inside is left out, frame " << k;
        EXPECT_NE(PixelAt(*button.Image, x0 + 50 - b / 2, 10), Magenta) << "the arrow button, frame " << k;
        // Each frame is mirrored in its place: state k stays frame k.
        for (int y = 0; y < 21; y += 5)
            for (int x : {1, 3, 10, 45})
                EXPECT_EQ(PixelAt(*edit.Image, x0 + 49 - x, y), PixelAt(*button.Image, x0 + x, y))
                    << "frame " << k << " of SunkEdge mirrors the composite's, at x " << x << ", y " << y;
    }
    const TDataSkinObject& arrow = *data.ComboxArrow;
    EXPECT_EQ(arrow.Name, "ComboxArrow");
    EXPECT_EQ(arrow.FrameCount, 4);
    ASSERT_EQ(arrow.Image->Width(), 68);
    ASSERT_EQ(arrow.Image->Height(), 17);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(PixelAt(*arrow.Image, 17 * i + 5, 5), PixelAt(*button.Image, 50 * (i + 1) - 19 + 5, 7))
            << "frame " << i << " is cut from the composite";
}

TEST_F(CompiledInSkin, TheToolbarGradientRunsFromWhitenedFaceToTheTitleColour)
{
    const TBitmap& bar = *data.Toolbar->Image;
    ASSERT_EQ(bar.Width(), 10);
    ASSERT_EQ(bar.Height(), 40);
    const TColor sample = data.TitleSampleColour;
    EXPECT_EQ(sample, PixelAt(*data.BorderTop->Image, 32 / 3, 54 / 2 / 3));
    const int saturation = Saturation(sample);
    const TColor bottom = saturation > 110 ? MixColours(sample, ui::clWhite, (5625 - 25 * saturation) / 140 + 50)
                                           : MixColours(ui::clGray, sample, 150);
    EXPECT_EQ(PixelAt(bar, 5, 0), MixColours(data.Colours.ButtonFace, ui::clWhite, 150));
    EXPECT_EQ(PixelAt(bar, 5, 39), bottom);
}

TEST(SkinFromTests, PicturesAreTakenByFileNameAndLowerCaseExtensionOnly)
{
    TTestSkin skin;
    skin.Ini = "[Button0]\nAction=0\nButtonImage=CloseButton.BMP\n"
               "[Button1]\nAction=1\nButtonImage=skins\\lightBlue\\Max.bmp\n"
               "[Personality]\nTop=c:top.bmp\n";
    skin.Pictures = {{"max.bmp", Solid(30, 10, Rgb(1, 2, 3))}, {"top.bmp", Solid(4, 4, Rgb(9, 9, 9))}};
    const auto data = LoadedFrom(skin);
    EXPECT_TRUE(data->TitleButtons[0]->Image->Empty()) << "\".BMP\" names no picture";
    EXPECT_EQ(data->TitleButtons[0]->FrameCount, 6);
    EXPECT_EQ(data->TitleButtons[1]->Image->Width(), 30) << "the folder part is dropped";
    EXPECT_EQ(data->TitleButtons[1]->FrameCount, 3) << "30 / 10 <= 3.8";
    EXPECT_EQ(PixelAt(*data->BorderTop->Image, 0, 0), Rgb(9, 9, 9));
}

TEST(SkinFromTests, TextColoursOfButtonsSayWhetherTheSkinGivesThem)
{
    TTestSkin skin;
    skin.Ini = "[Colours]\nButtonText=10 20 30\n[Buttons]\nNormalColour2=0 0 0\nPressedColour2=\n";
    const auto data = LoadedFrom(skin);
    EXPECT_TRUE(data->Buttons->HasNormalColour2);
    EXPECT_EQ(data->Buttons->NormalColour2, Rgb(0, 0, 0));
    EXPECT_FALSE(data->Buttons->HasMouseOverColour2);
    EXPECT_EQ(data->Buttons->MouseOverColour2, Rgb(10, 20, 30));
    EXPECT_FALSE(data->Buttons->HasPressedColour2);
    EXPECT_EQ(data->Buttons->RadioFrameCount, 4) << "at least 4 without a picture";
    EXPECT_EQ(data->Title->ActiveTextColour, ui::clNone);
}

TEST(SkinFromTests, ElementsWithoutPictureStayEmptyAndAReloadForgetsThem)
{
    TTestSkin first;
    first.Ini = "[Tabs]\nImage=tabs.bmp\nBorder=pane.bmp\nTile=2\nLeftWidth=7\n[Track]\nImage=track.bmp\nFrame=3\n"
                "[Tab.Pane]\nImage=pane.bmp\nLeftWidth=9\nTopHeight=2\n[StatusBarEdges]\nLeftWidth=3\n";
    first.Pictures = {{"tabs.bmp", Solid(50, 10, Rgb(1, 1, 1))},
                      {"pane.bmp", Solid(8, 8, Rgb(2, 2, 2))},
                      {"track.bmp", Solid(30, 6, Rgb(3, 3, 3))}};
    TSkinData data(nullptr);
    data.SetSkinPackage(first.Package());
    ASSERT_TRUE(data.LoadSkin());
    ASSERT_NE(data.Tabs, nullptr);
    EXPECT_EQ(data.Tabs->Tile, 0) << "a Tile above 1 means stretched";
    EXPECT_EQ(data.Tabs->LeftWidth, 7);
    EXPECT_EQ(data.Tabs->Image2->Width(), 8);
    EXPECT_EQ(data.TabPane->LeftWidth, 4) << "pane margins are cut to 4";
    EXPECT_EQ(data.TabPane->TopHeight, 2);
    EXPECT_EQ(data.StatusBarEdges, nullptr) << "a section without picture";
    ASSERT_NE(data.Track, nullptr);
    EXPECT_EQ(data.Track->FrameCount, 3) << "the skin's own track keeps its Frame key";
    EXPECT_EQ(data.Track->Image->Width(), 30);
    EXPECT_EQ(data.Track->LeftWidth, 0);
    EXPECT_EQ(data.Progress, nullptr);
    EXPECT_EQ(data.MenuBar, nullptr);

    TTestSkin second;
    second.Ini = "[Colours]\nButtonFace=1 2 3\n";
    data.SetSkinPackage(second.Package());
    ASSERT_TRUE(data.LoadSkin());
    EXPECT_EQ(data.Tabs, nullptr);
    EXPECT_EQ(data.TabPane, nullptr);
    EXPECT_EQ(data.Track->FrameCount, 1) << "the built-in track again";
    EXPECT_EQ(data.Colours.ButtonFace, Rgb(1, 2, 3));
    EXPECT_EQ(data.TitleSampleColour, Rgb(1, 2, 3)) << "no top border: the button face";
}

TEST(SkinFromTests, AComboButtonWithoutEditGivesAnArrowOnTheButtonFace)
{
    TTestSkin skin;
    skin.Ini = "[Colours]\nButtonFace=10 20 30\n[ComboButton]\nImage=combo.bmp\n";
    Bytes strip = StripBytes(3, 2, {Magenta, Rgb(1, 1, 1), Rgb(254, 0, 255), Magenta});
    TBitmap picture;
    picture.LoadFromBytes(strip.data(), strip.size());
    picture.ScanLine(1)[3 * 3] = 77;  // the left column of frame 2 gets a mark: blue 77 at (3, 1)
    skin.Pictures = {{"combo.bmp", picture.SaveToBytes()}};
    const auto data = LoadedFrom(skin);
    const TDataSkinObject& arrow = *data->ComboxArrow;
    EXPECT_EQ(arrow.FrameCount, 4);
    ASSERT_EQ(arrow.Image->Width(), 12);
    EXPECT_EQ(PixelAt(*arrow.Image, 0, 0), Rgb(10, 20, 30));
    EXPECT_EQ(PixelAt(*arrow.Image, 4, 1), Rgb(1, 1, 1));
    EXPECT_EQ(PixelAt(*arrow.Image, 3, 1), Rgb(1, 1, 77));
    EXPECT_EQ(PixelAt(*arrow.Image, 7, 0), Rgb(254, 0, 255)) << "only the exact key colour is replaced";
    EXPECT_EQ(PixelAt(*arrow.Image, 11, 1), Rgb(10, 20, 30));
    const TDataSkinBorder& button = *data->ComboButton;
    EXPECT_EQ(PixelAt(*button.Image, 0, 0), Magenta) << "the button keeps its own picture";
    EXPECT_EQ(button.Style, 0);
    // Image2 faces the other way frame by frame: the mark moves to the right
    // column of frame 2, and frame 2 stays the second frame.
    EXPECT_EQ(PixelAt(*button.Image2, 5, 1), Rgb(1, 1, 77));
    EXPECT_EQ(PixelAt(*button.Image2, 3, 1), Rgb(1, 1, 1));
    EXPECT_EQ(PixelAt(*button.Image2, 0, 0), Magenta);
    EXPECT_EQ(PixelAt(*button.Image2, 7, 0), Rgb(254, 0, 255));
}

TEST(SkinFromTests, TheTitleSampleIsTakenFromTheTopBordersFirstFrame)
{
    // A top border of 9 x 12 whose rows each have their own colour.
    TBitmap top(9, 12);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 9; ++x) {
            std::uint8_t* p = top.ScanLine(y) + 3 * x;
            p[0] = static_cast<std::uint8_t>(x);
            p[1] = static_cast<std::uint8_t>(y);
            p[2] = 100;
        }
    const struct {
        const char* frames;
        int row;
    } cases[] = {{"2", 2}, {"1", 4}, {"0", 4}, {"-3", 4}, {"5", 0}};
    for (const auto& c : cases) {
        TTestSkin skin;
        skin.Ini = std::string("[Personality]\nTop=top.bmp\nTopFrame=") + c.frames + "\n";
        skin.Pictures = {{"top.bmp", top.SaveToBytes()}};
        const auto data = LoadedFrom(skin);
        EXPECT_EQ(data->TitleSampleColour, Rgb(100, c.row, 3)) << "TopFrame=" << c.frames;
    }
}

TEST(SkinFromTests, CaptionButtonsShareTheMaximisePositionAndTheMdiPicture)
{
    TTestSkin skin;
    skin.Ini = "[ButtonMax]\nAction=1\nVisibility=2\nXcoord=40\nYcoord=4\nframe=2\nButtonImage=b.bmp\n"
               "[ButtonHelp]\nAction=4\nXcoord=99\nYcoord=99\n"
               "[ButtonIcon]\nAction=11\nframe=1\nButtonImage=b.bmp\n"
               "[ButtonGone]\nAction=-1\n"
               "[MDICONTROLS]\nImage=mdi.bmp\n";
    skin.Pictures = {{"b.bmp", Solid(10, 10, Rgb(5, 5, 5))},
                     {"mdi.bmp", StripBytes(8, 6, {Rgb(1, 0, 0), Rgb(2, 0, 0), Rgb(3, 0, 0)})}};
    const auto data = LoadedFrom(skin);
    ASSERT_EQ(data->TitleButtons.size(), 6u);
    const TDataSkinSysButton& help = *data->TitleButtons[1];
    EXPECT_EQ(help.Xcoord, 40);
    EXPECT_EQ(help.Ycoord, 4);
    EXPECT_EQ(data->TitleButtons[0]->FrameCount, 2);
    EXPECT_FALSE(data->TitleButtons[2]->Image->Empty()) << "an icon button with a frame key keeps its picture";
    // w = 24 / 12 = 2: each built button takes 8 pixels, from x = 8 i.
    for (int i = 0; i < 3; ++i) {
        const TDataSkinSysButton& mdi = *data->TitleButtons[3 + i];
        ASSERT_EQ(mdi.Image->Width(), 8);
        EXPECT_EQ(mdi.Image->Height(), 6);
        EXPECT_EQ(PixelAt(*mdi.Image, 3, 3), Rgb(i + 1, 0, 0));
        EXPECT_EQ(mdi.Xcoord, 6 * (3 - i));
    }
}

TEST(BrokenSkins, DamagedPackagesLoadNothingAndSayWhy)
{
    TTestSkin good;
    good.Ini = "[Colours]\nButtonFace=1 2 3\n[Personality]\nTop=top.bmp\n";
    good.Pictures = {{"top.bmp", Solid(6, 6, Rgb(7, 7, 7))}};
    Bytes oldVersion = WriteSkinPackage(std::vector<TSkinPackageEntry>{{"a.ini", {}}});
    oldVersion[0] = 0x10;  // 10000
    oldVersion[1] = 0x27;
    TTestSkin tooLong;
    for (size_t i = 0; i <= MaxIniLines; ++i)
        tooLong.Ini += "[S" + std::to_string(i) + "]\n";
    const struct {
        const char* what;
        Bytes package;
        std::string message;  // empty: any message
    } cases[] = {
        {"unknown version", PackLzhPackage(oldVersion), "This is Older Skin File\rPlease update to new version !"},
        {"negative length", Bytes{0xFF, 0xFF, 0xFF, 0xFF, 1, 2, 3}, ""},
        {"too short for its length", Bytes{1, 2}, ""},
        {"description with too many lines", tooLong.Package(), ""},
    };
    for (const auto& c : cases) {
        TShownErrors errors;
        TSkinData data(nullptr);
        data.SetSkinPackage(good.Package());
        ASSERT_TRUE(data.LoadSkin());
        data.SetSkinPackage(c.package);
        EXPECT_FALSE(data.LoadSkin()) << c.what;
        EXPECT_TRUE(data.Empty()) << c.what;
        ASSERT_EQ(errors.messages.size(), 1u) << c.what;
        if (!c.message.empty())
            EXPECT_EQ(errors.messages[0], c.message);
        else
            EXPECT_NE(errors.messages[0].find("The skin cannot be loaded: "), std::string::npos)
                << c.what << ": " << errors.messages[0];
    }
}

// The decoder cannot tell damaged code from good code: whatever the bits say
// is unpacked. A damaged package either still loads (with damaged pixels) or
// fails somewhere in its layout or pictures; it never crashes, and a failure
// is always shown.
TEST(BrokenSkins, DamagedCodeOfTheCompiledInSkinNeverCrashes)
{
    app::RegisterAppClasses();
    const Bytes package = app::TForm_main(nullptr).SkinData1->SkinPackage();
    const auto load = [](const Bytes& damaged, const std::string& what) {
        TShownErrors errors;
        TSkinData data(nullptr);
        data.SetSkinPackage(damaged);
        const bool loaded = data.LoadSkin();
        EXPECT_EQ(loaded, !data.Empty()) << what;
        EXPECT_EQ(errors.messages.size(), loaded ? 0u : 1u) << what;
        return loaded;
    };
    // Cut short, the rest of the code reads as zero bits: the pictures after
    // the cut come out without their bitmap headers and count as missing,
    // while the description and the pictures before the cut still load.
    for (size_t keep : {package.size() / 3, package.size() * 2 / 3, package.size() - 1000}) {
        TSkinData data(nullptr);
        data.SetSkinPackage(Bytes(package.begin(), package.begin() + keep));
        EXPECT_TRUE(data.LoadSkin()) << "cut to " << keep;
        EXPECT_EQ(data.BorderTop->FrameCount, 2) << "the description is read";
        EXPECT_TRUE(data.VertScrollThumb->Image->Empty()) << "the last picture lies after the cut";
    }
    int failures = 0;
    for (size_t i = 4; i < package.size(); i += package.size() / 61) {
        Bytes flipped = package;
        flipped[i] ^= static_cast<std::uint8_t>(1u << (i % 8));
        failures += load(flipped, "bit flipped in byte " + std::to_string(i)) ? 0 : 1;
    }
    EXPECT_GT(failures, 0) << "some flips must break the package";
}

// A picture the BMP reader refuses is a missing picture: its element is
// left as a skin without that picture leaves it, and the rest loads.
TEST(BrokenSkins, APictureThatCannotBeDecodedCountsAsMissing)
{
    const Bytes good = Solid(4, 4, Rgb(7, 7, 7));
    Bytes jpeg = good;
    jpeg[30] = 4;  // compression 4: a JPEG picture
    TTestSkin broken;
    broken.Ini = "[Personality]\nTop=top.bmp\nLeft=left.bmp\n[Tabs]\nImage=tabs.bmp\nBorder=cut.bmp\n"
                 "[Buttons]\nBitmap=cut.bmp\nRadioButton=left.bmp\n";
    broken.Pictures = {{"top.bmp", Bytes{'B', 'M', 0, 0}},
                       {"left.bmp", good},
                       {"tabs.bmp", jpeg},
                       {"cut.bmp", Bytes(good.begin(), good.end() - 1)}};
    TTestSkin missing = broken;
    missing.Pictures = {{"left.bmp", good}};
    for (const TTestSkin* skin : {&broken, &missing}) {
        TShownErrors errors;
        const auto data = LoadedFrom(*skin);
        EXPECT_TRUE(errors.messages.empty());
        EXPECT_TRUE(data->BorderTop->Image->Empty());
        EXPECT_EQ(PixelAt(*data->BorderLeft->Image, 0, 0), Rgb(7, 7, 7));
        ASSERT_NE(data->Tabs, nullptr);
        EXPECT_TRUE(data->Tabs->Image->Empty());
        EXPECT_TRUE(data->Tabs->Image2->Empty());
        EXPECT_TRUE(data->Buttons->Image->Empty());
        EXPECT_EQ(data->Buttons->RadioImage->Width(), 4);
        EXPECT_EQ(data->TitleSampleColour, data->Colours.ButtonFace);
    }
}

// A few bytes of run-length code may stand for a picture of tens of
// megabytes; the pictures of one skin may take MaxSkinPictureBytes together.
TEST(BrokenSkins, PicturesDecodingToMoreThanASkinMayUseAreRefused)
{
    bmp_samples::Recipe blank;  // 4000 x 4000, 8 bits: 48 MB decoded from two bytes of code
    blank.Width = blank.Height = 4000;
    blank.Bits = 8;
    blank.Compression = 1;
    blank.Palette = {{1, 2, 3}};
    blank.Rows = {0, 1};
    TTestSkin skin;
    skin.Pictures = {{"blank.bmp", bmp_samples::Build(blank)}};
    skin.Ini = "[Tabs]\nImage=blank.bmp\n";
    EXPECT_EQ(LoadedFrom(skin)->Tabs->Image->Width(), 4000);

    skin.Ini += "[SunkEdge]\nImage=blank.bmp\n";
    TShownErrors errors;
    TSkinData data(nullptr);
    data.SetSkinPackage(skin.Package());
    EXPECT_FALSE(data.LoadSkin());
    ASSERT_EQ(errors.messages.size(), 1u);
    EXPECT_NE(errors.messages[0].find("bytes a skin may use when decoded"), std::string::npos) << errors.messages[0];
}

// Margins, positions and frame counts far out of range are cut when read, so
// that drawing with them stays inside the pictures and its arithmetic.
TEST(BrokenSkins, ExtremeSizesAreCutAndDrawingWithThemIsHarmless)
{
    const std::string huge = "2147483647", least = "-2147483648";
    TTestSkin skin;
    skin.Ini = "[Tabs]\nImage=t.bmp\nLeftWidth=" + huge + "\nRightWidth=" + huge + "\nTopHeight=" + least +
               "\nBottomHeight=" + huge + "\n"
               "[SunkEdge]\nImage=t.bmp\nLeftWidth=" + huge + "\nTopHeight=" + huge + "\nBottomHeight=" + huge + "\n"
               "[ComboButton]\nImage=t.bmp\nRightWidth=" + huge + "\nBottomHeight=" + least + "\n"
               "[ExtraImages]\nImage=t.bmp\n"
               "[Progress.Chunk]\nImage=t.bmp\nFrame=" + huge + "\n"
               "[Personality]\nTop=t.bmp\nTopTopHeight=" + huge + "\nTopFrame=" + huge + "\nTextShift=" + least +
               "\nTXTBackleft=" + huge + "\n"
               "[ButtonMax]\nAction=1\nXcoord=" + huge + "\nYcoord=" + least + "\nframe=" + huge +
               "\nButtonImage=t.bmp\n"
               "[Fonts]\nFontHeight=" + least + "\n";
    skin.Pictures = {{"t.bmp", Solid(10, 8, Rgb(40, 50, 60))}};
    const auto data = LoadedFrom(skin);
    const TDataSkinBorder& tabs = *data->Tabs;
    EXPECT_EQ(tabs.LeftWidth, MaxSkinSize);
    EXPECT_EQ(tabs.TopHeight, 0);
    EXPECT_EQ(data->ProgressChunk->FrameCount, MaxSkinFrames);
    EXPECT_EQ(data->BorderTop->LeftWidth, MaxSkinSize);
    EXPECT_EQ(data->BorderTop->FrameCount, MaxSkinFrames);
    EXPECT_EQ(data->Title->LeftWidth, -MaxSkinSize);
    EXPECT_EQ(data->Title->TXTBackleft, MaxSkinSize);
    EXPECT_EQ(data->Title->FontHeight, -MaxSkinSize);
    EXPECT_EQ(data->TitleButtons[0]->Xcoord, MaxSkinSize);
    EXPECT_EQ(data->TitleButtons[0]->Ycoord, -MaxSkinSize);
    EXPECT_EQ(data->TitleButtons[0]->FrameCount, MaxSkinFrames);

    // Every element draws, in its first and last frame; margins wider than
    // the face are dropped, so the tabs' whole frame is stretched over it.
    TBitmap target(30, 20);
    const HDC dc = target.Canvas()->Handle();
    for (TDataSkinObject* element : {static_cast<TDataSkinObject*>(data->BorderTop.get()), data->SunkEdge.get(),
                                     static_cast<TDataSkinObject*>(data->ComboButton.get()), data->ExtraImages.get(),
                                     data->ProgressChunk.get(), static_cast<TDataSkinObject*>(data->Tabs.get())})
        for (int frame : {1, element->FrameCount})
            DrawElement(dc, {0, 0, 30, 20}, element->FrameCount, frame, *element);
    GdiFlush();
    EXPECT_EQ(PixelAt(target, 0, 0), Rgb(40, 50, 60));
    EXPECT_EQ(PixelAt(target, 29, 19), Rgb(40, 50, 60));
}

TEST(StoredSkinStream, AnEmptyValueLoadsNothingAndLoadedSwitchesActiveOff)
{
    TShownErrors errors;
    TSkinData data(nullptr);
    ReadSkinData(data, "Active = True\nSkinStream = {00000000}\n");
    EXPECT_TRUE(data.Empty());
    EXPECT_TRUE(data.SkinPackage().empty());
    EXPECT_FALSE(data.Active());
    EXPECT_TRUE(errors.messages.empty());
}

TEST(StoredSkinStream, ADamagedValueIsShownAndActiveGoesOff)
{
    app::RegisterAppClasses();
    const Bytes value = app::TForm_main(nullptr).SkinData1->SkinStreamValue();
    Bytes truncated(value.begin(), value.begin() + value.size() / 3);
    Bytes lengthTooShort = value;
    lengthTooShort[0] ^= 1;
    for (const Bytes* bytes : {&truncated, &lengthTooShort}) {
        TShownErrors errors;
        TSkinData data(nullptr);
        ReadSkinData(data, "Active = True\nSkinStream = " + FormBinaryText(*bytes) + "\n");
        EXPECT_TRUE(data.Empty());
        EXPECT_FALSE(data.Active());
        ASSERT_EQ(errors.messages.size(), 1u);
        EXPECT_EQ(errors.messages[0].rfind("The stored skin is damaged: ", 0), 0u) << errors.messages[0];
    }
}

TEST(StoredSkinStream, TheWrittenTextReadsBackToTheSamePackage)
{
    TTestSkin skin;
    skin.Ini = "[TitlebarSkin]\nSkinName=round trip\n";
    TSkinData data(nullptr);
    data.SetSkinPackage(skin.Package());
    const std::string text = FormBinaryText(data.SkinStreamValue());
    EXPECT_EQ(text.front(), '{');
    EXPECT_EQ(text.back(), '}');

    TSkinData copy(nullptr);
    ReadSkinData(copy, "Active = True\nSkinStream = " + text + "\n");
    EXPECT_EQ(copy.SkinPackage(), data.SkinPackage());
    EXPECT_FALSE(copy.Empty());
    EXPECT_TRUE(copy.Active());
    EXPECT_EQ(copy.SkinName, "round trip");

    TSkinData none(nullptr);
    EXPECT_EQ(FormBinaryText(none.SkinStreamValue()), "{\n00000000}");
}

TEST(SkinDataProperties, DefaultsAtCreation)
{
    TSkinData data(nullptr);
    EXPECT_FALSE(data.Active());
    EXPECT_TRUE(data.Empty());
    EXPECT_EQ(ui::GetOrdProp(data, "SkinControls"), 0x1FFFFB);
    EXPECT_EQ(ui::GetOrdProp(data, "Options"), 72);
    EXPECT_EQ(ui::GetOrdProp(data, "DisableTag"), 99);
    EXPECT_EQ(ui::GetEnumProp(data, "SkinFormtype"), "sfMainform");
    EXPECT_EQ(ui::GetEnumProp(data, "MenuUpdate"), "True");
    EXPECT_EQ(ui::GetEnumProp(data, "MenuMerge"), "False");
    EXPECT_EQ(ui::GetAnsiProp(data, "Version"), "4.86.06.13");
    EXPECT_EQ(ui::GetAnsiProp(data, "SkinStore"), "(none)");
    EXPECT_EQ(ui::GetWideProp(data, "SkinFile"), L"");
    EXPECT_EQ(data.MaxWidth, GetSystemMetrics(SM_CXMAXIMIZED));
    EXPECT_EQ(data.BorderTop->Name, "Top");
    EXPECT_EQ(data.Title->FontHeight, 14);

    const auto rows = data.Skin3rd()->ToVector();
    ASSERT_EQ(rows.size(), 117u);
    EXPECT_EQ(rows[0], L"TCategoryButtons=scrollbar");
    EXPECT_EQ(rows[1], L"TPngBitBtn=pngbitbtn");
    EXPECT_EQ(rows[2], L"TVirtualStringTree=scrollbar");
    EXPECT_EQ(rows[116], L"TOVCDBNUMERICFIELD=Edit");
    EXPECT_EQ(data.Skin3rd()->Value(L"TLMDGROUPBOX"), L"Groupbox") << "a caseless look-up finds the first row";
    int checkboxRows = 0;
    for (const std::wstring& row : rows)
        checkboxRows += row == L"TDBCheckboxEh=Checkbox";
    EXPECT_EQ(checkboxRows, 2) << "repeated rows are kept";

    EXPECT_EQ(MenuGlyphCount, data.MenuGlyphs.Count());
}

TEST(SkinDataProperties, VersionAndSkinStoreIgnoreWritesAndSetsTakeMemberNames)
{
    TSkinData data(nullptr);
    ReadSkinData(data, "SkinStore = '(Good)'\nVersion = '1.0'\nSkinControls = [xcMainMenu, xcTab]\n"
                       "Options = []\nSkinFormtype = sfDialog\nDisableTag = 7\n"
                       "Skin3rd.Strings = (\n'TMine=button')\n");
    EXPECT_EQ(data.SkinStore(), "(none)");
    EXPECT_EQ(data.Version(), "4.86.06.13");
    EXPECT_EQ(data.SkinControls(), SetOf(xcMainMenu) | SetOf(xcTab));
    EXPECT_EQ(data.Options(), 0);
    EXPECT_EQ(data.SkinFormtype(), TSkinFormType::sfDialog);
    EXPECT_EQ(data.DisableTag(), 7);
    EXPECT_EQ(data.Skin3rd()->ToVector(), std::vector<std::wstring>{L"TMine=button"});
}

TEST(SkinDataProperties, ActiveWhileEmptyIsOnlyStored)
{
    TSkinData data(nullptr);
    data.SetActive(true);
    EXPECT_TRUE(data.Active());
    EXPECT_TRUE(data.Empty());
}

TEST(SkinDataLoaded, MenuSwitchesFollowTheMainMenuSwitch)
{
    const TSkinControlTypes both = SetOf(xcMenuItem) | SetOf(xcSystemMenu) | SetOf(xcButton);
    const struct {
        TSkinControlTypes stored;
        TSkinControlTypes after;
    } cases[] = {
        {both | SetOf(xcMainMenu), SetOf(xcSystemMenu) | SetOf(xcButton) | SetOf(xcMainMenu)},
        {both, SetOf(xcMenuItem) | SetOf(xcButton)},
    };
    for (const auto& c : cases) {
        TSkinData data(nullptr);
        data.SetSkinControls(c.stored);
        data.Loaded();
        EXPECT_EQ(data.SkinControls(), c.after);
    }
    TSkinData dialog(nullptr);
    dialog.SetSkinFormtype(TSkinFormType::sfDialog);
    dialog.SetSkinControls(both);
    dialog.SetActive(true);
    dialog.Loaded();
    EXPECT_EQ(dialog.SkinControls(), both) << "only the main form's skin data adjusts them";
    EXPECT_TRUE(dialog.Active());
}

TEST(SkinDataLoaded, WithoutGetScrollBarInfoScrollBarsAreNotSkinned)
{
    TOptionalEntryPoints& points = OptionalEntryPoints();
    const auto saved = points.GetScrollBarInfo;
    ASSERT_NE(saved, nullptr) << "the platform has it";
    points.GetScrollBarInfo = nullptr;
    TSkinData data(nullptr);
    data.Loaded();
    points.GetScrollBarInfo = saved;
    EXPECT_EQ(data.SkinControls(), DefaultSkinControls & ~SetOf(xcScrollbar));

    TSkinData withIt(nullptr);
    withIt.Loaded();
    EXPECT_TRUE(withIt.SkinControls() & SetOf(xcScrollbar));
}

TEST(SkinDataLoaded, CaptionFontAndApplicationIcon)
{
    TSkinData data(nullptr);
    data.Loaded();
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
    EXPECT_EQ(data.CaptionFont->Name(), metrics.lfCaptionFont.lfFaceName);
    EXPECT_EQ(data.CaptionFont->Height(), metrics.lfCaptionFont.lfHeight);

    const TBitmap& icon = *data.AppIcon;
    ASSERT_EQ(icon.Width(), GetSystemMetrics(SM_CXSMICON));
    ASSERT_EQ(icon.Height(), GetSystemMetrics(SM_CYSMICON));
    EXPECT_TRUE(icon.Transparent());
    EXPECT_EQ(icon.TransparentColor(), Magenta);
    int keyed = 0;
    for (int y = 0; y < icon.Height(); ++y)
        for (int x = 0; x < icon.Width(); ++x)
            keyed += PixelAt(icon, x, y) == Magenta;
    EXPECT_GT(keyed, 0) << "the icon's transparent parts show the key colour";
    EXPECT_LT(keyed, icon.Width() * icon.Height()) << "the icon is drawn";
}

TEST(SkinDataGate, AskFormSkinLeavesOutMonthCalendarsAndReportWindows)
{
    const struct {
        const wchar_t* cls;
        bool fastReport;
        bool doSkin;
    } cases[] = {
        {L"SysMonthCal32", false, false}, {L"TfrDesignerForm", false, true}, {L"TfrDesignerForm", true, false},
        {L"TFrDesigner", true, true},      {L"TForm_main", true, true},       {L"sysmonthcal32", false, true},
    };
    for (const auto& c : cases) {
        TSkinData data(nullptr);
        if (c.fastReport)
            data.SetSkinControls(data.SkinControls() | SetOf(xcFastReport));
        bool doSkin = true;
        data.AskFormSkin(reinterpret_cast<HWND>(0x1234), c.cls, doSkin);
        EXPECT_EQ(doSkin, c.doSkin) << c.cls;
        EXPECT_EQ(data.AskedWindow(), reinterpret_cast<HWND>(0x1234));
    }

    TSkinData data(nullptr);
    std::wstring asked;
    data.OnFormSkin = TOnFormSkin([&](ui::TObject* sender, const std::wstring& name, bool& doSkin) {
        EXPECT_EQ(sender, &data);
        asked = name;
        doSkin = !doSkin;
    });
    bool doSkin = false;
    data.AskFormSkin(nullptr, L"SysMonthCal32", doSkin);
    EXPECT_TRUE(doSkin) << "the handler alone decides";
    EXPECT_EQ(asked, L"SysMonthCal32");
}

TEST(SkinFile, ASkinFileReplacesTheHeldPackage)
{
    tests::TTempDir dir;
    TTestSkin skin;
    skin.Ini = "[TitlebarSkin]\nSkinName=from file\n";
    const Bytes package = skin.Package();
    tests::WriteBytes(dir / L"皮肤.skn", std::string(package.begin(), package.end()));

    TSkinData data(nullptr);
    data.SetSkinFile(dir / L"皮肤.skn");
    EXPECT_FALSE(data.Empty());
    EXPECT_EQ(data.SkinName, "from file");
    EXPECT_EQ(data.SkinPackage(), package);

    data.SetSkinFile(dir / L"missing.skn");
    EXPECT_TRUE(data.Empty());
    EXPECT_EQ(data.SkinFile(), dir / L"missing.skn");
    EXPECT_EQ(data.SkinName, "from file") << "the loaded records stay";
}

// A file far larger than any skin package is refused without being read.
TEST(SkinFile, AFileLargerThanAnySkinIsRefusedUnread)
{
    tests::TTempDir dir;
    const std::wstring path = dir / L"huge.skn";
    {
        ui::TFileStream file(path, ui::fmCreate);
        file.Seek(static_cast<std::int64_t>(MaxSkinFileSize), ui::TSeekOrigin::soBeginning);
        const std::uint8_t last = 0;
        file.WriteBuffer(&last, 1);
    }
    TShownErrors errors;
    TSkinData data(nullptr);
    data.SetSkinFile(path);
    EXPECT_TRUE(data.Empty());
    ASSERT_EQ(errors.messages.size(), 1u);
    EXPECT_NE(errors.messages[0].find("larger than the"), std::string::npos) << errors.messages[0];
}

TEST(MenuGlyphs, GlyphsDrawBlackOnTheirOwnBackground)
{
    TMenuGlyphs glyphs;
    ASSERT_EQ(glyphs.Count(), 4);
    TBitmap target(16, 16);
    target.Canvas()->Brush()->SetColor(Rgb(200, 0, 0));
    target.Canvas()->FillRect({0, 0, 16, 16});
    glyphs.Draw(target.Canvas()->Handle(), mgClose, 0, 0);
    GdiFlush();
    EXPECT_EQ(PixelAt(target, 0, 0), Rgb(200, 0, 0)) << "white is transparent";
    EXPECT_EQ(PixelAt(target, 4, 4), Rgb(0, 0, 0)) << "the cross";
    EXPECT_EQ(PixelAt(target, 7, 7), Rgb(0, 0, 0));
    EXPECT_EQ(PixelAt(target, 7, 4), Rgb(200, 0, 0));
}
