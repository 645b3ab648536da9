// What the skin costs a user, in two ratios printed side by side. Not a test:
// run it by hand under a display.
//
// Start-up: the time from the start of the program's start-up sequence (the
// main window created hidden from its stored form, whose skin data loads the
// skin, then the login dialog created and shown as ShowModal shows it) until
// the login dialog is on screen with every paint done and, for the skinned
// program, wearing the skin. Each run is a fresh process: a copy of this
// program started with --login-startup runs the sequence and writes its time
// into a file. The copies differ only in the main window's stored form:
//   skinned      as shipped;
//   skin off     the skin data stored with Active = False: no window is
//                skinned, but the package is still decoded (reading the
//                stored data loads the skin whatever Active says);
//   no package   the skin data stored without its package: nothing decoded.
// The kinds take turns, the first round is thrown away, and the means and
// medians of the rest are printed (goal: skinned against skin off at most
// 1.15).
//
// Frame paint: a full repaint of the main window's frame (WM_NCPAINT),
// skinned and, with the skin switched off at run time, painted by the system
// (goal: a ratio of at most 2).
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <memory>
#include <numeric>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/kexPassFile.h"
#include "app/Startup.h"
#include "app/Unit_main.h"
#include "app/Unit_mm.h"
#include "skin/data/WinSkinData.h"
#include "skin/window/SkinManage.h"
#include "skin/window/SkinMessages.h"
#include "skin/window/WinSkinForm.h"
#include "tests/support/TempDir.h"
#include "tests/win/support/WindowTestSupport.h"
#include "ui/forms/Forms.h"

namespace {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::duration<double, std::milli>;

constexpr const wchar_t* LoginStartupSwitch = L"--login-startup";
constexpr int StartupRounds = 16;  // the first is a warm-up

// ---- start-up: one run, in the child process

// Whether the login dialog is shown with nothing of the thread left to paint
// or to handle, and wearing the skin or not as the program was stored.
bool LoginOnScreen(HWND login, bool skinned)
{
    if (!IsWindowVisible(login) || HIWORD(GetQueueStatus(QS_ALLINPUT)) != 0)
        return false;
    if (!skinned)
        return true;
    const skin::TWinSkinForm* controller = skin::GlobalSkinManage()->FindController(login);
    return controller && controller->SkinState == skin::TSkinState::Running;
}

// Runs the start-up sequence and writes the milliseconds it took until the
// login dialog was on screen into resultPath; exit code 0 on success.
int MeasureLoginStartup(const std::wstring& resultPath)
{
    const Clock::time_point start = Clock::now();
    app::TForm_mm* login = app::CreateStartupForms();
    const bool skinned = app::Form_main()->SkinData1->Active();
    // What ShowModal does before its loop.
    login->Show();
    SetForegroundWindow(login->Handle());
    SetActiveWindow(login->Handle());
    const HWND window = login->Handle();
    if (!tests::PumpUntil([&] { return LoginOnScreen(window, skinned); }, std::chrono::seconds(30)))
        return 1;
    GdiFlush();
    const double spent = Milliseconds(Clock::now() - start).count();
    if (skinned != (skin::GlobalSkinManage()->FindController(window) != nullptr))
        return 2;  // the copy did not behave as stored
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", spent);
    tests::WriteBytes(resultPath, text);
    return 0;
}

// ---- start-up: the runs, in the parent process

struct TProgramKind {
    const char* Name;
    const wchar_t* FileName;
    std::string (*StoredForm)(std::string form);
    std::vector<double> Times;
};

std::string AsShipped(std::string form)
{
    return form;
}

// Replaces the one occurrence of what in text, or fails loudly.
std::string ReplaceOnce(std::string text, const std::string& what, const std::string& with)
{
    const size_t at = text.find(what);
    if (at == std::string::npos || text.find(what, at + 1) != std::string::npos)
        throw std::runtime_error("the stored main form does not hold \"" + what + "\" once");
    return text.replace(at, what.size(), with);
}

std::string SkinSwitchedOff(std::string form)
{
    return ReplaceOnce(std::move(form), "Active = True", "Active = False");
}

std::string WithoutPackage(std::string form)
{
    const std::string key = "SkinStream = {";
    const size_t at = form.find(key);
    const size_t end = at == std::string::npos ? at : form.find('}', at);
    if (end == std::string::npos)
        throw std::runtime_error("the stored main form holds no skin package");
    return form.erase(at, end + 1 - at);
}

std::string OwnStoredMainForm()
{
    const HRSRC res = FindResourceW(nullptr, L"TFORM_MAIN", MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    const HGLOBAL data = res ? LoadResource(nullptr, res) : nullptr;
    if (!data)
        throw std::runtime_error("no stored main form");
    return std::string(static_cast<const char*>(LockResource(data)), SizeofResource(nullptr, res));
}

std::wstring OwnPath()
{
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

// A copy of this program in dir whose main window's stored form is `form`.
void WriteCopy(const std::wstring& exe, const std::string& form)
{
    if (!CopyFileW(OwnPath().c_str(), exe.c_str(), FALSE))
        throw std::runtime_error("cannot copy the program");
    const HANDLE update = BeginUpdateResourceW(exe.c_str(), FALSE);
    if (!update || !UpdateResourceW(update, MAKEINTRESOURCEW(10), L"TFORM_MAIN",
                                    MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), const_cast<char*>(form.data()),
                                    static_cast<DWORD>(form.size())) ||
        !EndUpdateResourceW(update, FALSE))
        throw std::runtime_error("cannot replace the stored main form of the copy");
}

// Starts exe in its folder to measure one start-up; its time in
// milliseconds, or a negative value when the run failed.
double RunOnce(const tests::TTempDir& dir, const std::wstring& exe)
{
    const std::wstring result = dir / L"startup.txt";
    DeleteFileW(result.c_str());
    std::wstring command = L"\"" + exe + L"\" " + LoginStartupSwitch + L" \"" + result + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.Path().c_str(), &si,
                        &info))
        return -1;
    DWORD code = 1;
    if (WaitForSingleObject(info.hProcess, 60000) == WAIT_OBJECT_0)
        GetExitCodeProcess(info.hProcess, &code);
    else
        TerminateProcess(info.hProcess, 1);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    const std::string text = tests::ReadBytes(result);
    return code == 0 && !text.empty() ? std::stod(text) : -1;
}

double Mean(const std::vector<double>& v)
{
    return std::accumulate(v.begin(), v.end(), 0.0) / static_cast<double>(v.size());
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// The start-up runs of every kind of program, taking turns; false when a run
// failed.
bool MeasureStartups(std::vector<TProgramKind>& kinds)
{
    tests::TTempDir dir;
    const std::string form = OwnStoredMainForm();
    std::uint32_t state = 1;
    const auto random = [&state](std::uint32_t range) { return (state = state * 1103515245u + 12345u) % range; };
    const std::string head = tests::ReadBytes(OwnPath());
    tests::WriteBytes(dir / L"kex_run.dll", kex::BuildPassFile(head, "bench", random));
    for (TProgramKind& kind : kinds)
        WriteCopy(dir / kind.FileName, kind.StoredForm(form));
    for (int round = 0; round < StartupRounds; ++round) {
        for (size_t i = 0; i < kinds.size(); ++i) {
            TProgramKind& kind = kinds[(round + i) % kinds.size()];  // each kind goes first in turn
            const double ms = RunOnce(dir, dir / kind.FileName);
            if (ms < 0) {
                std::printf("a start-up of the program %s failed\n", kind.Name);
                return false;
            }
            if (round > 0)
                kind.Times.push_back(ms);
        }
    }
    return true;
}

// ---- frame paint, in this process

// Whether the window wears the skin.
bool Skinned(HWND window)
{
    return SendMessageW(window, skin::WM_SKINQUERY, 0, 0) == 1;
}

// The mean time of one frame paint (WM_NCPAINT of the whole frame).
double MicrosecondsPerFramePaint(HWND window, int runs)
{
    const auto start = Clock::now();
    for (int i = 0; i < runs; ++i) {
        SendMessageW(window, WM_NCPAINT, 1, 0);
        GdiFlush();
    }
    const std::chrono::duration<double, std::micro> spent = Clock::now() - start;
    return spent.count() / runs;
}

struct TFramePaint {
    double Skinned = 0;
    double System = 0;
};

bool MeasureFramePaint(TFramePaint& figures)
{
    app::RegisterAppClasses();
    const auto form = std::make_unique<app::TForm_main>(nullptr);
    form->Show();
    const HWND window = form->Handle();
    SetForegroundWindow(window);
    if (!tests::PumpUntil([&] { return Skinned(window); }, std::chrono::seconds(10))) {
        std::printf("the main window was not skinned\n");
        return false;
    }
    RECT r{};
    GetWindowRect(window, &r);
    std::printf("main window %ld x %ld\n", r.right - r.left, r.bottom - r.top);

    constexpr int Runs = 500;
    MicrosecondsPerFramePaint(window, 20);  // warm up caches and fonts
    figures.Skinned = MicrosecondsPerFramePaint(window, Runs);

    form->SkinData1->SetActive(false);
    if (!tests::PumpUntil([&] { return !Skinned(window); }, std::chrono::seconds(10))) {
        std::printf("the skin did not let go of the main window\n");
        return false;
    }
    MicrosecondsPerFramePaint(window, 20);
    figures.System = MicrosecondsPerFramePaint(window, Runs);
    return true;
}

} // namespace

int main()
{
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc == 3 && std::wcscmp(argv[1], LoginStartupSwitch) == 0)
        return MeasureLoginStartup(argv[2]);

    std::vector<TProgramKind> kinds = {
        {"skinned", L"skinned.exe", AsShipped, {}},
        {"skin off", L"skin_off.exe", SkinSwitchedOff, {}},
        {"no package", L"no_package.exe", WithoutPackage, {}},
    };
    if (!MeasureStartups(kinds))
        return 1;
    std::printf("start-up to the painted login dialog, %d fresh processes of each kind:\n", StartupRounds - 1);
    std::printf("  %-11s %9s %9s\n", "", "mean ms", "median ms");
    for (const TProgramKind& kind : kinds)
        std::printf("  %-11s %9.1f %9.1f\n", kind.Name, Mean(kind.Times), Median(kind.Times));

    TFramePaint paint;
    if (!MeasureFramePaint(paint))
        return 1;
    std::printf("frame paint of the main window, skinned: %8.1f us, system: %8.1f us\n", paint.Skinned, paint.System);

    const double onMedian = Median(kinds[0].Times);
    std::printf("\n%-52s %6s %7s\n", "ratio", "mean", "median");
    std::printf("%-52s %6.2f %7.2f\n", "start-up, skinned / skin off (goal at most 1.15)",
                Mean(kinds[0].Times) / Mean(kinds[1].Times), onMedian / Median(kinds[1].Times));
    std::printf("%-52s %6.2f %7.2f\n", "start-up, skinned / no package",
                Mean(kinds[0].Times) / Mean(kinds[2].Times), onMedian / Median(kinds[2].Times));
    std::printf("%-52s %6.2f\n", "frame paint, skinned / system (goal at most 2)", paint.Skinned / paint.System);
    return 0;
}
