#include "tests/win/support/XInput.h"

#include "tests/support/HostProgram.h"
#include "tests/win/support/WindowTestSupport.h"

namespace tests {

namespace {

bool FileExists(const wchar_t* path)
{
    return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

} // namespace

TXInput& TXInput::Instance()
{
    static TXInput pointer;
    return pointer;
}

TXInput::TXInput()
{
    // The Z: drive of a Wine prefix is the Unix root.
    if (!FileExists(L"Z:\\usr\\bin\\xdotool") || !GetEnvironmentVariableW(L"DISPLAY", nullptr, 0))
        return;
    const std::string name = "/tmp/tessaly-pointer-" + std::to_string(GetCurrentProcessId()) + "-" +
                             std::to_string(GetTickCount()) + ".cmd";
    path_ = L"Z:" + std::wstring(name.begin(), name.end());
    for (wchar_t& c : path_)
        if (c == L'/')
            c = L'\\';
    file_ = CreateFileW(path_.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                        CREATE_ALWAYS, 0, nullptr);
    if (file_ == INVALID_HANDLE_VALUE)
        return;
    // tail hands every new line to xdotool; the line "quit" ends sed, and
    // with it xdotool and tail. The time limit ends them should the test
    // program die without saying so.
    const std::string pipeline =
        "timeout 1800 tail -n +1 -f " + name + " | sed -u /^quit$/Q | /usr/bin/xdotool -";
    if (!StartHostProgram(L"", L"/bin/sh -c \"" + std::wstring(pipeline.begin(), pipeline.end()) + L"\"")) {
        CloseHandle(file_);
        file_ = INVALID_HANDLE_VALUE;
    }
}

TXInput::~TXInput()
{
    if (file_ == INVALID_HANDLE_VALUE)
        return;
    Send("quit");
    CloseHandle(file_);
    DeleteFileW(path_.c_str());
}

void TXInput::Send(const std::string& line)
{
    const std::string text = line + "\n";
    DWORD written = 0;
    WriteFile(file_, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

namespace {

bool CursorAt(POINT screen)
{
    POINT now{};
    GetCursorPos(&now);
    return now.x == screen.x && now.y == screen.y;
}

} // namespace

bool TXInput::MoveTo(POINT screen)
{
    Send("mousemove " + std::to_string(screen.x) + " " + std::to_string(screen.y));
    return PumpUntil([screen] { return CursorAt(screen); });
}

bool TXInput::MoveThroughApplication(POINT screen)
{
    Send("mousemove " + std::to_string(screen.x) + " " + std::to_string(screen.y));
    return LoopUntil([screen] { return CursorAt(screen); });
}

void TXInput::Press(int button)
{
    Send("mousedown " + std::to_string(button));
}

void TXInput::Release(int button)
{
    Send("mouseup " + std::to_string(button));
}

void TXInput::Click(int button)
{
    Send("click " + std::to_string(button));
}

void TXInput::Key(const std::string& name)
{
    Send("key " + name);
}

void TXInput::KeyDown(const std::string& name)
{
    Send("keydown " + name);
}

void TXInput::KeyUp(const std::string& name)
{
    Send("keyup " + name);
}

bool WaitForGuiState(DWORD thread, DWORD flag, bool set)
{
    return PumpUntil([&] {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        BOOL ok = GetGUIThreadInfo(thread, &info);
        return ok && ((info.flags & flag) != 0) == set;
    });
}

} // namespace tests
