#include "skin/window/SkinMenuParts.h"

#include <algorithm>
#include <iterator>
#include <utility>
#include <vector>

#include "skin/data/WinSkinData.h"
#include "skin/window/MenuItemPaint.h"
#include "skin/window/PopupMenuSkin.h"
#include "skin/window/SkinManage.h"
#include "skin/window/SkinMenuBar.h"
#include "skin/window/SkinMessages.h"
#include "ui/controls/Menus.h"
#include "ui/forms/Forms.h"

namespace skin {

using namespace ui;

namespace {

// The names the skin's item handlers go by, so that only they are taken off.
constexpr const char* SkinDrawName = "SkinDrawMenuItem";
constexpr const char* SkinMeasureName = "SkinMeasureMenuItem";

// The picture of the popup-menu window a drawing context belongs to, and
// where rect lies in it (the window's client area may not start at its
// corner).
TItemBackground BackgroundOf(HDC dc, HMENU menu, const RECT& rect)
{
    TItemBackground background;
    const TSkinManage* manager = GlobalSkinManage();
    const HWND popup = WindowFromDC(dc);
    if (!manager || !popup || !menu)
        return background;
    background.Picture = manager->FindPopupBitmap(menu);
    POINT client{0, 0};
    ClientToScreen(popup, &client);
    RECT window{};
    GetWindowRect(popup, &window);
    background.Offset = {rect.left + client.x - window.left, rect.top + client.y - window.top};
    return background;
}

HMENU MenuOf(const TMenuItem& item)
{
    TMenuItem* parent = item.Parent();
    return parent ? parent->Handle() : nullptr;
}

// The skin data that draws the popup window of a context, while the skin is on.
const TSkinData* DrawingSkin(HDC dc)
{
    const TSkinManage* manager = GlobalSkinManage();
    if (!manager || !manager->Active)
        return nullptr;
    const TSkinData* data = manager->FindSkinDataFor(WindowFromDC(dc));
    return data && !data->Empty() ? data : nullptr;
}

// ---- Owner-drawn framework items

void MeasureWithSkin(TMenuItem& item, TCanvas& canvas, int& width, int& height, TMeasureExtra extra)
{
    if (const TSkinData* data = DrawingSkin(canvas.Handle()))
        MeasureSkinMenuItem(*data, item, canvas, width, height, extra);
}

void DrawWithSkin(TMenuItem& item, TCanvas& canvas, const RECT& rect, bool selected)
{
    if (const TSkinData* data = DrawingSkin(canvas.Handle())) {
        if (TSkinManage* manager = GlobalSkinManage())
            manager->AssignMenuToLastPopup(MenuOf(item));
        DrawSkinMenuItem(*data, item, canvas, rect, selected, BackgroundOf(canvas.Handle(), MenuOf(item), rect));
        return;
    }
    // The skin went while the menu lives: the item's own look.
    TMenuDrawItemEvent handler = std::exchange(item.OnDrawItem, TMenuDrawItemEvent());
    item.DrawItem(&canvas, rect, selected);
    item.OnDrawItem = std::move(handler);
}

// Gives the item (and, with deep, every item under it) the skin's handlers,
// where it has none of its own; off takes the skin's away again.
void SetItemsOwnerDraw(TMenuItem& item, bool on, TMeasureExtra extra, int skipLevels)
{
    for (int i = 0; i < item.Count(); ++i) {
        TMenuItem& child = *item.Items(i);
        if (skipLevels > 0) {
            SetItemsOwnerDraw(child, on, extra, skipLevels - 1);
            continue;
        }
        if (on) {
            if (!child.OnDrawItem)
                child.OnDrawItem = TMenuDrawItemEvent(
                    [&child](TObject*, TCanvas* canvas, const RECT& rect, bool selected) {
                        DrawWithSkin(child, *canvas, rect, selected);
                    },
                    SkinDrawName);
            if (!child.OnMeasureItem)
                child.OnMeasureItem = TMenuMeasureItemEvent(
                    [&child, extra](TObject*, TCanvas* canvas, int& width, int& height) {
                        MeasureWithSkin(child, *canvas, width, height, extra);
                    },
                    SkinMeasureName);
        } else {
            if (child.OnDrawItem.Name == SkinDrawName)
                child.OnDrawItem = {};
            if (child.OnMeasureItem.Name == SkinMeasureName)
                child.OnMeasureItem = {};
        }
        SetItemsOwnerDraw(child, on, extra, 0);
    }
}

// The popup menus of one skinned form that the skin made owner-drawn, owned
// by the form's controller. Only they are drawn by the system again when the
// skin lets the form go: a popup the skin left alone (its Tag is the skin
// data's DisableTag, or popups are not skinned) or one the program had made
// owner-drawn itself keeps its OwnerDraw. A popup freed meanwhile leaves the
// list.
class TSkinDrawnPopups : public TComponent {
public:
    explicit TSkinDrawnPopups(TComponent* controller) : TComponent(controller) {}

    static TSkinDrawnPopups& Of(TWinSkinForm& controller)
    {
        for (int i = 0; i < controller.ComponentCount(); ++i)
            if (auto* popups = dynamic_cast<TSkinDrawnPopups*>(controller.Components(i)))
                return *popups;
        return *new TSkinDrawnPopups(&controller);
    }
    // Makes the popup owner-drawn, noting it when it was not.
    void Take(TPopupMenu& popup)
    {
        if (popup.OwnerDraw())
            return;
        popup.SetOwnerDraw(true);
        FreeNotification(&popup);
        popups_.push_back(&popup);
    }
    // The popups taken are drawn by the system again.
    void GiveBack()
    {
        for (TPopupMenu* popup : std::exchange(popups_, {})) {
            RemoveFreeNotification(popup);
            popup->SetOwnerDraw(false);
        }
    }

protected:
    void Notification(TComponent* component, TOperation operation) override
    {
        TComponent::Notification(component, operation);
        if (operation == TOperation::opRemove)
            std::erase(popups_, component);
    }

private:
    std::vector<TPopupMenu*> popups_;
};

// Every popup menu among the owner's components (forms and frames owned by
// it included) that the skin may draw gets the skin's item handlers (on);
// off takes them away from every popup again.
void SetPopupItemsOwnerDraw(const TSkinData& data, TSkinDrawnPopups& taken, TComponent& owner, bool on)
{
    const bool allowed = (data.SkinControls() & SetOf(xcPopupMenu)) != 0;
    for (int i = 0; i < owner.ComponentCount(); ++i) {
        TComponent* component = owner.Components(i);
        if (auto* popup = dynamic_cast<TPopupMenu*>(component)) {
            if (on && (!allowed || popup->Tag() == data.DisableTag()))
                continue;
            if (on)
                taken.Take(*popup);
            SetItemsOwnerDraw(*popup->Items(), on, PopupItemExtra, 0);
        } else if (dynamic_cast<TWinControl*>(component) && component->ComponentCount() > 0) {
            SetPopupItemsOwnerDraw(data, taken, *component, on);
        }
    }
}

void SetPopupMenusOwnerDraw(TWinSkinForm& controller, TForm& form, bool on)
{
    TSkinDrawnPopups& taken = TSkinDrawnPopups::Of(controller);
    SetPopupItemsOwnerDraw(*controller.SkinData, taken, form, on);
    if (!on)
        taken.GiveBack();
}

// The main menus' items inside the drop-downs (the bar's own items are the
// skinned bar's buttons).
void SetMenuOwnerDraw(TMainMenu& menu, bool on)
{
    menu.SetOwnerDraw(on);
    SetItemsOwnerDraw(*menu.Items(), on, MenuBarItemExtra, 1);
}

void SetMainMenusOwnerDraw(TForm& form, bool on)
{
    for (int i = 0; i < form.ComponentCount(); ++i)
        if (auto* menu = dynamic_cast<TMainMenu*>(form.Components(i)))
            SetMenuOwnerDraw(*menu, on);
}

void SetFormMenusOwnerDraw(TWinSkinForm& controller, TForm& form, bool on, bool mainMenu)
{
    SetPopupMenusOwnerDraw(controller, form, on);
    if (mainMenu)
        SetMainMenusOwnerDraw(form, on);
}

// ---- Items of the drop-downs and of the skinned system menu

TSkinMenuBar* BarOf(TWinSkinForm& controller)
{
    return static_cast<TSkinMenuBar*>(controller.MenuBar.get());
}

// The framework item a drop-down of the bar or the skinned system menu
// shows with that command; null for anything else.
TMenuItem* SkinnedItem(TWinSkinForm& controller, UINT command)
{
    TMenuItem* item = FindMenuItem(command);
    if (!item)
        return nullptr;
    const TMenu* menu = item->GetParentMenu();
    if (menu && menu == controller.SystemMenuPopup)
        return item;
    const TSkinMenuBar* bar = BarOf(controller);
    return bar && bar->Menu && menu == bar->Menu ? item : nullptr;
}

TMeasureExtra ExtraOf(const TWinSkinForm& controller, const TMenuItem& item)
{
    return item.GetParentMenu() == controller.SystemMenuPopup ? PopupItemExtra : MenuBarItemExtra;
}

void MarkPopupsFromMenuBar()
{
    if (TSkinManage* manager = GlobalSkinManage())
        manager->MarkAllPopupsFromMenuBar();
}

bool OnMeasureItem(TWinSkinForm& controller, TMessage& m)
{
    auto& measure = *reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
    if (measure.CtlType != ODT_MENU)
        return false;
    TMenuItem* item = SkinnedItem(controller, measure.itemID);
    // Other framework items (a form's popup menus) measure themselves.
    if (!item && (FindMenuItem(measure.itemID) || !controller.MenuBar))
        return false;
    MarkPopupsFromMenuBar();
    const TWindowDC screen = TWindowDC::Client(nullptr);
    TCanvas canvas;
    TCanvasAttachment attached(canvas, screen.Get());
    canvas.Font()->Assign(*Screen()->MenuFont());
    if (item) {
        int width = 0, height = 0;
        MeasureSkinMenuItem(*controller.SkinData, *item, canvas, width, height, ExtraOf(controller, *item));
        measure.itemWidth = static_cast<UINT>(std::max(width, 0));
        measure.itemHeight = static_cast<UINT>(std::max(height, 0));
    } else {
        wchar_t text[80] = {};
        GetMenuStringW(controller.MenuBar->MenuHandle(), measure.itemID, text, static_cast<int>(std::size(text)),
                       MF_BYCOMMAND);
        const SIZE size = MeasureEntryText(*controller.SkinData, screen.Get(), text);
        measure.itemWidth = static_cast<UINT>(size.cx);
        measure.itemHeight = static_cast<UINT>(size.cy);
    }
    m.Result = TRUE;
    return true;
}

bool OnDrawItem(TWinSkinForm& controller, TMessage& m)
{
    const auto& draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam);
    if (draw.CtlType != ODT_MENU)
        return false;
    TMenuItem* item = SkinnedItem(controller, draw.itemID);
    if (!item && (FindMenuItem(draw.itemID) || !controller.MenuBar))
        return false;
    const auto menu = reinterpret_cast<HMENU>(draw.hwndItem);
    if (TSkinManage* manager = GlobalSkinManage())
        manager->AssignMenuToLastPopup(menu);
    if (controller.MenuBar)
        MarkPopupsFromMenuBar();
    std::unique_ptr<TMenuItem> temporary;
    if (!item) {
        temporary = TemporaryItem(menu, draw.itemID, false);
        item = temporary.get();
    }
    TSavedDC saved(draw.hDC);
    TCanvas canvas;
    TCanvasAttachment attached(canvas, draw.hDC);
    DrawSkinMenuItem(*controller.SkinData, *item, canvas, draw.rcItem, (draw.itemState & ODS_SELECTED) != 0,
                     BackgroundOf(draw.hDC, menu, draw.rcItem));
    m.Result = TRUE;
    return true;
}

// ---- Opening the bar's drop-downs from the keyboard and by request

bool OnlyAltHeld()
{
    return GetKeyState(VK_MENU) < 0 && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_SHIFT) >= 0;
}

// The first button that has a drop-down to open.
int FirstButton(const TSkinMenuBar& bar)
{
    for (const auto& button : bar.Buttons)
        if (button->Visible && button->ItemEnabled)
            return button->Index;
    return -1;
}

// SC_KEYMENU: F10 or Alt alone (character 0) opens the first drop-down, a
// letter the drop-down it is the accelerator of; Alt+Space and Alt+- are the
// system menu's.
bool OnKeyMenu(TWinSkinForm& controller, TMessage& m)
{
    TSkinMenuBar* bar = BarOf(controller);
    const auto key = static_cast<wchar_t>(m.LParam);
    if (!bar || key == L' ' || key == L'-' || GetCapture())
        return false;
    m.Result = 0;
    if (key == 0) {
        bar->OpenDropDowns(FirstButton(*bar), true);
    } else if (const TMenuBtn* button = bar->FindAccelButton(key)) {
        bar->OpenDropDowns(button->Index, true);
    } else {
        MessageBeep(0);
    }
    return true;
}

// Alt+letter reaching the form: the form's own handling first, then the
// bar's accelerators; an MDI child hands the letter on to its frame.
bool OnDialogChar(TWinSkinForm& controller, TMessage& m)
{
    controller.FormProcHook->CallPrevious(m);
    if (m.Result != 0)
        return true;
    if (TSkinMenuBar* bar = BarOf(controller)) {
        if (const TMenuBtn* button = bar->FindAccelButton(static_cast<wchar_t>(m.WParam)); button && OnlyAltHeld()) {
            bar->OpenDropDowns(button->Index, true);
            m.Result = 1;
        }
        return true;
    }
    if (controller.MdiKind == TMdiKind::Child)
        if (const TSkinManage* manager = GlobalSkinManage(); manager && manager->MdiFrameForm)
            m.Result = manager->MdiFrameForm->Perform(CM_DIALOGCHAR, m.WParam, m.LParam);
    return true;
}

bool OnMenuHit(TWinSkinForm& controller, TMessage& m)
{
    m.Result = 0;
    const POINT p = controller.ScreenToWindow({static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))});
    TSkinMenuBar* bar = BarOf(controller);
    if (!bar)
        return true;
    for (const auto& button : controller.CaptionButtons)
        if (button->Visible && PtInRect(&button->Bounds, p))
            return true;
    if (TNCObject* button = bar->MenuButtonAt(p))
        bar->OpenButton(button);
    return true;
}

bool MenuMessage(TWinSkinForm& controller, TMessage& m)
{
    switch (m.Msg) {
    case WM_MEASUREITEM: return OnMeasureItem(controller, m);
    case WM_DRAWITEM: return OnDrawItem(controller, m);
    case WM_MENUSELECT: NoteDropDownSelect(m.WParam, m.LParam); return false;
    case WM_SYSCOMMAND: return OnKeyMenu(controller, m);
    case CM_DIALOGCHAR: return OnDialogChar(controller, m);
    case WM_SKINMENUHIT: return OnMenuHit(controller, m);
    default: return false;
    }
}

} // namespace

void InstallMenuParts()
{
    TSkinParts& parts = SkinParts();
    parts.CreateMenuBar = [](TWinSkinForm& controller) -> std::unique_ptr<TWinSkinMenu> {
        return std::make_unique<TSkinMenuBar>(controller);
    };
    parts.MenuMessage = MenuMessage;
    parts.SetFormMenusOwnerDraw = SetFormMenusOwnerDraw;
    parts.SetMenuOwnerDraw = SetMenuOwnerDraw;
    parts.CreatePopupSkinner = [](HWND window, TSkinData& data) -> std::unique_ptr<TWinSkinPopMenu> {
        return std::make_unique<TPopupMenuSkin>(window, data);
    };
}

} // namespace skin
