#include "tests/win/support/MessageRecorder.h"

#include <array>
#include <cstdio>
#include <stdexcept>
#include <map>
#include <sstream>

#include "skin/window/SkinMessages.h"

namespace tests {

namespace {

const wchar_t* const SlotProperties[] = {L"TessalyTestRecorder0", L"TessalyTestRecorder1", L"TessalyTestRecorder2",
                                         L"TessalyTestRecorder3"};

// The posted message the thread took from its queue last, noted by a
// WH_GETMESSAGE hook: a message that arrives as it is dispatched was posted.
struct TLastPosted {
    HWND Window = nullptr;
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    bool Pending = false;
};
thread_local TLastPosted lastPosted;

LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && wParam == PM_REMOVE) {
        const MSG& msg = *reinterpret_cast<const MSG*>(lParam);
        lastPosted = {msg.hwnd, msg.message, msg.wParam, msg.lParam, true};
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool TakePosted(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    const TLastPosted& p = lastPosted;
    const bool posted = p.Pending && p.Window == window && p.Msg == msg && p.WParam == wParam && p.LParam == lParam;
    if (posted)
        lastPosted.Pending = false;
    return posted;
}

const std::map<UINT, const char*>& KnownNames()
{
    static const std::map<UINT, const char*> names = {
        {WM_CREATE, "WM_CREATE"}, {WM_DESTROY, "WM_DESTROY"}, {WM_MOVE, "WM_MOVE"}, {WM_SIZE, "WM_SIZE"},
        {WM_ACTIVATE, "WM_ACTIVATE"}, {WM_SETFOCUS, "WM_SETFOCUS"}, {WM_KILLFOCUS, "WM_KILLFOCUS"},
        {WM_SETTEXT, "WM_SETTEXT"}, {WM_PAINT, "WM_PAINT"}, {WM_ERASEBKGND, "WM_ERASEBKGND"},
        {WM_SHOWWINDOW, "WM_SHOWWINDOW"}, {WM_ACTIVATEAPP, "WM_ACTIVATEAPP"}, {WM_GETMINMAXINFO, "WM_GETMINMAXINFO"},
        {WM_WINDOWPOSCHANGING, "WM_WINDOWPOSCHANGING"}, {WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED"},
        {WM_NCCREATE, "WM_NCCREATE"}, {WM_NCDESTROY, "WM_NCDESTROY"}, {WM_NCCALCSIZE, "WM_NCCALCSIZE"},
        {WM_NCHITTEST, "WM_NCHITTEST"}, {WM_NCPAINT, "WM_NCPAINT"}, {WM_NCACTIVATE, "WM_NCACTIVATE"},
        {WM_NCMOUSEMOVE, "WM_NCMOUSEMOVE"}, {WM_NCLBUTTONDOWN, "WM_NCLBUTTONDOWN"},
        {WM_NCLBUTTONUP, "WM_NCLBUTTONUP"}, {WM_NCLBUTTONDBLCLK, "WM_NCLBUTTONDBLCLK"},
        {WM_NCRBUTTONDOWN, "WM_NCRBUTTONDOWN"}, {WM_SYSCOMMAND, "WM_SYSCOMMAND"}, {WM_COMMAND, "WM_COMMAND"},
        {WM_SETCURSOR, "WM_SETCURSOR"}, {WM_MOUSEACTIVATE, "WM_MOUSEACTIVATE"}, {WM_GETTEXT, "WM_GETTEXT"},
        {WM_GETICON, "WM_GETICON"}, {WM_SIZING, "WM_SIZING"}, {WM_MOVING, "WM_MOVING"},
        {WM_ENTERSIZEMOVE, "WM_ENTERSIZEMOVE"}, {WM_EXITSIZEMOVE, "WM_EXITSIZEMOVE"},
        {WM_INITMENUPOPUP, "WM_INITMENUPOPUP"}, {WM_CTLCOLORSTATIC, "WM_CTLCOLORSTATIC"},
        {0xAE, "WM_NCUAHDRAWCAPTION"}, {skin::WM_SKINSTART, "WM_SKINSTART"}, {skin::WM_SKINQUERY, "WM_SKINQUERY"},
        {skin::WM_SKINDONE, "WM_SKINDONE"}, {skin::WM_SKINREPAINTFRAME, "WM_SKINREPAINTFRAME"},
        {skin::WM_SKINPAINTFRAMETO, "WM_SKINPAINTFRAMETO"}, {skin::WM_SKINIDENTIFY, "WM_SKINIDENTIFY"},
    };
    return names;
}

std::string Describe(UINT msg, bool sent, WPARAM wParam, LPARAM lParam)
{
    char text[96];
    std::snprintf(text, sizeof text, " %s w=%#llx l=%#llx", sent ? "sent" : "posted",
                  static_cast<unsigned long long>(wParam), static_cast<unsigned long long>(lParam));
    return MessageName(msg) + text;
}

bool Matches(const TExpectedMessage& e, const TRecordedMessage& r)
{
    if (e.Msg != r.Msg)
        return false;
    if ((e.Flags & Sent) && !r.Sent)
        return false;
    if ((e.Flags & Posted) && r.Sent)
        return false;
    if ((e.Flags & CheckWParam) && e.WParam != r.WParam)
        return false;
    return !(e.Flags & CheckLParam) || e.LParam == r.LParam;
}

} // namespace

std::string MessageName(UINT msg)
{
    const auto& names = KnownNames();
    if (const auto found = names.find(msg); found != names.end())
        return found->second;
    char text[16];
    std::snprintf(text, sizeof text, "msg %#x", msg);
    return text;
}

template <int Slot>
LRESULT CALLBACK TMessageRecorder::RecorderProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* self = static_cast<TMessageRecorder*>(GetPropW(window, SlotProperties[Slot]));
    return self ? self->Record(msg, wParam, lParam) : DefWindowProcW(window, msg, wParam, lParam);
}

namespace {

using TRecorderProcs = std::array<WNDPROC, 4>;

} // namespace

WNDPROC TMessageRecorder::Procedure() const
{
    static const TRecorderProcs procedures = {&RecorderProc<0>, &RecorderProc<1>, &RecorderProc<2>,
                                              &RecorderProc<3>};
    static_assert(std::tuple_size_v<TRecorderProcs> == Slots);
    return procedures[static_cast<size_t>(slot_)];
}

TMessageRecorder::TMessageRecorder(HWND window, std::initializer_list<UINT> only)
    : window_(window), only_(only)
{
    while (++slot_ < Slots && GetPropW(window, SlotProperties[slot_])) {
    }
    if (slot_ == Slots)
        throw std::runtime_error("too many recorders on one window");
    hook_ = SetWindowsHookExW(WH_GETMESSAGE, GetMessageHook, nullptr, GetCurrentThreadId());
    SetPropW(window, SlotProperties[slot_], this);
    previous_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Procedure())));
}

TMessageRecorder::~TMessageRecorder()
{
    UnhookWindowsHookEx(hook_);
    if (!IsWindow(window_))
        return;
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window_, GWLP_WNDPROC)) == Procedure())
        SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
    RemovePropW(window_, SlotProperties[slot_]);
}

int TMessageRecorder::Count(UINT msg) const
{
    int n = 0;
    for (const TRecordedMessage& m : messages_)
        n += m.Msg == msg;
    return n;
}

LRESULT TMessageRecorder::Record(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (only_.empty() || only_.count(msg)) {
        const auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window_, GWLP_WNDPROC));
        messages_.push_back({msg, !TakePosted(window_, msg, wParam, lParam), wParam, lParam, current});
    }
    const HWND window = window_;
    const WNDPROC previous = previous_;
    if (msg == WM_NCDESTROY)
        RemovePropW(window, SlotProperties[slot_]);
    return CallWindowProcW(previous, window, msg, wParam, lParam);
}

::testing::AssertionResult OkSequence(const TMessageRecorder& recorder, const std::vector<TExpectedMessage>& expected,
                                      const std::string& context)
{
    const auto& actual = recorder.Messages();
    size_t a = 0;
    bool ok = true;
    for (const TExpectedMessage& e : expected) {
        if (a < actual.size() && Matches(e, actual[a])) {
            ++a;
        } else if (!(e.Flags & Optional)) {
            ok = false;
            break;
        }
    }
    if (ok && a == actual.size())
        return ::testing::AssertionSuccess();
    std::ostringstream out;
    out << context << ": the sequence differs\n  expected:";
    for (const TExpectedMessage& e : expected)
        out << "\n    " << MessageName(e.Msg) << ((e.Flags & Optional) ? " (optional)" : "");
    out << "\n  received:";
    for (const TRecordedMessage& r : actual)
        out << "\n    " << Describe(r.Msg, r.Sent, r.WParam, r.LParam);
    return ::testing::AssertionFailure() << out.str();
}

} // namespace tests
