#include "skin/controls/SkinControl.h"

#include "skin/data/WinSkinData.h"
#include "skin/draw/SkinDraw.h"
#include "skin/window/SkinManage.h"
#include "skin/window/SkinMessages.h"
#include "skin/window/WindowHooks.h"
#include "skin/window/WinSkinForm.h"
#include "ui/controls/Controls.h"
#include "ui/core/TypInfo.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace skin {

using namespace ui;

TSkinControl::TSkinControl(TComponent* owner) : TComponent(owner) {}

TSkinControl::~TSkinControl()
{
    *alive_ = false;
    hook_.reset();
    if (subclass_)
        subclass_->Restore();
    subclass_.reset();
    if (FormSkin)
        FormSkin->RemoveSkinner(this);
}

// ---- Attach

void TSkinControl::Attach(TWinSkinForm& form, TSkinData& skinData)
{
    FormSkin = &form;
    SkinData = &skinData;
    form.AddSkinner(this);
}

void TSkinControl::InitControl(TWinSkinForm& form, TSkinData& skinData, bool takeColour)
{
    AttachControl(form, skinData, takeColour, true);
}

void TSkinControl::AttachControl(TWinSkinForm& form, TSkinData& skinData, bool takeColour, bool hookMessages)
{
    auto* control = dynamic_cast<TControl*>(Owner());
    if (attached_ || !control)
        return;
    Control = control;
    if (auto* windowed = dynamic_cast<TWinControl*>(control))
        Handle = windowed->Handle();
    TakeColour = takeColour;
    if (hookMessages)
        hook_ = std::make_unique<TWindowProcHook>(*control, "skin control",
                                                  [this](TMessage& m) { SkinWindowProc(m); });
    Attach(form, skinData);
    if (takeColour) {
        savedColor_ = control->Color();
        control->SetColor(ButtonFace());
    }
    control->Invalidate();
    attached_ = true;
    SkinState = StateAttached;
}

void TSkinControl::InitWindow(HWND window, TSkinData& skinData, TWinSkinForm& form)
{
    if (attached_)
        return;
    Handle = window;
    Variant = 0;
    subclass_ = std::make_unique<TWindowSubclass>(window, TSubclassKind::SkinControl,
                                                  [this](UINT msg, WPARAM wParam, LPARAM lParam) {
                                                      TMessage m{msg, wParam, lParam, 0};
                                                      SkinWindowProc(m);
                                                      return m.Result;
                                                  });
    Attach(form, skinData);
    InvalidateRect(window, nullptr, TRUE);
    attached_ = true;
    SkinState = StateAttached;
}

void TSkinControl::RestoreControl()
{
    if (TakeColour && Control)
        Control->SetColor(savedColor_);
}

void TSkinControl::RefreshSkin()
{
    if (TakeColour && Control)
        Control->SetColor(ButtonFace());
    RedrawNow();
}

void TSkinControl::RedrawNow()
{
    if (Handle && IsWindow(Handle))
        RedrawWindow(Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

// ---- Messages

void TSkinControl::SkinEnabledChanged()
{
    if (SkinEnabled)
        RedrawNow();
    else if (Handle)  // the control paints itself again at once
        InvalidateRect(Handle, nullptr, TRUE);
}

void TSkinControl::SkinWindowProc(TMessage& m)
{
    if (m.Msg == WM_SKINENABLE) {
        SkinEnabled = m.WParam > 0;
        SkinEnabledChanged();
        return;
    }
    if (!SkinEnabled) {
        CallPrevious(m);
        return;
    }
    if (BeforeMessage(m)) {
        // The previous handling may run a nested message loop (the system's
        // scroll bar tracking does) in which the control and its skinner
        // are freed; then there is no one left to look at the result.
        const std::shared_ptr<bool> alive = AliveFlag();
        CallPrevious(m);
        if (*alive)
            AfterMessage(m);
    }
}

void TSkinControl::CallPrevious(TMessage& m)
{
    if (hook_)
        hook_->CallPrevious(m);
    else if (subclass_)
        m.Result = subclass_->CallOld(m.Msg, m.WParam, m.LParam);
}

bool TSkinControl::BeforeMessage(TMessage& m)
{
    switch (m.Msg) {
    case WM_NCDESTROY:
        CallPrevious(m);
        SkinEnabled = false;
        SkinState = StateClosed;
        RestoreControl();
        return false;
    case WM_SKINQUERY: m.Result = 1; return false;
    default: return true;
    }
}

void TSkinControl::AfterMessage(TMessage& m)
{
    switch (m.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case CM_ENABLEDCHANGED: RedrawNow(); break;
    case WM_PAINT: PaintWindow(reinterpret_cast<HDC>(m.WParam)); break;
    default: break;
    }
}

// ---- Painting

void TSkinControl::PaintWindow(HDC dc)
{
    if (!Handle || !GetWindowRect(Handle, &WindowRect))
        return;
    RECT rect{0, 0, RectWidth(WindowRect), RectHeight(WindowRect)};
    // A failed paint leaves the window as it was; painting never raises
    // out of the message handling.
    try {
        if (dc) {
            PaintControl(dc, rect);
        } else if (HDC own = GetWindowDC(Handle)) {
            PaintControl(own, rect);
            ReleaseDC(Handle, own);
        }
    } catch (...) {
    }
}

void TSkinControl::PaintOnPaintMessage(TMessage& m)
{
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    PAINTSTRUCT ps{};
    if (!dc)
        dc = BeginPaint(Handle, &ps);
    if (GetWindowRect(Handle, &WindowRect)) {
        const RECT rect{0, 0, RectWidth(WindowRect), RectHeight(WindowRect)};
        try {
            PaintControl(dc, rect);
        } catch (...) {
        }
    }
    if (!m.WParam)
        EndPaint(Handle, &ps);
    m.Result = 0;
}

bool TSkinControl::TakeOverPaint(TMessage& m)
{
    switch (m.Msg) {
    case WM_PAINT: PaintOnPaintMessage(m); return false;
    case WM_ERASEBKGND: m.Result = 1; return false;
    default: return true;
    }
}

void TSkinControl::EraseWithParent(TMessage& m)
{
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    if (Control) {
        PaintParentBackground(*Control, dc);
    } else {
        RECT client{};
        GetClientRect(Handle, &client);
        FillParentColour(dc, client);
    }
    m.Result = 1;
}

std::wstring TSkinControl::CurrentCaption() const
{
    return Control ? Control->Caption() : GetWindowTextWide(Handle);
}

HFONT TSkinControl::CurrentFont() const
{
    if (Control)
        return Control->Font()->Handle();
    return reinterpret_cast<HFONT>(SendMessageW(Handle, WM_GETFONT, 0, 0));
}

bool TSkinControl::WindowEnabled() const
{
    return (GetWindowLongPtrW(Handle, GWL_STYLE) & WS_DISABLED) == 0;
}

UINT TSkinControl::TextFlagsFor(UINT flags) const
{
    const bool rightToLeft =
        Control ? Control->UseRightToLeftReading() : (GetWindowLongPtrW(Handle, GWL_EXSTYLE) & WS_EX_RTLREADING) != 0;
    return rightToLeft ? flags | DT_RTLREADING : flags;
}

void TSkinControl::DrawFocusAroundText(HDC dc, const std::wstring& text, UINT flags, const RECT& rect) const
{
    RECT t = rect;
    DrawTextWide(dc, text, t, flags | DT_CALCRECT | DT_NOCLIP);
    if (flags & DT_CENTER)
        OffsetRect(&t, (RectWidth(rect) - RectWidth(t)) / 2, (RectHeight(rect) - RectHeight(t)) / 2 - 1);
    else if (flags & DT_RIGHT)
        OffsetRect(&t, RectWidth(rect) - RectWidth(t), 0);
    InflateRect(&t, 2, 1);
    IntersectRect(&t, &t, &rect);
    ::DrawFocusRect(dc, &t);
}

TColor TSkinControl::ButtonFace() const
{
    return SkinData ? SkinData->Colours.ButtonFace : clBtnFace;
}

void TSkinControl::FillSkinColour(HDC dc, const RECT& rect) const
{
    const TBrushHandle brush(CreateSolidBrush(ColorToRGB(ButtonFace())));
    FillRect(dc, &rect, brush.Get());
}

void TSkinControl::FillParentColour(HDC dc, const RECT& rect) const
{
    TColor colour = ButtonFace();
    if (Control && Control->Parent())
        colour = Control->Parent()->Color();
    const TBrushHandle brush(CreateSolidBrush(ColorToRGB(colour)));
    FillRect(dc, &rect, brush.Get());
}

bool TSkinControl::WantsTransparentBackground() const
{
    if (Control && Control->Tag() == ParentPictureTag)
        return true;
    return SkinData && (SkinData->Options() & SetOf(xoTransparent)) != 0;
}

// The image and the text side by side, placed together by the alignment
// and each centred upright.
void TSkinControl::DrawImageAndText(HDC dc, const RECT& rect, UINT alignment, const std::wstring& text,
                                    HIMAGELIST images, int image) const
{
    int cx = 0, cy = 0;
    if (images)
        ImageList_GetIconSize(images, &cx, &cy);
    const bool withImage = image != -1 && images && cx < RectWidth(rect);
    if (!withImage)
        cx = cy = 0;
    constexpr UINT flags = DT_END_ELLIPSIS | DT_WORDBREAK | DT_EXPANDTABS;
    RECT t = rect;
    if (withImage)
        t.right -= cx + 2;
    DrawTextWide(dc, text, t, flags | DT_CALCRECT | DT_NOCLIP);
    const int width = RectWidth(t), height = RectHeight(t);
    int offset = 3;
    if (alignment == DT_CENTER)
        offset = (RectWidth(rect) - cx - width) / 2;
    else if (alignment == DT_RIGHT)
        offset = RectWidth(rect) - cx - width - 2;
    offset = std::max(offset, 1);
    if (withImage)
        ImageList_Draw(images, image, dc, rect.left + offset, rect.top + (RectHeight(rect) - cy) / 2, ILD_TRANSPARENT);
    t.left = std::max(rect.left + offset + cx, rect.left);
    t.right = std::min(t.left + width, rect.right);
    t.top = rect.top + (RectHeight(rect) - height) / 2;
    t.bottom = t.top + height;
    DrawTextWide(dc, text, t, TextFlagsFor(flags));
}

// ---- Helpers of the skinner families

namespace {

const TPropInfo* PropOfKind(const TObject* object, std::string_view name, std::initializer_list<TTypeKind> kinds)
{
    const TPropInfo* info = object ? FindPropInfo(*object, name) : nullptr;
    if (!info)
        return nullptr;
    for (TTypeKind kind : kinds)
        if (info->Kind == kind)
            return info;
    return nullptr;
}

} // namespace

int GetIntPropByName(const TObject* object, std::string_view name)
{
    return PropOfKind(object, name, {TTypeKind::Integer}) ? static_cast<int>(GetOrdProp(*object, name)) : -1;
}

std::string GetEnumPropByName(const TObject* object, std::string_view name)
{
    if (!PropOfKind(object, name, {TTypeKind::Enumeration}))
        return {};
    std::string value = GetEnumProp(*object, name);
    for (char& c : value)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return value;
}

TPersistent* GetObjectPropByName(const TObject* object, std::string_view name)
{
    return PropOfKind(object, name, {TTypeKind::Class}) ? GetObjectProp(*object, name) : nullptr;
}

void SetPropByName(TObject* object, std::string_view name, const std::string& text)
{
    const TPropInfo* info = object ? FindPropInfo(*object, name) : nullptr;
    if (!info)
        return;
    try {
        switch (info->Kind) {
        case TTypeKind::Integer: {
            std::int64_t value = 0;
            const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
            if (error == std::errc() && end == text.data() + text.size())
                SetOrdProp(*object, name, value);
            break;
        }
        case TTypeKind::Enumeration: SetEnumProp(*object, name, text); break;
        case TTypeKind::AnsiString: SetAnsiProp(*object, name, text); break;
        case TTypeKind::WideString: SetWideProp(*object, name, std::wstring(text.begin(), text.end())); break;
        default: break;
        }
    } catch (const EPropertyError&) {
        // an enumeration without that value
    }
}

RECT StripFrame(const TBitmap& strip, int count, int frame)
{
    const int width = strip.Width() / std::max(count, 1);
    return {width * (frame - 1), 0, width * frame, strip.Height()};
}

TFacePainter::TFacePainter(HDC target, const RECT& rect)
    : target_(target), rect_(rect), local_{0, 0, RectWidth(rect), RectHeight(rect)}, face_(RectWidth(rect), RectHeight(rect))
{
}

void TFacePainter::Show()
{
    BitBlt(target_, rect_.left, rect_.top, local_.right, local_.bottom, Dc(), 0, 0, SRCCOPY);
}

} // namespace skin
