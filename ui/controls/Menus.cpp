#include "ui/controls/Menus.h"

#include <algorithm>

#include "ui/forms/Forms.h"
#include "ui/graphics/ImgList.h"

namespace ui {

// ---- shortcuts

TShortCut ShortCut(WORD key, TShortCut shift)
{
    return (key & 0xFF) | (shift & (scShift | scCtrl | scAlt));
}

namespace {

std::wstring KeyName(WORD key)
{
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        return std::wstring(1, static_cast<wchar_t>(key));
    if (key >= VK_F1 && key <= VK_F24)
        return L"F" + std::to_wstring(key - VK_F1 + 1);
    static const std::pair<WORD, const wchar_t*> names[] = {
        {VK_BACK, L"BkSp"}, {VK_TAB, L"Tab"},     {VK_RETURN, L"Enter"}, {VK_ESCAPE, L"Esc"},
        {VK_SPACE, L"Space"}, {VK_PRIOR, L"PgUp"}, {VK_NEXT, L"PgDn"},    {VK_END, L"End"},
        {VK_HOME, L"Home"},  {VK_LEFT, L"Left"},   {VK_UP, L"Up"},        {VK_RIGHT, L"Right"},
        {VK_DOWN, L"Down"},  {VK_INSERT, L"Ins"},  {VK_DELETE, L"Del"},
    };
    for (auto [k, name] : names)
        if (k == key)
            return name;
    // Anything else by the name the keyboard layout gives it.
    wchar_t text[32] = {};
    const UINT scan = MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
    return GetKeyNameTextW(static_cast<LONG>(scan << 16), text, 32) > 0 ? text : L"";
}

} // namespace

std::wstring ShortCutToText(TShortCut shortCut)
{
    const std::wstring key = KeyName(static_cast<WORD>(shortCut & 0xFF));
    if (key.empty())
        return {};
    std::wstring text;
    if (shortCut & scCtrl)
        text += L"Ctrl+";
    if (shortCut & scShift)
        text += L"Shift+";
    if (shortCut & scAlt)
        text += L"Alt+";
    return text + key;
}

TShortCut ShortCutOfKey(WPARAM key)
{
    TShortCut shift = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        shift |= scShift;
    if (GetKeyState(VK_CONTROL) < 0)
        shift |= scCtrl;
    if (GetKeyState(VK_MENU) < 0)
        shift |= scAlt;
    return ShortCut(static_cast<WORD>(key), shift);
}

// ---- command identifiers

namespace {

// Commands stay below the system's (SC_SIZE, 0xF000) and the MDI client's
// window-menu entries (0xFF00 up).
constexpr UINT MaxCommand = 0xEFFF;

// Index = command; the slots of freed items are reused, lowest first.
std::vector<TMenuItem*>& CommandTable()
{
    static std::vector<TMenuItem*> table(1, nullptr);  // 0 is no command
    return table;
}

UINT AllocateCommand(TMenuItem* item)
{
    auto& table = CommandTable();
    const auto free = std::find(table.begin() + 1, table.end(), nullptr);
    if (free != table.end()) {
        *free = item;
        return static_cast<UINT>(free - table.begin());
    }
    if (table.size() > MaxCommand)
        throw Exception("Too many menu items");
    table.push_back(item);
    return static_cast<UINT>(table.size() - 1);
}

void ReleaseCommand(UINT command)
{
    CommandTable()[command] = nullptr;
}

// The screen's menu font, for measuring and drawing owner-drawn items.
void UseMenuFont(TCanvas& canvas)
{
    canvas.Font()->Assign(*Screen()->MenuFont());
}

} // namespace

TMenuItem* FindMenuItem(UINT command)
{
    const auto& table = CommandTable();
    return command < table.size() ? table[command] : nullptr;
}

// ---- TMenuItem

const TClassInfo& TMenuItem::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TMenuItem>("TMenuItem", &TComponent::StaticClass())
            .Wide("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption)
            .Int("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut)
            .Bool("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled)
            .Bool("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible)
            .Bool("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked)
            .Bool("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem)
            .Int("GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex)
            .Bool("Default", &TMenuItem::Default, &TMenuItem::SetDefault)
            .Int("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex)
            .Wide("Hint", &TMenuItem::Hint, &TMenuItem::SetHint)
            .Event("OnClick", &TMenuItem::OnClick)
            .Event("OnMeasureItem", &TMenuItem::OnMeasureItem)
            .Event("OnDrawItem", &TMenuItem::OnDrawItem)
            .Creatable()
            .Done();
    return info;
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), command_(AllocateCommand(this)) {}

TMenuItem::~TMenuItem()
{
    BeginDestroy();
    if (parent_)
        parent_->Remove(this);
    while (!items_.empty())
        delete items_.back();  // each leaves items_ on its way
    if (handle_) {
        // The entries go first: destroying a menu destroys the drop-downs
        // still in it, and those belong to other items.
        while (GetMenuItemCount(handle_) > 0)
            RemoveMenu(handle_, 0, MF_BYPOSITION);
        DestroyMenu(handle_);
    }
    ReleaseCommand(command_);
}

void TMenuItem::SetParentComponent(TComponent* parent)
{
    if (auto* menu = dynamic_cast<TMenu*>(parent))
        menu->Items()->Add(this);
    else if (auto* item = dynamic_cast<TMenuItem*>(parent))
        item->Add(this);
}

int TMenuItem::MenuIndex() const
{
    if (!parent_)
        return -1;
    const auto& siblings = parent_->items_;
    return static_cast<int>(std::find(siblings.begin(), siblings.end(), this) - siblings.begin());
}

void TMenuItem::Insert(int index, TMenuItem* item)
{
    if (item->parent_)
        throw Exception("Menu item " + item->Name() + " is already in a menu");
    for (const TMenuItem* p = this; p; p = p->parent_)
        if (p == item)
            throw Exception("Menu item " + item->Name() + " cannot hold itself");
    index = std::clamp(index, 0, Count());
    items_.insert(items_.begin() + index, item);
    item->parent_ = this;
    Changed(true);
}

void TMenuItem::Remove(TMenuItem* item)
{
    const auto it = std::find(items_.begin(), items_.end(), item);
    if (it == items_.end())
        return;
    items_.erase(it);
    item->parent_ = nullptr;
    if (!Destroying())
        Changed(true);
}

void TMenuItem::Clear()
{
    while (!items_.empty())
        delete items_.back();
}

TMenu* TMenuItem::GetParentMenu() const
{
    const TMenuItem* root = this;
    while (root->parent_)
        root = root->parent_;
    return root->menu_;
}

TImageList* TMenuItem::Images() const
{
    const TMenu* menu = GetParentMenu();
    return menu ? menu->Images() : nullptr;
}

template <class T>
void TMenuItem::Update(T& field, const T& value)
{
    if (field == value)
        return;
    field = value;
    Changed(false);
}

void TMenuItem::SetCaption(const std::wstring& caption)
{
    Update(caption_, caption);
}

void TMenuItem::SetShortCut(TShortCut shortCut)
{
    Update(shortCut_, shortCut);
}

void TMenuItem::SetEnabled(bool on)
{
    Update(enabled_, on);
}

void TMenuItem::SetVisible(bool on)
{
    Update(visible_, on);
}

void TMenuItem::SetChecked(bool on)
{
    if (on == checked_)
        return;
    checked_ = on;
    if (on && radioItem_ && parent_)
        for (TMenuItem* other : parent_->items_)
            if (other != this && other->radioItem_ && other->groupIndex_ == groupIndex_ && other->checked_) {
                other->checked_ = false;
                other->Changed(false);
            }
    Changed(false);
}

void TMenuItem::SetRadioItem(bool on)
{
    Update(radioItem_, on);
}

void TMenuItem::SetGroupIndex(int index)
{
    Update(groupIndex_, index);
}

void TMenuItem::SetDefault(bool on)
{
    if (on == default_)
        return;
    default_ = on;
    if (on && parent_)
        for (TMenuItem* other : parent_->items_)
            if (other != this && other->default_) {
                other->default_ = false;
                other->Changed(false);
            }
    Changed(false);
}

void TMenuItem::SetImageIndex(int index)
{
    Update(imageIndex_, index);
}

HMENU TMenuItem::Handle()
{
    if (!handle_) {
        handle_ = menu_ ? menu_->NewHandle() : CreatePopupMenu();
        if (!handle_)
            throw Exception("Cannot create the menu of " + Name());
        // Pictures share the check-mark column instead of pushing the text on.
        MENUINFO style{};
        style.cbSize = sizeof style;
        style.fMask = MIM_STYLE;
        style.dwStyle = MNS_CHECKORBMP;
        SetMenuInfo(handle_, &style);
        RebuildHandle();
    }
    return handle_;
}

std::wstring TMenuItem::EntryText() const
{
    return shortCut_ ? caption_ + L"\t" + ShortCutToText(shortCut_) : caption_;
}

void TMenuItem::InsertEntry(HMENU menu, UINT position)
{
    const TMenu* owner = GetParentMenu();
    const std::wstring text = EntryText();
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    info.fType = IsLine() ? MFT_SEPARATOR : 0;
    if (radioItem_)
        info.fType |= MFT_RADIOCHECK;
    if (owner && owner->OwnerDraw())
        info.fType |= MFT_OWNERDRAW;
    info.fState = (checked_ ? MFS_CHECKED : 0) | (enabled_ ? 0 : MFS_DISABLED) | (default_ ? MFS_DEFAULT : 0);
    info.wID = command_;
    info.hSubMenu = items_.empty() ? nullptr : Handle();
    info.dwTypeData = const_cast<wchar_t*>(text.c_str());
    // A picture beside the text of an item the platform draws: it asks for
    // it with WM_MEASUREITEM / WM_DRAWITEM.
    if (!(info.fType & MFT_OWNERDRAW) && imageIndex_ >= 0 && Images()) {
        info.fMask |= MIIM_BITMAP;
        info.hbmpItem = HBMMENU_CALLBACK;
    }
    InsertMenuItemW(menu, position, TRUE, &info);
}

// The entries of framework items are remade from the sub-items, where the
// first of them was. Entries the platform put in the menu itself (the system
// menu and buttons of a maximized MDI child in a frame's menu bar) stay.
void TMenuItem::RebuildHandle()
{
    UINT at = 0;
    for (int pos = GetMenuItemCount(handle_) - 1; pos >= 0; --pos) {
        MENUITEMINFOW entry{};
        entry.cbSize = sizeof entry;
        entry.fMask = MIIM_ID;
        if (GetMenuItemInfoW(handle_, static_cast<UINT>(pos), TRUE, &entry) && FindMenuItem(entry.wID)) {
            RemoveMenu(handle_, static_cast<UINT>(pos), MF_BYPOSITION);
            at = static_cast<UINT>(pos);
        }
    }
    for (TMenuItem* item : items_)
        if (item->visible_)
            item->InsertEntry(handle_, at++);
}

void TMenuItem::Changed(bool subItems)
{
    TMenu* menu = GetParentMenu();
    if (Destroying() || (menu && menu->Destroying()))
        return;  // going anyway: no entry is remade
    if (subItems && handle_)
        RebuildHandle();
    if (parent_ && parent_->handle_)
        parent_->RebuildHandle();
    if (menu)
        menu->MenuChanged();
}

void TMenuItem::Click()
{
    OnClick(this);
}

void TMenuItem::MeasureItem(TCanvas* canvas, int& width, int& height)
{
    if (IsLine()) {
        width = 0;
        height = GetSystemMetrics(SM_CYMENU) / 2;
    } else {
        const TImageList* images = Images();
        const int glyph = images ? std::max(images->Width(), 16) : 16;
        RECT text{0, 0, 0, 0};
        canvas->DrawFormattedText(EntryText(), text, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
        width = glyph + 8 + (text.right - text.left) + (shortCut_ ? 16 : 0);
        height = std::max<int>(text.bottom - text.top + 4, (images ? images->Height() : 16) + 2);
    }
    OnMeasureItem(this, canvas, width, height);
}

void TMenuItem::DrawItem(TCanvas* canvas, const RECT& rect, bool selected)
{
    if (OnDrawItem)
        OnDrawItem(this, canvas, rect, selected);
    else
        DrawPlain(canvas, rect, selected);
}

// The look of a platform menu item, drawn by the program: background,
// picture or check mark, caption with its accelerator, shortcut text.
void TMenuItem::DrawPlain(TCanvas* canvas, const RECT& rect, bool selected)
{
    canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
    canvas->Brush()->SetColor(selected && enabled_ ? clHighlight : clSystemColor | COLOR_MENU);
    canvas->FillRect(rect);
    if (IsLine()) {
        RECT line{rect.left + 2, (rect.top + rect.bottom) / 2 - 1, rect.right - 2, (rect.top + rect.bottom) / 2 + 1};
        DrawEdge(canvas->Handle(), &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    const TImageList* images = Images();
    const int glyph = images ? std::max(images->Width(), 16) : 16;
    RECT box{rect.left + 2, rect.top, rect.left + 2 + glyph, rect.bottom};
    if (images && imageIndex_ >= 0)
        images->Draw(canvas, box.left, (box.top + box.bottom - images->Height()) / 2, imageIndex_, enabled_);
    else if (checked_)
        DrawFrameControl(canvas->Handle(), &box, DFC_MENU, radioItem_ ? DFCS_MENUBULLET : DFCS_MENUCHECK);
    canvas->Font()->SetColor(!enabled_ ? clGrayText : selected ? clHighlightText : clSystemColor | COLOR_MENUTEXT);
    canvas->Font()->SetStyle(default_ ? 1u << fsBold : 0u);
    canvas->Brush()->SetStyle(TBrushStyle::bsClear);
    RECT text{box.right + 6, rect.top, rect.right - 8, rect.bottom};
    const UINT format = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;
    canvas->DrawFormattedText(caption_, text, format | DT_LEFT);
    if (shortCut_)
        canvas->DrawFormattedText(ShortCutToText(shortCut_), text, format | DT_RIGHT);
}

// ---- TMenu

const TClassInfo& TMenu::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TMenu>("TMenu", &TComponent::StaticClass())
            .Bool("OwnerDraw", &TMenu::OwnerDraw, &TMenu::SetOwnerDraw)
            .Reference("Images", &TMenu::Images, &TMenu::SetImages)
            .Enum("BiDiMode", {"bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign", "bdRightToLeftReadingOnly"},
                  &TMenu::BiDiMode, &TMenu::SetBiDiMode)
            .Bool("ParentBiDiMode", &TMenu::ParentBiDiMode, &TMenu::SetParentBiDiMode)
            .Done();
    return info;
}

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(std::make_unique<TMenuItem>(nullptr))
{
    items_->menu_ = this;
}

TMenu::~TMenu()
{
    BeginDestroy();
    items_->Clear();
}

void TMenu::RebuildAll()
{
    // Every level that has a platform menu, all the way down.
    std::vector<TMenuItem*> pending{items_.get()};
    while (!pending.empty()) {
        TMenuItem* item = pending.back();
        pending.pop_back();
        if (item->handle_)
            item->RebuildHandle();
        pending.insert(pending.end(), item->items_.begin(), item->items_.end());
    }
    MenuChanged();
}

void TMenu::SetOwnerDraw(bool on)
{
    if (on == ownerDraw_)
        return;
    ownerDraw_ = on;
    RebuildAll();
}

void TMenu::SetImages(TImageList* images)
{
    if (images == images_)
        return;
    SetReference(images_, images);
    RebuildAll();
}

void TMenu::SetBiDiMode(TBiDiMode mode)
{
    parentBiDiMode_ = false;
    if (mode == bidi_)
        return;
    bidi_ = mode;
    MenuChanged();
}

void TMenu::SetParentBiDiMode(bool on)
{
    if (on == parentBiDiMode_)
        return;
    parentBiDiMode_ = on;
    MenuChanged();
}

bool TMenu::IsRightToLeft() const
{
    if (parentBiDiMode_)
        if (const auto* form = dynamic_cast<const TControl*>(Owner()))
            return form->UseRightToLeftReading();
    return bidi_ != TBiDiMode::bdLeftToRight;
}

void TMenu::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == images_) {
        images_ = nullptr;
        if (!Destroying())
            RebuildAll();
    }
}

TMenuItem* TMenu::FindItem(UINT_PTR value, TFindKind kind) const
{
    std::vector<TMenuItem*> pending(items_->items_.rbegin(), items_->items_.rend());
    while (!pending.empty()) {
        TMenuItem* item = pending.back();
        pending.pop_back();
        const bool found = kind == TFindKind::fkCommand    ? item->command_ == value
                           : kind == TFindKind::fkHandle   ? item->handle_ && reinterpret_cast<UINT_PTR>(item->handle_) == value
                                                           : item->shortCut_ && static_cast<UINT_PTR>(item->shortCut_) == value;
        if (found)
            return item;
        pending.insert(pending.end(), item->items_.rbegin(), item->items_.rend());
    }
    return nullptr;
}

bool TMenu::IsShortCut(TShortCut shortCut) const
{
    TMenuItem* item = shortCut ? FindItem(static_cast<UINT_PTR>(shortCut), TFindKind::fkShortCut) : nullptr;
    if (!item)
        return false;
    for (const TMenuItem* p = item; p != items_.get(); p = p->parent_)
        if (!p->enabled_ || !p->visible_)
            return false;
    item->Click();
    return true;
}

// ---- TMainMenu

const TClassInfo& TMainMenu::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TMainMenu>("TMainMenu", &TMenu::StaticClass()).Creatable().Done();
    return info;
}

TMainMenu::TMainMenu(TComponent* owner) : TMenu(owner) {}

TMainMenu::~TMainMenu()
{
    // The bar leaves the window before its menu is destroyed here; the form
    // hears of the menu's end through its free notification.
    LeaveWindow();
}

void TMainMenu::LeaveWindow()
{
    if (window_ && window_->HandleAllocated() && GetMenu(window_->Handle()) == Items()->handle_)
        ::SetMenu(window_->Handle(), nullptr);
}

void TMainMenu::SetWindow(TWinControl* window)
{
    if (window == window_)
        return;
    LeaveWindow();
    SetReference(window_, window);
}

void TMainMenu::Notification(TComponent* component, TOperation operation)
{
    TMenu::Notification(component, operation);
    if (operation == TOperation::opRemove && component == window_)
        window_ = nullptr;
}

// The form shows the menu bar again (the skin engine may have taken it
// away) through the window's own procedure, so every subclass sees it.
void TMainMenu::MenuChanged()
{
    if (window_ && window_->HandleAllocated())
        SendMessageW(window_->Handle(), CM_MENUCHANGED, 0, 0);
}

// ---- TPopupMenu

const TClassInfo& TPopupMenu::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TPopupMenu>("TPopupMenu", &TMenu::StaticClass())
            .Enum("Alignment", {"paLeft", "paRight", "paCenter"}, &TPopupMenu::Alignment, &TPopupMenu::SetAlignment)
            .Bool("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup)
            .Event("OnPopup", &TPopupMenu::OnPopup)
            .Creatable()
            .Done();
    return info;
}

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) {}

HWND TPopupMenu::OwnerWindow() const
{
    TForm* form = nullptr;
    if (auto* control = dynamic_cast<TControl*>(popupComponent_)) {
        while (control->Parent())
            control = control->Parent();
        form = dynamic_cast<TForm*>(control);
    }
    for (TComponent* c = Owner(); c && !form; c = c->Owner())
        form = dynamic_cast<TForm*>(c);
    if (!form)
        form = Screen()->ActiveForm();
    if (!form)
        form = Application()->MainForm();
    if (!form)
        throw Exception("Popup menu " + Name() + " has no form to open on");
    return form->Handle();
}

void TPopupMenu::Popup(int x, int y)
{
    popupPoint_ = {x, y};
    OnPopup(this);
    UINT flags = TPM_RIGHTBUTTON | TPM_RETURNCMD;
    switch (alignment_) {
    case TPopupAlignment::paLeft: flags |= IsRightToLeft() ? TPM_RIGHTALIGN : TPM_LEFTALIGN; break;
    case TPopupAlignment::paRight: flags |= IsRightToLeft() ? TPM_LEFTALIGN : TPM_RIGHTALIGN; break;
    case TPopupAlignment::paCenter: flags |= TPM_CENTERALIGN; break;
    }
    const UINT command =
        static_cast<UINT>(TrackPopupMenu(Handle(), flags, x, y, 0, OwnerWindow(), nullptr));
    // The chosen item runs once the menu is closed: its handler may open
    // another menu or free this one.
    if (TMenuItem* item = FindMenuItem(command))
        item->Click();
}

// ---- owner-drawn items and commands

namespace {

bool DrawnByProgram(const TMenuItem& item)
{
    const TMenu* menu = item.GetParentMenu();
    return menu && menu->OwnerDraw();
}

void MeasureEntry(TMenuItem& item, MEASUREITEMSTRUCT& measure)
{
    if (!DrawnByProgram(item)) {  // only the picture is ours
        const TImageList* images = item.GetParentMenu()->Images();
        measure.itemWidth = images ? static_cast<UINT>(images->Width()) : 0;
        measure.itemHeight = images ? static_cast<UINT>(images->Height()) : 0;
        return;
    }
    const TWindowDC screen = TWindowDC::Client(nullptr);
    int width = 0, height = 0;
    TCanvas canvas;
    canvas.SetHandle(screen.Get());
    UseMenuFont(canvas);
    item.MeasureItem(&canvas, width, height);
    canvas.SetHandle(nullptr);
    measure.itemWidth = static_cast<UINT>(std::max(width, 0));
    measure.itemHeight = static_cast<UINT>(std::max(height, 0));
}

void DrawEntry(TMenuItem& item, const DRAWITEMSTRUCT& draw)
{
    TSavedDC saved(draw.hDC);
    TCanvas canvas;
    canvas.SetHandle(draw.hDC);
    UseMenuFont(canvas);
    if (DrawnByProgram(item)) {
        item.DrawItem(&canvas, draw.rcItem, (draw.itemState & ODS_SELECTED) != 0);
        return;
    }
    if (const TImageList* images = item.GetParentMenu()->Images())
        images->Draw(&canvas, draw.rcItem.left, draw.rcItem.top, item.ImageIndex(),
                     !(draw.itemState & (ODS_DISABLED | ODS_GRAYED)));
}

} // namespace

bool DispatchMenuMessage(TMessage& m)
{
    switch (m.Msg) {
    case WM_COMMAND:
        if (HIWORD(m.WParam) != 0 || m.LParam != 0)
            return false;
        if (TMenuItem* item = FindMenuItem(LOWORD(m.WParam))) {
            item->Click();
            return true;
        }
        return false;
    case WM_MEASUREITEM: {
        auto& measure = *reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
        TMenuItem* item = measure.CtlType == ODT_MENU ? FindMenuItem(measure.itemID) : nullptr;
        if (!item || !item->GetParentMenu())
            return false;
        MeasureEntry(*item, measure);
        m.Result = TRUE;
        return true;
    }
    case WM_DRAWITEM: {
        const auto& draw = *reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam);
        TMenuItem* item = draw.CtlType == ODT_MENU ? FindMenuItem(draw.itemID) : nullptr;
        if (!item || !item->GetParentMenu())
            return false;
        DrawEntry(*item, draw);
        m.Result = TRUE;
        return true;
    }
    default: return false;
    }
}

void RegisterMenuClasses()
{
    for (const TClassInfo* info : {&TMenuItem::StaticClass(), &TMainMenu::StaticClass(), &TPopupMenu::StaticClass(),
                                   &TImageList::StaticClass()})
        RegisterComponentClass(*info);
}

} // namespace ui
