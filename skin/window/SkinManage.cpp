#include "skin/window/SkinManage.h"

#include <algorithm>
#include <cwctype>
#include <iterator>

#include "skin/data/WinSkinData.h"
#include "skin/draw/SkinDraw.h"
#include "skin/window/SkinMessages.h"
#include "skin/window/SkinParts.h"
#include "skin/window/WinSkinForm.h"
#include "ui/controls/ExtCtrls.h"
#include "ui/forms/Forms.h"

namespace skin {

using namespace ui;

namespace {

constexpr int ActionTimerIntervalMs = 100;
constexpr int NeverSkinnedTag = 99;
constexpr const wchar_t* StandardDialogClass = L"#32770";
constexpr const wchar_t* PopupMenuClass = L"#32768";
constexpr size_t AnsiTextBufferSize = 1000;

// Window classes that are never skinned: editor pop-ups and render windows of
// other component libraries (by part of the name) and the hidden application
// window.
constexpr const wchar_t* NeverSkinnedClassParts[] = {L"TcxPopupEditPopupWindow", L"TTERenderWindow"};
constexpr const wchar_t* ApplicationWindowClass = L"TApplication";

std::unique_ptr<TSkinManage>& ManagerSlot()
{
    static std::unique_ptr<TSkinManage> manager;
    return manager;
}

std::wstring ClassNameOf(HWND window)
{
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

std::wstring Lower(std::wstring text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](wchar_t c) { return std::towlower(c); });
    return text;
}

DWORD StyleOf(HWND window)
{
    return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
}

DWORD ExStyleOf(HWND window)
{
    return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
}

bool AnswersSkinQuery(HWND window)
{
    return SendMessageW(window, WM_SKINQUERY, 0, 0) == 1;
}

// A child window of an MDI client that is not an MDI child: a control
// another library put there.
bool IsForeignMdiChild(HWND window)
{
    return (StyleOf(window) & WS_CHILD) && !(ExStyleOf(window) & WS_EX_MDICHILD) &&
           Lower(ClassNameOf(GetParent(window))) == L"mdiclient";
}

bool IsNeverSkinnedClass(const std::wstring& className)
{
    return className == ApplicationWindowClass ||
           std::any_of(std::begin(NeverSkinnedClassParts), std::end(NeverSkinnedClassParts),
                       [&](const wchar_t* part) { return className.find(part) != std::wstring::npos; });
}

bool HasArea(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    return static_cast<long long>(r.right - r.left) * (r.bottom - r.top) != 0;
}

// The last registered skin data for which `matches` holds.
template <class Pred>
TSkinData* LastWhere(const std::vector<TSkinData*>& list, Pred matches)
{
    const auto found = std::find_if(list.rbegin(), list.rend(), matches);
    return found == list.rend() ? nullptr : *found;
}

} // namespace

// ---- The process-wide values

TSkinManage* GlobalSkinManage()
{
    return ManagerSlot().get();
}

TSkinManage& CreateGlobalSkinManage()
{
    if (!ManagerSlot())
        ManagerSlot() = std::make_unique<TSkinManage>();
    return *ManagerSlot();
}

void FreeGlobalSkinManage()
{
    ManagerSlot().reset();
}

HINSTANCE ModuleInstance()
{
    return GetModuleHandleW(nullptr);
}

TPlatformVersion PlatformVersion()
{
    const DWORD version = GetVersion();
    return {LOBYTE(LOWORD(version)), HIBYTE(LOWORD(version)), (version & 0x80000000u) != 0};
}

std::wstring GetWindowTextWide(HWND window)
{
    if (WideApis) {
        std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
        text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
        return text;
    }
    char buffer[AnsiTextBufferSize] = {};
    SendMessageA(window, WM_GETTEXT, AnsiTextBufferSize, reinterpret_cast<LPARAM>(buffer));
    return AnsiToWide(buffer);
}

void CopyBitmap(const TBitmap& source, TBitmap& target)
{
    target.SetPixelFormat(source.PixelFormat());
    target.SetSize(source.Width(), source.Height());
    BitBlt(target.Canvas()->Handle(), 0, 0, source.Width(), source.Height(),
           const_cast<TBitmap&>(source).Canvas()->Handle(), 0, 0, SRCCOPY);
}

TControl* FindFormOfWindow(HWND window)
{
    TScreen* screen = Screen();
    for (int i = 0; i < screen->FormCount(); ++i) {
        TForm* form = screen->Forms(i);
        if (form->HandleAllocated() && form->Handle() == window)
            return form;
    }
    return FindControlOfWindow(window);
}

TSkinParts& SkinParts()
{
    static TSkinParts parts;
    return parts;
}

// ---- TSkinManage

TSkinManage::TSkinManage() : actionTimer_(std::make_unique<TTimer>(nullptr))
{
    actionTimer_->SetEnabled(false);
    actionTimer_->SetInterval(ActionTimerIntervalMs);
    actionTimer_->OnTimer = TNotifyEvent([this](TObject*) { RunScheduledAction(); });
}

TSkinManage::~TSkinManage()
{
    State = TManageState::Destroying;
    Active = false;
    actionTimer_.reset();
    // Each window gets its procedure back, last skinned first.
    while (!controllers_.empty()) {
        TWinSkinForm* controller = controllers_.back();
        controllers_.pop_back();
        controller->DetachOnDestroy();
        delete controller;
    }
    popupSkinners_.clear();
    skinDataList_.clear();
    hook_.reset();
    ui::Screen()->OnFormShowing = nullptr;
}

void TSkinManage::InstallCreationHook()
{
    const TPlatformVersion version = PlatformVersion();
    OsVersion = MAKEWORD(version.Major, version.Minor);
    if (!hook_)
        hook_ = std::make_unique<TCbtHook>([this](int code, WPARAM wParam, LPARAM lParam) { OnCbt(code, wParam, lParam); });
    ui::Screen()->OnFormShowing = [this](TForm& form) { SkinBeforeShowing(form); };
}

// A form about to be shown is skinned and dressed while it is still hidden:
// it appears with its skinned frame at its skinned size, painted once, not
// first with the system's frame and then resized and painted again. MDI
// children are skinned as they are made.
void TSkinManage::SkinBeforeShowing(TForm& form)
{
    if (!Active || form.FormStyle() == TFormStyle::fsMDIChild || !form.HandleAllocated())
        return;
    const HWND window = form.Handle();
    if (State == TManageState::Created)
        State = TManageState::Running;
    if (!TrySkinWindow(window))
        return;
    TWinSkinForm* controller = FindController(window);
    if (controller && controller->SkinState == TSkinState::Attached)
        controller->FirstSkinning();
}

void TSkinManage::RegisterSkinData(TSkinData* skinData)
{
    skinDataList_.push_back(skinData);
    if (!MainSkinData && skinData->SkinFormtype() == TSkinFormType::sfMainform)
        MainSkinData = skinData;
}

// A skin data that goes takes every reference the manager holds to it along,
// so no later request or window decision reads it, and the windows it
// skinned get their own look back.
void TSkinManage::UnregisterSkinData(TSkinData* skinData)
{
    std::erase(skinDataList_, skinData);
    if (State != TManageState::Destroying) {
        std::vector<TWinSkinForm*> users;
        std::copy_if(controllers_.begin(), controllers_.end(), std::back_inserter(users),
                     [skinData](TWinSkinForm* c) { return c->SkinData == skinData; });
        for (TWinSkinForm* controller : users)
            DetachAndFree(controller);
    }
    if (MainSkinData == skinData)
        MainSkinData = nullptr;
    if (PendingSkinData == skinData)
        PendingSkinData = nullptr;
}

// ---- The hook

void TSkinManage::OnCbt(int code, WPARAM wParam, LPARAM lParam)
{
    const auto window = reinterpret_cast<HWND>(wParam);
    switch (code) {
    case HCBT_CREATEWND: OnCreateWindow(window, *reinterpret_cast<const CBT_CREATEWNDW*>(lParam)); break;
    case HCBT_DESTROYWND: ReleasePopupWindow(window); break;
    case HCBT_ACTIVATE:
        if (State == TManageState::Created)
            State = TManageState::Running;
        TrySkinWindow(window);
        break;
    default: break;
    }
}

void TSkinManage::OnCreateWindow(HWND window, const CBT_CREATEWNDW& create)
{
    const CREATESTRUCTW& cs = *create.lpcs;
    const std::wstring className = ClassNameOf(window);
    if (className == L"ScrollBar" && (cs.style & SBS_SIZEGRIP))
        if (TWinSkinForm* parent = FindController(cs.hwndParent); parent && SkinParts().SkinWindowByClass)
            SkinParts().SkinWindowByClass(*parent, window);
    if (!(cs.style & WS_CHILD) && className == PopupMenuClass)
        SkinPopupWindow(window);
    if (cs.dwExStyle & WS_EX_MDICHILD)
        TrySkinWindow(window);
}

// ---- The decision

bool TSkinManage::TrySkinWindow(HWND window)
{
    if (!Active)
        return false;
    PurgeControllers();
    if (AnswersSkinQuery(window) || FindController(window))
        return false;
    TControl* control = FindFormOfWindow(window);
    const std::wstring className = ClassNameOf(window);
    if (!PassesWindowTests(window, control, className))
        return false;
    TSkinData* skinData = FindSkinDataFor(window);
    if (!skinData || skinData->Empty())
        return false;

    auto* form = dynamic_cast<TForm*>(control);
    std::unique_ptr<TWinSkinForm> controller = std::make_unique<TWinSkinForm>(form);
    controller->WindowHandle = window;
    controller->WindowClassName = className;
    if (form)
        controller->AttachToForm(skinData, form);
    else
        controller->AttachToWindow(skinData);
    controllers_.push_back(controller.release());
    PostMessageW(window, WM_SKINSTART, 0, SkinStartLParam);
    return true;
}

bool TSkinManage::PassesWindowTests(HWND window, TControl* control, const std::wstring& className) const
{
    if (!FullScan && IsForeignMdiChild(window))
        return false;
    // Windows of other modules are skinned only when they are standard dialogs.
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
    if (!control && instance != ModuleInstance() && className != StandardDialogClass)
        return false;
    if (!HasArea(window) && !(ExStyleOf(window) & WS_EX_MDICHILD))
        return false;
    if (control && control->Tag() == NeverSkinnedTag)
        return false;
    if (IsNeverSkinnedClass(className))
        return false;
    return AcceptWindow(window, className);
}

bool TSkinManage::AcceptWindow(HWND window, const std::wstring& className) const
{
    bool accept = true;
    if (!MainSkinData)
        return accept;
    const std::wstring lower = Lower(className);
    if (!(MainSkinData->Options() & SetOf(xoPreview)) && lower.find(L"preview") != std::wstring::npos)
        accept = false;
    // A dialog that pushes itself to the foreground (DS_SETFOREGROUND) is left alone.
    if (className == StandardDialogClass && (StyleOf(window) & DS_SETFOREGROUND))
        accept = false;
    if (lower == L"tpopupdbtreeview")
        accept = false;
    MainSkinData->AskFormSkin(window, className, accept);
    return accept;
}

TSkinData* TSkinManage::FindSkinDataFor(HWND window) const
{
    if (TSkinData* own = LastWhere(skinDataList_, [window](TSkinData* d) {
            auto* owner = dynamic_cast<TWinControl*>(d->Owner());
            return d->SkinFormtype() == TSkinFormType::sfOnlyThisForm && owner && owner->HandleAllocated() &&
                   owner->Handle() == window;
        }))
        return own;
    const std::wstring lower = Lower(ClassNameOf(window));
    if (lower == L"tmessageform" || lower == L"#32770")
        if (TSkinData* dialog = LastWhere(skinDataList_, [](TSkinData* d) {
                return d->SkinFormtype() == TSkinFormType::sfDialog;
            }))
            return dialog;
    if (TSkinData* main = LastWhere(skinDataList_, [](TSkinData* d) {
            return d->SkinFormtype() == TSkinFormType::sfMainform;
        }))
        return main;
    return skinDataList_.empty() ? nullptr : skinDataList_.front();
}

bool TSkinManage::SkinForm(TForm* form)
{
    if (!form->HandleAllocated() || !IsWindowVisible(form->Handle()) || (StyleOf(form->Handle()) & WS_CHILD))
        return true;
    return TrySkinWindow(form->Handle());
}

TWinSkinForm* TSkinManage::FindController(HWND window) const
{
    const auto found = std::find_if(controllers_.begin(), controllers_.end(),
                                    [window](TWinSkinForm* c) { return c->WindowHandle == window; });
    return found == controllers_.end() ? nullptr : *found;
}

void TSkinManage::RemoveController(HWND window)
{
    if (State == TManageState::Destroying)
        return;
    const auto found = std::find_if(controllers_.begin(), controllers_.end(),
                                    [window](TWinSkinForm* c) { return c->WindowHandle == window; });
    if (found != controllers_.end())
        controllers_.erase(found);
}

// Controllers remove themselves from the list when they go, so every entry
// is alive; the ones whose window was destroyed are freed here.
void TSkinManage::PurgeControllers()
{
    if (State == TManageState::Destroying)
        return;
    for (size_t i = controllers_.size(); i-- > 0;) {
        TWinSkinForm* controller = controllers_[i];
        if (controller->SkinState == TSkinState::Closed) {
            controllers_.erase(controllers_.begin() + static_cast<std::ptrdiff_t>(i));
            delete controller;
        }
    }
}

// ---- Scheduled actions

void TSkinManage::ScheduleAction(TSkinAction action, int intervalMs)
{
    PendingAction = action;
    actionTimer_->SetInterval(intervalMs);
    if (State != TManageState::Created) {
        actionTimer_->SetEnabled(true);
        return;
    }
    // No window was activated yet: the hook skins them as they are.
    if (action == TSkinAction::SkinAll)
        Active = true;
    else if (action == TSkinAction::UnskinAll)
        Active = false;
}

void TSkinManage::RefreshSkinData()
{
    for (TWinSkinForm* controller : controllers_)
        if (controller->SkinData == PendingSkinData)
            controller->FreeCaptionButtons();
}

void TSkinManage::RunScheduledAction()
{
    actionTimer_->SetEnabled(false);
    TSkinData* skinData = PendingSkinData;
    if (!skinData)
        return;
    switch (PendingAction) {
    case TSkinAction::SkinAll: SkinAllForms(skinData); break;
    case TSkinAction::UnskinAll: UnskinAll(skinData); break;
    case TSkinAction::Reload: ReloadSkin(skinData); break;
    case TSkinAction::None: break;
    }
    skinData->FireSkinChanged();
    PendingSkinData = nullptr;
}

// Every visible form, last created first; a skin data of sfOnlyThisForm
// skins only its own form.
void TSkinManage::SkinAllForms(TSkinData* skinData)
{
    Active = true;
    FullScan = true;
    const bool onlyOwner = skinData->SkinFormtype() == TSkinFormType::sfOnlyThisForm;
    if (!onlyOwner)
        PurgeControllers();
    TScreen* screen = Screen();
    for (int i = screen->FormCount(); i-- > 0;) {
        TForm* form = screen->Forms(i);
        if (!onlyOwner) {
            SkinForm(form);
        } else if (form == skinData->Owner()) {
            SkinForm(form);
            break;
        }
    }
    FullScan = false;
}

// Every window back to the system; a skin data of sfOnlyThisForm unskins only
// the last window that uses it.
void TSkinManage::UnskinAll(TSkinData* skinData)
{
    Active = false;
    PurgeControllers();
    if (skinData->SkinFormtype() != TSkinFormType::sfOnlyThisForm) {
        while (!controllers_.empty())
            DetachAndFree(controllers_.front());
        return;
    }
    const auto last = std::find_if(controllers_.rbegin(), controllers_.rend(),
                                   [skinData](TWinSkinForm* c) { return c->SkinData == skinData; });
    if (last != controllers_.rend())
        DetachAndFree(*last);
}

void TSkinManage::DetachAndFree(TWinSkinForm* controller)
{
    controller->Detach();
    InvalidateRect(controller->WindowHandle, nullptr, TRUE);
    UpdateWindow(controller->WindowHandle);
    std::erase(controllers_, controller);
    delete controller;
}

// The skin was reloaded: the windows that use it take its new frame. With
// sfOnlyThisForm only the first such window.
void TSkinManage::ReloadSkin(TSkinData* skinData)
{
    PurgeControllers();
    std::vector<TWinSkinForm*> users;
    for (TWinSkinForm* controller : controllers_)
        if (controller->SkinData == skinData)
            users.push_back(controller);
    if (skinData->SkinFormtype() == TSkinFormType::sfOnlyThisForm && users.size() > 1)
        users.erase(users.begin() + 1, users.end());
    for (TWinSkinForm* controller : users) {
        controller->FreeCaptionButtons();
        controller->ComputeFrameGeometry();
    }
    for (TWinSkinForm* controller : users) {
        controller->Reskin();
        RedrawWindow(controller->WindowHandle, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
}

// ---- Popup menus

void TSkinManage::SkinPopupWindow(HWND window)
{
    if (!Active || AnswersSkinQuery(window) || IsPopupSkinned(window) || !SkinParts().CreatePopupSkinner)
        return;
    TSkinData* skinData = FindSkinDataFor(window);
    if (!skinData || skinData->Empty())
        return;
    const TSkinControlTypes controls = skinData->SkinControls();
    const bool allowed = PendingPopupKind == TPopupKind::Ordinary      ? (controls & SetOf(xcPopupMenu)) != 0
                         : PendingPopupKind == TPopupKind::SystemMenu ? (controls & SetOf(xcSystemMenu)) != 0
                         : (controls & (SetOf(xcMainMenu) | SetOf(xcMenuItem))) != 0;
    if (!allowed)
        return;
    std::unique_ptr<TWinSkinPopMenu> skinner = SkinParts().CreatePopupSkinner(window, *skinData);
    if (!skinner)
        return;
    skinner->OpenedFromMenuBar = PopupFromMenuBar;
    popupSkinners_.push_back(std::move(skinner));
}

bool TSkinManage::ReleasePopupWindow(HWND window)
{
    const auto found = std::find_if(popupSkinners_.begin(), popupSkinners_.end(),
                                    [window](const auto& p) { return p->Window() == window; });
    const bool released = found != popupSkinners_.end();
    if (released)
        popupSkinners_.erase(found);
    if (popupSkinners_.empty()) {
        PopupFromMenuBar = false;
        PendingPopupKind = TPopupKind::Ordinary;
    }
    return released;
}

bool TSkinManage::IsPopupSkinned(HWND window) const
{
    return std::any_of(popupSkinners_.begin(), popupSkinners_.end(),
                       [window](const auto& p) { return p->Window() == window; });
}

void TSkinManage::MarkAllPopupsFromMenuBar()
{
    for (const auto& popup : popupSkinners_)
        popup->OpenedFromMenuBar = true;
}

void TSkinManage::AssignMenuToLastPopup(HMENU menu)
{
    const auto free = std::find_if(popupSkinners_.rbegin(), popupSkinners_.rend(),
                                   [](const auto& p) { return p->Menu() == nullptr; });
    if (free != popupSkinners_.rend())
        (*free)->SetMenu(menu);
}

TBitmap* TSkinManage::FindPopupBitmap(HMENU menu) const
{
    const auto found = std::find_if(popupSkinners_.begin(), popupSkinners_.end(),
                                    [menu](const auto& p) { return p->Menu() == menu; });
    return found == popupSkinners_.end() ? nullptr : (*found)->Bitmap();
}

// ---- MDI

void TSkinManage::SetMdiChildMaximized(bool maximized)
{
    if (maximized == MdiChildMaximized)
        return;
    MdiChildMaximized = maximized;
    if (MainSkinData && (MainSkinData->Options() & SetOf(xoMDIChildBorder)))
        return;
    for (TWinSkinForm* controller : controllers_)
        if (controller->MdiKind == TMdiKind::Child)
            controller->MdiChildMaximizedChanged(maximized);
}

} // namespace skin
