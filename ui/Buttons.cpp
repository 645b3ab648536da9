#include "ui/Buttons.h"

namespace ui {

const TClassInfo& TBitBtn::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TBitBtn>("TBitBtn", &TButton::StaticClass())
            .Object("Glyph", &TBitBtn::Glyph, &TBitBtn::SetGlyph)
            .Enum("Layout", {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"}, &TBitBtn::Layout,
                  &TBitBtn::SetLayout)
            .Int("Spacing", &TBitBtn::Spacing, &TBitBtn::SetSpacing)
            .Int("Margin", &TBitBtn::Margin, &TBitBtn::SetMargin)
            .Creatable()
            .Done();
    return info;
}

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner), glyph_(std::make_unique<TBitmap>())
{
    glyph_->OnChange = TNotifyEvent([this](TObject*) { Invalidate(); });
}

void TBitBtn::SetGlyph(TBitmap* glyph)
{
    glyph_->Assign(*glyph);
    Invalidate();
}

void TBitBtn::SetLayout(TButtonLayout layout)
{
    layout_ = layout;
    Invalidate();
}

void TBitBtn::SetSpacing(int spacing)
{
    spacing_ = spacing;
    Invalidate();
}

void TBitBtn::SetMargin(int margin)
{
    margin_ = margin;
    Invalidate();
}

void TBitBtn::CreateParams(TCreateParams& params)
{
    TButton::CreateParams(params);
    params.Style = (params.Style & ~0xFu) | BS_OWNERDRAW;
}

void TBitBtn::Dispatch(TMessage& m)
{
    switch (m.Msg) {
    case CN_DRAWITEM:
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam));
        m.Result = TRUE;
        return;
    case WM_LBUTTONDBLCLK:
        // A quick second press is a press, not a double click.
        m.Msg = WM_LBUTTONDOWN;
        break;
    default: break;
    }
    TButton::Dispatch(m);
}

void TBitBtn::DrawItem(const DRAWITEMSTRUCT& item)
{
    const bool pressed = item.itemState & ODS_SELECTED;
    const bool focused = item.itemState & ODS_FOCUS;
    const bool enabled = !(item.itemState & ODS_DISABLED);
    HDC dc = item.hDC;
    TSavedDC saved(dc);
    RECT r = item.rcItem;
    TBrushHandle face(CreateSolidBrush(ColorToRGB(clBtnFace)));
    FillRect(dc, &r, face.Get());
    DrawEdge(dc, &r, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
    TCanvas canvas;  // detached from dc when it goes
    canvas.SetHandle(dc);
    DrawContent(canvas, r, pressed, enabled);
    if (focused) {
        RECT f = item.rcItem;
        InflateRect(&f, -4, -4);
        DrawFocusRect(dc, &f);
    }
}

// Lays out picture and caption as one block centred in r (or from Margin),
// the picture on the side Layout names, Spacing pixels between them.
void TBitBtn::DrawContent(TCanvas& canvas, RECT r, bool pressed, bool enabled)
{
    if (pressed)
        OffsetRect(&r, 1, 1);
    const std::wstring text = Caption();
    TSavedDC saved(canvas.Handle());
    saved.Select(Font()->Handle());
    SIZE ts{0, 0};
    if (!text.empty())
        GetTextExtentPoint32W(canvas.Handle(), text.c_str(), static_cast<int>(text.size()), &ts);
    const SIZE gs{glyph_->Width(), glyph_->Height()};
    const bool horizontal = layout_ == TButtonLayout::blGlyphLeft || layout_ == TButtonLayout::blGlyphRight;
    const int gap = (gs.cx && ts.cx) ? spacing_ : 0;
    const int blockW = horizontal ? gs.cx + gap + ts.cx : std::max(gs.cx, ts.cx);
    const int blockH = horizontal ? std::max(gs.cy, ts.cy) : gs.cy + gap + ts.cy;
    const int w = r.right - r.left, h = r.bottom - r.top;
    int x = r.left + (margin_ >= 0 && horizontal ? margin_ : (w - blockW) / 2);
    int y = r.top + (margin_ >= 0 && !horizontal ? margin_ : (h - blockH) / 2);
    POINT glyphAt{}, textAt{};
    switch (layout_) {
    case TButtonLayout::blGlyphLeft: glyphAt = {x, r.top + (h - gs.cy) / 2}, textAt = {x + gs.cx + gap, r.top + (h - ts.cy) / 2}; break;
    case TButtonLayout::blGlyphRight: textAt = {x, r.top + (h - ts.cy) / 2}, glyphAt = {x + ts.cx + gap, r.top + (h - gs.cy) / 2}; break;
    case TButtonLayout::blGlyphTop: glyphAt = {r.left + (w - gs.cx) / 2, y}, textAt = {r.left + (w - ts.cx) / 2, y + gs.cy + gap}; break;
    case TButtonLayout::blGlyphBottom: textAt = {r.left + (w - ts.cx) / 2, y}, glyphAt = {r.left + (w - gs.cx) / 2, y + ts.cy + gap}; break;
    }
    if (!glyph_->Empty()) {
        glyph_->SetTransparent(true);
        canvas.Draw(glyphAt.x, glyphAt.y, *glyph_);
    }
    SetBkMode(canvas.Handle(), TRANSPARENT);
    SetTextColor(canvas.Handle(), ColorToRGB(enabled ? Font()->Color() : clGrayText));
    TextOutW(canvas.Handle(), textAt.x, textAt.y, text.c_str(), static_cast<int>(text.size()));
}

} // namespace ui
