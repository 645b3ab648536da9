// Graphics objects on real device contexts: pixels drawn through canvases are
// read back through scan lines and the other way round; BMP data round trips
// and corrupt data is refused; GDI handles are never leaked.
#include "tests/shared/BmpSamples.h"
#include "tests/win/support/WindowTestSupport.h"
#include "ui/core/FormReader.h"
#include "ui/core/Utf8.h"
#include "ui/graphics/Graphics.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>

namespace {

using namespace ui;
using tests::LiveGdiObjects;
using Bgr = std::array<std::uint8_t, 3>;

constexpr TColor clRed = 0x0000FF, clGreen = 0x008000, clBlue = 0xFF0000;
constexpr TColor NearKey = 0xFF00FE;  // red 254, green 0, blue 255: one short of the key

// Blue, green, red of pixel (x, y) as the scan lines hold it.
Bgr At(const TBitmap& b, int x, int y)
{
    const std::uint8_t* p = b.ScanLine(y) + x * b.BytesPerPixel();
    return {p[0], p[1], p[2]};
}

Bgr BgrOf(TColor c)
{
    const COLORREF rgb = ColorToRGB(c);
    return {GetBValue(rgb), GetGValue(rgb), GetRValue(rgb)};
}

void Fill(TBitmap& b, TColor color, RECT r)
{
    b.Canvas()->Brush()->SetColor(color);
    b.Canvas()->Brush()->SetStyle(TBrushStyle::bsSolid);
    b.Canvas()->FillRect(r);
}

void FillAll(TBitmap& b, TColor color)
{
    Fill(b, color, {0, 0, b.Width(), b.Height()});
}

// Makes b one row of coloured pixels, left to right.
void PaintRow(TBitmap& b, std::initializer_list<TColor> colors)
{
    b.SetSize(static_cast<int>(colors.size()), 1);
    int x = 0;
    for (TColor c : colors)
        b.Canvas()->SetPixel(x++, 0, c);
}

// Every byte of every row a different value, padding untouched.
void Pattern(TBitmap& b, int seed)
{
    for (int y = 0; y < b.Height(); ++y)
        for (int i = 0; i < b.Width() * b.BytesPerPixel(); ++i)
            b.ScanLine(y)[i] = static_cast<std::uint8_t>(seed + 7 * y + 13 * i);
}

std::vector<std::vector<std::uint8_t>> Rows(const TBitmap& b)
{
    std::vector<std::vector<std::uint8_t>> rows;
    for (int y = 0; y < b.Height(); ++y)
        rows.emplace_back(b.ScanLine(y), b.ScanLine(y) + b.Width() * b.BytesPerPixel());
    return rows;
}

const TPixelFormat Formats[] = {TPixelFormat::pf24bit, TPixelFormat::pf32bit};

TEST(Bitmap, CanvasFillsReadBackThroughScanLinesAndPixel)
{
    for (TPixelFormat format : Formats) {
        TBitmap b(8, 6, format);
        FillAll(b, clWhite);
        Fill(b, clRed, {2, 1, 5, 3});
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 8; ++x) {
                const bool inside = x >= 2 && x < 5 && y >= 1 && y < 3;  // right and bottom edges excluded
                ASSERT_EQ(At(b, x, y), BgrOf(inside ? clRed : clWhite)) << x << "," << y;
                ASSERT_EQ(b.Canvas()->Pixel(x, y), ColorToRGB(inside ? clRed : clWhite));
            }
    }
}

TEST(Bitmap, ScanLinesRunTopDownInBlueGreenRedOrderWithPaddedRows)
{
    for (TPixelFormat format : Formats) {
        TBitmap b(5, 3, format);
        b.Canvas()->SetPixel(1, 0, 0x563412);  // red 0x12, green 0x34, blue 0x56
        EXPECT_EQ(At(b, 1, 0), (Bgr{0x56, 0x34, 0x12})) << "row 0 is the top row";
        const std::ptrdiff_t stride = format == TPixelFormat::pf24bit ? 16 : 20;  // 15 bytes padded to 16
        EXPECT_EQ(b.ScanLine(0) - b.ScanLine(1), stride) << "rows are stored bottom-up";
        EXPECT_EQ(b.ScanLine(1) - b.ScanLine(2), stride);

        b.ScanLine(2)[4 * b.BytesPerPixel() + 2] = 0xFF;  // red of the bottom-right pixel
        EXPECT_EQ(b.Canvas()->Pixel(4, 2), RGB(0xFF, 0, 0));
        EXPECT_THROW(b.ScanLine(3), Exception);
        EXPECT_THROW(b.ScanLine(-1), Exception);
    }
}

TEST(Bitmap, SizeAndPixelFormatChangesKeepTheCommonPixels)
{
    TBitmap b(3, 2);
    Pattern(b, 1);
    b.Canvas();  // made before the changes: it must draw on the new picture
    const auto before = Rows(b);
    b.SetPixelFormat(TPixelFormat::pf32bit);
    b.SetSize(4, 1);
    EXPECT_EQ(b.PixelFormat(), TPixelFormat::pf32bit);
    for (int x = 0; x < 3; ++x)
        EXPECT_EQ(At(b, x, 0), (Bgr{before[0][3 * x], before[0][3 * x + 1], before[0][3 * x + 2]}));
    EXPECT_EQ(At(b, 3, 0), (Bgr{0, 0, 0})) << "new pixels are black";
    b.Canvas()->SetPixel(3, 0, clRed);
    EXPECT_EQ(At(b, 3, 0), BgrOf(clRed));
    b.SetSize(0, 0);
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(b.Handle(), nullptr);
    EXPECT_THROW(b.SetSize(-1, 2), EInvalidGraphic);
}

TEST(Canvas, TextOutDrawsInTheFontColourWithinItsExtent)
{
    TBitmap b(60, 30);
    FillAll(b, clWhite);
    TCanvas& c = *b.Canvas();
    c.Font()->SetColor(clBlue);
    c.Font()->SetHeight(-16);
    c.Brush()->SetStyle(TBrushStyle::bsClear);
    const std::wstring text = L"W\x5b8b";  // a Latin and a Chinese character
    c.TextOut(5, 4, text);
    const SIZE extent = c.TextExtent(text);
    ASSERT_GT(extent.cx, 8);
    ASSERT_GT(extent.cy, 8);
    int inked = 0;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) {
            const Bgr p = At(b, x, y);
            if (p == BgrOf(clWhite))
                continue;
            EXPECT_TRUE(x >= 5 && x < 5 + extent.cx && y >= 4 && y < 4 + extent.cy) << "ink at " << x << "," << y;
            EXPECT_GE(p[0], p[2]) << "ink is blue, or blue blended with white";
            inked += p == BgrOf(clBlue);
        }
    EXPECT_GT(inked, 5);
}

TEST(Canvas, SolidBrushGivesTextItsBackgroundAndTextRectClips)
{
    TBitmap b(40, 20);
    FillAll(b, clWhite);
    TCanvas& c = *b.Canvas();
    c.Brush()->SetColor(clGreen);
    c.TextRect({0, 0, 10, 20}, 2, 2, L"MMMM");
    EXPECT_EQ(At(b, 0, 0), BgrOf(clGreen)) << "the whole rectangle is filled";
    for (int y = 0; y < 20; ++y)
        EXPECT_EQ(At(b, 10, y), BgrOf(clWhite)) << "nothing past the rectangle, row " << y;
}

TEST(Canvas, DetachingGivesTheContextItsOwnObjectsBack)
{
    const TMemoryDC dc;
    const HGDIOBJ font = GetCurrentObject(dc.Get(), OBJ_FONT);
    const HGDIOBJ brush = GetCurrentObject(dc.Get(), OBJ_BRUSH);
    const HGDIOBJ pen = GetCurrentObject(dc.Get(), OBJ_PEN);
    const auto ownObjectsBack = [&] {
        return GetCurrentObject(dc.Get(), OBJ_FONT) == font && GetCurrentObject(dc.Get(), OBJ_BRUSH) == brush &&
               GetCurrentObject(dc.Get(), OBJ_PEN) == pen;
    };
    {
        TCanvas c;
        c.SetHandle(dc.Get());
        c.TextOut(0, 0, L"x");
        c.Rectangle({0, 0, 2, 2});
        EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_FONT), c.Font()->Handle());
        c.SetHandle(nullptr);
        EXPECT_TRUE(ownObjectsBack()) << "after SetHandle(nullptr)";
        c.SetHandle(dc.Get());
        c.Rectangle({0, 0, 2, 2});
        c.TextOut(0, 0, L"x");
    }
    EXPECT_TRUE(ownObjectsBack()) << "after the canvas went";
}

TEST(Canvas, DrawingWithoutADeviceContextRaises)
{
    TCanvas c;
    EXPECT_THROW(c.FillRect({0, 0, 1, 1}), Exception);
    EXPECT_THROW(c.TextOut(0, 0, L"x"), Exception);
}

TEST(Canvas, TransparentDrawLeavesKeyPixelsUntouched)
{
    for (TPixelFormat format : Formats) {
        TBitmap target(5, 2);
        FillAll(target, clGreen);
        TBitmap sprite(0, 0, format);
        PaintRow(sprite, {clFuchsia, clRed, NearKey, clFuchsia});
        sprite.SetTransparent(true);
        sprite.SetTransparentColor(clFuchsia);
        target.Canvas()->Draw(1, 0, sprite);
        const TColor drawn[] = {clGreen, clGreen, clRed, NearKey, clGreen};
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(At(target, x, 0), BgrOf(drawn[x])) << "pixel " << x;
            EXPECT_EQ(At(target, x, 1), BgrOf(clGreen)) << "below the sprite, pixel " << x;
        }

        sprite.SetTransparent(false);
        target.Canvas()->Draw(1, 1, sprite);
        EXPECT_EQ(At(target, 1, 1), BgrOf(clFuchsia)) << "opaque drawing copies the key colour";
    }
}

TEST(Canvas, TransparentColourDefaultsToTheBottomLeftPixel)
{
    TBitmap sprite(2, 2);
    FillAll(sprite, clRed);
    sprite.Canvas()->SetPixel(0, 1, clBlue);
    EXPECT_EQ(sprite.TransparentColor(), clBlue);
    sprite.SetTransparent(true);
    TBitmap target(2, 2);
    FillAll(target, clWhite);
    target.Canvas()->Draw(0, 0, sprite);
    EXPECT_EQ(At(target, 0, 1), BgrOf(clWhite));
    EXPECT_EQ(At(target, 1, 1), BgrOf(clRed));
    EXPECT_EQ(TBitmap().TransparentColor(), clNone);
}

TEST(Canvas, StretchDrawAtIntegerScaleRepeatsEveryPixelExactly)
{
    TBitmap source(2, 2);
    const TColor colors[2][2] = {{clRed, clGreen}, {clBlue, clFuchsia}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x)
            source.Canvas()->SetPixel(x, y, colors[y][x]);
    for (bool transparent : {false, true}) {
        TBitmap target(8, 6);
        FillAll(target, clWhite);
        source.SetTransparent(transparent);
        source.SetTransparentColor(clFuchsia);
        target.Canvas()->StretchDraw({1, 0, 7, 4}, source);  // 3 x wide, 2 x high
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 8; ++x) {
                const bool inside = x >= 1 && x < 7 && y < 4;
                TColor want = inside ? colors[y / 2][(x - 1) / 3] : clWhite;
                if (transparent && want == clFuchsia)
                    want = clWhite;
                ASSERT_EQ(At(target, x, y), BgrOf(want)) << x << "," << y << (transparent ? " keyed" : "");
            }
    }
}

TEST(Canvas, ShrinkingPicksSourcePixelsAndRestoresTheStretchMode)
{
    TBitmap source;
    PaintRow(source, {clRed, clGreen, clRed, clGreen});
    TBitmap target(2, 1);
    const int mode = GetStretchBltMode(target.Canvas()->Handle());
    target.Canvas()->StretchDraw({0, 0, 2, 1}, source);
    for (int x = 0; x < 2; ++x) {
        const Bgr p = At(target, x, 0);
        EXPECT_TRUE(p == BgrOf(clRed) || p == BgrOf(clGreen)) << "pixel " << x << " is a mixture";
    }
    EXPECT_EQ(GetStretchBltMode(target.Canvas()->Handle()), mode);
}

TEST(Canvas, CopyRectCopiesAndScalesARegion)
{
    TBitmap source;
    PaintRow(source, {clRed, clGreen, clBlue});
    TBitmap target(4, 2);
    FillAll(target, clWhite);
    target.Canvas()->CopyRect({0, 0, 4, 2}, *source.Canvas(), {1, 0, 3, 1});
    const TColor want[] = {clGreen, clGreen, clBlue, clBlue};
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 2; ++y)
            EXPECT_EQ(At(target, x, y), BgrOf(want[x])) << x << "," << y;
}

TEST(Bitmap, BmpDataRoundTripsAt24And32Bits)
{
    for (TPixelFormat format : Formats) {
        TBitmap b(7, 3, format);  // 7 pixels: 24-bit rows need padding
        Pattern(b, 5);
        TMemoryStream stream;
        b.SaveToStream(stream);
        stream.SetPosition(0);
        TBitmap copy;
        copy.Canvas();  // its context must show the loaded picture
        copy.LoadFromStream(stream);
        EXPECT_EQ(copy.Canvas()->Pixel(6, 2), RGB(b.ScanLine(2)[6 * b.BytesPerPixel() + 2],
                                                   b.ScanLine(2)[6 * b.BytesPerPixel() + 1],
                                                   b.ScanLine(2)[6 * b.BytesPerPixel()]));
        EXPECT_EQ(copy.Width(), 7);
        EXPECT_EQ(copy.Height(), 3);
        EXPECT_EQ(copy.PixelFormat(), format);
        EXPECT_EQ(Rows(copy), Rows(b)) << "every byte, the fourth of 32-bit pixels included";
        EXPECT_EQ(copy.SaveToBytes(), b.SaveToBytes());
    }
    EXPECT_THROW(TBitmap().SaveToBytes(), EInvalidGraphic);
}

TEST(Bitmap, PaletteFilesLoadWidenedTo24Bits)
{
    const bmp_samples::Bytes file = bmp_samples::Paletted2x2();
    TBitmap b;
    b.LoadFromBytes(file.data(), file.size());
    EXPECT_EQ(b.PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_EQ(At(b, 0, 0), BgrOf(clRed));  // the top row is stored last
    EXPECT_EQ(At(b, 0, 1), BgrOf(clBlue));
    EXPECT_EQ(At(b, 1, 1), BgrOf(0x00FF00));
}

// The reader decodes every kind of file as the platform's own DIB functions
// draw it (onto black, where run-length code leaves pixels out).
TEST(Bitmap, DecodesEveryKindOfFileAsThePlatformDoes)
{
    for (const auto& [what, file] : bmp_samples::EveryKindOfFile()) {
        SCOPED_TRACE(what);
        TBitmap ours;
        ours.LoadFromBytes(file.data(), file.size());
        const int w = ours.Width(), h = ours.Height();
        TBitmap platform(w, h);
        const auto* info = reinterpret_cast<const BITMAPINFO*>(file.data() + 14);
        const std::size_t offset = file[10] | file[11] << 8 | file[12] << 16 | file[13] << 24;
        ASSERT_GT(StretchDIBits(platform.Canvas()->Handle(), 0, 0, w, h, 0, 0, w, h, file.data() + offset, info,
                                DIB_RGB_COLORS, SRCCOPY),
                  0);
        GdiFlush();
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                EXPECT_EQ(At(ours, x, y), At(platform, x, y)) << "pixel " << x << ", " << y;
    }
}

TEST(Bitmap, CorruptBmpDataIsRefusedAndChangesNothing)
{
    TBitmap b(3, 2, TPixelFormat::pf32bit);
    Pattern(b, 9);
    b.Canvas();  // the canvas's context must still hold the old picture afterwards
    const auto rows = Rows(b);
    const HBITMAP handle = b.Handle();
    int changes = 0;
    b.OnChange = TNotifyEvent([&](TObject*) { ++changes; });
    for (const bmp_samples::Corrupt& c : bmp_samples::CorruptFiles()) {
        const bmp_samples::Bytes file = c.Make();
        try {
            b.LoadFromBytes(file.data(), file.size());
            ADD_FAILURE() << "accepted: " << c.What;
        } catch (const EInvalidGraphic& e) {
            EXPECT_NE(e.Message().find(c.Says), std::string::npos) << c.What << ": " << e.Message();
        }
        ASSERT_EQ(b.Handle(), handle) << c.What;
        ASSERT_EQ(b.PixelFormat(), TPixelFormat::pf32bit) << c.What;
        ASSERT_EQ(Rows(b), rows) << c.What;
    }
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(b.Canvas()->Pixel(0, 0), RGB(rows[0][2], rows[0][1], rows[0][0]));
}

TEST(Bitmap, AssignCopiesPixelsAndTransparency)
{
    TBitmap a(4, 3, TPixelFormat::pf32bit);
    Pattern(a, 3);
    a.SetTransparent(true);
    a.SetTransparentColor(clFuchsia);
    TBitmap b(1, 1);
    b.Assign(a);
    EXPECT_NE(b.Handle(), a.Handle());
    EXPECT_EQ(b.PixelFormat(), TPixelFormat::pf32bit);
    EXPECT_EQ(Rows(b), Rows(a));
    EXPECT_TRUE(b.Transparent());
    EXPECT_EQ(b.TransparentColor(), clFuchsia);
    Pattern(a, 4);
    EXPECT_NE(Rows(b), Rows(a)) << "a copy, not a shared picture";
    TFont font;
    EXPECT_THROW(b.Assign(font), EPropertyError);
}

TEST(Font, DefaultsToTheSystemMessageFont)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
    TFont font;
    EXPECT_EQ(font.Name(), metrics.lfMessageFont.lfFaceName);
    EXPECT_EQ(font.Height(), metrics.lfMessageFont.lfHeight);
    EXPECT_EQ(font.Style(), 0u);
}

LOGFONTW Described(HFONT font)
{
    LOGFONTW lf{};
    GetObjectW(font, sizeof lf, &lf);
    return lf;
}

TEST(Font, HandleIsRemadeAfterAChangeEvenWhileSelected)
{
    TBitmap b(10, 10);
    TCanvas& c = *b.Canvas();
    TFont& font = *c.Font();
    font.SetHeight(-10);
    const int small = c.TextHeight(L"M");  // the font is now selected into the bitmap's context
    const HFONT first = font.Handle();
    EXPECT_EQ(font.Handle(), first) << "made once, kept while nothing changes";
    font.SetHeight(-30);
    EXPECT_EQ(GetObjectType(first), 0u) << "the old font left the context and was deleted at once";
    EXPECT_EQ(Described(font.Handle()).lfHeight, -30);
    EXPECT_GT(c.TextHeight(L"M"), small + 10) << "the canvas selected the new font";

    font.SetStyle(1u << fsBold | 1u << fsUnderline);
    font.SetName(L"Arial");
    const LOGFONTW lf = Described(font.Handle());
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_TRUE(lf.lfUnderline);
    EXPECT_FALSE(lf.lfItalic);
    EXPECT_STREQ(lf.lfFaceName, L"Arial");
}

TEST(Font, AssignCopiesEveryAttributeAndEachChangeFiresOnce)
{
    TFont a;
    a.SetName(L"Arial");
    a.SetHeight(-21);
    a.SetColor(clPurple);
    a.SetStyle(1u << fsItalic);
    a.SetCharset(GB2312_CHARSET);
    TFont b;
    int changes = 0;
    b.OnChange = TNotifyEvent([&](TObject* sender) { changes += sender == &b; });
    b.Assign(a);
    EXPECT_EQ(changes, 1);
    b.SetHeight(-21);
    b.SetColor(clPurple);
    EXPECT_EQ(changes, 1) << "setting the value it has changes nothing";
    b.SetColor(clNavy);
    EXPECT_EQ(changes, 2);
    b.SetColor(clPurple);
    EXPECT_EQ(b.Name(), L"Arial");
    EXPECT_EQ(b.Height(), -21);
    EXPECT_EQ(b.Color(), clPurple);
    EXPECT_EQ(b.Style(), 1u << fsItalic);
    EXPECT_EQ(Described(b.Handle()).lfCharSet, GB2312_CHARSET);
}

// A component with the graphics objects a control publishes.
class TSwatch : public TComponent {
    UI_CLASS(TSwatch)
public:
    explicit TSwatch(TComponent* owner) : TComponent(owner) {}
    TFont* Font() const { return font_.get(); }
    void SetFont(TFont* f) { font_->Assign(*f); }
    TBrush* Brush() const { return brush_.get(); }
    void SetBrush(TBrush* b) { brush_->Assign(*b); }
    TPen* Pen() const { return pen_.get(); }
    void SetPen(TPen* p) { pen_->Assign(*p); }
    TBitmap* Picture() const { return picture_.get(); }
    void SetPicture(TBitmap* b) { picture_->Assign(*b); }

private:
    std::unique_ptr<TFont> font_ = std::make_unique<TFont>();
    std::unique_ptr<TBrush> brush_ = std::make_unique<TBrush>();
    std::unique_ptr<TPen> pen_ = std::make_unique<TPen>();
    std::unique_ptr<TBitmap> picture_ = std::make_unique<TBitmap>();
};

const TClassInfo& TSwatch::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TSwatch>("TSwatch", &TComponent::StaticClass())
                                       .Object("Font", &TSwatch::Font, &TSwatch::SetFont)
                                       .Object("Brush", &TSwatch::Brush, &TSwatch::SetBrush)
                                       .Object("Pen", &TSwatch::Pen, &TSwatch::SetPen)
                                       .Object("Picture", &TSwatch::Picture, &TSwatch::SetPicture)
                                       .Done();
    return info;
}

std::string Hex(const std::vector<std::uint8_t>& bytes)
{
    std::string out;
    char digits[3];
    for (std::uint8_t v : bytes) {
        std::snprintf(digits, sizeof digits, "%02X", v);
        out += digits;
    }
    return out;
}

TEST(FormFiles, SetGraphicsPropertiesByNameWithColourAndCharsetNames)
{
    TSwatch swatch(nullptr);
    const std::string form = "object S: TSwatch\n"
                             "  Font.Charset = GB2312_CHARSET\n"
                             "  Font.Color = clPurple\n"
                             "  Font.Height = -16\n"
                             "  Font.Name = '宋体'\n"
                             "  Font.Style = [fsBold, fsStrikeOut]\n"
                             "  Brush.Color = clBtnFace\n"
                             "  Brush.Style = bsClear\n"
                             "  Pen.Color = 16711680\n"
                             "  Pen.Style = psDot\n"
                             "  Pen.Width = 2\n"
                             "  Picture.Transparent = True\n"
                             "  Picture.TransparentColor = clFuchsia\n"
                             "  Picture.Data = {" +
                             Hex(bmp_samples::Paletted2x2()) +
                             "}\n"
                             "end\n";
    ReadComponent(form, swatch);
    const TFont& f = *swatch.Font();
    EXPECT_EQ(f.Charset(), GB2312_CHARSET);
    EXPECT_EQ(f.Color(), clPurple);
    EXPECT_EQ(f.Height(), -16);
    EXPECT_EQ(f.Name(), Utf8ToWide("宋体"));
    EXPECT_EQ(f.Style(), 1u << fsBold | 1u << fsStrikeOut);
    EXPECT_EQ(swatch.Brush()->Color(), clBtnFace);
    EXPECT_EQ(swatch.Brush()->Style(), TBrushStyle::bsClear);
    EXPECT_EQ(swatch.Pen()->Color(), clBlue);
    EXPECT_EQ(swatch.Pen()->Style(), TPenStyle::psDot);
    EXPECT_EQ(swatch.Pen()->Width(), 2);
    const TBitmap& p = *swatch.Picture();
    EXPECT_TRUE(p.Transparent());
    EXPECT_EQ(p.TransparentColor(), clFuchsia);
    EXPECT_EQ(p.Width(), 2);
    EXPECT_EQ(At(p, 0, 0), BgrOf(clRed));

    std::string name;
    EXPECT_TRUE(FindPropInfo(f, "Color")->Idents->ToIdent(clBtnFace, name));
    EXPECT_EQ(name, "clBtnFace");
}

TEST(FormFiles, BadGraphicsValuesAreRefusedWithTheLine)
{
    const std::pair<const char*, const char*> cases[] = {
        {"object S: TSwatch\n  Font.Color = clMauve\nend", "clMauve"},
        {"object S: TSwatch\n\n  Picture.Data = {424D00}\nend", "line 3: Invalid BMP data"},
        {"object S: TSwatch\n  Picture.Data = 'BM'\nend", "binary data"},
    };
    for (auto [text, fragment] : cases) {
        TSwatch swatch(nullptr);
        try {
            ReadComponent(text, swatch);
            ADD_FAILURE() << "accepted: " << text;
        } catch (const Exception& e) {
            EXPECT_NE(e.Message().find(fragment), std::string::npos) << e.Message();
        }
    }
}

// Form text is read by recursion; nesting far deeper than any form is
// refused before it can exhaust the program's stack.
TEST(FormFiles, DeepNestingIsRefusedBeforeTheStackRunsOut)
{
    std::string objects;
    for (int i = 0; i < 100000; ++i)
        objects += "object S" + std::to_string(i) + ": TSwatch\n";
    const std::string texts[] = {
        "object S: TSwatch\n  Tag = " + std::string(100000, '(') + "\nend",
        objects,
    };
    for (const std::string& text : texts) {
        TSwatch swatch(nullptr);
        try {
            ReadComponent(text, swatch);
            ADD_FAILURE() << "accepted";
        } catch (const EReadError& e) {
            EXPECT_NE(e.Message().find("nested more than"), std::string::npos) << e.Message();
        }
    }
}

TEST(Icon, LoadsAResourceIconAndNamesAMissingOne)
{
    TIcon icon;
    icon.LoadFromResource(GetModuleHandleW(L"user32.dll"), MAKEINTRESOURCEW(32512), 16);  // the application icon
    ASSERT_NE(icon.Handle(), nullptr);
    EXPECT_EQ(icon.Width(), 16);
    EXPECT_EQ(icon.Height(), 16);
    try {
        icon.LoadFromResource(nullptr, L"NO_SUCH_ICON");
        ADD_FAILURE() << "a missing icon was loaded";
    } catch (const EInvalidGraphic& e) {
        EXPECT_NE(e.Message().find("NO_SUCH_ICON"), std::string::npos) << e.Message();
    }
    EXPECT_NE(icon.Handle(), nullptr) << "the loaded icon stays";

    const HICON first = icon.Handle();
    icon.SetHandle(CopyIcon(first));
    ICONINFO info{};
    EXPECT_FALSE(GetIconInfo(first, &info)) << "a replaced icon is destroyed";
    HICON copy = nullptr;
    {
        TIcon owner;
        copy = CopyIcon(icon.Handle());
        ASSERT_NE(copy, nullptr);
        owner.SetHandle(copy);
    }
    EXPECT_FALSE(GetIconInfo(copy, &info)) << "the owner destroyed it when it went";
}

// One round of everything that makes GDI and USER objects.
void UseEveryGraphicsObject()
{
    TBitmap b(16, 16);
    TCanvas& c = *b.Canvas();
    c.Font()->SetHeight(-12);
    c.TextOut(0, 0, L"x");
    c.Font()->SetHeight(-13);
    c.TextOut(0, 0, L"y");
    Fill(b, clRed, {0, 0, 4, 4});
    c.Pen()->SetColor(clBlue);
    c.Rectangle({1, 1, 8, 8});
    c.Pen()->SetWidth(3);
    c.LineTo(10, 10);
    b.SetPixelFormat(TPixelFormat::pf32bit);
    b.SetSize(20, 8);
    TBitmap copy;
    copy.Assign(b);
    const std::vector<std::uint8_t> bmp = copy.SaveToBytes();
    copy.LoadFromBytes(bmp.data(), bmp.size());
    copy.SetTransparent(true);
    c.Draw(0, 0, copy);
    c.StretchDraw({0, 0, 5, 5}, copy);
    TIcon icon;
    icon.LoadFromResource(GetModuleHandleW(L"user32.dll"), MAKEINTRESOURCEW(32512), 16);
    EXPECT_EQ(icon.Width(), 16);
}

TEST(Resources, NoGdiObjectLeaksAcrossAThousandCycles)
{
    UseEveryGraphicsObject();  // the first round makes the shared objects that stay
    const DWORD before = LiveGdiObjects();
    {
        TBitmap probe(1, 1);
        probe.Canvas();
        ASSERT_EQ(LiveGdiObjects(), before + 2) << "the count sees a bitmap and its device context";
    }
    for (int i = 0; i < 1000; ++i)
        UseEveryGraphicsObject();
    EXPECT_EQ(LiveGdiObjects(), before);
}

} // namespace
