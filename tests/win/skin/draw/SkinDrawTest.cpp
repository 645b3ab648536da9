// The skin drawing primitives on real device contexts: element faces checked
// pixel by pixel against a strip whose every pixel tells which frame, which
// of the nine zones and which place in the zone it came from; keyed drawing;
// painting a parent under a real child window; wide text; the optional
// platform entry points.
#include "skin/draw/SkinDraw.h"
#include "tests/win/support/PixelTestSupport.h"
#include "tests/win/support/WindowTestSupport.h"
#include "ui/forms/Forms.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

using namespace ui;
using namespace std::chrono_literals;
using skin::TElementMargins;
using tests::At;
using tests::Bgr;
using tests::Put;
using tests::Rgb;

// ---- The nine-zone strip ----

// Frames of 10 x 8 pixels cut by these margins into nine zones; the middle
// zone is 4 x 4.
constexpr int FrameWidth = 10, FrameHeight = 8;
constexpr TElementMargins Margins{2, 3, 4, 1};

// Zone index along one side: 0 the leading margin, 1 the middle, 2 the trailing one.
int ZoneAlong(int pos, int length, int lead, int trail)
{
    return pos < lead ? 0 : pos >= length - trail ? 2 : 1;
}
int OffsetAlong(int pos, int length, int lead, int trail)
{
    const int zone = ZoneAlong(pos, length, lead, trail);
    return zone == 0 ? pos : zone == 1 ? pos - lead : pos - (length - trail);
}

// What a strip pixel says about itself.
struct TOrigin {
    int Frame;   // from 1
    int Zone;    // 3 * row zone + column zone
    int Dx, Dy;  // place in the zone
};

// Red 25 * zone + 5, green 50 * frame + 10, blue 16 * dx + dy: never black,
// never magenta.
Bgr Encode(const TOrigin& o)
{
    return Rgb(25 * o.Zone + 5, 50 * o.Frame + 10, 16 * o.Dx + o.Dy);
}
TOrigin Decode(Bgr c)
{
    return {(c.G - 10) / 50, (c.R - 5) / 25, c.B / 16, c.B % 16};
}

// A strip of `frames` nine-zone frames, side by side or stacked.
void MakeStrip(TBitmap& strip, int frames, bool vertical = false)
{
    strip.SetSize(vertical ? FrameWidth : FrameWidth * frames, vertical ? FrameHeight * frames : FrameHeight);
    for (int frame = 1; frame <= frames; ++frame) {
        const int ox = vertical ? 0 : FrameWidth * (frame - 1), oy = vertical ? FrameHeight * (frame - 1) : 0;
        for (int y = 0; y < FrameHeight; ++y)
            for (int x = 0; x < FrameWidth; ++x) {
                const auto along = [](int pos, int length, int lead, int trail) {
                    return std::pair{ZoneAlong(pos, length, lead, trail), OffsetAlong(pos, length, lead, trail)};
                };
                const auto [col, dx] = along(x, FrameWidth, Margins.LeftWidth, Margins.RightWidth);
                const auto [row, dy] = along(y, FrameHeight, Margins.TopHeight, Margins.BottomHeight);
                Put(strip, ox + x, oy + y, Encode({frame, 3 * row + col, dx, dy}));
            }
    }
}

// Checks every pixel of a face built with the full margins: the zone and the
// frame it came from, and its exact place in the zone wherever the piece is
// copied unscaled (corners across, edges across their width, tiles).
void ExpectNineSliceFace(const TBitmap& face, int frame, bool tile)
{
    const int w = face.Width(), h = face.Height();
    const int middleWidth = FrameWidth - Margins.LeftWidth - Margins.RightWidth;
    const int middleHeight = FrameHeight - Margins.TopHeight - Margins.BottomHeight;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const TOrigin got = Decode(At(face, x, y));
            const int col = ZoneAlong(x, w, Margins.LeftWidth, Margins.RightWidth);
            const int row = ZoneAlong(y, h, Margins.TopHeight, Margins.BottomHeight);
            const int dx = OffsetAlong(x, w, Margins.LeftWidth, Margins.RightWidth);
            const int dy = OffsetAlong(y, h, Margins.TopHeight, Margins.BottomHeight);
            const bool tiled = tile && col == 1 && row == 1;
            ASSERT_EQ(got.Frame, frame) << "pixel " << x << ", " << y;
            ASSERT_EQ(got.Zone, 3 * row + col) << "pixel " << x << ", " << y;
            if (col != 1 || tiled)
                ASSERT_EQ(got.Dx, tiled ? dx % middleWidth : dx) << "pixel " << x << ", " << y;
            else
                ASSERT_LT(got.Dx, middleWidth) << "pixel " << x << ", " << y;
            if (row != 1 || tiled)
                ASSERT_EQ(got.Dy, tiled ? dy % middleHeight : dy) << "pixel " << x << ", " << y;
            else
                ASSERT_LT(got.Dy, middleHeight) << "pixel " << x << ", " << y;
        }
    }
}

TEST(BuildElementBitmap, NineSliceFacesOfEverySize)
{
    struct Case {
        int Width, Height, Frames, Frame;
        bool Tile;
    };
    const Case cases[] = {
        {20, 15, 2, 1, false},  // frame 1 of a strip: the leftmost
        {20, 15, 2, 2, false},
        {23, 14, 2, 2, true},   // 17 wide middle: the last tile runs under the right edge
        {21, 19, 3, 3, true},
        {6, 4, 2, 1, false},    // exactly the margins: no middle
        {10, 8, 1, 1, false},   // the frame's own size: a copy
        {10, 30, 1, 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Width << " x " << c.Height << ", frame " << c.Frame << " of "
                                        << c.Frames << (c.Tile ? ", tiled" : ""));
        TBitmap strip;
        MakeStrip(strip, c.Frames);
        const auto face = skin::BuildElementBitmap({5, 7, 5 + c.Width, 7 + c.Height}, strip, Margins, false, c.Tile,
                                                   c.Frames, c.Frame);
        ASSERT_EQ(face->Width(), c.Width);
        ASSERT_EQ(face->Height(), c.Height);
        ExpectNineSliceFace(*face, c.Frame, c.Tile);
    }
}

TEST(BuildElementBitmap, StackedFrames)
{
    TBitmap strip;
    MakeStrip(strip, 3, true);
    const auto face = skin::BuildElementBitmap({0, 0, 25, 12}, strip, Margins, true, true, 3, 2);
    ExpectNineSliceFace(*face, 2, true);
}

TEST(BuildElementBitmap, TiledMiddleRepeatsItsPieceFromTheTopLeft)
{
    TBitmap strip;
    MakeStrip(strip, 1);
    const auto face = skin::BuildElementBitmap({0, 0, 16, 13}, strip, Margins, false, true, 1, 1);
    // Middle 10 x 9 from (2, 3): the 4 x 4 piece two and a half times across.
    for (int x = 2; x < 12; ++x)
        EXPECT_EQ(Decode(At(*face, x, 3)).Dx, (x - 2) % 4) << "column " << x;
    for (int y = 3; y < 12; ++y)
        EXPECT_EQ(Decode(At(*face, 2, y)).Dy, (y - 3) % 4) << "row " << y;
}

// A face smaller than its frame keeps its margins whole (corners copied,
// edges scaled along their length only) and averages its middle: with the
// middle halved both ways, each middle pixel is the mean of a 2 x 2 block.
TEST(BuildElementBitmap, ASmallerFaceKeepsItsMarginsAndAveragesItsMiddle)
{
    TBitmap strip;
    MakeStrip(strip, 2);
    const auto face = skin::BuildElementBitmap({0, 0, 8, 6}, strip, Margins, false, false, 2, 2);
    const int fx = FrameWidth;  // frame 2 starts here
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x) {
            const int col = ZoneAlong(x, 8, Margins.LeftWidth, Margins.RightWidth);
            const int row = ZoneAlong(y, 6, Margins.TopHeight, Margins.BottomHeight);
            const int sx = col == 0 ? x : col == 2 ? x + 2 : Margins.LeftWidth + 2 * (x - Margins.LeftWidth);
            const int sy = row == 0 ? y : row == 2 ? y + 2 : Margins.TopHeight + 2 * (y - Margins.TopHeight);
            const int wide = col == 1 ? 2 : 1, high = row == 1 ? 2 : 1;
            int sum[3] = {0, 0, 0};
            for (int dy = 0; dy < high; ++dy)
                for (int dx = 0; dx < wide; ++dx) {
                    const Bgr c = At(strip, fx + sx + dx, sy + dy);
                    sum[0] += c.R, sum[1] += c.G, sum[2] += c.B;
                }
            const int n = wide * high;
            ASSERT_EQ(At(*face, x, y), Rgb((sum[0] + n / 2) / n, (sum[1] + n / 2) / n, (sum[2] + n / 2) / n))
                << "pixel " << x << ", " << y;
        }
}

// A face too short along one side for both margins of that side gets no
// margins on that side: the whole frame is scaled to it, so its middle is
// not left out between margins that meet.
TEST(BuildElementBitmap, TargetSmallerThanTheMarginsScalesTheWholeFrame)
{
    TBitmap strip;
    MakeStrip(strip, 2);
    struct Case {
        SIZE Size;
        int Frame;
        TElementMargins Kept;  // the margins of the other side
    };
    const Case cases[] = {
        {{5, 12}, 2, {0, Margins.TopHeight, 0, Margins.BottomHeight}},   // narrower than 2 + 4
        {{14, 3}, 1, {Margins.LeftWidth, 0, Margins.RightWidth, 0}},     // lower than 3 + 1
    };
    for (const Case& c : cases) {
        const auto face = skin::BuildElementBitmap({0, 0, c.Size.cx, c.Size.cy}, strip, Margins, false, false, 2, c.Frame);
        const auto want = skin::BuildElementBitmap({0, 0, c.Size.cx, c.Size.cy}, strip, c.Kept, false, false, 2, c.Frame);
        EXPECT_TRUE(tests::SamePixels(*face, *want)) << c.Size.cx << " x " << c.Size.cy;
    }
}

TEST(BuildElementBitmap, FrameNumbersOutOfRangeStayInsideTheStrip)
{
    TBitmap strip;
    MakeStrip(strip, 2);
    struct Case {
        int Frames, Frame, Expected;
    };
    for (const Case& c : {Case{2, 0, 1}, Case{2, -4, 1}, Case{2, 3, 2}, Case{2, 99, 2}}) {
        const auto face = skin::BuildElementBitmap({0, 0, 12, 9}, strip, Margins, false, false, c.Frames, c.Frame);
        EXPECT_EQ(Decode(At(*face, 0, 0)).Frame, c.Expected) << "frame " << c.Frame;
        EXPECT_EQ(Decode(At(*face, 11, 8)).Frame, c.Expected) << "frame " << c.Frame;
    }
    // No frame count: the whole image is the one frame.
    TBitmap single;
    MakeStrip(single, 1);
    for (int frames : {0, -1}) {
        const auto face = skin::BuildElementBitmap({0, 0, 15, 9}, single, Margins, false, false, frames, 1);
        ExpectNineSliceFace(*face, 1, false);
    }
}

TEST(BuildElementBitmap, MarginsWiderThanTheFrameLeaveTheMiddleOutInsteadOfMirroring)
{
    TBitmap strip;
    MakeStrip(strip, 1);
    const auto face = skin::BuildElementBitmap({0, 0, 30, 8}, strip, {8, 0, 8, 0}, false, false, 1, 1);
    for (int x = 8; x < 22; ++x)
        EXPECT_EQ(At(*face, x, 4), Rgb(0, 0, 0)) << "column " << x;
    EXPECT_EQ(At(*face, 0, 4), At(strip, 0, 4));
    EXPECT_EQ(At(*face, 29, 4), At(strip, 9, 4));
}

TEST(BuildElementBitmap, EmptyPictureOrTarget)
{
    TBitmap none;
    const auto blank = skin::BuildElementBitmap({0, 0, 4, 3}, none, Margins, false, false, 1, 1);
    ASSERT_EQ(blank->Width(), 4);
    ASSERT_EQ(blank->Height(), 3);
    EXPECT_EQ(At(*blank, 3, 2), Rgb(0, 0, 0));
    TBitmap strip;
    MakeStrip(strip, 1);
    EXPECT_TRUE(skin::BuildElementBitmap({5, 5, 5, 9}, strip, Margins, false, false, 1, 1)->Empty());
    EXPECT_TRUE(skin::BuildElementBitmap({5, 5, 2, 9}, strip, Margins, false, false, 1, 1)->Empty());
}

// ---- Keyed drawing ----

// Runs body once on each platform family's path.
template <class Body>
void OnBothTextAndBlitPaths(Body body)
{
    const bool saved = skin::WideApis;
    for (bool wide : {true, false}) {
        SCOPED_TRACE(wide ? "NT path" : "9x path");
        skin::WideApis = wide;
        body();
    }
    skin::WideApis = saved;
}

class KeyedDrawing : public ::testing::Test {
protected:
    void SetUp() override { tests::FillBitmap(target, Background); }
    HDC Dc() { return target.Canvas()->Handle(); }
    // Every pixel of the target is `inside(x, y)` within r and the background outside.
    template <class Inside>
    void ExpectTarget(const RECT& r, Inside inside)
    {
        for (int y = 0; y < target.Height(); ++y)
            for (int x = 0; x < target.Width(); ++x) {
                const bool in = x >= r.left && x < r.right && y >= r.top && y < r.bottom;
                ASSERT_EQ(At(target, x, y), in ? inside(x, y) : Background) << "pixel " << x << ", " << y;
            }
    }

    const Bgr Background = Rgb(10, 200, 30);
    TBitmap target{8, 6};
};

// A 4 x 2 picture with the key, colours next to it, and black.
void MakeKeyedPicture(TBitmap& picture)
{
    picture.SetSize(4, 2);
    const Bgr pixels[2][4] = {{tests::Magenta, tests::NearMagenta, Rgb(255, 0, 254), Rgb(0, 0, 0)},
                              {Rgb(255, 255, 255), tests::Magenta, Rgb(255, 1, 255), tests::Magenta}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            Put(picture, x, y, pixels[y][x]);
}

TEST_F(KeyedDrawing, TransparentBlitLeavesExactMagentaOut)
{
    TBitmap picture;
    MakeKeyedPicture(picture);
    OnBothTextAndBlitPaths([&] {
        tests::FillBitmap(target, Background);
        const COLORREF bk = GetBkColor(Dc()), text = GetTextColor(Dc());
        skin::TransparentBlit(Dc(), {1, 2, 5, 4}, picture, clFuchsia);
        ExpectTarget({1, 2, 5, 4}, [&](int x, int y) {
            const Bgr source = At(picture, x - 1, y - 2);
            return source == tests::Magenta ? Background : source;
        });
        EXPECT_EQ(GetBkColor(Dc()), bk);
        EXPECT_EQ(GetTextColor(Dc()), text);
    });
}

TEST_F(KeyedDrawing, TransparentBlitCoversTheRectOrThePictureWhicheverIsSmaller)
{
    TBitmap picture;
    MakeKeyedPicture(picture);
    OnBothTextAndBlitPaths([&] {
        tests::FillBitmap(target, Background);
        skin::TransparentBlit(Dc(), {3, 0, 5, 1}, picture, clFuchsia);  // the first two pixels of row 0
        ExpectTarget({4, 0, 5, 1}, [&](int, int) { return tests::NearMagenta; });

        tests::FillBitmap(target, Background);
        skin::TransparentBlit(Dc(), {0, 0, 8, 6}, picture, clFuchsia);  // nothing past the picture
        ExpectTarget({0, 0, 4, 2}, [&](int x, int y) {
            const Bgr source = At(picture, x, y);
            return source == tests::Magenta ? Background : source;
        });

        tests::FillBitmap(target, Background);
        skin::TransparentBlit(Dc(), {5, 0, 1, 2}, picture, clFuchsia);  // inverted
        skin::TransparentBlit(Dc(), {0, 5, 4, 1}, picture, clFuchsia);
        ExpectTarget({}, [&](int, int) { return Background; });
    });
}

TEST_F(KeyedDrawing, TransparentBlitWithAnotherKey)
{
    TBitmap picture;
    MakeKeyedPicture(picture);
    skin::TransparentBlit(Dc(), {0, 0, 4, 2}, picture, clBlack);
    ExpectTarget({0, 0, 4, 2}, [&](int x, int y) {
        const Bgr source = At(picture, x, y);
        return source == Rgb(0, 0, 0) ? Background : source;
    });
}

// A two-frame strip of 3 x 2 frames: frame 1 red, frame 2 blue, each with
// its top-left pixel magenta.
void MakeKeyedStrip(TBitmap& strip, int frames)
{
    const Bgr colours[] = {Rgb(255, 0, 0), Rgb(0, 0, 255), Rgb(0, 128, 0)};
    strip.SetSize(3 * frames, 2);
    for (int f = 0; f < frames; ++f)
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x)
                Put(strip, 3 * f + x, y, x == 0 && y == 0 ? tests::Magenta : colours[f]);
}

TEST_F(KeyedDrawing, DrawElementUsesTheFrameMarginsAndTransFlag)
{
    skin::TDataSkinObject element("Buttons");
    MakeKeyedStrip(*element.Image, 2);
    element.LeftWidth = 1;  // the magenta column stays one pixel wide
    element.TopHeight = 1;  // and the magenta row one pixel high
    element.Trans = 1;
    const RECT r{2, 1, 8, 5};
    skin::DrawElement(Dc(), r, 2, 2, element);
    ExpectTarget(r, [&](int x, int y) { return x == 2 && y == 1 ? Background : Rgb(0, 0, 255); });

    element.Trans = 0;
    skin::DrawElement(Dc(), r, 2, 2, element);
    ExpectTarget(r, [&](int x, int y) { return x == 2 && y == 1 ? tests::Magenta : Rgb(0, 0, 255); });
}

TEST_F(KeyedDrawing, DrawElementDrawsNothingForAnInvertedRectOrAnEmptyElement)
{
    skin::TDataSkinObject element("SunkEdge");
    skin::DrawElement(Dc(), {0, 0, 5, 5}, 1, 1, element);
    MakeKeyedStrip(*element.Image, 1);
    skin::DrawElement(Dc(), {5, 0, 2, 5}, 1, 1, element);
    skin::DrawElement(Dc(), {0, 5, 5, 2}, 1, 1, element);
    ExpectTarget({}, [&](int, int) { return Background; });
}

TEST_F(KeyedDrawing, DrawFrameStretchedKeyedOrOpaque)
{
    TBitmap strip;
    MakeKeyedStrip(strip, 3);
    // Frame 2 (blue) from 3 x 2 to 6 x 4: the magenta pixel becomes 2 x 2.
    const RECT r{1, 1, 7, 5};
    const auto inFrame = [](int x, int y) { return x < 3 && y < 3; };
    skin::DrawFrameStretched(Dc(), r, strip, 3, 2, true);
    ExpectTarget(r, [&](int x, int y) { return inFrame(x, y) ? Background : Rgb(0, 0, 255); });
    skin::DrawFrameStretched(Dc(), r, strip, 3, 2, false);
    ExpectTarget(r, [&](int x, int y) { return inFrame(x, y) ? tests::Magenta : Rgb(0, 0, 255); });
    tests::FillBitmap(target, Background);
    skin::DrawFrameStretched(Dc(), {7, 1, 1, 5}, strip, 3, 2, false);
    ExpectTarget({}, [&](int, int) { return Background; });
}

TEST_F(KeyedDrawing, DrawFrameCentredPlacesTheFrameUnscaled)
{
    TBitmap strip;
    MakeKeyedStrip(strip, 3);
    // 3 x 2 frame in 8 x 6: left (8 - 3) / 2 = 2, top (6 - 2) / 2 = 2.
    skin::DrawFrameCentred(Dc(), {0, 0, 8, 6}, strip, true, 3, 3);
    ExpectTarget({2, 2, 5, 4}, [&](int x, int y) { return x == 2 && y == 2 ? Background : Rgb(0, 128, 0); });
    tests::FillBitmap(target, Background);
    skin::DrawFrameCentred(Dc(), {3, 1, 8, 4}, strip, false, 3, 1);  // left 3 + 1, top 1 + 0
    ExpectTarget({4, 1, 7, 3}, [&](int x, int y) { return x == 4 && y == 1 ? tests::Magenta : Rgb(255, 0, 0); });
    tests::FillBitmap(target, Background);
    skin::DrawFrameCentred(Dc(), {8, 0, 0, 6}, strip, false, 3, 1);
    ExpectTarget({}, [&](int, int) { return Background; });
}

// ---- The parent's picture under a control ----

// Paints red with a blue square at (30, 20)-(60, 50) and records the
// messages it gets with a device context.
class TPatternPanel : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    std::vector<std::pair<UINT, WPARAM>> Received;

protected:
    void WndProc(TMessage& m) override
    {
        if (m.Msg == WM_ERASEBKGND || m.Msg == WM_PAINT)
            Received.emplace_back(m.Msg, m.WParam);
        TCustomControl::WndProc(m);
    }
    void Paint() override
    {
        Canvas()->Brush()->SetColor(0x0000FF);
        Canvas()->FillRect({0, 0, Width(), Height()});
        Canvas()->Brush()->SetColor(0xFF0000);
        Canvas()->FillRect({30, 20, 60, 50});
    }
};

class ParentBackground : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(50, 50, 200, 160);
        panel = new TPatternPanel(form.get());
        panel->SetBounds(0, 0, 120, 100);
        panel->SetParent(form.get());
        child = new TCustomControl(form.get());
        child->SetBounds(40, 30, 40, 30);  // its left half over the blue square's right part
        child->SetParent(panel);
        form->Show();
        ASSERT_TRUE(tests::PumpUntil([&] { return IsWindowVisible(child->Handle()) != 0; }));
        tests::Pump();
        panel->Received.clear();
    }

    // The colour the panel paints at its point (x, y).
    static Bgr PanelAt(int x, int y)
    {
        return x >= 30 && x < 60 && y >= 20 && y < 50 ? Rgb(0, 0, 255) : Rgb(255, 0, 0);
    }

    std::unique_ptr<TForm> form;
    TPatternPanel* panel = nullptr;
    TCustomControl* child = nullptr;
};

TEST_F(ParentBackground, PaintsTheParentUnderTheControlOnlyAndRestoresTheDc)
{
    TBitmap target(60, 40);
    tests::FillBitmap(target, Rgb(9, 9, 9));
    HDC dc = target.Canvas()->Handle();
    skin::PaintParentBackground(*child, dc);

    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 60; ++x)
            ASSERT_EQ(At(target, x, y), x < 40 && y < 30 ? PanelAt(40 + x, 30 + y) : Rgb(9, 9, 9))
                << "pixel " << x << ", " << y;
    const auto wParam = reinterpret_cast<WPARAM>(dc);
    const std::vector<std::pair<UINT, WPARAM>> expected{{WM_ERASEBKGND, wParam}, {WM_PAINT, wParam}};
    EXPECT_EQ(panel->Received, expected);

    POINT origin;
    GetViewportOrgEx(dc, &origin);
    EXPECT_EQ(origin.x, 0);
    EXPECT_EQ(origin.y, 0);
    RECT clip;
    GetClipBox(dc, &clip);
    EXPECT_EQ(clip.right, 60);
    EXPECT_EQ(clip.bottom, 40);
}

TEST_F(ParentBackground, OntoTheChildWindow)
{
    HDC windowDc = GetDC(child->Handle());
    skin::PaintParentBackground(*child, windowDc);
    TBitmap shown(40, 30);
    BitBlt(shown.Canvas()->Handle(), 0, 0, 40, 30, windowDc, 0, 0, SRCCOPY);
    ReleaseDC(child->Handle(), windowDc);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(At(shown, x, y), PanelAt(40 + x, 30 + y)) << "pixel " << x << ", " << y;
}

TEST_F(ParentBackground, NothingWithoutAParent)
{
    TCustomControl orphan(nullptr);
    TBitmap target(4, 4);
    tests::FillBitmap(target, Rgb(9, 9, 9));
    skin::PaintParentBackground(orphan, target.Canvas()->Handle());
    EXPECT_EQ(At(target, 0, 0), Rgb(9, 9, 9));
    EXPECT_TRUE(panel->Received.empty());
}

// ---- Text ----

bool ChineseCodePage()
{
    return GetACP() == 936;
}

TEST(SkinText, AnsiToWideReadsTheSystemCodePage)
{
    if (!ChineseCodePage())
        GTEST_SKIP() << "needs the Chinese ANSI code page (LANG=zh_CN.UTF-8)";
    EXPECT_EQ(skin::AnsiToWide("\xBC\xD3\xC3\xDC abc"), L"加密 abc");
    EXPECT_EQ(skin::AnsiToWide(""), L"");
}

// Draws text in black on white with a Chinese font and returns the bitmap's rows.
std::vector<std::vector<Bgr>> DrawnText(const std::wstring& text, int& height, RECT& calculated)
{
    TBitmap b(120, 30);
    tests::FillBitmap(b, Rgb(255, 255, 255));
    TFont font;
    font.SetName(L"宋体");
    font.SetHeight(-16);
    HDC dc = b.Canvas()->Handle();
    const TSavedDC saved(dc);
    SelectObject(dc, font.Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    RECT r{2, 2, 118, 28};
    height = skin::DrawTextWide(dc, text, r, DT_LEFT | DT_TOP | DT_SINGLELINE);
    calculated = {0, 0, 0, 0};
    skin::DrawTextWide(dc, text, calculated, DT_CALCRECT | DT_SINGLELINE);
    std::vector<std::vector<Bgr>> rows(30);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 120; ++x)
            rows[y].push_back(At(b, x, y));
    return rows;
}

TEST(SkinText, WideTextLooksTheSameOnBothPaths)
{
    if (!ChineseCodePage())
        GTEST_SKIP() << "needs the Chinese ANSI code page (LANG=zh_CN.UTF-8)";
    std::vector<std::vector<Bgr>> rows[2];
    int heights[2];
    RECT extents[2];
    int i = 0;
    OnBothTextAndBlitPaths([&] {
        rows[i] = DrawnText(L"解密文件夹", heights[i], extents[i]);
        ++i;
    });
    EXPECT_GT(heights[0], 10);
    EXPECT_EQ(heights[0], heights[1]);
    EXPECT_GT(extents[0].right, 40) << "five wide characters";
    EXPECT_EQ(extents[0].right, extents[1].right);
    int dark = 0;
    for (const auto& row : rows[0])
        for (Bgr c : row)
            dark += c.R < 128;
    EXPECT_GT(dark, 50) << "the text was drawn";
    EXPECT_TRUE(rows[0] == rows[1]);
}

// ---- Optional entry points ----

// Clears one optional entry point while it lives.
template <class F>
class TAbsentEntryPoint {
public:
    explicit TAbsentEntryPoint(F& point) : point_(point), saved_(point) { point_ = nullptr; }
    ~TAbsentEntryPoint() { point_ = saved_; }
    TAbsentEntryPoint(const TAbsentEntryPoint&) = delete;
    TAbsentEntryPoint& operator=(const TAbsentEntryPoint&) = delete;

private:
    F& point_;
    F saved_;
};

// A raw window of a system class, destroyed when it goes.
struct TRawWindow {
    explicit TRawWindow(const wchar_t* cls, DWORD style)
        : Handle(CreateWindowExW(0, cls, L"", style, 600, 400, 120, 120, nullptr, nullptr, nullptr, nullptr))
    {
    }
    ~TRawWindow() { DestroyWindow(Handle); }
    HWND Handle;
};

TEST(OptionalEntryPoints, ScrollBarAndComboBoxInfoWhenPresentFalseWhenAbsent)
{
    ASSERT_NE(skin::OptionalEntryPoints().GetScrollBarInfo, nullptr);
    ASSERT_NE(skin::OptionalEntryPoints().GetComboBoxInfo, nullptr);
    const TRawWindow scroll(L"SCROLLBAR", WS_POPUP | SBS_VERT);
    const TRawWindow combo(L"COMBOBOX", WS_POPUP | CBS_DROPDOWN);
    SCROLLBARINFO bar{};
    COMBOBOXINFO box{};
    EXPECT_TRUE(skin::OptionalGetScrollBarInfo(scroll.Handle, OBJID_CLIENT, bar));
    EXPECT_TRUE(skin::OptionalGetComboBoxInfo(combo.Handle, box));
    EXPECT_NE(box.hwndItem, nullptr) << "the edit of a drop-down combo box";
    {
        const TAbsentEntryPoint absent(skin::OptionalEntryPoints().GetScrollBarInfo);
        EXPECT_FALSE(skin::OptionalGetScrollBarInfo(scroll.Handle, OBJID_CLIENT, bar));
    }
    {
        const TAbsentEntryPoint absent(skin::OptionalEntryPoints().GetComboBoxInfo);
        EXPECT_FALSE(skin::OptionalGetComboBoxInfo(combo.Handle, box));
    }
}

TEST(OptionalEntryPoints, TrackMouseLeaveAsksForALeaveNotificationWhenPresent)
{
    TForm form(nullptr);
    form.SetBounds(20, 20, 100, 80);
    int leaves = 0;
    const auto saved = form.WindowProc;
    form.WindowProc = [&](TMessage& m) {
        leaves += m.Msg == WM_MOUSELEAVE;
        saved(m);
    };
    form.Show();
    ASSERT_TRUE(tests::PumpUntil([&] { return IsWindowVisible(form.Handle()) != 0; }));
    // The mouse enters, tracking is asked for, the mouse goes away. (Wine
    // tracks only a window the mouse is over when asked.)
    const auto enterAskLeave = [&] {
        const POINT inside = form.ClientToScreen({10, 10});
        SetCursorPos(inside.x, inside.y);
        tests::Pump();
        leaves = 0;
        skin::TrackMouseLeave(form.Handle());
        SetCursorPos(700, 500);
    };
    {
        const TAbsentEntryPoint absent(skin::OptionalEntryPoints().TrackMouseEvent);
        enterAskLeave();
        EXPECT_FALSE(tests::PumpUntil([&] { return leaves > 0; }, 1500ms));
    }
    enterAskLeave();
    EXPECT_TRUE(tests::PumpUntil([&] { return leaves > 0; }));
    form.WindowProc = saved;
}

} // namespace
