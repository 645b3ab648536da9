#include "skin/controls/SkinCheckRadio.h"

#include "skin/data/SkinRecords.h"
#include "skin/data/WinSkinData.h"
#include "skin/draw/SkinDraw.h"
#include "ui/controls/Controls.h"
#include "ui/core/TypInfo.h"

namespace skin {

using namespace ui;

namespace {

constexpr int Grayed = 3;

} // namespace

int CheckFrameOf(const TCheckLook& look, int frameCount)
{
    if (frameCount == 12) {
        if (look.Mark == Grayed)
            return look.Enabled ? 9 : 12;
        static constexpr int twelve[] = {1, 5, 4, 8};  // unchecked, checked, disabled, checked disabled
        return twelve[look.Mark - 1 + (look.Enabled ? 0 : 2)];
    }
    // A grayed box shows frame 4 whether or not it is enabled: there is no
    // frame beyond it in a four-frame strip.
    if (look.Mark == Grayed)
        return 4;
    return look.Mark + (look.Enabled ? 0 : 2);
}

int RadioFrameOf(const TCheckLook& look, int frameCount)
{
    const int frame = look.Mark + (look.Enabled ? 0 : 2);
    if (frameCount == 8) {
        static constexpr int eight[] = {1, 5, 4, 8};
        return eight[frame - 1];
    }
    return frame;
}

// ---- TSkinMarkControl

bool TSkinMarkControl::Paints() const
{
    const TBitmap* strip = Strip();
    return strip && !strip->Empty();
}

bool TSkinMarkControl::BeforeMessage(TMessage& m)
{
    if (!TSkinControl::BeforeMessage(m))
        return false;
    switch (m.Msg) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
        if (!Paints())
            return true;
        PaintOnPaintMessage(m);
        return false;
    case WM_ERASEBKGND:
        if (!WantsTransparentBackground())
            return true;
        EraseWithParent(m);
        return false;
    default: return true;
    }
}

void TSkinMarkControl::AfterMessage(TMessage& m)
{
    switch (m.Msg) {
    // The native control draws straight to the screen when it is pressed,
    // checked or its keyboard cues change; the skin's face goes over it again.
    case BM_SETCHECK:
    case BM_SETSTATE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_UPDATEUISTATE: RedrawNow(); break;
    default: TSkinControl::AfterMessage(m); break;
    }
}

void TSkinMarkControl::PaintControl(HDC dc, const RECT& rect)
{
    if (!Paints())
        return;
    const TBitmap& strip = *Strip();
    const int frames = std::max(StripFrames(), 1);
    const int fw = strip.Width() / frames;
    const int fh = strip.Height();
    TFacePainter painter(dc, rect);
    const RECT& r = painter.Rect();
    RECT box{r.left, r.top + (RectHeight(r) - fh) / 2, r.left + fw, 0};
    RECT text = r;
    UINT flags = 0;
    const bool rightToLeft = TextFlagsFor(0) != 0;
    if (GetWindowLongPtrW(Handle, GWL_STYLE) & BS_LEFTTEXT) {
        box.right = r.right - RightInset();
        box.left = box.right - fw;
        text.right = box.left - 2;
        if (rightToLeft)
            flags = DT_RIGHT | DT_RTLREADING;
    } else {
        text.left = box.right + 2;
        if (rightToLeft)
            flags = DT_RTLREADING;
    }
    box.bottom = box.top + fh;

    if (WantsTransparentBackground()) {
        if (Control)
            PaintParentBackground(*Control, painter.Dc());
        else
            FillParentColour(painter.Dc(), r);
    } else {
        FillSkinColour(painter.Dc(), r);
    }
    DrawFrameStretched(painter.Dc(), box, const_cast<TBitmap&>(strip), frames, FrameNow(), true);
    DrawCaption(painter.Dc(), text, flags);
    painter.Show();
}

void TSkinMarkControl::DrawCaption(HDC dc, RECT text, UINT flags) const
{
    const std::wstring caption = CurrentCaption();
    SelectObject(dc, CurrentFont());
    TColor colour = Control ? Control->Font()->Color() : static_cast<TColor>(SkinData->Colours.ButtonText);
    if (!WindowEnabled())
        colour = DisabledTextColour(SkinData->Colours, colour, ColorToRGB);
    SetTextColor(dc, ColorToRGB(colour));
    SetBkMode(dc, TRANSPARENT);
    flags |= DT_WORDBREAK | DT_EXPANDTABS;
    RECT measured = text;
    DrawTextWide(dc, caption, measured, flags | DT_CALCRECT | DT_NOCLIP);
    OffsetRect(&text, 0, (RectHeight(text) - RectHeight(measured)) / 2);
    if (HasFocus() && !caption.empty())
        DrawFocusAroundText(dc, caption, flags, text);
    DrawTextWide(dc, caption, text, flags);
}

// ---- TSkinCheckBox

const TBitmap* TSkinCheckBox::Strip() const
{
    return SkinData && SkinData->Buttons ? SkinData->Buttons->CheckImage.get() : nullptr;
}

int TSkinCheckBox::StripFrames() const
{
    return SkinData->Buttons->CheckFrameCount;
}

void TSkinCheckBox::AfterMessage(TMessage& m)
{
    if (m.Msg == BM_SETCHECK)
        lastSetCheck_ = static_cast<int>(m.WParam) + 1;
    TSkinMarkControl::AfterMessage(m);
}

// The framework control's own State (or Checked) decides over the native
// state, which lags behind while the control changes it.
int TSkinCheckBox::FrameNow() const
{
    const auto native = static_cast<UINT>(SendMessageW(Handle, BM_GETSTATE, 0, 0));
    TCheckLook look{(native & BST_CHECKED) ? 2 : 1, WindowEnabled()};
    if (Control) {
        if (const std::string state = GetEnumPropByName(Control, "State"); !state.empty()) {
            if (state.find("uncheck") != std::string::npos)
                look.Mark = 1;
            else if (state.find("check") != std::string::npos)
                look.Mark = 2;
            else if (state.find("gray") != std::string::npos)
                look.Mark = Grayed;
        } else if (const std::string checked = GetEnumPropByName(Control, "Checked"); !checked.empty()) {
            look.Mark = checked == "true" ? 2 : 1;
        }
        if (IsPublishedProp(*Control, "DataField") && lastSetCheck_ != 0)
            look.Mark = lastSetCheck_;
    }
    if (native & BST_INDETERMINATE)
        look.Mark = Grayed;
    return CheckFrameOf(look, StripFrames());
}

// ---- TSkinRadioButton

const TBitmap* TSkinRadioButton::Strip() const
{
    return SkinData && SkinData->Buttons ? SkinData->Buttons->RadioImage.get() : nullptr;
}

int TSkinRadioButton::StripFrames() const
{
    return SkinData->Buttons->RadioFrameCount;
}

int TSkinRadioButton::FrameNow() const
{
    TCheckLook look{(SendMessageW(Handle, BM_GETCHECK, 0, 0) & BST_CHECKED) ? 2 : 1, WindowEnabled()};
    if (const std::string checked = GetEnumPropByName(Control, "Checked"); !checked.empty())
        look.Mark = checked == "true" ? 2 : 1;
    return RadioFrameOf(look, StripFrames());
}

} // namespace skin
