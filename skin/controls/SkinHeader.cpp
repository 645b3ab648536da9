#include "skin/controls/SkinHeader.h"

#include <commctrl.h>
#include <windowsx.h>

#include "skin/data/WinSkinData.h"
#include "skin/draw/SkinDraw.h"
#include "skin/draw/SkinObjects.h"

#include <algorithm>

namespace skin {

using namespace ui;

namespace {

constexpr int MaxItemText = 200;

} // namespace

bool TSkinHeader::HasPicture() const
{
    return skin::HasPicture(SkinData->Headerbar.get());
}

// Without the skin's picture the header paints itself.
bool TSkinHeader::BeforeMessage(TMessage& m)
{
    if (HasPicture() && !TakeOverPaint(m))
        return false;
    return TSkinControl::BeforeMessage(m);
}

void TSkinHeader::AfterMessage(TMessage& m)
{
    const POINT at{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    switch (m.Msg) {
    case WM_MOUSEMOVE:
        if (const int item = ItemAt(at); item >= 0)
            SetItem(hotItem_, item);
        TrackMouseLeave(Handle);
        break;
    case WM_MOUSELEAVE: SetItem(hotItem_, -1); break;
    case WM_LBUTTONDOWN: SetItem(pressedItem_, ItemAt(at)); break;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED: SetItem(pressedItem_, -1); break;
    default: TSkinControl::AfterMessage(m); break;
    }
}

void TSkinHeader::SetItem(int& item, int index)
{
    if (item == index)
        return;
    item = index;
    RedrawNow();
}

int TSkinHeader::ItemAt(POINT point) const
{
    for (std::size_t i = 0; i < itemRects_.size(); ++i)
        if (PtInRect(&itemRects_[i], point))
            return static_cast<int>(i);
    return -1;
}

void TSkinHeader::PaintControl(HDC dc, const RECT& rect)
{
    if (!HasPicture())
        return;
    TFacePainter painter(dc, rect);
    HDC face = painter.Dc();
    SelectObject(face, CurrentFont());
    SetBkMode(face, TRANSPARENT);
    const int count = static_cast<int>(SendMessageW(Handle, HDM_GETITEMCOUNT, 0, 0));
    itemRects_.assign(static_cast<std::size_t>(std::max(count, 0)), RECT{});
    int right = rect.left;
    for (int i = 0; i < count; ++i) {
        RECT item{};
        if (!SendMessageW(Handle, HDM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item)))
            continue;
        PaintItem(face, i, item);
        itemRects_[static_cast<std::size_t>(i)] = {item.left + 3, item.top, item.right - 3, item.bottom};
        right = std::max(right, static_cast<int>(item.right));
    }
    if (right < rect.right)
        DrawElement(face, {right, rect.top, rect.right, rect.bottom}, SkinData->Headerbar->FrameCount,
                    static_cast<int>(THeaderFace::Normal), *SkinData->Headerbar);
    SelectObject(face, GetStockObject(SYSTEM_FONT));
    painter.Show();
}

void TSkinHeader::PaintItem(HDC dc, int index, const RECT& rect) const
{
    wchar_t text[MaxItemText + 1]{};
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_FORMAT | HDI_IMAGE;
    item.pszText = text;
    item.cchTextMax = MaxItemText + 1;
    SendMessageW(Handle, HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    const THeaderFace look = index == pressedItem_ ? THeaderFace::Pressed
                             : index == hotItem_   ? THeaderFace::Hot
                                                   : THeaderFace::Normal;
    TDataSkinObject& bar = *SkinData->Headerbar;
    const RECT size{0, 0, RectWidth(rect), RectHeight(rect)};
    // The picture's frames as its Frame key counts them (5 when it gives none).
    const auto face = BuildElementBitmap(size, *bar.Image, bar.Margins(), false, bar.Tile != 0, bar.FrameCount,
                                         static_cast<int>(look));
    HDC faceDc = face->Canvas()->Handle();
    if (text[0]) {
        const UINT alignment = (item.fmt & HDF_JUSTIFYMASK) == HDF_RIGHT    ? DT_RIGHT
                               : (item.fmt & HDF_JUSTIFYMASK) == HDF_CENTER ? DT_CENTER
                                                                            : DT_LEFT;
        const int image = item.fmt & (HDF_IMAGE | HDF_OWNERDRAW) ? item.iImage : -1;
        SelectObject(faceDc, GetCurrentObject(dc, OBJ_FONT));
        SetBkMode(faceDc, TRANSPARENT);
        const TColor colour = look == THeaderFace::Hot       ? bar.MouseOverColour2
                              : look == THeaderFace::Pressed ? bar.PressedColour2
                                                             : bar.NormalColour2;
        const TColor ink =
            WindowEnabled() ? colour : DisabledTextColour(SkinData->Colours, bar.NormalColour2, ColorToRGB);
        SetTextColor(faceDc, ColorToRGB(ink));
        const auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(Handle, HDM_GETIMAGELIST, 0, 0));
        DrawImageAndText(faceDc, size, alignment, text, images, image);
        SelectObject(faceDc, GetStockObject(SYSTEM_FONT));
    }
    BitBlt(dc, rect.left, rect.top, size.right, size.bottom, faceDc, 0, 0, SRCCOPY);
}

} // namespace skin
