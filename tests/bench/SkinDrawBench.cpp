// Prints how long BuildElementBitmap and DrawElement take for faces of the
// sizes the skin painters ask for: button faces, edit frames, window title
// strips, stretched and tiled. Not a test: run it by hand and compare.
#include "skin/draw/SkinDraw.h"

#include <chrono>
#include <cstdio>

namespace {

struct TBenchCase {
    const char* Name;
    int Width, Height;
    bool Tile;
};

// A 5-frame strip of 24 x 22 frames with 4-pixel margins, like a button image.
void MakeButtonStrip(ui::TBitmap& strip)
{
    strip.SetSize(5 * 24, 22);
    for (int y = 0; y < strip.Height(); ++y)
        for (int x = 0; x < strip.Width() * 3; ++x)
            strip.ScanLine(y)[x] = static_cast<std::uint8_t>(x * 7 + y * 13);
}

double MicrosecondsPer(int runs, auto body)
{
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < runs; ++i)
        body(i);
    const std::chrono::duration<double, std::micro> spent = std::chrono::steady_clock::now() - start;
    return spent.count() / runs;
}

} // namespace

int main()
{
    skin::TDataSkinObject element("Buttons");
    MakeButtonStrip(*element.Image);
    element.LeftWidth = element.TopHeight = element.RightWidth = element.BottomHeight = 4;
    ui::TBitmap screen(800, 100);
    HDC dc = screen.Canvas()->Handle();

    const TBenchCase cases[] = {
        {"button 75 x 25", 75, 25, false},   {"button 75 x 25, tiled", 75, 25, true},
        {"edit 200 x 21", 200, 21, false},   {"title strip 640 x 29", 640, 29, false},
        {"title strip 640 x 29, tiled", 640, 29, true}, {"panel 400 x 100, tiled", 400, 100, true},
    };
    constexpr int Runs = 2000;
    std::printf("%-30s %14s %14s %14s\n", "face", "build us", "draw us", "keyed draw us");
    for (const TBenchCase& c : cases) {
        const RECT r{0, 0, c.Width, c.Height};
        element.Tile = c.Tile;
        const double build = MicrosecondsPer(Runs, [&](int i) {
            skin::BuildElementBitmap(r, *element.Image, element.Margins(), false, c.Tile, 5, 1 + i % 5);
        });
        element.Trans = 0;
        const double draw = MicrosecondsPer(Runs, [&](int i) { skin::DrawElement(dc, r, 5, 1 + i % 5, element); });
        element.Trans = 1;
        const double keyed = MicrosecondsPer(Runs, [&](int i) { skin::DrawElement(dc, r, 5, 1 + i % 5, element); });
        std::printf("%-30s %14.1f %14.1f %14.1f\n", c.Name, build, draw, keyed);
    }
    return 0;
}
