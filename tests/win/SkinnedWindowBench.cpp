// Prints how long a full repaint of the main window's frame takes, skinned
// (the title bar composed off-screen, the borders, the region's window) and
// painted by the system with the skin switched off, and their ratio. Not a
// test: run it by hand under a display (the goal is a ratio of at most 2).
#include <chrono>
#include <cstdio>
#include <memory>

#include "app/Startup.h"
#include "app/Unit_main.h"
#include "skin/SkinMessages.h"
#include "skin/WinSkinData.h"
#include "tests/win/WindowTestSupport.h"
#include "ui/Forms.h"

namespace {

// Whether the window wears the skin.
bool Skinned(HWND window)
{
    return SendMessageW(window, skin::WM_SKINQUERY, 0, 0) == 1;
}

// The mean time of one frame paint (WM_NCPAINT of the whole frame).
double MicrosecondsPerFramePaint(HWND window, int runs)
{
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < runs; ++i) {
        SendMessageW(window, WM_NCPAINT, 1, 0);
        GdiFlush();
    }
    const std::chrono::duration<double, std::micro> spent = std::chrono::steady_clock::now() - start;
    return spent.count() / runs;
}

} // namespace

int main()
{
    app::RegisterAppClasses();
    const auto form = std::make_unique<app::TForm_main>(nullptr);
    form->Show();
    const HWND window = form->Handle();
    SetForegroundWindow(window);
    if (!tests::PumpUntil([&] { return Skinned(window); }, std::chrono::seconds(10))) {
        std::printf("the main window was not skinned\n");
        return 1;
    }
    RECT r{};
    GetWindowRect(window, &r);
    std::printf("main window %ld x %ld\n", r.right - r.left, r.bottom - r.top);

    constexpr int Runs = 500;
    MicrosecondsPerFramePaint(window, 20);  // warm up caches and fonts
    const double skinned = MicrosecondsPerFramePaint(window, Runs);

    form->SkinData1->SetActive(false);
    if (!tests::PumpUntil([&] { return !Skinned(window); }, std::chrono::seconds(10))) {
        std::printf("the skin did not let go of the main window\n");
        return 1;
    }
    MicrosecondsPerFramePaint(window, 20);
    const double system = MicrosecondsPerFramePaint(window, Runs);

    std::printf("frame paint, skinned:  %8.1f us\n", skinned);
    std::printf("frame paint, system:   %8.1f us\n", system);
    std::printf("ratio skinned/system:  %8.2f (goal at most 2)\n", skinned / system);
    return 0;
}
