#include "ui/controls/Buttons.h"

#include <windowsx.h>

#include <algorithm>

namespace ui {

namespace {

const std::vector<std::string> LayoutNames = {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"};

// Picture n (1-based) of a strip of count pictures of equal width; the first
// when the strip has fewer. The copy is drawn transparent (its bottom-left
// pixel's colour is left out).
std::unique_ptr<TBitmap> GlyphFrame(TBitmap& strip, int count, int n)
{
    auto frame = std::make_unique<TBitmap>();
    if (strip.Empty())
        return frame;
    count = std::max(count, 1);
    if (n > count)
        n = 1;
    const int w = strip.Width() / count;
    frame->SetSize(w, strip.Height());
    frame->Canvas()->CopyRect({0, 0, w, strip.Height()}, *strip.Canvas(),
                              {(n - 1) * w, 0, n * w, strip.Height()});
    frame->SetTransparent(true);
    return frame;
}

// What a button shows inside its edge: a picture and a caption laid out as
// one block.
struct TButtonContent {
    TBitmap& Glyph;
    const std::wstring& Text;
    TButtonLayout Layout;
    int Margin;   // from the side of the picture; -1 centres the block
    int Spacing;  // between picture and caption
};

// Lays out picture and caption as one block centred in r (or from Margin),
// the picture on the side Layout names, Spacing pixels between them.
void DrawButtonContent(TCanvas& canvas, RECT r, const TButtonContent& c, TFont& font, bool enabled)
{
    TSavedDC saved(canvas.Handle());
    saved.Select(font.Handle());
    SIZE ts{0, 0};
    if (!c.Text.empty())
        GetTextExtentPoint32W(canvas.Handle(), c.Text.c_str(), static_cast<int>(c.Text.size()), &ts);
    const SIZE gs{c.Glyph.Width(), c.Glyph.Height()};
    const bool horizontal = c.Layout == TButtonLayout::blGlyphLeft || c.Layout == TButtonLayout::blGlyphRight;
    const int gap = (gs.cx && ts.cx) ? c.Spacing : 0;
    const int blockW = horizontal ? gs.cx + gap + ts.cx : std::max(gs.cx, ts.cx);
    const int blockH = horizontal ? std::max(gs.cy, ts.cy) : gs.cy + gap + ts.cy;
    const int w = r.right - r.left, h = r.bottom - r.top;
    const int x = r.left + (c.Margin >= 0 && horizontal ? c.Margin : (w - blockW) / 2);
    const int y = r.top + (c.Margin >= 0 && !horizontal ? c.Margin : (h - blockH) / 2);
    POINT glyphAt{}, textAt{};
    switch (c.Layout) {
    case TButtonLayout::blGlyphLeft: glyphAt = {x, r.top + (h - gs.cy) / 2}, textAt = {x + gs.cx + gap, r.top + (h - ts.cy) / 2}; break;
    case TButtonLayout::blGlyphRight: textAt = {x, r.top + (h - ts.cy) / 2}, glyphAt = {x + ts.cx + gap, r.top + (h - gs.cy) / 2}; break;
    case TButtonLayout::blGlyphTop: glyphAt = {r.left + (w - gs.cx) / 2, y}, textAt = {r.left + (w - ts.cx) / 2, y + gs.cy + gap}; break;
    case TButtonLayout::blGlyphBottom: textAt = {r.left + (w - ts.cx) / 2, y}, glyphAt = {r.left + (w - gs.cx) / 2, y + ts.cy + gap}; break;
    }
    if (!c.Glyph.Empty())
        canvas.Draw(glyphAt.x, glyphAt.y, c.Glyph);
    SetBkMode(canvas.Handle(), TRANSPARENT);
    SetTextColor(canvas.Handle(), ColorToRGB(enabled ? font.Color() : clGrayText));
    TextOutW(canvas.Handle(), textAt.x, textAt.y, c.Text.c_str(), static_cast<int>(c.Text.size()));
}

} // namespace

// ---- TBitBtn

const TClassInfo& TBitBtn::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TBitBtn>("TBitBtn", &TButton::StaticClass())
                                       .Object("Glyph", &TBitBtn::Glyph, &TBitBtn::SetGlyph)
                                       .Enum("Layout", LayoutNames, &TBitBtn::Layout, &TBitBtn::SetLayout)
                                       .Int("Spacing", &TBitBtn::Spacing, &TBitBtn::SetSpacing)
                                       .Int("Margin", &TBitBtn::Margin, &TBitBtn::SetMargin)
                                       .Int("NumGlyphs", &TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs)
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

void TBitBtn::SetNumGlyphs(int count)
{
    numGlyphs_ = std::clamp(count, 1, 4);
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
    if (pressed)
        OffsetRect(&r, 1, 1);
    const auto glyph = GlyphFrame(*glyph_, numGlyphs_, !enabled ? 2 : pressed ? 3 : 1);
    const std::wstring text = Caption();
    DrawButtonContent(canvas, r, {*glyph, text, layout_, margin_, spacing_}, *Font(), enabled);
    if (focused) {
        RECT f = item.rcItem;
        InflateRect(&f, -4, -4);
        DrawFocusRect(dc, &f);
    }
}

// ---- TSpeedButton

const TClassInfo& TSpeedButton::StaticClass()
{
    using B = TSpeedButton;
    static const TClassInfo info = TClassBuilder<B>("TSpeedButton", &TGraphicControl::StaticClass())
                                       .Int("GroupIndex", &B::GroupIndex, &B::SetGroupIndex)
                                       .Bool("Down", &B::Down, &B::SetDown)
                                       .Bool("AllowAllUp", &B::AllowAllUp, &B::SetAllowAllUp)
                                       .Bool("Flat", &B::Flat, &B::SetFlat)
                                       .Object("Glyph", &B::Glyph, &B::SetGlyph)
                                       .Int("NumGlyphs", &B::NumGlyphs, &B::SetNumGlyphs)
                                       .Enum("Layout", LayoutNames, &B::Layout, &B::SetLayout)
                                       .Int("Spacing", &B::Spacing, &B::SetSpacing)
                                       .Int("Margin", &B::Margin, &B::SetMargin)
                                       .Creatable()
                                       .Done();
    return info;
}

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner), glyph_(std::make_unique<TBitmap>())
{
    SetBounds(0, 0, 23, 22);
    SetParentColor(true);
    glyph_->OnChange = TNotifyEvent([this](TObject*) { Invalidate(); });
}

void TSpeedButton::SetGroupIndex(int index)
{
    groupIndex_ = index;
    if (index == 0 && !Loading())
        SetDown(false);
}

// Outside a group a button does not stay down; inside one without
// AllowAllUp the button that is down stays down until another goes down.
// While a form is read the stored value is taken as it is and checked in
// Loaded, since GroupIndex may come later.
void TSpeedButton::SetDown(bool down)
{
    if (!Loading()) {
        if (groupIndex_ == 0)
            down = false;
        else if (!down && !allowAllUp_)
            return;  // the group keeps its button down
    }
    if (down == down_)
        return;
    down_ = down;
    if (down_ && !Loading())
        GroupButtonDown();
    Invalidate();
}

void TSpeedButton::SetAllowAllUp(bool on)
{
    allowAllUp_ = on;
}

void TSpeedButton::SetFlat(bool on)
{
    flat_ = on;
    Invalidate();
}

void TSpeedButton::SetGlyph(TBitmap* glyph)
{
    glyph_->Assign(*glyph);
    Invalidate();
}

void TSpeedButton::SetNumGlyphs(int count)
{
    numGlyphs_ = std::clamp(count, 1, 4);
    Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout layout)
{
    layout_ = layout;
    Invalidate();
}

void TSpeedButton::SetSpacing(int spacing)
{
    spacing_ = spacing;
    Invalidate();
}

void TSpeedButton::SetMargin(int margin)
{
    margin_ = margin;
    Invalidate();
}

void TSpeedButton::Loaded()
{
    TGraphicControl::Loaded();
    if (groupIndex_ == 0)
        down_ = false;
    else if (down_)
        GroupButtonDown();
}

void TSpeedButton::GroupButtonDown()
{
    if (!Parent() || groupIndex_ == 0)
        return;
    for (int i = 0; i < Parent()->ControlCount(); ++i)
        if (TControl* other = Parent()->Controls(i); other != this)
            other->Perform(CM_BUTTONPRESSED, static_cast<WPARAM>(groupIndex_), reinterpret_cast<LPARAM>(this));
}

void TSpeedButton::Click()
{
    if (groupIndex_ != 0 && (!down_ || allowAllUp_)) {
        down_ = !down_;
        if (down_)
            GroupButtonDown();
        Invalidate();
    }
    TGraphicControl::Click();
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == TMouseButton::mbLeft) {
        tracking_ = pressed_ = true;
        Invalidate();
    }
    TGraphicControl::MouseDown(button, shift, x, y);
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == TMouseButton::mbLeft && tracking_) {
        tracking_ = pressed_ = false;
        Invalidate();
    }
    TGraphicControl::MouseUp(button, shift, x, y);
}

void TSpeedButton::Dispatch(TMessage& m)
{
    switch (m.Msg) {
    case WM_MOUSEMOVE:
        // Held down, the button looks pressed only while the mouse is over it.
        if (tracking_) {
            const POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
            const bool inside = p.x >= 0 && p.y >= 0 && p.x < Width() && p.y < Height();
            if (inside != pressed_) {
                pressed_ = inside;
                Invalidate();
            }
        }
        break;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        hot_ = m.Msg == CM_MOUSEENTER && Enabled();
        if (flat_)
            Invalidate();
        break;
    case CM_BUTTONPRESSED:
        if (static_cast<int>(m.WParam) == groupIndex_ && reinterpret_cast<TControl*>(m.LParam) != this && down_) {
            down_ = false;
            Invalidate();
        }
        break;
    default: break;
    }
    TGraphicControl::Dispatch(m);
}

// The face: the button's colour, a raised edge (a sunken one while pressed
// or down; a flat button shows a thin one only under the mouse or while
// down), then picture and caption, moved by a pixel while pressed or down.
void TSpeedButton::Paint()
{
    TCanvas& c = *Canvas();
    RECT r = ClientRect();
    c.Brush()->SetColor(flat_ ? Color() : clBtnFace);
    c.Brush()->SetStyle(TBrushStyle::bsSolid);
    c.FillRect(r);
    const bool sunken = pressed_ || down_;
    if (!flat_)
        DrawEdge(c.Handle(), &r, sunken ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
    else if (sunken || hot_)
        DrawEdge(c.Handle(), &r, sunken ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
    if (sunken)
        OffsetRect(&r, 1, 1);
    const int frame = !Enabled() ? 2 : down_ && !pressed_ ? 4 : pressed_ ? 3 : 1;
    const auto glyph = GlyphFrame(*glyph_, numGlyphs_, frame);
    const std::wstring text = Caption();
    DrawButtonContent(c, r, {*glyph, text, layout_, margin_, spacing_}, *Font(), Enabled());
}

} // namespace ui
