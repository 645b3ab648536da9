#include "skin/SkinBars.h"

#include <commctrl.h>

#include "skin/ImgUtil.h"
#include "skin/SkinDraw.h"
#include "skin/SkinRecords.h"
#include "skin/WinSkinData.h"

namespace skin {

using namespace ui;

namespace {

constexpr TColor KeyColour = 0xFF00FF;

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

// The chunk style of the element is left to the control's own painting.
bool TSkinProgress::Paints() const
{
    const TDataSkinBorder* progress = SkinData ? SkinData->Progress.get() : nullptr;
    return progress && progress->Image && !progress->Image->Empty() && progress->Style == 0;
}

bool TSkinProgress::BeforeMessage(TMessage& m)
{
    switch (m.Msg) {
    case WM_PAINT:
        if (!Paints())
            return true;
        PaintOnPaintMessage(m);
        return false;
    case WM_ERASEBKGND:
        if (!Paints())
            return true;
        m.Result = 1;
        return false;
    default: return TSkinControl::BeforeMessage(m);
    }
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
    TDataSkinBorder& element = *SkinData->Progress;
    DrawKeyed(workDc, all, element, 1);
    PBRANGE range{};
    SendMessageW(Handle, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    const int position = static_cast<int>(SendMessageW(Handle, PBM_GETPOS, 0, 0));
    if (const int done = DoneLength(length, position, range.iLow, range.iHigh); done > 0)
        DrawKeyed(workDc, {0, 0, done, thickness}, element, 2);
    if (vertical)
        RotateLeft(work);
    BitBlt(dc, rect.left, rect.top, RectWidth(rect), RectHeight(rect), work.Canvas()->Handle(), 0, 0, SRCCOPY);
}

} // namespace skin
