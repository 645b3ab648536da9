#include "tests/win/support/WindowTestSupport.h"

#include <atomic>
#include <thread>

#include "ui/forms/Forms.h"

namespace tests {

bool PumpUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout)
{
    const auto end = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        Pump();
        if (condition())
            return true;
        if (std::chrono::steady_clock::now() > end)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

bool LoopUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout)
{
    const auto end = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        ui::Application()->ProcessMessages();
        if (condition())
            return true;
        if (std::chrono::steady_clock::now() > end)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

void Pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void SendKeys(std::initializer_list<std::pair<WORD, bool>> keys)
{
    for (auto [key, down] : keys) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
        SendInput(1, &input, sizeof input);
    }
}

struct TMessageBoxAnswerer::State {
    std::atomic<bool> done{false};
    std::atomic<bool> stop{false};
    std::thread thread;
};

namespace {

std::atomic<int> expectedBoxes{0};

std::wstring TextOf(HWND wnd)
{
    wchar_t buf[512] = {};
    GetWindowTextW(wnd, buf, 512);
    return buf;
}

std::wstring ClassOf(HWND wnd)
{
    wchar_t name[32] = {};
    GetClassNameW(wnd, name, 32);
    return name;
}

bool IsMessageBox(HWND wnd)
{
    if (ClassOf(wnd) != L"#32770" || !GetDlgItem(wnd, 0xFFFF))
        return false;
    for (HWND child = GetWindow(wnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (const std::wstring cls = ClassOf(child); cls != L"Button" && cls != L"Static")
            return false;
    return true;
}

BOOL CALLBACK FindMessageBoxOfProcess(HWND wnd, LPARAM found)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    if (pid == GetCurrentProcessId() && IsWindowVisible(wnd) && IsMessageBox(wnd)) {
        *reinterpret_cast<HWND*>(found) = wnd;
        return FALSE;
    }
    return TRUE;
}

} // namespace

HWND OwnMessageBox()
{
    HWND found = nullptr;
    EnumWindows(FindMessageBoxOfProcess, reinterpret_cast<LPARAM>(&found));
    return found;
}

std::wstring MessageBoxCaption(HWND box)
{
    return TextOf(box);
}

std::wstring MessageBoxText(HWND box)
{
    const HWND text = GetDlgItem(box, 0xFFFF);
    return text ? TextOf(text) : std::wstring();
}

TExpectedMessageBoxes::TExpectedMessageBoxes()
{
    ++expectedBoxes;
}

TExpectedMessageBoxes::~TExpectedMessageBoxes()
{
    --expectedBoxes;
}

bool TExpectedMessageBoxes::Any()
{
    return expectedBoxes > 0;
}

TMessageBoxAnswerer::TMessageBoxAnswerer() : state_(new State)
{
    state_->thread = std::thread([this] {
        while (!state_->stop) {
            if (HWND box = OwnMessageBox()) {
                Caption = MessageBoxCaption(box);
                Text = MessageBoxText(box);
                PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                state_->done = true;
                return;
            }
            std::this_thread::sleep_for(10ms);
        }
    });
}

TMessageBoxAnswerer::~TMessageBoxAnswerer()
{
    state_->stop = true;
    state_->thread.join();
    delete state_;
}

bool TMessageBoxAnswerer::Wait(std::chrono::milliseconds timeout)
{
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!state_->done && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(10ms);
    return state_->done;
}

TErrorLog::TErrorLog()
{
    ui::Application()->OnException =
        ui::TExceptionEvent([this](ui::TObject*, const std::exception& e) { Shown.push_back(ui::ErrorText(e)); });
}

TErrorLog::~TErrorLog()
{
    ui::Application()->OnException = {};
}

// Windows counts the objects for GetGuiResources; Wine answers 0 there, but
// its GDI handles carry a table index in the low word and GetObjectType
// accepts an index without the generation in the high word, so the live
// entries can be counted.
DWORD LiveGdiObjects()
{
    if (const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS))
        return counted;
    DWORD live = 0;
    for (UINT_PTR index = 1; index < 0x10000; ++index)
        live += GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0;
    return live;
}

VOID CALLBACK CloseMenuOnTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    EndMenu();
}

HWND OpenMenuWindow()
{
    for (HWND w = FindWindowExW(nullptr, nullptr, L"#32768", nullptr); w;
         w = FindWindowExW(nullptr, w, L"#32768", nullptr))
        if (IsWindowVisible(w))
            return w;
    return nullptr;
}

} // namespace tests
