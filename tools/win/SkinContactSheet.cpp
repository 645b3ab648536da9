// skincontactsheet: a picture of the compiled-in skin, or of the skin folder
// or skin file it is given, as the program loads it. Every element of the
// main window's skin data is drawn frame by frame at twice its size, each
// frame numbered, transparent elements over a checkerboard with the key
// colour left out; then the skin's colours.
//
//   wine skincontactsheet.exe <out.bmp> [skin folder or skin file]
//
// scripts/contact-sheet builds it, runs it and converts the result to PNG.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/Startup.h"
#include "app/Unit_main.h"
#include "skin/data/WinSkinData.h"
#include "skin/draw/SkinDraw.h"
#include "tools/win/SkinArgument.h"

using namespace skin;
using ui::TBitmap;

namespace {

constexpr int SheetWidth = 1200;
constexpr int MaxSheetHeight = 8000;  // drawn on this, saved cut to what was used
constexpr int Margin = 12;
constexpr int Scale = 2;
constexpr int LabelHeight = 18;
constexpr int NumberHeight = 14;
constexpr int Gap = 8;

// One picture of the sheet: a strip of frames, side by side or stacked.
struct TSheetRow {
    std::wstring Label;
    TBitmap* Image = nullptr;  // null: the skin has no such element
    int Frames = 1;
    bool Stacked = false;
    bool Transparent = false;
};

std::wstring Widen(const std::string& s)
{
    return std::wstring(s.begin(), s.end());
}

std::wstring Describe(const TDataSkinObject& e, bool stacked)
{
    wchar_t text[256];
    swprintf(text, 256, L"%ls  %dx%d, %d frame%ls%ls, margins L%d T%d R%d B%d, Tile %d, Trans %d, Style %d",
             Widen(e.Name).c_str(), e.Image->Width(), e.Image->Height(), e.FrameCount, e.FrameCount == 1 ? L"" : L"s",
             stacked ? L" stacked" : L"", e.LeftWidth, e.TopHeight, e.RightWidth, e.BottomHeight, e.Tile, e.Trans,
             e.Style);
    return text;
}

// `keyed`: drawn with the key colour left out whatever its Trans says, as
// the title bar draws the caption text background and the caption buttons.
TSheetRow ElementRow(const std::wstring& title, TDataSkinObject* e, bool stacked = false, bool keyed = false)
{
    if (!e)
        return {title + L": none in this skin"};
    return {title + L" = " + Describe(*e, stacked), e->Image.get(), std::max(e->FrameCount, 1), stacked,
            keyed || e->Trans != 0};
}

TSheetRow PictureRow(const std::wstring& title, TBitmap* image, int frames, bool transparent)
{
    wchar_t text[256];
    swprintf(text, 256, L"%ls  %dx%d, %d frame%ls", title.c_str(), image->Width(), image->Height(), frames,
             frames == 1 ? L"" : L"s");
    return {text, image, std::max(frames, 1), false, transparent};
}

std::vector<TSheetRow> SheetRows(TSkinData& d)
{
    std::vector<TSheetRow> rows = {
        ElementRow(L"BorderLeft", d.BorderLeft.get()),
        ElementRow(L"BorderRight", d.BorderRight.get()),
        ElementRow(L"BorderTop", d.BorderTop.get(), true),
        ElementRow(L"BorderBottom", d.BorderBottom.get(), true),
        ElementRow(L"Title (TextBack)", d.Title.get(), true, true),
        ElementRow(L"MenuBar", d.MenuBar.get(), true),
    };
    for (const auto& b : d.TitleButtons) {
        wchar_t title[96];
        swprintf(title, 96, L"TitleButton Action %d Align %d at (%d,%d) Visibility %d/%d", b->Action, b->Align,
                 b->Xcoord, b->Ycoord, b->Visibility, b->Visibility1);
        if (b->Image->Empty())
            rows.push_back({std::wstring(title) + L": no picture"});
        else
            rows.push_back(ElementRow(title, b.get(), false, true));
    }
    rows.push_back(ElementRow(L"Buttons", d.Buttons.get()));
    rows.push_back(PictureRow(L"Buttons.CheckImage", d.Buttons->CheckImage.get(), d.Buttons->CheckFrameCount, true));
    rows.push_back(PictureRow(L"Buttons.RadioImage", d.Buttons->RadioImage.get(), d.Buttons->RadioFrameCount, true));
    const std::pair<const wchar_t*, TDataSkinObject*> controls[] = {
        {L"Progress", d.Progress.get()},
        {L"ProgressChunk", d.ProgressChunk.get()},
        {L"GroupBoxEdge", d.GroupBoxEdge.get()},
        {L"GroupBox", d.GroupBox.get()},
        {L"Tabs", d.Tabs.get()},
        {L"StatusBarEdges", d.StatusBarEdges.get()},
        {L"TabPane", d.TabPane.get()},
        {L"ToolBars", d.ToolBars.get()},
        {L"ComboButton (edit and button composite)", d.ComboButton.get()},
        {L"SunkEdge (composite, mirrored)", d.SunkEdge.get()},
        {L"ExtraImages", d.ExtraImages.get()},
        {L"Headerbar", d.Headerbar.get()},
        {L"MenuItem", d.MenuItem.get()},
        {L"MenuBackground", d.MenuBackground.get()},
        {L"Scrollbar", d.Scrollbar.get()},
        {L"HorzScroll", d.HorzScroll.get()},
        {L"VertScroll", d.VertScroll.get()},
        {L"HorzScrollThumb", d.HorzScrollThumb.get()},
        {L"VertScrollThumb", d.VertScrollThumb.get()},
        {L"ThumbHorz", d.ThumbHorz.get()},
        {L"ThumbVert", d.ThumbVert.get()},
        {L"ThumbLeft", d.ThumbLeft.get()},
        {L"ThumbRight", d.ThumbRight.get()},
        {L"ThumbUp", d.ThumbUp.get()},
        {L"ThumbDown", d.ThumbDown.get()},
        {L"UpDownHorz", d.UpDownHorz.get()},
        {L"UpDownVert", d.UpDownVert.get()},
        {L"Track", d.Track.get()},
        {L"TrackVert", d.TrackVert.get()},
        {L"Toolbar (derived gradient)", d.Toolbar.get()},
        {L"ComboxArrow (derived)", d.ComboxArrow.get()},
    };
    for (const auto& [title, element] : controls)
        rows.push_back(ElementRow(title, element));
    const std::pair<const wchar_t*, TDataSkinBorder*> seconds[] = {
        {L"Tabs.Image2 (Border)", d.Tabs.get()},
        {L"ComboButton.Image2 (the skin's button, mirrored)", d.ComboButton.get()},
        {L"UpDownHorz.Image2 (GlyphImage)", d.UpDownHorz.get()},
        {L"UpDownVert.Image2 (GlyphImage)", d.UpDownVert.get()},
    };
    for (const auto& [title, element] : seconds)
        if (element && !element->Image2->Empty())
            rows.push_back(PictureRow(title, element->Image2.get(), element == d.Tabs.get() ? 1 : element->FrameCount,
                                      true));
    return rows;
}

// The piece of `image` that is frame `k` (from 0).
RECT FrameRect(const TSheetRow& row, int k)
{
    if (row.Stacked) {
        const int h = row.Image->Height() / row.Frames;
        return {0, h * k, row.Image->Width(), h * (k + 1)};
    }
    const int w = row.Image->Width() / row.Frames;
    return {w * k, 0, w * (k + 1), row.Image->Height()};
}

class TSheet {
public:
    explicit TSheet(int height) : bitmap_(SheetWidth, height)
    {
        dc_ = bitmap_.Canvas()->Handle();
        Fill({0, 0, SheetWidth, height}, RGB(255, 255, 255));
        font_ = CreateFontW(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
        SelectObject(dc_, font_);
        SetBkMode(dc_, TRANSPARENT);
    }
    ~TSheet() { DeleteObject(font_); }

    // Draws the row at y and returns the y below it.
    int Row(const TSheetRow& row, int y)
    {
        Text(Margin, y, row.Label, row.Image ? RGB(0, 0, 0) : RGB(150, 60, 60));
        y += LabelHeight;
        if (!row.Image || row.Image->Empty())
            return y + Gap / 2;
        int x = Margin, rowBottom = y;
        for (int k = 0; k < row.Frames; ++k) {
            const RECT src = FrameRect(row, k);
            const int w = (src.right - src.left) * Scale, h = (src.bottom - src.top) * Scale;
            if (x + w > SheetWidth - Margin && x > Margin) {
                x = Margin;
                y = rowBottom;
            }
            Frame(row, src, {x, y, x + w, y + h});
            Text(x, y + h + 1, std::to_wstring(k + 1), RGB(90, 90, 90));
            rowBottom = std::max(rowBottom, y + h + NumberHeight);
            x += w + Gap;
        }
        return rowBottom + Gap;
    }

    int Swatches(const std::wstring& title, const std::vector<std::pair<std::wstring, TSkinColour>>& colours, int y)
    {
        Text(Margin, y, title, RGB(0, 0, 0));
        y += LabelHeight;
        int x = Margin;
        for (const auto& [name, colour] : colours) {
            if (x + 130 > SheetWidth) {
                x = Margin;
                y += 40;
            }
            Fill({x, y, x + 24, y + 24}, ui::ColorToRGB(colour));
            FrameBox({x - 1, y - 1, x + 25, y + 25});
            const COLORREF rgb = ui::ColorToRGB(colour);
            wchar_t text[64];
            swprintf(text, 64, L"%ls", name.c_str());
            Text(x + 28, y - 2, text, RGB(0, 0, 0));
            swprintf(text, 64, L"%d %d %d", GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
            Text(x + 28, y + 12, text, RGB(90, 90, 90));
            x += 140;
        }
        return y + 40;
    }

    void Save(const wchar_t* path, int height)
    {
        GdiFlush();
        TBitmap used(SheetWidth, std::min(height, bitmap_.Height()));
        BitBlt(used.Canvas()->Handle(), 0, 0, used.Width(), used.Height(), dc_, 0, 0, SRCCOPY);
        GdiFlush();
        const std::vector<std::uint8_t> bytes = used.SaveToBytes();
        std::ofstream out(std::filesystem::path(path), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }

private:
    void Fill(const RECT& r, COLORREF c)
    {
        const ui::TBrushHandle brush(CreateSolidBrush(c));
        FillRect(dc_, &r, brush.Get());
    }
    void FrameBox(const RECT& r)
    {
        const ui::TBrushHandle brush(CreateSolidBrush(RGB(200, 200, 200)));
        FrameRect(dc_, &r, brush.Get());
    }
    void Text(int x, int y, const std::wstring& text, COLORREF c)
    {
        SetTextColor(dc_, c);
        TextOutW(dc_, x, y, text.c_str(), static_cast<int>(text.size()));
    }
    // A checkerboard where the frame is drawn with the key colour left out.
    void Checkerboard(const RECT& r)
    {
        for (int y = r.top; y < r.bottom; y += 6)
            for (int x = r.left; x < r.right; x += 6)
                Fill({x, y, std::min(x + 6, static_cast<int>(r.right)), std::min(y + 6, static_cast<int>(r.bottom))},
                     ((x - r.left) / 6 + (y - r.top) / 6) % 2 ? RGB(204, 204, 204) : RGB(240, 240, 240));
    }
    void Frame(const TSheetRow& row, const RECT& src, const RECT& dest)
    {
        const int w = dest.right - dest.left, h = dest.bottom - dest.top;
        TBitmap scaled(w, h);
        SetStretchBltMode(scaled.Canvas()->Handle(), COLORONCOLOR);
        StretchBlt(scaled.Canvas()->Handle(), 0, 0, w, h, row.Image->Canvas()->Handle(), src.left, src.top,
                   src.right - src.left, src.bottom - src.top, SRCCOPY);
        FrameBox({dest.left - 1, dest.top - 1, dest.right + 1, dest.bottom + 1});
        if (row.Transparent) {
            Checkerboard(dest);
            TransparentBlit(dc_, dest, scaled, ui::clFuchsia);
        } else {
            BitBlt(dc_, dest.left, dest.top, w, h, scaled.Canvas()->Handle(), 0, 0, SRCCOPY);
        }
    }

    TBitmap bitmap_;
    HDC dc_ = nullptr;
    HFONT font_ = nullptr;
};

std::vector<std::pair<std::wstring, TSkinColour>> NamedColours(const TSkinData& d)
{
    const TSkinColours& c = d.Colours;
    return {{L"WindowText", c.WindowText},       {L"ButtonFace", c.ButtonFace},
            {L"Scrollbar", c.Scrollbar},         {L"HilightText", c.HilightText},
            {L"Hilight", c.Hilight},             {L"Menubar", c.Menubar},
            {L"Menu", c.Menu},                   {L"MenuText", c.MenuText},
            {L"ButtonText", c.ButtonText},       {L"ButtonHilight", c.ButtonHilight},
            {L"Buttonlight", c.Buttonlight},     {L"ButtonShadow", c.ButtonShadow},
            {L"ButtonDkShadow", c.ButtonDkShadow}, {L"MenuBarText", c.MenuBarText},
            {L"TitleTextActive", c.TitleTextActive}, {L"TitleTextNoActive", c.TitleTextNoActive},
            {L"TitleSample", d.TitleSampleColour}};
}

std::vector<std::pair<std::wstring, TSkinColour>> Numbered(const wchar_t* prefix, const std::vector<TSkinColour>& colours)
{
    std::vector<std::pair<std::wstring, TSkinColour>> named;
    for (size_t i = 0; i < colours.size(); ++i)
        named.push_back({prefix + std::to_wstring(i), colours[i]});
    return named;
}

int Draw(TSheet& sheet, TSkinData& data, const std::vector<TSheetRow>& rows)
{
    int y = Margin;
    for (const TSheetRow& row : rows)
        y = sheet.Row(row, y);
    y = sheet.Swatches(L"Colours", NamedColours(data), y + Gap);
    y = sheet.Swatches(L"ColourTable", Numbered(L"Colour", data.Colours.ColourTable), y + Gap);
    const std::vector<TSkinColour> custom(data.Colours.CustomColors.begin(), data.Colours.CustomColors.end());
    return sheet.Swatches(L"CustomColors", Numbered(L"Color", custom), y + Gap);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: skincontactsheet <out.bmp> [skin folder or skin file]\n");
        return 2;
    }
    app::RegisterAppClasses();
    // Errors go to the console: no one is there to answer a message box.
    ui::Application()->OnException = ui::TExceptionEvent([](ui::TObject*, const std::exception& e) {
        std::fprintf(stderr, "skincontactsheet: %s\n", ui::ErrorText(e).c_str());
    });
    app::TForm_main form(nullptr);
    TSkinData& data = *form.SkinData1;
    if (data.Empty()) {
        std::fprintf(stderr, "skincontactsheet: the compiled-in skin did not load\n");
        return 1;
    }
    if (argc == 3 && !tools::UseSkin(data, argv[2]))
        return 1;
    std::vector<TSheetRow> rows = SheetRows(data);
    const std::unique_ptr<TBitmap> glyphs = MakeMenuGlyphStrip();
    rows.push_back(PictureRow(L"MenuGlyphs (built in: restore, maximize, minimize, close)", glyphs.get(), 4, false));
    data.Loaded();
    rows.push_back(PictureRow(L"AppIcon", data.AppIcon.get(), 1, true));
    TSheet sheet(MaxSheetHeight);
    const int height = Draw(sheet, data, rows);
    sheet.Save(argv[1], height + Margin);
    std::printf("skincontactsheet: %zu pictures written to %ls\n", rows.size(), argv[1]);
    return 0;
}
