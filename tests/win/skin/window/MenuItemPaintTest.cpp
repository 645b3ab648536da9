// Menu items as the skin draws them, into bitmaps: the faces of the skin's
// menu item picture over the popup's background, the separator, check marks,
// pictures, the grey of disabled items, right-to-left items, and the sizes.
#include <gtest/gtest.h>

#include "skin/data/WinSkinData.h"
#include "skin/draw/SkinDraw.h"
#include "skin/window/MenuItemPaint.h"
#include "tests/win/support/PixelTestSupport.h"
#include "tests/win/support/SkinTestSupport.h"
#include "ui/forms/Forms.h"

using namespace skin;
using namespace tests;
using namespace ui;

namespace {

constexpr int ItemWidth = 160, ItemHeight = 22;
constexpr RECT ItemRect{0, 0, ItemWidth, ItemHeight};
constexpr Bgr BackgroundColour{10, 200, 30};

class SkinnedMenuItem : public ::testing::Test {
protected:
    SkinnedMenuItem() : background(ItemRect.right, ItemRect.bottom), target(ItemRect.right, ItemRect.bottom)
    {
        FillBitmap(background, BackgroundColour);
        menu.SetImages(&bed.Data().MenuGlyphs);
        item = new TMenuItem(&menu);
        item->SetCaption(L"&Item");
        menu.Items()->Add(item);
    }
    const TSkinData& Data() const { return bed.Data(); }
    void Draw(bool selected)
    {
        DrawSkinMenuItem(Data(), *item, *target.Canvas(), ItemRect, selected, {&background, {0, 0}});
    }
    // Frame `frame` of the menu item picture at the item's size.
    std::unique_ptr<TBitmap> Face(int frame) const
    {
        TDataSkinObject& e = *Data().MenuItem;
        return BuildElementBitmap(ItemRect, *e.Image, e.Margins(), false, e.Tile != 0, e.FrameCount, frame);
    }
    // Whether the target holds that colour anywhere in rect.
    bool Holds(const RECT& rect, Bgr colour) const
    {
        for (int y = rect.top; y < rect.bottom; ++y)
            for (int x = rect.left; x < rect.right; ++x)
                if (At(target, x, y) == colour)
                    return true;
        return false;
    }

    TSkinTestBed bed;
    TPopupMenu menu{nullptr};
    TMenuItem* item = nullptr;
    TBitmap background, target;
};

} // namespace

TEST_F(SkinnedMenuItem, NormalAndSelectedItemsWearTheirFacesOverThePopupBackground)
{
    for (const bool selected : {false, true}) {
        SCOPED_TRACE(selected);
        Draw(selected);
        const auto face = Face(selected ? 4 : 1);
        // The edges of the face, away from the caption and the glyph.
        int compared = 0;
        for (int y = 0; y < ItemRect.bottom; ++y)
            for (const int x : {0, 1, 2, ItemWidth - 3, ItemWidth - 2, ItemWidth - 1}) {
                const Bgr expected = At(*face, x, y) == Magenta ? BackgroundColour : At(*face, x, y);
                ASSERT_EQ(At(target, x, y), expected) << x << "," << y;
                ++compared;
            }
        EXPECT_GT(compared, 0);
    }
}

TEST_F(SkinnedMenuItem, ASeparatorIsTheSkinsLineOverTheBackground)
{
    item->SetCaption(L"-");
    Draw(false);
    TDataSkinObject& e = *Data().MenuItem;
    const int frameWidth = e.Image->Width() / e.FrameCount;
    // The line of frame 2, bottom rows aligned with the item's.
    const int rows = std::min(e.Image->Height(), ItemHeight);
    const int top = (ItemRect.bottom - rows) / 2;
    int lineRows = 0;
    for (int y = 0; y < rows; ++y) {
        const Bgr source = At(*e.Image, frameWidth + frameWidth / 2, e.Image->Height() - rows + y);
        const Bgr expected = source == Magenta ? BackgroundColour : source;
        EXPECT_EQ(At(target, ItemRect.right / 2, top + y), expected) << y;
        lineRows += source != Magenta;
    }
    EXPECT_GT(lineRows, 0) << "the picture has a line";
}

TEST_F(SkinnedMenuItem, GlyphsChecksAndGreyText)
{
    const TSkinColours& c = Data().Colours;
    const RECT glyphBox{Data().MenuItem->LeftWidth + 1, 1, Data().MenuItem->LeftWidth + 17, 17};
    const RECT textArea{glyphBox.right + 3, 0, ItemRect.right, ItemRect.bottom};

    // A checked item without a picture: the system's check mark in clBtnText.
    item->SetChecked(true);
    Draw(false);
    EXPECT_TRUE(Holds(glyphBox, BgrOf(ColorToRGB(clBtnText))));
    EXPECT_TRUE(Holds(textArea, BgrOf(ColorToRGB(c.MenuText))));

    // A picture in its place; disabled, the caption turns to the shadow colour.
    item->SetImageIndex(mgClose);
    item->SetChecked(false);
    item->SetEnabled(false);
    Draw(false);
    TBitmap glyph(16, 16);
    FillBitmap(glyph, BackgroundColour);
    static_cast<const TImageList&>(Data().MenuGlyphs).Draw(glyph.Canvas(), 0, 0, mgClose, false);
    int same = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            same += At(target, glyphBox.left + x, glyphBox.top + y) == At(glyph, x, y);
    EXPECT_EQ(same, 256) << "the greyed picture";
    EXPECT_TRUE(Holds(textArea, BgrOf(ColorToRGB(c.ButtonShadow))));
    EXPECT_FALSE(Holds(textArea, BgrOf(ColorToRGB(c.MenuText))));

    // Selected, the caption is drawn in the highlight text colour.
    item->SetEnabled(true);
    Draw(true);
    EXPECT_TRUE(Holds(textArea, BgrOf(ColorToRGB(c.HilightText))));
}

TEST_F(SkinnedMenuItem, ARightToLeftItemHasItsGlyphAndCaptionAtTheRight)
{
    menu.SetBiDiMode(TBiDiMode::bdRightToLeft);
    item->SetChecked(true);
    Draw(false);
    const int right = ItemRect.right - Data().MenuItem->LeftWidth - 1;
    const Bgr ink = BgrOf(ColorToRGB(clBtnText));
    const Bgr text = BgrOf(ColorToRGB(Data().Colours.MenuText));
    EXPECT_TRUE(Holds({right - 16, 1, right, 17}, ink)) << "the check mark at the right";
    EXPECT_FALSE(Holds({0, 0, ItemRect.right / 2, ItemRect.bottom}, text)) << "the caption keeps to the right";
    EXPECT_TRUE(Holds({ItemRect.right / 2, 0, right - 16, ItemRect.bottom}, text));
}

TEST_F(SkinnedMenuItem, MeasuresAddTheSkinsRoom)
{
    TCanvas canvas;
    const auto screen = TWindowDC::Client(nullptr);
    TCanvasAttachment attached(canvas, screen.Get());
    canvas.Font()->Assign(*Screen()->MenuFont());
    int ownWidth = 0, ownHeight = 0;
    item->MeasureItem(&canvas, ownWidth, ownHeight);
    const int left = Data().MenuItem->LeftWidth;
    const struct {
        bool Images;
        TMeasureExtra Extra;
        int Added;
    } cases[] = {
        {true, MenuBarItemExtra, left + 10},
        {false, MenuBarItemExtra, left + 10 + 25},
        {true, PopupItemExtra, left + 12},
        {false, PopupItemExtra, left + 12 + 23},
    };
    for (const auto& c : cases) {
        menu.SetImages(c.Images ? &bed.Data().MenuGlyphs : nullptr);
        item->MeasureItem(&canvas, ownWidth, ownHeight);
        int width = 0, height = 0;
        // The item's own handler is left out of the measure it would extend.
        item->OnMeasureItem = TMenuMeasureItemEvent([](TObject*, TCanvas*, int& w, int&) { w += 1000; });
        MeasureSkinMenuItem(Data(), *item, canvas, width, height, c.Extra);
        EXPECT_EQ(width, ownWidth + c.Added) << c.Images;
        EXPECT_EQ(height, ownHeight);
        EXPECT_TRUE(item->OnMeasureItem) << "and kept";
        item->OnMeasureItem = {};
    }
    EXPECT_EQ(MeasureEntryText(Data(), screen.Get(), L"").cy, 8) << "an entry without text is a separator";
}
