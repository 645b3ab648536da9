// The tool bar and its buttons (the main-menu part is in ToolBarMenu.cpp).
#include "ui/controls/ToolBar.h"

#include <windowsx.h>

#include <algorithm>

#include "ui/controls/CommonControls.h"
#include "ui/controls/Menus.h"
#include "ui/graphics/ImgList.h"

namespace ui {

// ---- TToolButton

const TClassInfo& TToolButton::StaticClass()
{
    using B = TToolButton;
    static const TClassInfo info =
        TClassBuilder<B>("TToolButton", &TControl::StaticClass())
            .Enum("Style", {"tbsButton", "tbsCheck", "tbsDropDown", "tbsSeparator", "tbsDivider"}, &B::Style,
                  &B::SetStyle)
            .Int("ImageIndex", &B::ImageIndex, &B::SetImageIndex)
            .Bool("Down", &B::Down, &B::SetDown)
            .Bool("Grouped", &B::Grouped, &B::SetGrouped)
            .Reference("DropdownMenu", &B::DropdownMenu, &B::SetDropdownMenu)
            .Reference("MenuItem", &B::MenuItem, &B::SetMenuItem)
            .Creatable()
            .Done();
    return info;
}

TToolButton::TToolButton(TComponent* owner) : TControl(owner)
{
    SetBounds(0, 0, 23, 22);
}

// A button that goes leaves its bar first, so that the bar's window drops it.
TToolButton::~TToolButton()
{
    if (TToolBar* bar = Bar(); bar && !bar->Destroying())
        SetParent(nullptr);
}

TToolBar* TToolButton::Bar() const
{
    return dynamic_cast<TToolBar*>(Parent());
}

void TToolButton::BarChanged()
{
    if (TToolBar* bar = Bar(); bar && !Loading())
        bar->RebuildButtons();
}

void TToolButton::SetParent(TWinControl* parent)
{
    TToolBar* before = Bar();
    TControl::SetParent(parent);
    if (before && before != Bar())
        before->RebuildButtons();
    BarChanged();
}

void TToolButton::SetStyle(TToolButtonStyle style)
{
    style_ = style;
    BarChanged();
}

void TToolButton::SetImageIndex(int index)
{
    imageIndex_ = index;
    BarChanged();
}

void TToolButton::SetDown(bool down)
{
    down_ = down;
    if (TToolBar* bar = Bar(); bar && bar->HandleAllocated())
        if (const WPARAM id = bar->CommandOf(*this))
            SendMessageW(bar->Handle(), TB_CHECKBUTTON, id, down);
}

void TToolButton::SetGrouped(bool on)
{
    grouped_ = on;
    BarChanged();
}

void TToolButton::SetDropdownMenu(TPopupMenu* menu)
{
    SetReference(dropdownMenu_, menu);
}

void TToolButton::SetMenuItem(TMenuItem* item)
{
    SetReference(menuItem_, item);
}

void TToolButton::Notification(TComponent* component, TOperation operation)
{
    TControl::Notification(component, operation);
    if (operation != TOperation::opRemove)
        return;
    if (component == dropdownMenu_)
        dropdownMenu_ = nullptr;
    if (component == menuItem_)
        menuItem_ = nullptr;
}

// A click on a check button turns it over first (the window has done so
// for a click of the user; a click from the program asks the window).
void TToolButton::Click()
{
    if (style_ == TToolButtonStyle::tbsCheck)
        SetDown(!down_);
    TControl::Click();
}

// The caption and the enabled state are shown by the bar's window.
void TToolButton::Dispatch(TMessage& m)
{
    if (m.Msg == CM_TEXTCHANGED || m.Msg == CM_ENABLEDCHANGED || m.Msg == CM_VISIBLECHANGED)
        BarChanged();
    TControl::Dispatch(m);
}

// ---- TToolBar

const TClassInfo& TToolBar::StaticClass()
{
    using B = TToolBar;
    static const TClassInfo info = TClassBuilder<B>("TToolBar", &TWinControl::StaticClass())
                                       .Bool("Flat", &B::Flat, &B::SetFlat)
                                       .Bool("ShowCaptions", &B::ShowCaptions, &B::SetShowCaptions)
                                       .Int("ButtonWidth", &B::ButtonWidth, &B::SetButtonWidth)
                                       .Int("ButtonHeight", &B::ButtonHeight, &B::SetButtonHeight)
                                       .Reference("Images", &B::Images, &B::SetImages)
                                       .Reference("Menu", &B::Menu, &B::SetMenu)
                                       .Event("OnCustomDraw", &B::OnCustomDraw)
                                       .Event("OnCustomDrawButton", &B::OnCustomDrawButton)
                                       .Creatable()
                                       .Done();
    return info;
}

TToolBar::TToolBar(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 150, 29);
    SetAlign(TAlign::alTop);
    SetParentColor(true);
}

void TToolBar::SetFlat(bool on)
{
    flat_ = on;
    ApplyStyle(*this, TBSTYLE_FLAT, on);
}

void TToolBar::SetShowCaptions(bool on)
{
    showCaptions_ = on;
    RebuildButtons();
}

void TToolBar::SetButtonWidth(int width)
{
    buttonWidth_ = width;
    RebuildButtons();
}

void TToolBar::SetButtonHeight(int height)
{
    buttonHeight_ = height;
    RebuildButtons();
}

void TToolBar::SetImages(TImageList* images)
{
    SetReference(images_, images);
    RebuildButtons();
}

void TToolBar::Notification(TComponent* component, TOperation operation)
{
    TWinControl::Notification(component, operation);
    if (operation != TOperation::opRemove)
        return;
    if (component == menu_) {
        menu_ = nullptr;
        FreeMenuButtons();
    }
    std::erase(menuButtons_, component);
    if (component == images_) {
        images_ = nullptr;
        RebuildButtons();
    }
}

// The bar is placed by its Align; the window only lays out its buttons.
void TToolBar::CreateParams(TCreateParams& params)
{
    InitCommonControlClasses(ICC_BAR_CLASSES);
    TWinControl::CreateParams(params);
    params.SystemClass = TOOLBARCLASSNAMEW;
    params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER | TBSTYLE_TOOLTIPS | (flat_ ? TBSTYLE_FLAT : 0);
}

void TToolBar::CreateWnd()
{
    TWinControl::CreateWnd();
    SendMessageW(Handle(), TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(Handle(), TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    RebuildButtons();
}

void TToolBar::Loaded()
{
    TWinControl::Loaded();
    if (menu_)
        MakeMenuButtons();
    RebuildButtons();
}

namespace {

BYTE ButtonStyleOf(const TToolButton& button)
{
    switch (button.Style()) {
    case TToolButtonStyle::tbsCheck: return BTNS_CHECK | (button.Grouped() ? BTNS_GROUP : 0);
    case TToolButtonStyle::tbsDropDown: return BTNS_DROPDOWN;
    case TToolButtonStyle::tbsSeparator:
    case TToolButtonStyle::tbsDivider: return BTNS_SEP;
    case TToolButtonStyle::tbsButton: break;
    }
    // A button showing a menu item is as wide as its caption, like the
    // entries of a menu bar.
    return button.MenuItem() ? BTNS_BUTTON | BTNS_AUTOSIZE : BTNS_BUTTON;
}

bool IsSeparator(const TToolButton& button)
{
    return button.Style() == TToolButtonStyle::tbsSeparator || button.Style() == TToolButtonStyle::tbsDivider;
}

} // namespace

// The window's buttons are remade from the tool buttons among the bar's
// children, in their order; a button's command is its place + 1.
void TToolBar::RebuildButtons()
{
    buttons_.clear();
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* b = dynamic_cast<TToolButton*>(Controls(i)); b && b->Visible())
            buttons_.push_back(b);
    if (!HandleAllocated() || Loading())
        return;
    HWND wnd = Handle();
    while (SendMessageW(wnd, TB_BUTTONCOUNT, 0, 0) > 0)
        SendMessageW(wnd, TB_DELETEBUTTON, 0, 0);
    SendMessageW(wnd, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_ ? images_->Handle() : nullptr));
    std::vector<std::wstring> captions;
    captions.reserve(buttons_.size());
    std::vector<TBBUTTON> native(buttons_.size());
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        const TToolButton& b = *buttons_[i];
        TBBUTTON& t = native[i];
        t.idCommand = static_cast<int>(i + 1);
        t.fsStyle = ButtonStyleOf(b);
        t.fsState = static_cast<BYTE>((b.Enabled() ? TBSTATE_ENABLED : 0) | (b.Down() ? TBSTATE_CHECKED : 0));
        t.iBitmap = IsSeparator(b) ? b.Width() : (b.ImageIndex() >= 0 && images_ ? b.ImageIndex() : I_IMAGENONE);
        captions.push_back(b.Caption());
        t.iString = showCaptions_ && !IsSeparator(b) ? reinterpret_cast<INT_PTR>(captions.back().c_str()) : -1;
    }
    SendMessageW(wnd, TB_SETBUTTONSIZE, 0, MAKELPARAM(buttonWidth_, buttonHeight_));
    if (!native.empty())
        SendMessageW(wnd, TB_ADDBUTTONSW, native.size(), reinterpret_cast<LPARAM>(native.data()));
    PlaceButtons();
    Invalidate();
}

void TToolBar::PlaceButtons()
{
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        RECT r{};
        if (SendMessageW(Handle(), TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r)))
            buttons_[i]->TControl::SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
}

TToolButton* TToolBar::ButtonOfCommand(WPARAM id) const
{
    return id >= 1 && id <= buttons_.size() ? buttons_[id - 1] : nullptr;
}

WPARAM TToolBar::CommandOf(const TToolButton& button) const
{
    const auto at = std::find(buttons_.begin(), buttons_.end(), &button);
    return at == buttons_.end() ? 0 : static_cast<WPARAM>(at - buttons_.begin() + 1);
}

// The mouse belongs to the bar's window, which operates the buttons; the
// tool buttons (windowless children) take no mouse messages of their own.
void TToolBar::WndProc(TMessage& m)
{
    TControl::WndProc(m);
}

// The window has turned a check button over (and let the others of its
// group up): the buttons take the states it shows.
void TToolBar::ButtonClicked(TToolButton& button)
{
    for (TToolButton* b : buttons_)
        if (b->Style() == TToolButtonStyle::tbsCheck)
            b->down_ = SendMessageW(Handle(), TB_ISBUTTONCHECKED, CommandOf(*b), 0) != 0;
    button.TControl::Click();
}

// The arrow of a drop-down button opens its menu below the button.
void TToolBar::DropDown(const NMTOOLBARW& notify)
{
    TToolButton* button = ButtonOfCommand(static_cast<WPARAM>(notify.iItem));
    if (!button || !button->DropdownMenu())
        return;
    const POINT at = ClientToScreen({notify.rcButton.left, notify.rcButton.bottom});
    button->DropdownMenu()->SetPopupComponent(button);
    button->DropdownMenu()->Popup(at.x, at.y);
}

namespace {

TCustomDrawState DrawStateOf(UINT itemState)
{
    const std::pair<UINT, TCustomDrawStateBit> bits[] = {
        {CDIS_SELECTED, cdsSelected}, {CDIS_GRAYED, cdsGrayed},   {CDIS_DISABLED, cdsDisabled},
        {CDIS_CHECKED, cdsChecked},   {CDIS_FOCUS, cdsFocused},   {CDIS_DEFAULT, cdsDefault},
        {CDIS_HOT, cdsHot},           {CDIS_MARKED, cdsMarked},   {CDIS_INDETERMINATE, cdsIndeterminate}};
    TCustomDrawState state = 0;
    for (auto [flag, bit] : bits)
        if (itemState & flag)
            state |= 1u << bit;
    return state;
}

} // namespace

// The custom-draw handlers paint on Canvas(), attached to the context the
// bar draws on. A button face painted by a handler keeps the bar's own
// edges and checked background off it.
LRESULT TToolBar::CustomDraw(NMTBCUSTOMDRAW& draw)
{
    NMCUSTOMDRAW& cd = draw.nmcd;
    bool defaultDraw = true;
    if (cd.dwDrawStage == CDDS_PREPAINT) {
        if (OnCustomDraw) {
            const TCanvasAttachment attached(*Canvas(), cd.hdc);
            OnCustomDraw(this, ClientRect(), defaultDraw);
        }
        if (!defaultDraw)
            return CDRF_SKIPDEFAULT;
        return OnCustomDrawButton ? CDRF_NOTIFYITEMDRAW : CDRF_DODEFAULT;
    }
    if (cd.dwDrawStage == CDDS_ITEMPREPAINT && OnCustomDrawButton) {
        TToolButton* button = ButtonOfCommand(cd.dwItemSpec);
        if (!button)
            return CDRF_DODEFAULT;
        {
            const TCanvasAttachment attached(*Canvas(), cd.hdc);
            Canvas()->Font()->Assign(*Font());
            OnCustomDrawButton(this, button, DrawStateOf(cd.uItemState), defaultDraw);
        }
        return defaultDraw ? TBCDRF_NOEDGES | TBCDRF_NOOFFSET | TBCDRF_NOBACKGROUND : CDRF_SKIPDEFAULT;
    }
    return CDRF_DODEFAULT;
}

void TToolBar::Dispatch(TMessage& m)
{
    switch (m.Msg) {
    case CN_COMMAND:
        if (TToolButton* button = ButtonOfCommand(LOWORD(m.WParam)))
            ButtonClicked(*button);
        return;
    case CN_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(m.LParam);
        if (header->code == NM_CUSTOMDRAW) {
            m.Result = CustomDraw(*reinterpret_cast<NMTBCUSTOMDRAW*>(m.LParam));
            return;
        }
        if (header->code == TBN_DROPDOWN) {
            DropDown(*reinterpret_cast<const NMTOOLBARW*>(m.LParam));
            m.Result = TBDDRET_DEFAULT;
            return;
        }
        break;
    }
    case WM_SIZE:
        TWinControl::Dispatch(m);
        PlaceButtons();
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // A press on a menu's button drops its items at once, as on a menu bar.
        if (const int index = ButtonIndexAt({GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)});
            index >= 0 && Buttons(index)->MenuItem()) {
            TrackMenu(Buttons(index));
            return;
        }
        break;
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
        // The items of a drop-down this bar opened (it owns the menu's loop).
        if (DispatchMenuMessage(m))
            return;
        break;
    case WM_MENUSELECT:
        NoteDropDownSelect(m.WParam, m.LParam);
        break;
    case WM_ERASEBKGND: {
        // A flat bar would ask its parent for the background, and a form
        // paints all of itself in WM_PAINT: the bar fills its own.
        RECT r;
        GetClientRect(Handle(), &r);
        TBrushHandle brush(CreateSolidBrush(ColorToRGB(Color())));
        FillRect(reinterpret_cast<HDC>(m.WParam), &r, brush.Get());
        m.Result = 1;
        return;
    }
    default: break;
    }
    TWinControl::Dispatch(m);
}

} // namespace ui
