#include "skin/controls/SkinBars.h"

#include "skin/data/SkinRecords.h"
#include "skin/data/WinSkinData.h"
#include "skin/draw/ImgUtil.h"
#include "skin/draw/SkinDraw.h"
#include "ui/controls/Messages.h"

#include <algorithm>

namespace skin {

using namespace ui;

namespace {

constexpr TColor KeyColour = 0xFF00FF;
// The thumb pictures hold five frames; the second is the thumb.
constexpr int ThumbFrames = 5, ThumbFrame = 2;

// Frame `frame` of the element at part's size, keyed with magenta, onto dc.
void DrawKeyed(HDC dc, const RECT& part, TDataSkinObject& element, int frame)
{
    const RECT size{0, 0, RectWidth(part), RectHeight(part)};
    const auto face = BuildElementBitmap(size, *element.Image, element.Margins(), false, element.Tile != 0,
                                         element.FrameCount, frame);
    TransparentBlit(dc, part, *face, KeyColour);
}

} // namespace

int DoneLength(int length, int position, int low, int high)
{
    if (high <= low || position <= low)
        return 0;
    return MulDiv(length, std::min(position, high) - low, high - low);
}

bool TSkinProgress::Paints() const
{
    const TDataSkinBorder* progress = SkinData ? SkinData->Progress.get() : nullptr;
    return progress && progress->Image && !progress->Image->Empty();
}

// Without the skin's picture the bar paints itself.
bool TSkinProgress::BeforeMessage(TMessage& m)
{
    if (Paints() && !TakeOverPaint(m))
        return false;
    return TSkinControl::BeforeMessage(m);
}

// A vertical bar is painted lying down and turned a quarter counter-clockwise,
// so that it fills from the bottom.
void TSkinProgress::PaintControl(HDC dc, const RECT& rect)
{
    if (!Paints())
        return;
    const bool vertical = (GetWindowLongPtrW(Handle, GWL_STYLE) & PBS_VERTICAL) != 0;
    const int length = vertical ? RectHeight(rect) : RectWidth(rect);
    const int thickness = vertical ? RectWidth(rect) : RectHeight(rect);
    TBitmap work(length, thickness);
    HDC workDc = work.Canvas()->Handle();
    const RECT all{0, 0, length, thickness};
    FillSkinColour(workDc, all);
    PBRANGE range{};
    SendMessageW(Handle, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    const int position = static_cast<int>(SendMessageW(Handle, PBM_GETPOS, 0, 0));
    const int done = DoneLength(length, position, range.iLow, range.iHigh);
    TDataSkinBorder& element = *SkinData->Progress;
    if (element.Style == 1) {
        PaintChunks(workDc, all, done);
    } else {
        DrawKeyed(workDc, all, element, 1);
        if (done > 0)
            DrawKeyed(workDc, {0, 0, done, thickness}, element, 2);
    }
    if (vertical)
        RotateLeft(work);
    BitBlt(dc, rect.left, rect.top, RectWidth(rect), RectHeight(rect), work.Canvas()->Handle(), 0, 0, SRCCOPY);
}

// The chunk style: the whole Progress picture as the track, and the done
// part filled with the ProgressChunk picture, repeated (Tile 1) or its ends
// kept and its middle stretched. The chunks keep off the track's ends.
void TSkinProgress::PaintChunks(HDC dc, const RECT& all, int done) const
{
    TDataSkinBorder& element = *SkinData->Progress;
    const auto track = BuildElementBitmap(all, *element.Image, element.Margins(), false, false, 1, 1);
    TransparentBlit(dc, all, *track, KeyColour);
    TDataSkinObject* chunk = SkinData->ProgressChunk.get();
    if (done <= 0 || !chunk || !chunk->Image || chunk->Image->Empty())
        return;
    TBitmap& image = *chunk->Image;
    const int w = image.Width(), h = image.Height();
    if (chunk->Tile == 1) {
        const int left = chunk->LeftWidth + 2;
        const int width = std::min(done, RectWidth(all) - left - chunk->RightWidth - 2);
        if (width <= 0)
            return;
        TBitmap strip(width, h);
        for (int x = 0; x < width; x += w)
            BitBlt(strip.Canvas()->Handle(), x, 0, w, h, image.Canvas()->Handle(), 0, 0, SRCCOPY);
        const int top = (RectHeight(all) - h) / 2;
        TransparentBlit(dc, {left, top, left + width, top + h}, strip, KeyColour);
        return;
    }
    const int width = std::min(done, RectWidth(all) - 4);
    const int height = RectHeight(all) - 4;
    if (width <= 0 || height <= 0)
        return;
    const TElementMargins ends{chunk->LeftWidth, 0, chunk->RightWidth, 0};
    const auto strip = BuildElementBitmap({0, 0, width, height}, image, ends, false, false, 1, 1);
    TransparentBlit(dc, {2, 2, 2 + width, 2 + height}, *strip, KeyColour);
}

// ---- TSkinTrackBar

void TSkinTrackBar::RefreshSkin()
{
    const HWND focused = GetFocus();
    SetFocus(Handle);
    if (focused != Handle)
        SetFocus(focused);
}

// The custom drawing is asked of the parent, which reflects it to the control.
bool TSkinTrackBar::BeforeMessage(TMessage& m)
{
    if (m.Msg == WM_NOTIFY || m.Msg == CN_NOTIFY) {
        const auto& header = *reinterpret_cast<const NMHDR*>(m.LParam);
        if (header.code == static_cast<UINT>(NM_CUSTOMDRAW) && header.hwndFrom == Handle) {
            m.Result = CustomDraw(*reinterpret_cast<const NMCUSTOMDRAW*>(m.LParam));
            return false;
        }
    }
    return TSkinControl::BeforeMessage(m);
}

LRESULT TSkinTrackBar::CustomDraw(const NMCUSTOMDRAW& draw) const
{
    if (draw.dwDrawStage == CDDS_PREPAINT)
        return CDRF_NOTIFYITEMDRAW;
    if (draw.dwDrawStage != CDDS_ITEMPREPAINT)
        return CDRF_DODEFAULT;
    switch (draw.dwItemSpec) {
    case TBCD_THUMB: DrawThumb(draw.hdc); return CDRF_SKIPDEFAULT;
    case TBCD_CHANNEL: DrawChannel(draw.hdc); return CDRF_SKIPDEFAULT;
    default: return CDRF_DODEFAULT;  // the tics
    }
}

bool TSkinTrackBar::Vertical() const
{
    return (GetWindowLongPtrW(Handle, GWL_STYLE) & TBS_VERT) != 0;
}

// Frame 2 of the thumb picture stretched over the thumb, keyed with magenta.
void TSkinTrackBar::DrawThumb(HDC dc) const
{
    if (!IsWindow(Handle))
        return;
    RECT thumb{};
    SendMessageW(Handle, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    const TDataSkinObject* element = Vertical() && SkinData->ThumbVert ? SkinData->ThumbVert.get()
                                                                       : SkinData->ThumbHorz.get();
    if (HasPicture(element)) {
        DrawElementFrame(dc, thumb, *element->Image, element->Margins(), element->Tile != 0, true, ThumbFrames,
                         ThumbFrame);
        return;
    }
    const TPenHandle pen(CreatePen(PS_SOLID, 1, ColorToRGB(SkinData->Colours.ButtonShadow)));
    const HGDIOBJ oldPen = SelectObject(dc, pen.Get());
    const HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(WHITE_BRUSH));
    ::Rectangle(dc, thumb.left, thumb.top, thumb.right, thumb.bottom);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
}

// The channel picture across the channel at its own thickness, centred on
// it: its ends kept, its middle stretched. Windows reports a vertical bar's
// channel lying down, Wine upright: a channel wider than high is turned.
void TSkinTrackBar::DrawChannel(HDC dc) const
{
    RECT channel{};
    SendMessageW(Handle, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    const bool vertical = Vertical();
    TDataSkinObject* element = vertical ? SkinData->TrackVert.get() : SkinData->Track.get();
    if (!HasPicture(element))
        return;
    if (vertical && RectWidth(channel) > RectHeight(channel))
        channel = {channel.top, channel.left, channel.bottom, channel.right};
    const TBitmap& image = *element->Image;
    RECT place = channel;
    TElementMargins ends{};
    if (vertical) {
        const int w = image.Width();
        place.left += w < RectWidth(channel) ? (RectWidth(channel) - w) / 2 : 0;
        place.right = place.left + w;
        ends = {0, element->TopHeight, 0, element->BottomHeight};
    } else {
        const int h = image.Height();
        place.top += h < RectHeight(channel) ? (RectHeight(channel) - h) / 2 : 0;
        place.bottom = place.top + h;
        ends = {element->LeftWidth, 0, element->RightWidth, 0};
    }
    const RECT size{0, 0, RectWidth(place), RectHeight(place)};
    const auto face = BuildElementBitmap(size, *element->Image, ends, false, false, 1, 1);
    TransparentBlit(dc, place, *face, KeyColour);
}

} // namespace skin
