#include "skin/window/MenuItemPaint.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "skin/data/WinSkinData.h"
#include "skin/draw/SkinDraw.h"
#include "ui/forms/Forms.h"
#include "ui/graphics/ImgList.h"

namespace skin {

using namespace ui;

namespace {

// Frames of the MenuItem picture.
constexpr int NormalFrame = 1;
constexpr int SeparatorFrame = 2;
constexpr int SelectedFrame = 4;

constexpr int MinGlyphSize = 16;
constexpr UINT TextFormat = DT_SINGLELINE | DT_EXPANDTABS;

int Width(const RECT& r)
{
    return r.right - r.left;
}

int Height(const RECT& r)
{
    return r.bottom - r.top;
}

int ItemLeftWidth(const TSkinData& data)
{
    return data.MenuItem ? data.MenuItem->LeftWidth : 0;
}

const TImageList* ImagesOf(const TMenuItem& item)
{
    const TMenu* menu = item.GetParentMenu();
    return menu ? menu->Images() : nullptr;
}

bool HasImage(const TMenuItem& item)
{
    const TImageList* images = ImagesOf(item);
    return images && item.ImageIndex() >= 0 && item.ImageIndex() < images->Count();
}

bool IsRightToLeft(const TMenuItem& item)
{
    const TMenu* menu = item.GetParentMenu();
    return menu && menu->IsRightToLeft();
}

// An empty caption or a lone '&' would measure and draw as nothing.
std::wstring DrawnCaption(const TMenuItem& item)
{
    std::wstring caption = item.Caption();
    if (caption.empty() || caption == L"&")
        caption += L' ';
    return caption;
}

TColor TextColour(const TSkinData& data, const TMenuItem& item, bool selected)
{
    const TSkinColours& c = data.Colours;
    if (item.Enabled())
        return selected ? c.HilightText : c.MenuText;
    return DisabledTextColour(c, c.MenuText, ColorToRGB);
}

// The system's check mark (or radio bullet), drawn in clBtnText where its
// picture is dark and nowhere else.
void DrawCheckMark(TCanvas& canvas, const RECT& box, bool radio)
{
    const int size = std::min(Width(box), Height(box));
    if (size <= 0)
        return;
    TBitmap mark(size, size);
    RECT all{0, 0, size, size};
    FillRect(mark.Canvas()->Handle(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawFrameControl(mark.Canvas()->Handle(), &all, DFC_MENU, radio ? DFCS_MENUBULLET : DFCS_MENUCHECK);
    const int left = box.left + (Width(box) - size) / 2, top = box.top + (Height(box) - size) / 2;
    const TColor ink = static_cast<TColor>(ColorToRGB(clBtnText));
    for (int y = 0; y < size; ++y) {
        const std::uint8_t* row = mark.ScanLine(y);
        for (int x = 0; x < size; ++x)
            if (row[x * 3] + row[x * 3 + 1] + row[x * 3 + 2] < 3 * 128)
                canvas.SetPixel(left + x, top + y, ink);
    }
}

// A checked item's picture sits in a sunken box of dithered face and highlight.
void DrawCheckedImageBox(TCanvas& canvas, const RECT& box)
{
    const COLORREF face = ColorToRGB(clBtnFace), light = ColorToRGB(clBtnHighlight);
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x)
            canvas.SetPixel(x, y, static_cast<TColor>(((x + y) & 1) ? light : face));
    RECT edge = box;
    DrawEdge(canvas.Handle(), &edge, BDR_SUNKENOUTER, BF_RECT);
}

// The glyph column of an item: its picture, or the check mark.
void DrawGlyph(TCanvas& canvas, const TMenuItem& item, const RECT& box, bool rightToLeft)
{
    if (HasImage(item)) {
        const TImageList& images = *ImagesOf(item);
        if (item.Checked())
            DrawCheckedImageBox(canvas, box);
        const int top = rightToLeft ? box.top : box.top + (Height(box) - images.Height()) / 2;
        images.Draw(&canvas, box.left + (Width(box) - images.Width()) / 2, top, item.ImageIndex(), item.Enabled());
    } else if (item.Checked()) {
        DrawCheckMark(canvas, box, item.RadioItem());
    }
}

// The glyph box, the caption and the shortcut text of an item over what the
// canvas holds already; laid out from the right for a right-to-left menu.
void DrawMenuItemContent(const TSkinData& data, TMenuItem& item, TCanvas& canvas, const RECT& rect, bool selected)
{
    const bool rightToLeft = IsRightToLeft(item);
    const TImageList* images = ImagesOf(item);
    int glyph = images ? images->Width() : MinGlyphSize;
    if (item.Checked())
        glyph = std::max(glyph, MinGlyphSize);
    const int inset = 1 + ItemLeftWidth(data);
    RECT box{};
    if (rightToLeft)
        box = {rect.right - inset - glyph, rect.top + 1, rect.right - inset, rect.top + 1 + glyph};
    else
        box = {rect.left + inset, rect.top + 1, rect.left + inset + glyph, rect.top + 1 + glyph};
    RECT text = rightToLeft ? RECT{rect.left + 1, rect.top, box.left - 3, rect.bottom}
                            : RECT{box.right + 3, rect.top, rect.right - 1, rect.bottom};
    if (item.IsLine()) {
        RECT line{text.left, text.top + 4, text.right, text.top + 6};
        DrawEdge(canvas.Handle(), &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    DrawGlyph(canvas, item, box, rightToLeft);

    TFont& font = *canvas.Font();
    font.SetColor(TextColour(data, item, selected));
    font.SetStyle(item.Default() ? 1u << fsBold : 0u);
    canvas.Brush()->SetStyle(TBrushStyle::bsClear);
    const UINT direction = rightToLeft ? DT_RIGHT | DT_RTLREADING : DT_LEFT;
    const std::wstring caption = DrawnCaption(item);
    RECT measured = text;
    canvas.DrawFormattedText(caption, measured, TextFormat | direction | DT_CALCRECT);
    RECT placed = text;
    placed.top = text.top + (Height(text) - Height(measured)) / 2;
    placed.bottom = placed.top + Height(measured);
    canvas.DrawFormattedText(caption, placed, TextFormat | direction);
    if (!item.ShortCut())
        return;
    const std::wstring shortcut = ShortCutToText(item.ShortCut());
    RECT keys = placed;
    if (rightToLeft) {
        keys.left = rect.left + 11;
        keys.right = placed.right - Width(measured);
        canvas.DrawFormattedText(shortcut, keys, TextFormat | DT_LEFT | DT_NOPREFIX);
    } else {
        keys.left = placed.left + Width(measured);
        keys.right = text.right - 10;
        canvas.DrawFormattedText(shortcut, keys, TextFormat | DT_RIGHT | DT_NOPREFIX);
    }
}

// The skin's separator: the bottom rows of frame 2 of the MenuItem picture
// (the line lies there), its ends kept and the middle stretched, drawn
// keyed over the item's background.
void DrawSeparator(const TDataSkinObject& element, TBitmap& work)
{
    TBitmap& image = *element.Image;
    const int frameWidth = image.Width() / std::max(element.FrameCount, 1);
    const int rows = std::min(image.Height(), work.Height());
    TBitmap piece(frameWidth, rows);
    BitBlt(piece.Canvas()->Handle(), 0, 0, frameWidth, rows, image.Canvas()->Handle(),
           frameWidth * (SeparatorFrame - 1), image.Height() - rows, SRCCOPY);
    const TElementMargins ends{element.LeftWidth, 0, element.RightWidth, 0};
    auto face = BuildElementBitmap({0, 0, work.Width(), rows}, piece, ends, false, false, 1, 1);
    const int top = (work.Height() - rows) / 2;
    TransparentBlit(work.Canvas()->Handle(), {0, top, work.Width(), top + rows}, *face, clFuchsia);
}

} // namespace

void MeasureSkinMenuItem(const TSkinData& data, TMenuItem& item, TCanvas& canvas, int& width, int& height,
                         TMeasureExtra extra)
{
    // The item's own measure, without a handler that may be this very one.
    TMenuMeasureItemEvent handler = std::exchange(item.OnMeasureItem, TMenuMeasureItemEvent());
    item.MeasureItem(&canvas, width, height);
    item.OnMeasureItem = std::move(handler);
    width += ItemLeftWidth(data) + extra.Gap;
    if (!ImagesOf(item))
        width += extra.NoImageList;
}

SIZE MeasureEntryText(const TSkinData& data, HDC dc, const std::wstring& text)
{
    if (text.empty())
        return {0, 8};  // a separator
    RECT r{0, 0, 0, 0};
    DrawTextWide(dc, text, r, DT_CALCRECT | TextFormat);
    return {Width(r) + 26 + ItemLeftWidth(data), Height(r) + 4};
}

void DrawSkinMenuItem(const TSkinData& data, TMenuItem& item, TCanvas& canvas, const RECT& rect, bool selected,
                      const TItemBackground& background)
{
    const int w = Width(rect), h = Height(rect);
    if (w <= 0 || h <= 0)
        return;
    TBitmap work(w, h);
    TCanvas& out = *work.Canvas();
    if (background.Picture && !background.Picture->Empty()) {
        BitBlt(out.Handle(), 0, 0, w, h, background.Picture->Canvas()->Handle(), background.Offset.x,
               background.Offset.y, SRCCOPY);
    } else {
        out.Brush()->SetColor(data.Colours.Menu);
        out.FillRect({0, 0, w, h});
    }
    const TDataSkinObject* element = data.MenuItem.get();
    const bool pictured = element && element->Image && !element->Image->Empty();
    if (!pictured && selected) {
        out.Brush()->SetColor(data.Colours.Hilight);
        out.FillRect({0, 0, w, h});
    }
    if (pictured && item.IsLine()) {
        DrawSeparator(*element, work);
    } else {
        if (pictured) {
            auto face = BuildElementBitmap({0, 0, w, h}, *element->Image, element->Margins(), false,
                                           element->Tile != 0, element->FrameCount,
                                           selected ? SelectedFrame : NormalFrame);
            if (element->Trans)
                TransparentBlit(out.Handle(), {0, 0, w, h}, *face, clFuchsia);
            else
                BitBlt(out.Handle(), 0, 0, w, h, face->Canvas()->Handle(), 0, 0, SRCCOPY);
        }
        out.Font()->Assign(*Screen()->MenuFont());
        DrawMenuItemContent(data, item, out, {0, 0, w, h}, selected);
    }
    BitBlt(canvas.Handle(), rect.left, rect.top, w, h, out.Handle(), 0, 0, SRCCOPY);
}

bool ReadMenuEntry(HMENU menu, UINT item, bool byPosition, TMenuEntry& entry)
{
    wchar_t text[80] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = static_cast<UINT>(std::size(text) - 1);
    if (!GetMenuItemInfoW(menu, item, byPosition, &info))
        return false;
    entry = {info.fType, info.fState, info.wID, info.hSubMenu, text};
    return true;
}

std::unique_ptr<TMenuItem> TemporaryItem(HMENU menu, UINT item, bool byPosition)
{
    TMenuEntry entry;
    ReadMenuEntry(menu, item, byPosition, entry);
    auto made = std::make_unique<TMenuItem>(nullptr);
    made->SetCaption(!entry.Text.empty() && !(entry.Type & MFT_SEPARATOR) ? entry.Text : L"-");
    made->SetEnabled(!(entry.State & (MFS_GRAYED | MFS_DISABLED)));
    made->SetChecked((entry.State & MFS_CHECKED) != 0);
    return made;
}

} // namespace skin
