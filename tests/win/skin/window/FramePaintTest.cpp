// The skinned frame drawn into bitmaps, without a window: border sizes from
// the skin, the faces of the borders in both looks, the caption text's
// place, the tiled text background, and the window region cut at the key
// colour. Pictures are made by the tests so that every pixel says where it
// came from; the compiled-in skin is checked against its own pictures.
#include "skin/window/FramePaint.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "skin/draw/SkinDraw.h"
#include "tests/win/support/PixelTestSupport.h"
#include "tests/win/support/TestSkins.h"

namespace {

using namespace skin;
using tests::At;
using tests::Bgr;
using tests::Rgb;
using ui::TBitmap;

// A BMP file of w x h whose pixel (x, y) is colour(x, y).
tests::Bytes Picture(int w, int h, const std::function<Bgr(int x, int y)>& colour)
{
    TBitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            tests::Put(b, x, y, colour(x, y));
    return b.SaveToBytes();
}

// Zone 0 before the fixed start, 2 in the fixed end, 1 between.
int Zone(int pos, int length, int lead, int trail)
{
    return pos < lead ? 0 : pos >= length - trail ? 2 : 1;
}

// A border pixel that says its zone, frame and place along the border:
// red 60 * zone + 30, green 100 * frame, blue 10 * place.
Bgr BorderPixel(int zone, int frame, int place)
{
    return Rgb(60 * zone + 30, 100 * frame, 10 * place);
}

// Side borders: two frames of 4 x 12 side by side, 3 fixed rows at the top
// and 2 at the bottom. Top and bottom: two frames of 12 x 6 stacked, 3 fixed
// columns at each end. The right border has a single frame.
constexpr int SideWidth = 4, SideHeight = 12, SideTop = 3, SideBottom = 2;
constexpr int EdgeWidth = 12, EdgeHeight = 6, EdgeEnd = 3;

tests::Bytes SidePicture(int frames)
{
    return Picture(SideWidth * frames, SideHeight, [](int x, int y) {
        return BorderPixel(Zone(y, SideHeight, SideTop, SideBottom), x / SideWidth + 1, y);
    });
}

tests::Bytes EdgePicture()
{
    return Picture(EdgeWidth, EdgeHeight * 2, [](int x, int y) {
        return BorderPixel(Zone(x, EdgeWidth, EdgeEnd, EdgeEnd), y / EdgeHeight + 1, x);
    });
}

tests::TTestSkin BorderSkin(const std::string& extra = "")
{
    tests::TTestSkin skin;
    skin.Ini = "[Personality]\n"
               "Left=left.bmp\nLeftFrame=2\nLeftTopHeight=3\nLeftBotHeight=2\nLeftStretch=1\n"
               "Right=right.bmp\nRightFrame=1\nRightTopHeight=3\nRightBotHeight=2\nRightStretch=1\n"
               "Top=top.bmp\nTopFrame=2\nTopTopHeight=3\nTopBotHeight=3\nTopStretch=0\n"
               "Bottom=bottom.bmp\nBottomFrame=2\nBottomTopHeight=3\nBottomBotHeight=3\nBottomStretch=1\n" +
               extra;
    skin.Pictures = {{"left.bmp", SidePicture(2)},
                     {"right.bmp", SidePicture(1)},
                     {"top.bmp", EdgePicture()},
                     {"bottom.bmp", EdgePicture()}};
    return skin;
}

} // namespace

TEST(FrameGeometry, OneFrameOfEachBorderPicture)
{
    const auto data = tests::LoadedFrom(BorderSkin());
    EXPECT_EQ(FrameGeometryOf(*data), (TFrameGeometry{SideWidth, EdgeHeight, SideWidth, EdgeHeight}));

    // A left border 30 pixels wide with two frames is 15 pixels wide; a frame
    // count of 0 counts as one frame; a border without picture has no size.
    tests::TTestSkin odd;
    odd.Ini = "[Personality]\nLeft=left.bmp\nLeftFrame=2\nTop=top.bmp\nTopFrame=0\n";
    odd.Pictures = {{"left.bmp", tests::Solid(30, 8, 0x0000FF)}, {"top.bmp", tests::Solid(8, 21, 0x00FF00)}};
    EXPECT_EQ(FrameGeometryOf(*tests::LoadedFrom(odd)), (TFrameGeometry{15, 21, 0, 0}));
}

TEST(BorderFaces, SideBordersKeepTheirEndsAndShowTheFrameOfTheLook)
{
    const auto data = tests::LoadedFrom(BorderSkin());
    const int h = 40;
    for (const bool active : {true, false}) {
        const int frame = active ? 1 : 2;
        const auto face = BuildBorderFace(*data, TBorderPiece::Left, SideWidth, h, active);
        ASSERT_EQ(face->Width(), SideWidth);
        ASSERT_EQ(face->Height(), h);
        for (int y = 0; y < SideTop; ++y)
            EXPECT_EQ(At(*face, 0, y), BorderPixel(0, frame, y)) << "fixed top row " << y;
        for (int y = 0; y < SideBottom; ++y)
            EXPECT_EQ(At(*face, 3, h - SideBottom + y), BorderPixel(2, frame, SideHeight - SideBottom + y));
        for (int y = SideTop; y < h - SideBottom; ++y)
            EXPECT_EQ(At(*face, 1, y).R, BorderPixel(1, frame, 0).R) << "stretched middle, row " << y;
        // A single-frame border looks the same in both looks.
        const auto right = BuildBorderFace(*data, TBorderPiece::Right, SideWidth, h, active);
        EXPECT_EQ(At(*right, 0, 0), BorderPixel(0, 1, 0));
    }
}

TEST(BorderFaces, TheStretchKeySaysWhetherTheMiddleIsTiledOrStretched)
{
    const auto data = tests::LoadedFrom(BorderSkin());
    const int w = EdgeEnd + 14 + EdgeEnd;
    const auto top = BuildBorderFace(*data, TBorderPiece::Top, w, EdgeHeight, false);  // TopStretch=0
    const auto bottom = BuildBorderFace(*data, TBorderPiece::Bottom, w, EdgeHeight, false);  // BottomStretch=1
    const int middle = EdgeWidth - 2 * EdgeEnd;
    for (int x = 0; x < w; ++x) {
        const int zone = Zone(x, w, EdgeEnd, EdgeEnd);
        const int place = zone == 0 ? x : zone == 2 ? x - w + EdgeWidth : EdgeEnd + (x - EdgeEnd) % middle;
        EXPECT_EQ(At(*top, x, 2), BorderPixel(zone, 2, place)) << "tiled, column " << x;
        if (x > 0 && zone == 1) {
            EXPECT_GE(At(*bottom, x, 2).B, At(*bottom, x - 1, 2).B) << "stretched, column " << x;
        }
    }
    EXPECT_NE(At(*bottom, EdgeEnd + middle, 2), At(*top, EdgeEnd + middle, 2)) << "stretching does not repeat";
}

// ---- Caption text ----

namespace {

// A title record and colours for the text tests: dark text, no picture.
tests::TTestSkin TitleSkin(int alignment, const std::string& extra = "")
{
    tests::TTestSkin skin = BorderSkin("TextShift=22\nTextShiftVert=4\nTextRightClip=40\nTextAlignment=" +
                                       std::to_string(alignment) + "\nTXTBackleft=5\nTXTBackRight=7\n" + extra);
    skin.Ini += "[Colours]\nTitleTextActive=0 0 128\nTitleTextNoActive=128 0 0\n";
    return skin;
}

struct TTitleCanvas {
    TBitmap Bitmap{400, 30};
    ui::TFont Font;
    RECT Title{10, 0, 390, 30};

    RECT Draw(const TSkinData& data, const std::wstring& text, const TTitleTextLayout& layout = {})
    {
        tests::FillBitmap(Bitmap, Rgb(255, 255, 255));
        return DrawTitleText(Bitmap.Canvas()->Handle(), Title, text, Font.Handle(), data, layout);
    }
    SIZE Extent(const std::wstring& text)
    {
        HDC dc = Bitmap.Canvas()->Handle();
        ui::TSavedDC saved(dc);
        saved.Select(Font.Handle());
        RECT r{0, 0, 0, 0};
        DrawTextWide(dc, text, r, DT_CALCRECT | DT_NOCLIP);
        return {r.right - r.left, r.bottom - r.top};
    }
    // The columns where the text colour shows.
    std::pair<int, int> InkColumns(Bgr ink)
    {
        int first = -1, last = -1;
        for (int x = 0; x < Bitmap.Width(); ++x)
            for (int y = 0; y < Bitmap.Height(); ++y)
                if (At(Bitmap, x, y) == ink) {
                    if (first < 0)
                        first = x;
                    last = x;
                }
        return {first, last};
    }
};

} // namespace

TEST(TitleText, TheAlignmentPlacesTheTextBlockInTheTitle)
{
    TTitleCanvas canvas;
    const std::wstring text = DecoratedTitle(L"Tessaly");
    EXPECT_EQ(text, L" Tessaly  ");
    const SIZE extent = canvas.Extent(text);
    const int block = extent.cx + 5 + 7;  // the text and both ends of its background
    const int titleWidth = 380, titleHeight = 30;
    const int top = (titleHeight - extent.cy) / 2 + 4 / 2;
    const struct {
        int Alignment;
        TTitleTextLayout Layout;
        int Left;  // the block's sides in the title
        int Right;
    } cases[] = {
        {0, {}, 22, 22 + block},
        {1, {}, (titleWidth - block) / 2, (titleWidth - block) / 2 + block},
        {2, {}, titleWidth - 40 - block, titleWidth - 40},
        {7, {}, 0, block},
        // Dialogs show no icon: the block reaches left by the icon's width.
        {0, {.DialogBorder = true}, 22 - GetSystemMetrics(SM_CXSMICON), 22 + block},
        {0, {.DialogBorder = true, .IconWidth = 20}, 22 - 20, 22 + block},
        {2, {.DialogBorder = true}, titleWidth - 40 - block, titleWidth - 40},
        // Right-aligned text of a window with fewer of the skin's buttons
        // shown comes closer to the end by the room of those not shown.
        {2, {.RightReserve = 25, .SkinRightReserve = 45}, titleWidth - 20 - block, titleWidth - 20},
    };
    for (const auto& c : cases) {
        const auto data = tests::LoadedFrom(TitleSkin(c.Alignment));
        const RECT r = canvas.Draw(*data, text, c.Layout);
        EXPECT_EQ(r.left, canvas.Title.left + c.Left) << "alignment " << c.Alignment;
        EXPECT_EQ(r.right, canvas.Title.left + c.Right) << "alignment " << c.Alignment;
        EXPECT_EQ(r.top, top);
        const auto ink = canvas.InkColumns(Rgb(0, 0, 128));
        EXPECT_GE(ink.first, r.left + 5) << "the text starts after the background's left end";
        EXPECT_LE(ink.second, r.right - 7);
    }
}

TEST(TitleText, CentredTextWithAnOddDifferenceRoundsTowardZero)
{
    TTitleCanvas canvas;
    const auto data = tests::LoadedFrom(TitleSkin(1));
    const std::wstring text = DecoratedTitle(L"x");
    const int block = canvas.Extent(text).cx + 12;
    // Make the title one pixel wider than an even split needs.
    const int width = block + 21;
    canvas.Title = {10, 0, 10 + width, 30};
    EXPECT_EQ(canvas.Draw(*data, text).left, 10 + 10);
    // Wider than the title: a negative offset rounds toward zero as well.
    canvas.Title = {10, 0, 10 + block - 21, 30};
    EXPECT_EQ(canvas.Draw(*data, text).left, 10 - 10);
}

TEST(TitleText, ALongCaptionEndsWithAnEllipsisBeforeTheButtons)
{
    TTitleCanvas canvas;
    const auto data = tests::LoadedFrom(TitleSkin(0));
    const std::wstring text = DecoratedTitle(std::wstring(200, L'W'));
    // An ordinary window stops TextRightClip pixels before the title's end.
    RECT r = canvas.Draw(*data, text);
    EXPECT_EQ(r.right, canvas.Title.right - 40);
    EXPECT_LE(canvas.InkColumns(Rgb(0, 0, 128)).second, r.right - 7);
    // A popup-style window keeps the room of its right buttons and 5 more.
    r = canvas.Draw(*data, text, {.PopupStyle = true, .RightReserve = 80});
    EXPECT_EQ(r.right, canvas.Title.right - 85);
    // ... but only when that room is more than 5 pixels.
    r = canvas.Draw(*data, text, {.PopupStyle = true, .RightReserve = 5});
    EXPECT_GT(r.right, canvas.Title.right);
    // TextRightClip is made for all the skin's right-aligned buttons: a
    // window that shows fewer stops closer to the end by the room of those
    // it does not show, never past the end.
    const struct {
        int Shown, All, Clip;
    } fewer[] = {{45, 45, 40}, {25, 45, 20}, {0, 45, 0}, {0, 30, 10}};
    for (const auto& c : fewer) {
        r = canvas.Draw(*data, text, {.RightReserve = c.Shown, .SkinRightReserve = c.All});
        EXPECT_EQ(r.right, canvas.Title.right - c.Clip) << c.Shown << " of " << c.All;
    }
}

TEST(TitleText, ARightToLeftWindowPutsItsTextOnTheRight)
{
    TTitleCanvas canvas;
    const std::wstring text = DecoratedTitle(L"Tessaly");
    const int block = canvas.Extent(text).cx + 12;
    const TTitleTextLayout layout{.RightToLeft = true, .RightReserve = 60};
    const auto left = tests::LoadedFrom(TitleSkin(0));
    // Left alignment mirrored: against the right buttons, then 10 pixels on.
    EXPECT_EQ(canvas.Draw(*left, text, layout).left, 10 + 380 - 60 - block + 10);
    const auto right = tests::LoadedFrom(TitleSkin(2));
    EXPECT_EQ(canvas.Draw(*right, text, layout).left, 10 + 22 + 10);
}

TEST(TitleText, ActiveAndInactiveColours)
{
    TTitleCanvas canvas;
    const auto data = tests::LoadedFrom(TitleSkin(0));
    canvas.Draw(*data, L" Tessaly  ", {.Active = true});
    EXPECT_GE(canvas.InkColumns(Rgb(0, 0, 128)).first, 0);
    EXPECT_LT(canvas.InkColumns(Rgb(128, 0, 0)).first, 0);
    canvas.Draw(*data, L" Tessaly  ", {.Active = false});
    EXPECT_GE(canvas.InkColumns(Rgb(128, 0, 0)).first, 0);
    EXPECT_LT(canvas.InkColumns(Rgb(0, 0, 128)).first, 0);
}

TEST(TitleText, TheTextBackgroundIsTiledBehindTheBlockWithoutTheKeyColour)
{
    // Two stacked frames of 16 x 30: 4 fixed columns at each end, the key
    // colour in the first column of the middle.
    tests::TTestSkin skin = TitleSkin(0, "TextBack=back.bmp\n");
    skin.Pictures.push_back({"back.bmp", Picture(16, 60, [](int x, int y) {
                                 if (x == 4)
                                     return tests::Magenta;
                                 return BorderPixel(Zone(x, 16, 4, 4), y / 30 + 1, x);
                             })});
    skin.Ini.replace(skin.Ini.find("TXTBackleft=5"), 13, "TXTBackleft=4");
    skin.Ini.replace(skin.Ini.find("TXTBackRight=7"), 14, "TXTBackRight=4");
    const auto data = tests::LoadedFrom(skin);
    TTitleCanvas canvas;
    for (const bool active : {true, false}) {
        const RECT r = canvas.Draw(*data, L" ", {.Active = active});
        const int frame = active ? 1 : 2;
        const int y = 1;  // above the text
        EXPECT_EQ(At(canvas.Bitmap, r.left, y), BorderPixel(0, frame, 0));
        EXPECT_EQ(At(canvas.Bitmap, r.right - 1, y), BorderPixel(2, frame, 15));
        for (int x = r.left + 4; x < r.right - 4; ++x) {
            const int place = 4 + (x - r.left - 4) % 8;
            const Bgr expected = place == 4 ? Rgb(255, 255, 255) : BorderPixel(1, frame, place);
            EXPECT_EQ(At(canvas.Bitmap, x, y), expected) << "column " << x;
        }
    }
}

TEST(StripTiled, EndsAsWideAsTheFrameLeaveNothingToRepeat)
{
    TBitmap image(6, 4);
    tests::FillBitmap(image, Rgb(10, 20, 30));
    TBitmap target(50, 4);
    tests::FillBitmap(target, Rgb(0, 0, 0));
    DrawStripTiled(target.Canvas()->Handle(), {0, 0, 50, 4}, image, false, false, 1, 1, {3, 3});
    EXPECT_EQ(At(target, 0, 0), Rgb(10, 20, 30));
    EXPECT_EQ(At(target, 49, 3), Rgb(10, 20, 30));
    // An inverted rectangle draws nothing.
    DrawStripTiled(target.Canvas()->Handle(), {20, 0, 10, 4}, image, false, false, 1, 1, {3, 3});
}

// ---- Window region ----

namespace {

bool InRegion(HRGN region, int x, int y)
{
    return PtInRegion(region, x, y) != FALSE;
}

} // namespace

TEST(FrameRegion, RunsOfPixelsOtherThanTheKeyWithinItsTolerance)
{
    // Every fourth pixel is a colour at the edge of the key's tolerance:
    // magenta, green 1 (transparent), green 2 and red 254 (opaque).
    const Bgr colours[] = {tests::Magenta, Rgb(255, 1, 255), Rgb(255, 2, 255), tests::NearMagenta, Rgb(9, 9, 9)};
    const auto transparent = [](Bgr c) { return c.R == 255 && c.B == 255 && c.G <= 1; };
    TBitmap bitmap(70, 40);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 70; ++x)
            tests::Put(bitmap, x, y, colours[(x * 7 + y * 3) % 5]);
    const auto region = RegionFromBitmap(bitmap, 5, 6, ui::clFuchsia, {1, 1, 1});
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 70; ++x)
            ASSERT_EQ(InRegion(region.Get(), x + 5, y + 6), !transparent(At(bitmap, x, y))) << x << ", " << y;
    EXPECT_FALSE(InRegion(region.Get(), 4, 6));
}

TEST(FrameRegion, MoreRectanglesThanOneBatchAllCount)
{
    // A checkerboard gives a run per opaque pixel: 5000, more than two batches.
    TBitmap bitmap(100, 100);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
            tests::Put(bitmap, x, y, (x + y) % 2 ? tests::Magenta : Rgb(0, 0, 0));
    const auto region = RegionFromBitmap(bitmap, 0, 0, ui::clFuchsia, {1, 1, 1});
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
            ASSERT_EQ(InRegion(region.Get(), x, y), (x + y) % 2 == 0) << x << ", " << y;
}

TEST(FrameRegion, TheCompiledInSkinCutsItsCornersAtTheKeyColour)
{
    const auto data = tests::CompiledInSkinData();
    const TFrameGeometry frame = FrameGeometryOf(*data);
    const int w = 240, h = 160;
    for (const bool active : {true, false}) {
        const auto region = BuildFrameRegion(*data, frame, w, h, active);
        // The top corners come from the side borders' fixed top ends.
        const TDataSkinBorder& left = *data->BorderLeft;
        const TDataSkinBorder& right = *data->BorderRight;
        const int column = active ? 0 : frame.LeftWidth;
        int cut = 0;
        for (int y = 0; y < left.TopHeight; ++y)
            for (int x = 0; x < frame.LeftWidth; ++x) {
                const bool key = At(*left.Image, column + x, y) == tests::Magenta;
                cut += key;
                EXPECT_EQ(InRegion(region.Get(), x, y), !key) << "left corner " << x << ", " << y;
                const bool rightKey = At(*right.Image, column + x, y) == tests::Magenta;
                EXPECT_EQ(InRegion(region.Get(), w - frame.RightWidth + x, y), !rightKey);
            }
        EXPECT_GT(cut, 0) << "the skin has rounded corners";
        // The client part and the middle of every border are in.
        EXPECT_TRUE(InRegion(region.Get(), w / 2, h / 2));
        EXPECT_TRUE(InRegion(region.Get(), w / 2, frame.TitleHeight / 2));
        EXPECT_TRUE(InRegion(region.Get(), w / 2, h - 1));
        EXPECT_TRUE(InRegion(region.Get(), 0, h / 2));
        EXPECT_FALSE(InRegion(region.Get(), w, h / 2));
    }
}

TEST(FrameRegion, WithoutTransparentBordersTheWholeRectangle)
{
    const auto data = tests::LoadedFrom(BorderSkin("LeftTrans=0\nRightTrans=0\nTopTrans=0\nBottomTrans=0\n"));
    EXPECT_FALSE(HasTransparentBorder(*data));
    const auto region = BuildFrameRegion(*data, FrameGeometryOf(*data), 100, 80, true);
    RECT box{};
    EXPECT_EQ(GetRgnBox(region.Get(), &box), SIMPLEREGION);
    EXPECT_EQ(box.right - box.left, 100);
    EXPECT_EQ(box.bottom - box.top, 80);
}

// ---- Window icon ----

TEST(WindowIcon, TheSmallIconOnTheKeyColourAndOnTheTitle)
{
    const int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    const auto none = WindowIconBitmap(window);
    ASSERT_EQ(none->Width(), cx);
    ASSERT_EQ(none->Height(), cy);
    EXPECT_EQ(At(*none, cx / 2, cy / 2), tests::Magenta) << "a window without icon leaves the key colour";

    // An icon of one opaque colour: a red square.
    TBitmap colour(32, 32);
    tests::FillBitmap(colour, Rgb(200, 0, 0));
    const std::vector<std::uint8_t> opaque(32 * 4, 0);  // an all-zero mask: every pixel shows
    const ui::TBitmapHandle mask(CreateBitmap(32, 32, 1, 1, opaque.data()));
    ICONINFO info{TRUE, 0, 0, mask.Get(), colour.Handle()};
    ui::TIcon icon;
    icon.SetHandle(CreateIconIndirect(&info));
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon.Handle()));
    const auto painted = WindowIconBitmap(window);
    EXPECT_EQ(At(*painted, cx / 2, cy / 2), Rgb(200, 0, 0)) << "the big icon when there is no small one";

    // Drawn from the window's icon; nothing without one.
    TBitmap target(40, 40);
    tests::FillBitmap(target, Rgb(1, 2, 3));
    TFramePaintCache cache;
    const HICON scaled = cache.ScaledIcon(WindowIcon(window), cx);
    EXPECT_EQ(cache.ScaledIcon(WindowIcon(window), cx), scaled) << "kept for the same icon and size";
    DrawWindowIcon(target.Canvas()->Handle(), {4, 4, 4 + cx, 4 + cy}, scaled, cx);
    EXPECT_EQ(At(target, 4 + cx / 2, 4 + cy / 2), Rgb(200, 0, 0));
    SendMessageW(window, WM_SETICON, ICON_BIG, 0);
    tests::FillBitmap(target, Rgb(1, 2, 3));
    DrawWindowIcon(target.Canvas()->Handle(), {4, 4, 4 + cx, 4 + cy}, cache.ScaledIcon(WindowIcon(window), cx), cx);
    EXPECT_EQ(At(target, 4 + cx / 2, 4 + cy / 2), Rgb(1, 2, 3)) << "nothing is drawn";
    DestroyWindow(window);
}
