#include "ProcessDriver.h"

#include <algorithm>
#include <stdexcept>
#include <thread>

#include "app/kexPassFile.h"

namespace e2e {

namespace {

std::wstring programPath;
std::wstring demoPath;

std::wstring ClassOf(HWND wnd)
{
    wchar_t buf[256] = {};
    GetClassNameW(wnd, buf, 256);
    return buf;
}

} // namespace

std::wstring DosPath(std::wstring path)
{
    if (!path.empty() && path[0] == L'/') {
        std::replace(path.begin(), path.end(), L'/', L'\\');
        path = L"Z:" + path;
    }
    return path;
}

void SetProgramPath(const std::wstring& path)
{
    programPath = DosPath(path);
}

void SetDemoPath(const std::wstring& path)
{
    demoPath = DosPath(path);
}

const std::wstring& ProgramPath()
{
    return programPath;
}

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout)
{
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

TTessaly::TTessaly(const TTempDir& dir, const char* password, TProgram program)
    : dir_(dir.Path()), exe_(dir / (program == TProgram::Demo ? L"tessaly_demo.exe" : L"tessaly.exe"))
{
    const std::wstring& source = program == TProgram::Demo ? demoPath : programPath;
    if (source.empty() || !CopyFileW(source.c_str(), exe_.c_str(), FALSE))
        throw std::runtime_error("cannot copy the program: give the paths of tessaly.exe and tessaly_demo.exe as arguments");
    if (password) {
        std::uint32_t state = 1;
        const auto random = [&state](std::uint32_t range) { return (state = state * 1103515245u + 12345u) % range; };
        WriteBytes(dir / L"kex_run.dll", kex::BuildPassFile(ReadBytes(exe_), password, random));
    }
}

TTessaly::~TTessaly()
{
    if (Running()) {
        TerminateProcess(info_.hProcess, 1);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    if (info_.hProcess) {
        CloseHandle(info_.hProcess);
        CloseHandle(info_.hThread);
    }
}

void TTessaly::Start(const std::wstring& argument)
{
    STARTUPINFOW si{};
    si.cb = sizeof si;
    std::wstring cmd = L"\"" + exe_ + L"\"";
    if (!argument.empty())
        cmd += L" \"" + argument + L"\"";
    if (!CreateProcessW(exe_.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, dir_.c_str(), &si, &info_))
        throw std::runtime_error("cannot start tessaly.exe");
    WaitForInputIdle(info_.hProcess, 10000);
}

bool TTessaly::Running() const
{
    return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD TTessaly::WaitForExit(std::chrono::milliseconds timeout)
{
    if (WaitForSingleObject(info_.hProcess, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0)
        return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

namespace {

struct TWindowSearch {
    DWORD Pid = 0;
    const wchar_t* Class = nullptr;
    std::vector<HWND> Found;
};

BOOL CALLBACK CollectVisibleOfProcess(HWND wnd, LPARAM p)
{
    auto* s = reinterpret_cast<TWindowSearch*>(p);
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    if (pid == s->Pid && IsWindowVisible(wnd))
        s->Found.push_back(wnd);
    return TRUE;
}

BOOL CALLBACK CollectChildOfClass(HWND wnd, LPARAM p)
{
    auto* s = reinterpret_cast<TWindowSearch*>(p);
    if (ClassOf(wnd) == s->Class)
        s->Found.push_back(wnd);
    return TRUE;
}

} // namespace

std::vector<HWND> TTessaly::VisibleWindows() const
{
    TWindowSearch search{info_.dwProcessId, nullptr, {}};
    EnumWindows(CollectVisibleOfProcess, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

HWND TTessaly::FindWindowOfClass(const wchar_t* cls) const
{
    for (HWND wnd : VisibleWindows())
        if (ClassOf(wnd) == cls)
            return wnd;
    return nullptr;
}

HWND TTessaly::WaitForWindow(const wchar_t* cls, std::chrono::milliseconds timeout) const
{
    HWND found = nullptr;
    WaitFor([&] { return (found = FindWindowOfClass(cls)) != nullptr; }, timeout);
    return found;
}

TMessageBox TTessaly::WaitForMessageBox(std::chrono::milliseconds timeout) const
{
    TMessageBox box;
    box.Window = WaitForWindow(L"#32770", timeout);
    if (box.Window) {
        box.Caption = Text(box.Window);
        // The box's text is the static control with identifier 0xFFFF.
        if (HWND text = GetDlgItem(box.Window, 0xFFFF))
            box.Text = Text(text);
    }
    return box;
}

void TTessaly::AnswerMessageBox(const TMessageBox& box)
{
    PostMessageW(box.Window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box.Window, IDOK)));
    WaitFor([&] { return !IsWindow(box.Window) || !IsWindowVisible(box.Window); });
}

std::vector<HWND> TTessaly::Children(HWND parent, const wchar_t* cls)
{
    TWindowSearch search{0, cls, {}};
    EnumChildWindows(parent, CollectChildOfClass, reinterpret_cast<LPARAM>(&search));
    std::sort(search.Found.begin(), search.Found.end(), [](HWND a, HWND b) {
        RECT ra, rb;
        GetWindowRect(a, &ra);
        GetWindowRect(b, &rb);
        return ra.top != rb.top ? ra.top < rb.top : ra.left < rb.left;
    });
    return search.Found;
}

HWND TTessaly::ButtonWithText(HWND parent, const std::wstring& caption)
{
    for (HWND b : Children(parent, L"Button"))
        if (Text(b) == caption)
            return b;
    return nullptr;
}

void TTessaly::SetText(HWND edit, const std::wstring& text)
{
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::wstring TTessaly::Text(HWND window)
{
    wchar_t buf[1024] = {};
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buf), SMTO_NORMAL, 5000, nullptr);
    return buf;
}

void TTessaly::Click(HWND button)
{
    PostMessageW(button, BM_CLICK, 0, 0);
}

void TTessaly::PressKey(HWND window, WPARAM key)
{
    PostMessageW(window, WM_KEYDOWN, key, 1);
    PostMessageW(window, WM_KEYUP, key, 1 | (1u << 30) | (1u << 31));
}

} // namespace e2e
