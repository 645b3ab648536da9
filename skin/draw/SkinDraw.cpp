#include "skin/draw/SkinDraw.h"

#include <algorithm>
#include <array>
#include <string>

#include "skin/draw/ImgUtil.h"
#include "ui/controls/Controls.h"

namespace skin {

using ui::TBitmap;

// GetVersion sets its top bit on the Windows 9x family only.
bool WideApis = (GetVersion() & 0x80000000u) == 0;
UINT ConversionCodePage = CP_ACP;

// ---- Optional platform entry points ----

namespace {

// Holds user32 loaded while the program runs and the entry points found in it.
class TUser32EntryPoints {
public:
    TUser32EntryPoints() : module_(LoadLibraryW(L"user32.dll"))
    {
        if (!module_)
            return;
        Find("GetScrollBarInfo", points_.GetScrollBarInfo);
        Find("TrackMouseEvent", points_.TrackMouseEvent);
        Find("GetComboBoxInfo", points_.GetComboBoxInfo);
    }
    ~TUser32EntryPoints()
    {
        if (module_)
            FreeLibrary(module_);
    }
    TUser32EntryPoints(const TUser32EntryPoints&) = delete;
    TUser32EntryPoints& operator=(const TUser32EntryPoints&) = delete;

    TOptionalEntryPoints& Points() { return points_; }

private:
    template <class F>
    void Find(const char* name, F& target)
    {
        // Through a plain function pointer type: GetProcAddress's own type
        // does not convert to the entry point's without a warning.
        target = reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(module_, name)));
    }
    HMODULE module_;
    TOptionalEntryPoints points_;
};

} // namespace

TOptionalEntryPoints& OptionalEntryPoints()
{
    static TUser32EntryPoints user32;
    return user32.Points();
}

bool OptionalGetScrollBarInfo(HWND window, LONG objectId, SCROLLBARINFO& info)
{
    const auto get = OptionalEntryPoints().GetScrollBarInfo;
    info.cbSize = sizeof info;
    return get && get(window, objectId, &info);
}

bool OptionalGetComboBoxInfo(HWND window, COMBOBOXINFO& info)
{
    const auto get = OptionalEntryPoints().GetComboBoxInfo;
    info.cbSize = sizeof info;
    return get && get(window, &info);
}

void TrackMouseLeave(HWND window)
{
    const auto track = OptionalEntryPoints().TrackMouseEvent;
    if (!track)
        return;
    TRACKMOUSEEVENT request{sizeof request, TME_LEAVE, window, 0};
    track(&request);
}

// ---- Element faces ----

namespace {

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }
bool Inverted(const RECT& r) { return r.right < r.left || r.bottom < r.top; }

// The rectangle of frame `frameIndex` (from 1) in a strip of `frameCount`
// equal frames, side by side or stacked. Out-of-range values are brought in
// range so that the frame always lies inside the image.
RECT FrameRect(const TBitmap& image, bool vertical, int frameCount, int frameIndex)
{
    frameCount = std::max(frameCount, 1);
    const int index = std::clamp(frameIndex, 1, frameCount) - 1;
    if (vertical) {
        const int fh = image.Height() / frameCount;
        return {0, fh * index, image.Width(), fh * (index + 1)};
    }
    const int fw = image.Width() / frameCount;
    return {fw * index, 0, fw * (index + 1), image.Height()};
}

// A piece of a nine-slice face: where it goes and where it comes from.
struct TSlice {
    RECT Dest;
    RECT Source;
    bool Centre = false;
};

// The nine pieces in drawing order: the right and bottom ones come after the
// centre so that they cover what tiles drew past the centre's border.
std::array<TSlice, 9> NineSlices(int w, int h, const RECT& f, const TElementMargins& m)
{
    const int l = m.LeftWidth, t = m.TopHeight, r = m.RightWidth, b = m.BottomHeight;
    return {{
        {{0, 0, l, t}, {f.left, f.top, f.left + l, f.top + t}},                                 // top-left
        {{0, h - b, l, h}, {f.left, f.bottom - b, f.left + l, f.bottom}},                       // bottom-left
        {{w - r, 0, w, t}, {f.right - r, f.top, f.right, f.top + t}},                           // top-right
        {{0, t, l, h - b}, {f.left, f.top + t, f.left + l, f.bottom - b}},                      // left
        {{l, 0, w - r, t}, {f.left + l, f.top, f.right - r, f.top + t}},                        // top
        {{l, t, w - r, h - b}, {f.left + l, f.top + t, f.right - r, f.bottom - b}, true},       // centre
        {{w - r, h - b, w, h}, {f.right - r, f.bottom - b, f.right, f.bottom}},                 // bottom-right
        {{w - r, t, w, h - b}, {f.right - r, f.top + t, f.right, f.bottom - b}},                // right
        {{l, h - b, w - r, h}, {f.left + l, f.bottom - b, f.right - r, f.bottom}},              // bottom
    }};
}

bool HasArea(const RECT& r)
{
    return Width(r) > 0 && Height(r) > 0;
}

// Copies `bitmap` to rect's top-left corner, keyed with magenta or opaque.
void DrawFace(HDC dc, const RECT& rect, TBitmap& bitmap, bool transparent)
{
    if (transparent) {
        TransparentBlit(dc, rect, bitmap, ui::clFuchsia);
        return;
    }
    BitBlt(dc, rect.left, rect.top, bitmap.Width(), bitmap.Height(), bitmap.Canvas()->Handle(), 0, 0, SRCCOPY);
}

} // namespace

std::unique_ptr<TBitmap> BuildElementBitmap(const RECT& rect, TBitmap& image, const TElementMargins& edges,
                                            bool vertical, bool tile, int frameCount, int frameIndex)
{
    const int w = std::max(Width(rect), 0), h = std::max(Height(rect), 0);
    auto face = std::make_unique<TBitmap>(w, h);
    if (face->Empty() || image.Empty())
        return face;
    TElementMargins m = edges;
    if (w < m.LeftWidth + m.RightWidth)
        m.LeftWidth = m.RightWidth = 0;
    if (h < m.TopHeight + m.BottomHeight)
        m.TopHeight = m.BottomHeight = 0;

    for (const TSlice& slice : NineSlices(w, h, FrameRect(image, vertical, frameCount, frameIndex), m)) {
        // Margins larger than the frame leave a piece without source: it is
        // left out rather than drawn mirrored.
        if (!HasArea(slice.Dest) || !HasArea(slice.Source))
            continue;
        if (slice.Centre && tile)
            TileBitmap(face->Canvas()->Handle(), slice.Dest, image, slice.Source);
        else
            StretchPiece(*face, slice.Dest, image, slice.Source);
    }
    return face;
}

void StretchPiece(TBitmap& target, const RECT& dest, TBitmap& image, const RECT& source)
{
    if (Width(dest) < Width(source) || Height(dest) < Height(source)) {
        ScalePiece(image, source, target, dest);
        return;
    }
    HDC to = target.Canvas()->Handle();
    const int oldMode = SetStretchBltMode(to, COLORONCOLOR);
    StretchBlt(to, dest.left, dest.top, Width(dest), Height(dest), image.Canvas()->Handle(), source.left,
               source.top, Width(source), Height(source), SRCCOPY);
    SetStretchBltMode(to, oldMode);
}

void TileBitmap(HDC dc, const RECT& dest, TBitmap& image, const RECT& source)
{
    if (!HasArea(source))
        return;
    HDC from = image.Canvas()->Handle();
    const int tw = Width(source), th = Height(source);
    for (int y = dest.top; y < dest.bottom; y += th)
        for (int x = dest.left; x < dest.right; x += tw)
            BitBlt(dc, x, y, tw, th, from, source.left, source.top, SRCCOPY);
}

void DrawElement(HDC dc, const RECT& rect, int frameCount, int frameIndex, TDataSkinObject& element)
{
    if (element.Image)
        DrawElementFrame(dc, rect, *element.Image, element.Margins(), element.Tile != 0, element.Trans != 0,
                         frameCount, frameIndex);
}

void DrawElementFrame(HDC dc, const RECT& rect, TBitmap& image, const TElementMargins& edges, bool tile,
                      bool transparent, int frameCount, int frameIndex)
{
    if (Inverted(rect) || image.Empty())
        return;
    const auto face = BuildElementBitmap(rect, image, edges, false, tile, frameCount, frameIndex);
    DrawFace(dc, rect, *face, transparent);
}

void DrawFrameStretched(HDC dc, const RECT& rect, TBitmap& image, int frameCount, int frameIndex, bool transparent)
{
    if (Inverted(rect))
        return;
    const auto face = BuildElementBitmap(rect, image, {}, false, false, frameCount, frameIndex);
    DrawFace(dc, rect, *face, transparent);
}

void DrawFrameCentred(HDC dc, const RECT& rect, TBitmap& image, bool transparent, int frameCount, int frameIndex)
{
    if (Inverted(rect))
        return;
    const RECT frame = FrameRect(image, false, frameCount, frameIndex);
    const int fw = Width(frame), fh = Height(frame);
    const auto face = BuildElementBitmap({0, 0, fw, fh}, image, {}, false, false, frameCount, frameIndex);
    const int left = rect.left + (Width(rect) - fw) / 2;
    const int top = rect.top + (Height(rect) - fh) / 2;
    DrawFace(dc, {left, top, left + fw, top + fh}, *face, transparent);
}

namespace {

// Draws `bitmap` where `mask` is 0 and keeps the target where it is 1, with
// the XOR, AND, XOR sequence of raster operations.
void XorMaskBlit(HDC dc, const RECT& rect, HDC bitmap, HDC mask)
{
    const ui::TSavedDC saved(dc);
    // A monochrome source is drawn in the target's text (0) and background (1) colours.
    SetBkColor(dc, RGB(255, 255, 255));
    SetTextColor(dc, RGB(0, 0, 0));
    const int w = Width(rect), h = Height(rect);
    BitBlt(dc, rect.left, rect.top, w, h, bitmap, 0, 0, SRCINVERT);
    BitBlt(dc, rect.left, rect.top, w, h, mask, 0, 0, SRCAND);
    BitBlt(dc, rect.left, rect.top, w, h, bitmap, 0, 0, SRCINVERT);
}

} // namespace

void TransparentBlit(HDC dc, const RECT& rect, TBitmap& bitmap, ui::TColor keyColour)
{
    if (Inverted(rect))
        return;
    // Never read past the bitmap: the rect may be larger than the picture.
    const int w = std::min(Width(rect), bitmap.Width()), h = std::min(Height(rect), bitmap.Height());
    if (w <= 0 || h <= 0)
        return;
    HDC source = bitmap.Canvas()->Handle();
    const ui::TBitmapHandle mask(CreateBitmap(w, h, 1, 1, nullptr));
    const ui::TMemoryDC maskDC;
    if (!mask || !maskDC.Get())
        return;
    const ui::TSavedDC maskState(maskDC.Get());
    SelectObject(maskDC.Get(), mask.Get());
    {
        // Copying colour to monochrome makes the source's background colour 1.
        const ui::TSavedDC sourceState(source);
        SetBkColor(source, ui::ColorToRGB(keyColour));
        BitBlt(maskDC.Get(), 0, 0, w, h, source, 0, 0, SRCCOPY);
    }
    const RECT target{rect.left, rect.top, rect.left + w, rect.top + h};
    if (WideApis)
        MaskBlt(dc, target.left, target.top, w, h, source, 0, 0, mask.Get(), 0, 0, MAKEROP4(0x00AA0029, SRCCOPY));
    else
        XorMaskBlit(dc, target, source, maskDC.Get());
}

void TKeyedPicture::Take(ui::TBitmap& picture, ui::TColor keyColour)
{
    Clear();
    const int w = picture.Width(), h = picture.Height();
    const ui::TBitmapHandle mono(picture.Empty() ? nullptr : CreateBitmap(w, h, 1, 1, nullptr));
    const ui::TMemoryDC monoDC;
    if (!mono || !monoDC.Get())
        return;
    picture_.SetSize(w, h);
    mask_.SetSize(w, h);
    const ui::TSavedDC monoState(monoDC.Get());
    SelectObject(monoDC.Get(), mono.Get());
    HDC source = picture.Canvas()->Handle();
    {
        // Copying colour to monochrome makes the source's background colour 1.
        const ui::TSavedDC sourceState(source);
        SetBkColor(source, ui::ColorToRGB(keyColour));
        BitBlt(monoDC.Get(), 0, 0, w, h, source, 0, 0, SRCCOPY);
    }
    // Monochrome to colour: 1 in the target's background colour, 0 in its text colour.
    HDC mask = mask_.Canvas()->Handle();
    const ui::TSavedDC maskState(mask);
    SetBkColor(mask, RGB(255, 255, 255));
    SetTextColor(mask, RGB(0, 0, 0));
    BitBlt(mask, 0, 0, w, h, monoDC.Get(), 0, 0, SRCCOPY);
    // The picture with black where the mask is white (target AND NOT mask).
    HDC target = picture_.Canvas()->Handle();
    BitBlt(target, 0, 0, w, h, source, 0, 0, SRCCOPY);
    BitBlt(target, 0, 0, w, h, mask, 0, 0, 0x00220326);
}

void TKeyedPicture::Draw(HDC dc, int x, int y)
{
    if (picture_.Empty())
        return;
    BitBlt(dc, x, y, mask_.Width(), mask_.Height(), mask_.Canvas()->Handle(), 0, 0, SRCAND);
    BitBlt(dc, x, y, picture_.Width(), picture_.Height(), picture_.Canvas()->Handle(), 0, 0, SRCPAINT);
}

void TKeyedPicture::Clear()
{
    picture_.SetSize(0, 0);
    mask_.SetSize(0, 0);
}

void PaintParentBackground(ui::TControl& control, HDC dc)
{
    ui::TWinControl* parent = control.Parent();
    if (!parent || !parent->HandleAllocated())
        return;
    const ui::TSavedDC saved(dc);
    OffsetViewportOrgEx(dc, -control.Left(), -control.Top(), nullptr);
    RECT area = control.ClientRect();
    OffsetRect(&area, control.Left(), control.Top());
    IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
    const auto wParam = reinterpret_cast<WPARAM>(dc);
    SendMessageW(parent->Handle(), WM_ERASEBKGND, wParam, 0);
    SendMessageW(parent->Handle(), WM_PAINT, wParam, 0);
}

// ---- Text ----

std::wstring AnsiToWide(std::string_view text)
{
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(ConversionCodePage, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(std::max(length, 0)), L'\0');
    if (length > 0)
        MultiByteToWideChar(ConversionCodePage, 0, text.data(), size, wide.data(), length);
    return wide;
}

namespace {

std::string WideToAnsi(const std::wstring& text)
{
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(ConversionCodePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(std::max(length, 0)), '\0');
    if (length > 0)
        WideCharToMultiByte(ConversionCodePage, 0, text.data(), size, ansi.data(), length, nullptr, nullptr);
    return ansi;
}

} // namespace

int DrawTextWide(HDC dc, const std::wstring& text, RECT& rect, UINT flags)
{
    if (WideApis)
        return DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, flags);
    return DrawTextA(dc, WideToAnsi(text).c_str(), -1, &rect, flags);
}

} // namespace skin
