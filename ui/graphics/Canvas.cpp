// TCanvas: drawing on a borrowed device context with the canvas's own font,
// brush and pen, selected only while an operation needs them.
#include "ui/graphics/Graphics.h"

namespace ui {

const TClassInfo& TCanvas::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TCanvas>("TCanvas", &TPersistent::StaticClass()).Done();
    return info;
}

TCanvas::TCanvas()
    : font_(std::make_unique<TFont>()), brush_(std::make_unique<TBrush>()), pen_(std::make_unique<TPen>())
{
    // A changed font, brush or pen deletes its old handle: give the context
    // its own objects back first; the next operation selects the new ones.
    const TNotifyEvent deselect([this](TObject*) { Deselect(); });
    font_->OnChange = deselect;
    brush_->OnChange = deselect;
    pen_->OnChange = deselect;
}

TCanvas::~TCanvas()
{
    Deselect();
}

void TCanvas::SetHandle(HDC dc)
{
    if (dc == dc_)
        return;
    Deselect();
    dc_ = dc;
}

HDC TCanvas::RequireHandle() const
{
    if (!dc_)
        throw Exception("Canvas does not allow drawing");
    return dc_;
}

void TCanvas::Select(bool font, bool brush, bool pen)
{
    RequireHandle();
    // The first selection remembers the context's own object, to put back.
    const auto select = [this](HGDIOBJ object, HGDIOBJ& original) {
        HGDIOBJ previous = SelectObject(dc_, object);
        if (!original)
            original = previous;
    };
    if (font)
        select(font_->Handle(), oldFont_);
    if (brush)
        select(brush_->Handle(), oldBrush_);
    if (pen)
        select(pen_->Handle(), oldPen_);
}

// Text is drawn in the font's colour on the brush's colour, or over what is
// there when the brush is clear.
void TCanvas::SelectTextAttributes()
{
    Select(true, false, false);
    SetTextColor(dc_, ColorToRGB(font_->Color()));
    if (brush_->Style() == TBrushStyle::bsClear) {
        SetBkMode(dc_, TRANSPARENT);
    } else {
        SetBkMode(dc_, OPAQUE);
        SetBkColor(dc_, ColorToRGB(brush_->Color()));
    }
}

void TCanvas::Deselect()
{
    if (!dc_)
        return;
    for (HGDIOBJ* original : {&oldFont_, &oldBrush_, &oldPen_}) {
        if (*original)
            SelectObject(dc_, *original);
        *original = nullptr;
    }
}

void TCanvas::FillRect(const RECT& r)
{
    ::FillRect(RequireHandle(), &r, brush_->Handle());
}

void TCanvas::FrameRect(const RECT& r)
{
    ::FrameRect(RequireHandle(), &r, brush_->Handle());
}

void TCanvas::Rectangle(const RECT& r)
{
    Select(false, true, true);
    ::Rectangle(dc_, r.left, r.top, r.right, r.bottom);
}

void TCanvas::Polygon(const POINT* points, int count)
{
    Select(false, true, true);
    ::Polygon(dc_, points, count);
}

void TCanvas::MoveTo(int x, int y)
{
    MoveToEx(RequireHandle(), x, y, nullptr);
}

void TCanvas::LineTo(int x, int y)
{
    Select(false, false, true);
    ::LineTo(dc_, x, y);
}

void TCanvas::TextOut(int x, int y, const std::wstring& text)
{
    SelectTextAttributes();
    ExtTextOutW(dc_, x, y, 0, nullptr, text.c_str(), static_cast<UINT>(text.size()), nullptr);
}

int TCanvas::DrawFormattedText(const std::wstring& text, RECT& r, UINT format)
{
    SelectTextAttributes();
    return DrawTextW(dc_, text.c_str(), static_cast<int>(text.size()), &r, format);
}

void TCanvas::TextRect(const RECT& r, int x, int y, const std::wstring& text)
{
    SelectTextAttributes();
    const UINT options = ETO_CLIPPED | (brush_->Style() == TBrushStyle::bsClear ? 0 : ETO_OPAQUE);
    ExtTextOutW(dc_, x, y, options, &r, text.c_str(), static_cast<UINT>(text.size()), nullptr);
}

SIZE TCanvas::TextExtent(const std::wstring& text)
{
    Select(true, false, false);
    SIZE size{};
    GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

void TCanvas::DrawFocusRect(const RECT& r)
{
    ::DrawFocusRect(RequireHandle(), &r);
}

COLORREF TCanvas::Pixel(int x, int y) const
{
    return GetPixel(RequireHandle(), x, y);
}

void TCanvas::SetPixel(int x, int y, TColor color)
{
    ::SetPixel(RequireHandle(), x, y, ColorToRGB(color));
}

void TCanvas::Draw(int x, int y, TBitmap& bitmap)
{
    Blit({x, y, x + bitmap.Width(), y + bitmap.Height()}, bitmap);
}

void TCanvas::StretchDraw(const RECT& r, TBitmap& bitmap)
{
    Blit(r, bitmap);
}

namespace {

// Stretching picks the nearest pixels (no blending), so that skin pictures
// keep their exact colours, the magenta key included; the context's own mode
// comes back afterwards.
class TStretchMode {
public:
    explicit TStretchMode(HDC dc) : dc_(dc), previous_(SetStretchBltMode(dc, COLORONCOLOR)) {}
    ~TStretchMode() { SetStretchBltMode(dc_, previous_); }
    TStretchMode(const TStretchMode&) = delete;
    TStretchMode& operator=(const TStretchMode&) = delete;

private:
    HDC dc_;
    int previous_;
};

} // namespace

void TCanvas::Blit(const RECT& dest, TBitmap& bitmap)
{
    RequireHandle();
    if (bitmap.Empty())
        return;
    const int w = bitmap.Width(), h = bitmap.Height();
    HDC source = bitmap.Canvas()->Handle();
    const TStretchMode mode(dc_);
    if (bitmap.Transparent())
        TransparentBlt(dc_, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, source, 0, 0, w, h,
                       ColorToRGB(bitmap.TransparentColor()));
    else
        StretchBlt(dc_, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, source, 0, 0, w, h,
                   SRCCOPY);
}

void TCanvas::CopyRect(const RECT& dest, const TCanvas& source, const RECT& src)
{
    RequireHandle();
    const TStretchMode mode(dc_);
    StretchBlt(dc_, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, source.RequireHandle(),
               src.left, src.top, src.right - src.left, src.bottom - src.top, SRCCOPY);
}

} // namespace ui
