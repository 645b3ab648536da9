#include "skin/window/SystemMenu.h"

#include <functional>
#include <string>

#include "skin/data/WinSkinData.h"
#include "skin/window/CaptionButtons.h"
#include "skin/window/MenuItemPaint.h"
#include "skin/window/SkinManage.h"
#include "skin/window/WinSkinForm.h"

namespace skin {

TSystemItemRule SystemItemRuleOf(UINT command)
{
    for (const TSystemItemRule& rule : SystemItemRules)
        if (rule.Command == command)
            return rule;
    return {command, -1, TSystemItemEnabled::AsSystemItem};
}

namespace {

bool Allows(TSystemItemEnabled rule, const TWinSkinForm& form)
{
    const TSkinWindowState state = form.WindowState;
    switch (rule) {
    case TSystemItemEnabled::AsSystemItem: return true;
    case TSystemItemEnabled::NotMaximized: return state != TSkinWindowState::Maximized;
    case TSystemItemEnabled::NotMinimizedWithBox:
        return state != TSkinWindowState::Minimized && (form.BorderIcons & FrameIconMinimize);
    case TSystemItemEnabled::NotMaximizedWithBox:
        return state != TSkinWindowState::Maximized && (form.BorderIcons & FrameIconMaximize);
    case TSystemItemEnabled::NotNormal: return state != TSkinWindowState::Normal;
    }
    return true;
}

// Before version 5 the NT family's system menus are not read item by item.
bool FixedSystemMenu()
{
    const DWORD version = GetVersion();
    return (version & 0x80000000u) == 0 && LOBYTE(LOWORD(version)) < 5;
}

ui::TMenuItem* AddItem(ui::TPopupMenu& popup, const std::wstring& caption, int tag, int image,
                       std::function<void()> click)
{
    auto* item = new ui::TMenuItem(&popup);
    item->SetCaption(caption);
    item->SetTag(tag);
    item->SetImageIndex(image);
    if (click)
        item->OnClick = ui::TNotifyEvent([click = std::move(click)](ui::TObject*) { click(); });
    popup.Items()->Add(item);
    return item;
}

void AddFixedItems(ui::TPopupMenu& popup, TWinSkinForm& form)
{
    AddItem(popup, L" Restore ", 0, mgRestore, [&form] { form.DoRestore(); });
    if (form.BorderIcons & FrameIconMaximize)
        AddItem(popup, L" Maximize ", 1, mgMaximize, [&form] { form.DoMaximize(); });
    if (form.BorderIcons & FrameIconMinimize)
        AddItem(popup, L" Minimize ", 2, mgMinimize, [&form] { form.DoMinimize(); });
    AddItem(popup, L"-", 100, -1, {});
    AddItem(popup, L" Close ", 3, mgClose, [&form] { PostClose(form); })
        ->SetShortCut(ui::ShortCut(VK_F4, ui::scAlt));
}

// One item per item of the window's system menu; each posts its command.
void AddSystemItems(ui::TPopupMenu& popup, TWinSkinForm& form)
{
    const int count = GetMenuItemCount(form.SystemMenu);
    for (int i = 0; i < count; ++i) {
        TMenuEntry entry;
        if (!ReadMenuEntry(form.SystemMenu, static_cast<UINT>(i), true, entry))
            continue;
        const UINT command = entry.Command;
        const TSystemItemRule rule = SystemItemRuleOf(command);
        std::function<void()> click;
        const bool text = !entry.Text.empty();
        if (text)
            click = [window = form.WindowHandle, command] { PostMessageW(window, WM_SYSCOMMAND, command, 0); };
        ui::TMenuItem* item =
            AddItem(popup, text ? entry.Text : L"-", static_cast<int>(command), rule.ImageIndex, std::move(click));
        item->SetEnabled(Allows(rule.Enabled, form) && (entry.State & MFS_GRAYED) != MFS_GRAYED);
        item->SetChecked((entry.State & MFS_CHECKED) != 0);
    }
}

// The commands of the system menu that a WM_COMMAND of the skinned menu may carry.
bool IsSystemMenuCommand(UINT command)
{
    switch (command) {
    case SC_SIZE:
    case SC_MOVE:
    case SC_MINIMIZE:
    case SC_MAXIMIZE:
    case SC_NEXTWINDOW:
    case SC_PREVWINDOW:
    case SC_CLOSE:
    case SC_RESTORE: return true;
    default: return false;
    }
}

} // namespace

ui::TPopupMenu* BuildSystemMenuPopup(TWinSkinForm& form)
{
    auto* popup = new ui::TPopupMenu(&form);
    popup->SetTag(SystemMenuTag);
    popup->SetOwnerDraw(true);
    popup->SetImages(&form.SkinData->MenuGlyphs);
    if (FixedSystemMenu())
        AddFixedItems(*popup, form);
    else if (form.SystemMenu)
        AddSystemItems(*popup, form);
    return popup;
}

void TWinSkinForm::ShowSystemMenu(POINT screen)
{
    const DWORD now = GetTickCount();
    if (now - LastSystemMenuClick <= DoubleClickTime) {
        // A second click within the double-click time: from the window icon
        // it closes the window; from the caption it is ignored.
        if (HotObject)
            PostClose(*this);
        return;
    }
    if (TSkinManage* manager = GlobalSkinManage())
        manager->PendingPopupKind = TPopupKind::SystemMenu;
    LastSystemMenuClick = now;
    delete SystemMenuPopup;
    ui::TPopupMenu* popup = BuildSystemMenuPopup(*this);
    SystemMenuPopup = popup;
    popup->Popup(screen.x, screen.y);
}

void TWinSkinForm::OnSystemMenuCommand(ui::TMessage& m)
{
    const UINT command = LOWORD(m.WParam);
    if (command < 0xFF00 && IsSystemMenuCommand(command)) {
        PostMessageW(WindowHandle, WM_SYSCOMMAND, command, 0);
        m.Result = 0;
        return;
    }
    CallOldWindowProc(m);
}

} // namespace skin
