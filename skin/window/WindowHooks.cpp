#include "skin/window/WindowHooks.h"

#include "ui/core/Classes.h"
#include "ui/forms/ErrorGuard.h"

namespace skin {

using namespace ui;

// ---- TWindowSubclass

// What the window's property holds: enough to route a message to its
// subclass object, or past it once the object has left a forwarder behind.
struct TWindowSubclass::TLink {
    WNDPROC oldProc;
    bool unicode;
    TWindowSubclass* owner;  // null for a forwarder
};

namespace {

// The window property of each subclass kind (TSubclassKind order).
constexpr const wchar_t* KindProperties[] = {L"TessalySkinFormSubclass", L"TessalyMdiClientSubclass",
                                             L"TessalySkinControlSubclass", L"TessalyPopupMenuSubclass"};
static_assert(std::size(KindProperties) == static_cast<size_t>(TSubclassKind::Count));

const wchar_t* PropertyOf(TSubclassKind kind)
{
    return KindProperties[static_cast<int>(kind)];
}

LRESULT CallProcedure(WNDPROC proc, bool unicode, HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return unicode ? CallWindowProcW(proc, window, msg, wParam, lParam)
                   : CallWindowProcA(proc, window, msg, wParam, lParam);
}

WNDPROC CurrentProcedure(HWND window, bool unicode)
{
    return reinterpret_cast<WNDPROC>(unicode ? GetWindowLongPtrW(window, GWLP_WNDPROC)
                                             : GetWindowLongPtrA(window, GWLP_WNDPROC));
}

WNDPROC SetProcedure(HWND window, bool unicode, WNDPROC proc)
{
    const auto value = reinterpret_cast<LONG_PTR>(proc);
    return reinterpret_cast<WNDPROC>(unicode ? SetWindowLongPtrW(window, GWLP_WNDPROC, value)
                                             : SetWindowLongPtrA(window, GWLP_WNDPROC, value));
}

} // namespace

template <TSubclassKind K>
LRESULT CALLBACK TWindowSubclass::Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return Route(K, window, msg, wParam, lParam);
}

WNDPROC TWindowSubclass::ProcedureOf(TSubclassKind kind)
{
    static constexpr WNDPROC procedures[] = {&Procedure<TSubclassKind::SkinForm>,
                                             &Procedure<TSubclassKind::MdiClient>,
                                             &Procedure<TSubclassKind::SkinControl>,
                                             &Procedure<TSubclassKind::PopupMenu>};
    static_assert(std::size(procedures) == static_cast<size_t>(TSubclassKind::Count));
    return procedures[static_cast<int>(kind)];
}

TWindowSubclass::TLink* TWindowSubclass::LinkOf(HWND window, TSubclassKind kind)
{
    return static_cast<TLink*>(GetPropW(window, PropertyOf(kind)));
}

LRESULT TWindowSubclass::Route(TSubclassKind kind, HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    TLink* link = LinkOf(window, kind);
    if (!link)  // cannot happen while the property lives; the window's default is the safe answer
        return IsWindowUnicode(window) ? DefWindowProcW(window, msg, wParam, lParam)
                                       : DefWindowProcA(window, msg, wParam, lParam);
    LRESULT result = 0;
    if (TWindowSubclass* owner = link->owner)
        CallGuarded([&] { result = owner->handler_(msg, wParam, lParam); });
    else
        result = CallProcedure(link->oldProc, link->unicode, window, msg, wParam, lParam);
    // The window goes: whatever is still linked to it goes with it.
    if (msg == WM_NCDESTROY) {
        if (TLink* left = LinkOf(window, kind)) {
            RemovePropW(window, PropertyOf(kind));
            if (left->owner)
                left->owner->link_ = nullptr;
            delete left;
        }
    }
    return result;
}

TWindowSubclass::TWindowSubclass(HWND window, TSubclassKind kind, THandler handler)
    : window_(window), kind_(kind), unicode_(IsWindowUnicode(window) != FALSE), handler_(std::move(handler))
{
    if (!IsWindow(window))
        throw Exception("Cannot subclass a window that does not exist");
    if (LinkOf(window, kind))
        throw Exception("The window is subclassed by the skin already");
    auto link = std::make_unique<TLink>(TLink{nullptr, unicode_, this});
    if (!SetPropW(window, PropertyOf(kind), link.get()))
        throw Exception("Cannot subclass the window: its property cannot be set");
    link_ = link.release();
    oldProc_ = link_->oldProc = SetProcedure(window, unicode_, ProcedureOf(kind));
}

TWindowSubclass::~TWindowSubclass()
{
    Restore();
}

bool TWindowSubclass::Restore()
{
    if (!link_)
        return true;
    TLink* link = std::exchange(link_, nullptr);
    if (CurrentProcedure(window_, unicode_) != ProcedureOf(kind_)) {
        link->owner = nullptr;  // the window keeps it as a forwarder until it goes
        return false;
    }
    SetProcedure(window_, unicode_, oldProc_);
    RemovePropW(window_, PropertyOf(kind_));
    delete link;
    return true;
}

LRESULT TWindowSubclass::CallOld(UINT msg, WPARAM wParam, LPARAM lParam) const
{
    return CallProcedure(oldProc_, unicode_, window_, msg, wParam, lParam);
}

// ---- TCbtHook

namespace {
thread_local TCbtHook* threadCbtHook = nullptr;
} // namespace

TCbtHook::TCbtHook(THandler handler) : handler_(std::move(handler)), hook_(nullptr)
{
    if (threadCbtHook)
        throw Exception("The thread has a CBT hook already");
    hook_ = SetWindowsHookExW(WH_CBT, Procedure, nullptr, GetCurrentThreadId());
    if (!hook_)
        throw Exception("Cannot install the window creation hook");
    threadCbtHook = this;
}

TCbtHook::~TCbtHook()
{
    UnhookWindowsHookEx(hook_);
    threadCbtHook = nullptr;
}

LRESULT CALLBACK TCbtHook::Procedure(int code, WPARAM wParam, LPARAM lParam)
{
    if (TCbtHook* hook = threadCbtHook; hook && code >= 0)
        CallGuarded([&] { hook->handler_(code, wParam, lParam); });
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace skin
