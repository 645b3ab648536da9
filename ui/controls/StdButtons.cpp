// The standard buttons: the push button, the check box and the radio button
// on the system's BUTTON class (the last two keep their state in the
// control, TButtonControl), and the group box, painted by the control, that
// frames a set of them.
#include "ui/controls/StdCtrls.h"

#include <algorithm>

#include "ui/forms/Forms.h"

namespace ui {

// ---- TButton

const TClassInfo& TButton::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TButton>("TButton", &TWinControl::StaticClass())
                                       .Int("ModalResult", &TButton::ModalResult, &TButton::SetModalResult)
                                       .Bool("Default", &TButton::Default, &TButton::SetDefault)
                                       .Bool("Cancel", &TButton::Cancel, &TButton::SetCancel)
                                       .Reference("Images", &TButton::Images, &TButton::SetImages)
                                       .Int("ImageIndex", &TButton::ImageIndex, &TButton::SetImageIndex)
                                       .Int("DisabledIndex", &TButton::DisabledIndex, &TButton::SetDisabledIndex)
                                       .Creatable()
                                       .Done();
    return info;
}

TButton::TButton(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
}

void TButton::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.SystemClass = L"BUTTON";
    params.Style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    params.ExStyle &= ~WS_EX_RIGHT;  // a push button's caption stays centred in either reading order
}

void TButton::SetImages(TImageList* images)
{
    SetReference(images_, images);
    Invalidate();
}

void TButton::SetImageIndex(int index)
{
    imageIndex_ = index;
    Invalidate();
}

void TButton::SetDisabledIndex(int index)
{
    disabledIndex_ = index;
    Invalidate();
}

void TButton::Notification(TComponent* component, TOperation operation)
{
    TWinControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == images_) {
        images_ = nullptr;
        Invalidate();
    }
}

void TButton::Click()
{
    if (modalResult_ != 0)
        if (auto* form = dynamic_cast<TForm*>(FindControlOfWindow(GetAncestor(Handle(), GA_ROOT))))
            form->SetModalResult(modalResult_);
    TWinControl::Click();
}

void TButton::Dispatch(TMessage& m)
{
    if (m.Msg == CN_COMMAND && HIWORD(m.WParam) == BN_CLICKED) {
        Click();
        return;
    }
    TWinControl::Dispatch(m);
}

// ---- check box and radio button

const TClassInfo& TButtonControl::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TButtonControl>("TButtonControl", &TWinControl::StaticClass())
            .Enum("Alignment", {"taLeftJustify", "taRightJustify"}, &TButtonControl::Alignment,
                  &TButtonControl::SetAlignment)
            .Done();
    return info;
}

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner)
{
    SetParentColor(true);
}

void TButtonControl::SetAlignment(TLeftRight alignment)
{
    if (alignment == alignment_)
        return;
    alignment_ = alignment;
    if (HandleAllocated())
        RecreateWnd();
}

// A caption left of the box is the button style BS_LEFTTEXT.
void TButtonControl::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.SystemClass = L"BUTTON";
    if (alignment_ == TLeftRight::taLeftJustify)
        params.Style |= BS_LEFTTEXT;
}

void TButtonControl::CreateWnd()
{
    TWinControl::CreateWnd();
    ShowCheck();
}

void TButtonControl::ShowCheck()
{
    if (HandleAllocated())
        SendMessageW(Handle(), BM_SETCHECK, CheckShown(), 0);
}

void TButtonControl::Dispatch(TMessage& m)
{
    switch (m.Msg) {
    case CN_COMMAND:
        if (HIWORD(m.WParam) == BN_CLICKED) {
            WindowClicked();
            return;
        }
        break;
    case CN_CTLCOLORSTATIC:
    case CN_CTLCOLORBTN: m.Result = CtlColor(reinterpret_cast<HDC>(m.WParam)); return;
    default: break;
    }
    TWinControl::Dispatch(m);
}

const TClassInfo& TCustomCheckBox::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TCustomCheckBox>("TCustomCheckBox", &TButtonControl::StaticClass())
            .Enum("State", {"cbUnchecked", "cbChecked", "cbGrayed"}, &TCustomCheckBox::State, &TCustomCheckBox::SetState)
            .Bool("Checked", &TCustomCheckBox::Checked, &TCustomCheckBox::SetChecked)
            .Bool("AllowGrayed", &TCustomCheckBox::AllowGrayed, &TCustomCheckBox::SetAllowGrayed)
            .Done();
    return info;
}

const TClassInfo& TCheckBox::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TCheckBox>("TCheckBox", &TCustomCheckBox::StaticClass()).Creatable().Done();
    return info;
}

TCustomCheckBox::TCustomCheckBox(TComponent* owner) : TButtonControl(owner)
{
    SetBounds(0, 0, 97, 17);
    SetTabStop(true);
}

void TCustomCheckBox::SetState(TCheckBoxState state)
{
    state_ = state;
    ShowCheck();
}

TCheckBoxState TCustomCheckBox::NextState() const
{
    switch (state_) {
    case TCheckBoxState::cbUnchecked: return TCheckBoxState::cbChecked;
    case TCheckBoxState::cbChecked:
        return allowGrayed_ ? TCheckBoxState::cbGrayed : TCheckBoxState::cbUnchecked;
    case TCheckBoxState::cbGrayed: break;
    }
    return TCheckBoxState::cbUnchecked;
}

// A three-state button that does not change by itself: every click goes
// through NextState, so AllowGrayed decides whether the grayed state is
// reached.
void TCustomCheckBox::CreateParams(TCreateParams& params)
{
    TButtonControl::CreateParams(params);
    params.Style |= BS_3STATE;
}

WPARAM TCustomCheckBox::CheckShown() const
{
    switch (state_) {
    case TCheckBoxState::cbChecked: return BST_CHECKED;
    case TCheckBoxState::cbGrayed: return BST_INDETERMINATE;
    case TCheckBoxState::cbUnchecked: break;
    }
    return BST_UNCHECKED;
}

void TCustomCheckBox::WindowClicked()
{
    SetState(NextState());
    Click();
}

const TClassInfo& TRadioButton::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TRadioButton>("TRadioButton", &TButtonControl::StaticClass())
                                       .Bool("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked)
                                       .Creatable()
                                       .Done();
    return info;
}

TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner)
{
    SetBounds(0, 0, 113, 17);
}

void TRadioButton::SetChecked(bool on)
{
    if (on == checked_)
        return;
    checked_ = on;
    SetTabStop(on);  // Tab enters a group at its checked button
    ShowCheck();
    if (!on || !Parent())
        return;
    for (int i = 0; i < Parent()->ControlCount(); ++i)
        if (auto* other = dynamic_cast<TRadioButton*>(Parent()->Controls(i)); other && other != this)
            other->SetChecked(false);
}

void TRadioButton::Choose()
{
    SetChecked(true);
    Click();
}

std::vector<TRadioButton*> TRadioButton::Group() const
{
    std::vector<TRadioButton*> group;
    if (!Parent())
        return group;
    for (int i = 0; i < Parent()->ControlCount(); ++i)
        if (auto* r = dynamic_cast<TRadioButton*>(Parent()->Controls(i)); r && (r == this || r->CanFocus()))
            group.push_back(r);
    return group;
}

// The arrows go round the group: past the last button comes the first.
void TRadioButton::MoveInGroup(int step)
{
    const std::vector<TRadioButton*> group = Group();
    const auto at = std::find(group.begin(), group.end(), this) - group.begin();
    const auto count = static_cast<std::ptrdiff_t>(group.size());
    TRadioButton* next = group[static_cast<std::size_t>((at + step + count) % count)];
    if (next == this)
        return;
    next->SetFocus();
    next->Choose();
}

// A button that does not check itself: the control keeps the state, so the
// group is the parent's radio buttons whatever their window styles.
void TRadioButton::CreateParams(TCreateParams& params)
{
    TButtonControl::CreateParams(params);
    params.Style |= BS_RADIOBUTTON;
}

void TRadioButton::Dispatch(TMessage& m)
{
    if (m.Msg == WM_KEYDOWN &&
        (m.WParam == VK_UP || m.WParam == VK_LEFT || m.WParam == VK_DOWN || m.WParam == VK_RIGHT)) {
        MoveInGroup(m.WParam == VK_UP || m.WParam == VK_LEFT ? -1 : 1);
        return;
    }
    TButtonControl::Dispatch(m);
}

// ---- TGroupBox

const TClassInfo& TCustomGroupBox::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TCustomGroupBox>("TCustomGroupBox", &TCustomControl::StaticClass()).Done();
    return info;
}

const TClassInfo& TGroupBox::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TGroupBox>("TGroupBox", &TCustomGroupBox::StaticClass()).Creatable().Done();
    return info;
}

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TCustomControl(owner)
{
    SetBounds(0, 0, 185, 105);
    SetParentColor(true);
}

void TCustomGroupBox::CreateParams(TCreateParams& params)
{
    TCustomControl::CreateParams(params);
    params.ExStyle |= WS_EX_CONTROLPARENT;  // Tab reaches the controls inside
}

int TCustomGroupBox::CaptionHeight()
{
    const TWindowDC dc = TWindowDC::Client(nullptr);
    TSavedDC saved(dc.Get());
    saved.Select(Font()->Handle());
    SIZE size{};
    GetTextExtentPoint32W(dc.Get(), L"0", 1, &size);
    return size.cy;
}

// An etched frame whose top runs through the middle of the caption; the
// caption, on the control's colour, interrupts it 8 pixels from the near
// side (the right one when the text reads right to left).
void TCustomGroupBox::Paint()
{
    TCanvas& c = *Canvas();
    const RECT r = ClientRect();
    c.FillRect(r);
    RECT frame = r;
    frame.top = CaptionHeight() / 2;
    DrawEdge(c.Handle(), &frame, EDGE_ETCHED, BF_RECT);
    const std::wstring text = Caption();
    if (text.empty())
        return;
    TSavedDC saved(c.Handle());
    saved.Select(Font()->Handle());
    SetTextColor(c.Handle(), ColorToRGB(Enabled() ? Font()->Color() : clGrayText));
    SetBkColor(c.Handle(), ColorToRGB(Color()));
    SetBkMode(c.Handle(), OPAQUE);
    RECT textRect{r.left + 8, r.top, r.right - 8, r.bottom};
    const UINT side = UseRightToLeftReading() ? DT_RIGHT | DT_RTLREADING : DT_LEFT;
    DrawTextW(c.Handle(), text.c_str(), static_cast<int>(text.size()), &textRect, side | DT_SINGLELINE | DT_NOPREFIX);
}

} // namespace ui
