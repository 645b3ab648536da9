#include "skin/controls/SkinButtons.h"

#include "skin/data/SkinRecords.h"
#include "skin/data/WinSkinData.h"
#include "skin/draw/ImgUtil.h"
#include "skin/draw/SkinDraw.h"
#include "ui/controls/Controls.h"
#include "ui/graphics/ImgList.h"

#include <windowsx.h>

#include <algorithm>

namespace skin {

using namespace ui;

namespace {

// The first "||" of a caption stands for a line break.
std::wstring WithLineBreak(std::wstring caption)
{
    if (const auto at = caption.find(L"||"); at != std::wstring::npos)
        caption.replace(at, 2, L"\r\n");
    return caption;
}

bool HasButtonPicture(const TSkinData* data)
{
    return data && data->Buttons && data->Buttons->Image && !data->Buttons->Image->Empty();
}

// The glyph frame that goes with a face: pressed 3, disabled 2, else 1.
int GlyphFrameOf(TButtonFace face)
{
    switch (face) {
    case TButtonFace::Pressed: return 3;
    case TButtonFace::Disabled: return 2;
    default: return 1;
    }
}

} // namespace

TButtonFace ButtonFaceOf(unsigned mouseState, bool focusedOrDefault, bool enabled)
{
    if (!enabled)
        return TButtonFace::Disabled;
    if (mouseState & MousePressed)
        return TButtonFace::Pressed;
    if (mouseState & MouseHot)
        return TButtonFace::Hot;
    return focusedOrDefault ? TButtonFace::Focused : TButtonFace::Normal;
}

// ---- TSkinButton: messages

bool TSkinButton::BeforeMessage(TMessage& m)
{
    switch (m.Msg) {
    case WM_PAINT: PaintOnPaintMessage(m); return false;
    case WM_ERASEBKGND: m.Result = 1; return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // The native button never sees the press: it would capture the mouse
        // and paint its own pressed face.
        if (!HasFocus())
            SetFocus(Handle);
        Press();
        // The handler hears of the press as the control itself would tell
        // it: with the keys and buttons held (Shift, Ctrl, Alt) in Shift.
        if (Control)
            Control->OnMouseDown(Control, TMouseButton::mbLeft, ShiftStateFromMouse(m.WParam),
                                 GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
        return false;
    default: return TSkinControl::BeforeMessage(m);
    }
}

void TSkinButton::AfterMessage(TMessage& m)
{
    switch (m.Msg) {
    case WM_KEYDOWN:
        if (m.WParam == VK_SPACE)
            Press();
        break;
    case WM_KEYUP:
        if (m.WParam == VK_SPACE) {
            MouseState &= ~MousePressed;
            RedrawNow();
        }
        break;
    case WM_MOUSEMOVE:
        if (WindowEnabled() && !(MouseState & MouseHot)) {
            MouseState |= MouseHot;
            RedrawNow();
        }
        TrackMouseLeave(Handle);
        break;
    case WM_LBUTTONUP: Release(); break;
    case WM_MOUSELEAVE:
        MouseState = 0;
        RedrawNow();
        break;
    // The native button draws straight to the screen when its state, style
    // or keyboard cues change; the skin's face goes over it again.
    case BM_SETSTATE:
    case BM_SETSTYLE:
    case WM_UPDATEUISTATE:
    case CM_DIALOGKEY:
    case CM_FOCUSCHANGED: RedrawNow(); break;
    default: TSkinControl::AfterMessage(m); break;
    }
}

void TSkinButton::Press()
{
    MouseState |= MousePressed;
    RedrawNow();
}

// A release runs the click only when the press was on this button and the
// mouse has not left it since (leaving clears the pressed state).
void TSkinButton::Release()
{
    if (!(MouseState & MousePressed))
        return;
    MouseState &= ~MousePressed;
    RedrawNow();
    Click();
}

// The click goes the way the button's own would: a framework control gets
// the reflected notification, a bare button's parent the command.
void TSkinButton::Click()
{
    const auto id = static_cast<WORD>(GetDlgCtrlID(Handle));
    const WPARAM command = MAKEWPARAM(id, BN_CLICKED);
    if (Control)
        Control->Perform(CN_COMMAND, command, reinterpret_cast<LPARAM>(Handle));
    else if (HWND parent = GetParent(Handle))
        PostMessageW(parent, WM_COMMAND, command, reinterpret_cast<LPARAM>(Handle));
}

// ---- TSkinButton: painting

bool TSkinButton::IsDefaultButton() const
{
    if (Control)
        return GetEnumPropByName(Control, "Default") == "true";
    return (GetWindowLongPtrW(Handle, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

TButtonFace TSkinButton::CurrentFace() const
{
    return ButtonFaceOf(MouseState, HasFocus() || IsDefaultButton(), WindowEnabled());
}

bool TSkinButton::DrawsFocusRect() const
{
    return HasFocus() && !(SkinData->Options() & SetOf(xoNoFocusRect));
}

TButtonFace TSkinButton::PaintFace(HDC dc, const RECT& rect) const
{
    const TButtonFace face = CurrentFace();
    if (WantsTransparentBackground() && Control)
        PaintParentBackground(*Control, dc);
    else
        FillSkinColour(dc, rect);
    if (ShowsElement(face))
        DrawElement(dc, rect, ButtonFaceCount, static_cast<int>(face), *SkinData->Buttons);
    SelectCaptionFont(dc, face);
    return face;
}

TColor ButtonCaptionColour(const TSkinData& data, TColor own, TButtonFace face)
{
    const TDataSkinButton& b = *data.Buttons;
    TColor colour = own;
    // A disabled caption is measured against the normal one's colour.
    if ((face == TButtonFace::Normal || face == TButtonFace::Disabled) && b.HasNormalColour2)
        colour = b.NormalColour2;
    else if (face == TButtonFace::Hot && b.HasMouseOverColour2)
        colour = b.MouseOverColour2;
    else if (face == TButtonFace::Pressed && b.HasPressedColour2)
        colour = b.PressedColour2;
    if (face == TButtonFace::Disabled)
        colour = DisabledTextColour(data.Colours, colour, ColorToRGB);
    return colour;
}

void TSkinButton::SelectCaptionFont(HDC dc, TButtonFace face) const
{
    SelectObject(dc, CurrentFont());
    const TColor own = Control ? Control->Font()->Color() : static_cast<TColor>(SkinData->Colours.ButtonText);
    SetTextColor(dc, ColorToRGB(ButtonCaptionColour(*SkinData, own, face)));
}

void TSkinButton::DrawButtonCaption(HDC dc, const RECT& rect, std::wstring caption) const
{
    caption = WithLineBreak(std::move(caption));
    RECT r = rect;
    InflateRect(&r, -2, -2);
    SetBkMode(dc, TRANSPARENT);
    const UINT flags = DT_CENTER | DT_WORDBREAK | DT_EXPANDTABS;
    DrawTextWide(dc, caption, r, flags | DT_CALCRECT | DT_NOCLIP);
    OffsetRect(&r, -r.left, -r.top);
    OffsetRect(&r, (RectWidth(rect) - RectWidth(r)) / 2, (RectHeight(rect) - RectHeight(r)) / 2 - 1);
    DrawTextWide(dc, caption, r, TextFlagsFor(flags));
    SetBkMode(dc, OPAQUE);
    if (DrawsFocusRect()) {
        InflateRect(&r, 2, 2);
        ::DrawFocusRect(dc, &r);
    }
}

void TSkinButton::PaintControl(HDC dc, const RECT& rect)
{
    if (!HasButtonPicture(SkinData))
        return;
    TFacePainter painter(dc, rect);
    const TButtonFace face = PaintFace(painter.Dc(), painter.Rect());
    if (const TGlyphLook look = GlyphLookOf(); look.HasGlyph())
        DrawGlyphAndCaption(painter.Dc(), painter.Rect(), look, GlyphFrameOf(face), 0);
    else
        DrawButtonCaption(painter.Dc(), painter.Rect(), CurrentCaption());
    painter.Show();
}

// ---- TSkinMenuButton

TButtonFace TSkinMenuButton::CurrentFace() const
{
    return ButtonFaceOf(HasFocus() ? MouseState | MouseHot : MouseState, false, WindowEnabled());
}

void MenuArrowCorners(SIZE button, POINT (&corners)[3])
{
    const int middle = button.cy / 2 + 2;
    corners[0] = {button.cx - 12, middle};
    corners[1] = {button.cx - 15, middle - 3};
    corners[2] = {button.cx - 9, middle - 3};
}

void TSkinMenuButton::PaintControl(HDC dc, const RECT& rect)
{
    if (!HasButtonPicture(SkinData))
        return;
    TFacePainter painter(dc, rect);
    HDC face = painter.Dc();
    const TButtonFace look = PaintFace(face, painter.Rect());
    const int width = RectWidth(rect), height = RectHeight(rect);
    const std::wstring caption = WithLineBreak(CurrentCaption());
    RECT text{2, 2, width - MenuArrowRoom - 2, height - 2};
    if (caption.empty())
        text = {};
    else
        DrawTextWide(face, caption, text, DT_CALCRECT | DT_WORDBREAK);
    const int tw = RectWidth(text), th = RectHeight(text);
    text.left = (width - MenuArrowRoom - tw) / 2 + 2;
    text.top = (height - th + 1) / 2;
    text.right = text.left + tw;
    text.bottom = text.top + th;

    const COLORREF ink = ColorToRGB(look == TButtonFace::Disabled
                                        ? DisabledTextColour(SkinData->Colours, clWindowText, ColorToRGB)
                                        : clWindowText);
    const TBrushHandle brush(CreateSolidBrush(ink));
    const TPenHandle pen(CreatePen(PS_SOLID, 1, ink));
    const HGDIOBJ oldBrush = SelectObject(face, brush.Get());
    const HGDIOBJ oldPen = SelectObject(face, pen.Get());
    POINT arrow[3];
    MenuArrowCorners({width, height}, arrow);
    Polygon(face, arrow, 3);
    SelectObject(face, oldPen);
    SelectObject(face, oldBrush);
    if (!caption.empty()) {
        SetBkMode(face, TRANSPARENT);
        DrawTextWide(face, caption, text, DT_WORDBREAK);
        SetBkMode(face, OPAQUE);
        if (DrawsFocusRect()) {
            InflateRect(&text, 2, 2);
            ::DrawFocusRect(face, &text);
        }
    }
    painter.Show();
}

// ---- TSkinBitButton

void DrawGlyphFrame(HDC dc, POINT at, int numGlyphs, int frame, const TBitmap& glyph)
{
    numGlyphs = std::max(numGlyphs, 1);
    // A glyph without a disabled frame shows its first one greyed.
    const bool greyed = frame == 2;
    if (numGlyphs < frame)
        frame = 1;
    const int width = glyph.Width() / numGlyphs;
    if (width <= 0 || glyph.Height() <= 0)
        return;
    TBitmap piece(width, glyph.Height());
    BitBlt(piece.Canvas()->Handle(), 0, 0, width, glyph.Height(), const_cast<TBitmap&>(glyph).Canvas()->Handle(),
           width * (frame - 1), 0, SRCCOPY);
    if (greyed)
        Greyscale(piece);
    const RECT place{at.x, at.y, at.x + width, at.y + glyph.Height()};
    TransparentBlit(dc, place, piece, piece.Canvas()->Pixel(0, glyph.Height() - 1));
}

namespace {

// The image-list picture of a look at `at`: disabled, the disabled picture,
// or without one the enabled picture greyed.
void DrawListImage(HDC dc, POINT at, const TGlyphLook& look, bool disabled)
{
    TCanvas canvas;
    const TCanvasAttachment attached(canvas, dc);
    if (disabled && look.DisabledIndex != -1)
        look.Images->Draw(&canvas, at.x, at.y, look.DisabledIndex);
    else
        look.Images->Draw(&canvas, at.x, at.y, look.ImageIndex, !disabled);
}

TGlyphLayout GlyphLayoutOf(const std::string& name)
{
    if (name == "blglyphright")
        return TGlyphLayout::Right;
    if (name == "blglyphtop")
        return TGlyphLayout::Top;
    if (name == "blglyphbottom")
        return TGlyphLayout::Bottom;
    return TGlyphLayout::Left;
}

} // namespace

TGlyphPlacement PlaceGlyph(TGlyphLayout layout, SIZE client, SIZE glyph, SIZE text, int margin, int spacing,
                           bool centred, int centringShift)
{
    TGlyphPlacement p;
    const bool across = layout == TGlyphLayout::Left || layout == TGlyphLayout::Right;
    if (across) {
        p.Glyph.y = (client.cy - glyph.cy + 1) / 2;
        p.Text.y = (client.cy - text.cy + 1) / 2;
    } else {
        p.Glyph.x = (client.cx - glyph.cx + 1) / 2;
        p.Text.x = (client.cx - text.cx + 1) / 2;
    }
    if (text.cx == 0 || glyph.cx == 0)
        spacing = 0;
    const auto along = [across](SIZE s) { return across ? s.cx : s.cy; };
    const int room = along(client);
    if (margin == -1 || centred) {
        if (spacing == -1) {
            margin = (room - (along(glyph) + along(text))) / 3;
            spacing = margin;
        } else {
            margin = (room - (along(glyph) + spacing + along(text))) / 2 + (centred ? 0 : centringShift);
        }
    } else if (spacing == -1) {
        spacing = (room - (margin + along(glyph)) - along(text)) / 2;
    }
    switch (layout) {
    case TGlyphLayout::Left:
        p.Glyph.x = margin;
        p.Text.x = margin + glyph.cx + spacing;
        break;
    case TGlyphLayout::Right:
        p.Glyph.x = client.cx - margin - glyph.cx;
        p.Text.x = p.Glyph.x - spacing - text.cx;
        p.Flags |= DT_RIGHT;
        break;
    case TGlyphLayout::Top:
        p.Glyph.y = margin;
        p.Text.y = margin + glyph.cy + spacing;
        p.Flags |= DT_CENTER;
        break;
    case TGlyphLayout::Bottom:
        p.Glyph.y = client.cy - margin - glyph.cy;
        p.Text.y = p.Glyph.y - spacing - text.cy;
        p.Flags |= DT_CENTER;
        break;
    }
    return p;
}


SIZE TGlyphLook::GlyphSize() const
{
    if (HasBitmap())
        return {Glyph->Width() / NumGlyphs, Glyph->Height()};
    if (HasListImage())
        return {Images->Width(), Images->Height()};
    return {0, 0};
}

TGlyphLook TSkinButton::GlyphLookOf() const
{
    TGlyphLook look;
    look.Glyph = dynamic_cast<const TBitmap*>(GetObjectPropByName(Control, "Glyph"));
    look.NumGlyphs = std::max(GetIntPropByName(Control, "NumGlyphs"), 1);
    look.Images = dynamic_cast<const TImageList*>(GetObjectPropByName(Control, "Images"));
    look.ImageIndex = GetIntPropByName(Control, "ImageIndex");
    look.DisabledIndex = GetIntPropByName(Control, "DisabledIndex");
    look.Layout = GlyphLayoutOf(GetEnumPropByName(Control, "Layout"));
    look.Margin = GetIntPropByName(Control, "Margin");
    look.Spacing = GetIntPropByName(Control, "Spacing");
    look.Centred = GetEnumPropByName(Control, "Alignment") == "tacenter";
    return look;
}

void TSkinButton::DrawGlyphAndCaption(HDC dc, const RECT& rect, const TGlyphLook& look, int frame,
                                      int centringShift) const
{
    const SIZE glyphSize = look.GlyphSize();
    const std::wstring caption = WithLineBreak(CurrentCaption());
    RECT box = rect;
    InflateRect(&box, -2, -2);
    if (look.Layout == TGlyphLayout::Left || look.Layout == TGlyphLayout::Right)
        box.right -= glyphSize.cx + 2;
    else
        box.bottom -= glyphSize.cy + 2;
    SIZE textSize{0, 0};
    if (!caption.empty()) {
        DrawTextWide(dc, caption, box, DT_CALCRECT | DT_WORDBREAK);
        textSize = {RectWidth(box), RectHeight(box)};
    }
    const SIZE client{RectWidth(rect), RectHeight(rect)};
    const TGlyphPlacement place = PlaceGlyph(look.Layout, client, glyphSize, textSize, look.Margin, look.Spacing,
                                             look.Centred, centringShift);
    if (look.HasBitmap())
        DrawGlyphFrame(dc, place.Glyph, look.NumGlyphs, frame, *look.Glyph);
    else if (look.HasListImage())
        DrawListImage(dc, place.Glyph, look, frame == GlyphFrameOf(TButtonFace::Disabled));
    RECT text{place.Text.x, place.Text.y, place.Text.x + textSize.cx, place.Text.y + textSize.cy};
    SetBkMode(dc, TRANSPARENT);
    if (!caption.empty()) {
        DrawTextWide(dc, caption, text, TextFlagsFor(place.Flags));
        SetBkMode(dc, OPAQUE);
        if (DrawsFocusRect()) {
            InflateRect(&text, 2, 2);
            ::DrawFocusRect(dc, &text);
        }
    }
}

void TSkinBitButton::PaintControl(HDC dc, const RECT& rect)
{
    if (!HasButtonPicture(SkinData))
        return;
    TFacePainter painter(dc, rect);
    const TButtonFace face = PaintFace(painter.Dc(), painter.Rect());
    DrawGlyphAndCaption(painter.Dc(), painter.Rect(), GlyphLookOf(), GlyphFrameOf(face), 0);
    painter.Show();
}

// ---- TSkinSpeedButton

bool TSkinSpeedButton::IsDown() const
{
    return GetEnumPropByName(Control, "Down") == "true";
}

// Down shows the pressed face, before disabled; the mouse's faces follow.
TButtonFace TSkinSpeedButton::CurrentFace() const
{
    if (IsDown())
        return TButtonFace::Pressed;
    if (!Control->Enabled())
        return TButtonFace::Disabled;
    if (MouseState & MousePressed)
        return TButtonFace::Pressed;
    return MouseState & MouseHot ? TButtonFace::Hot : TButtonFace::Normal;
}

bool TSkinSpeedButton::ShowsElement(TButtonFace face) const
{
    return face == TButtonFace::Pressed || face == TButtonFace::Hot || GetEnumPropByName(Control, "Flat") != "true";
}

void TSkinSpeedButton::RedrawNow()
{
    if (!Control)
        return;
    Control->Invalidate();
    if (TWinControl* parent = Control->Parent(); parent && parent->HandleAllocated())
        UpdateWindow(parent->Handle());
}

// The button keeps its own press and release (its click, its group and
// Down); the skinner only follows them for the face.
bool TSkinSpeedButton::BeforeMessage(TMessage& m)
{
    switch (m.Msg) {
    case WM_PAINT:
        if (!m.WParam)
            return true;
        PaintSpeedButton(reinterpret_cast<HDC>(m.WParam));
        m.Result = 1;
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        CallPrevious(m);
        MouseState |= MousePressed;
        RedrawNow();
        return false;
    default: return TSkinControl::BeforeMessage(m);
    }
}

void TSkinSpeedButton::AfterMessage(TMessage& m)
{
    switch (m.Msg) {
    case WM_LBUTTONUP:
        MouseState &= ~MousePressed;
        RedrawNow();
        break;
    case CM_MOUSEENTER:
        if (Control->Enabled())
            MouseState |= MouseHot;
        RedrawNow();
        break;
    case CM_MOUSELEAVE:
        MouseState = 0;
        if (Control->Visible())
            RedrawNow();
        break;
    default: break;
    }
}

void TSkinSpeedButton::PaintSpeedButton(HDC dc)
{
    const RECT rect = Control->ClientRect();
    if (painting_ || !HasButtonPicture(SkinData) || RectWidth(rect) < 1 || RectHeight(rect) < 1)
        return;
    painting_ = true;
    try {
        TFacePainter painter(dc, rect);
        const TButtonFace face = PaintFace(painter.Dc(), painter.Rect());
        const TGlyphLook look = GlyphLookOf();
        if (look.HasGlyph())
            DrawGlyphAndCaption(painter.Dc(), painter.Rect(), look, IsDown() ? 4 : GlyphFrameOf(face), 1);
        else
            DrawButtonCaption(painter.Dc(), painter.Rect(), CurrentCaption());
        painter.Show();
    } catch (...) {
    }
    painting_ = false;
}

} // namespace skin
