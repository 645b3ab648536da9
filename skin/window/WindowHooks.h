// The skin engine's hooks into the platform and the framework, each an object
// that installs itself when made and takes itself out when it goes:
//
// - TWindowSubclass replaces a window's procedure (wide or ANSI, as the
//   window is) and finds its object again through a window property, one
//   property per kind of subclass: no executable thunks.
// - TCbtHook is the thread's WH_CBT hook.
//
// Every call from the system into a hook runs through the framework's catch
// helper: an error ends there and is shown, and the message goes on.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>


namespace skin {

// The kinds of window subclass; a window carries at most one of each.
enum class TSubclassKind { SkinForm, MdiClient, SkinControl, PopupMenu, Count };

class TWindowSubclass {
public:
    // Handles one message; forward what it does not handle with CallOld.
    using THandler = std::function<LRESULT(UINT msg, WPARAM wParam, LPARAM lParam)>;

    // Replaces the procedure of `window` by one that calls `handler`. A
    // window that already carries a subclass of this kind is refused with
    // ui::Exception.
    TWindowSubclass(HWND window, TSubclassKind kind, THandler handler);
    // Restore()s.
    ~TWindowSubclass();
    TWindowSubclass(const TWindowSubclass&) = delete;
    TWindowSubclass& operator=(const TWindowSubclass&) = delete;

    // Gives the window its previous procedure back. When another procedure
    // was installed over ours since, ours cannot leave the chain: it stays
    // and passes every message on to the previous one until the window goes.
    // True when the previous procedure is the window's procedure again.
    bool Restore();
    // The procedure that was the window's before ours.
    LRESULT CallOld(UINT msg, WPARAM wParam, LPARAM lParam) const;

    HWND Window() const { return window_; }
    bool Unicode() const { return unicode_; }
    WNDPROC OldProc() const { return oldProc_; }
    bool Installed() const { return link_ != nullptr; }

private:
    struct TLink;
    template <TSubclassKind K>
    static LRESULT CALLBACK Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT Route(TSubclassKind kind, HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    static WNDPROC ProcedureOf(TSubclassKind kind);
    static TLink* LinkOf(HWND window, TSubclassKind kind);

    HWND window_;
    TSubclassKind kind_;
    bool unicode_;
    THandler handler_;
    WNDPROC oldProc_ = nullptr;
    TLink* link_ = nullptr;  // held by the window's property; ours while installed
};

// The WH_CBT hook of the calling thread; one at a time per thread.
class TCbtHook {
public:
    // Sees every hook call with a code of 0 or more; the call then goes on
    // to the next hook whatever it does.
    using THandler = std::function<void(int code, WPARAM wParam, LPARAM lParam)>;

    explicit TCbtHook(THandler handler);
    ~TCbtHook();
    TCbtHook(const TCbtHook&) = delete;
    TCbtHook& operator=(const TCbtHook&) = delete;

private:
    static LRESULT CALLBACK Procedure(int code, WPARAM wParam, LPARAM lParam);
    THandler handler_;
    HHOOK hook_;
};

} // namespace skin
