// What the skin's scroll bar costs while a long list is scrolled. Not a
// test: run it by hand under a display.
//
// The main window's list of folders is filled with 10,000 rows, and its
// thumb is moved from the top to the bottom of the bar a pixel at a time:
// one SB_THUMBPOSITION per pixel (the system's list box ignores a
// SB_THUMBTRACK sent outside its own tracking), each followed by every paint
// it causes (the rows, the bar, and with the skin the overlay over the
// bar), then SB_ENDSCROLL. The
// same drag runs with the skin on and, after the skin is switched off at
// run time, with the system's bar; the medians of the rounds and their ratio
// are printed (goal: skinned / system at most 1.5).
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/Startup.h"
#include "app/Unit_main.h"
#include "skin/data/WinSkinData.h"
#include "skin/window/SkinMessages.h"
#include "tests/win/support/WindowTestSupport.h"
#include "ui/controls/StdCtrls.h"

namespace {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::duration<double, std::milli>;

constexpr int Rows = 10000;
constexpr int Rounds = 11;  // the first is a warm-up

bool Skinned(HWND window)
{
    return SendMessageW(window, skin::WM_SKINQUERY, 0, 0) == 1;
}

// Paints everything the last scroll made invalid, on this thread.
void PaintNow()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    GdiFlush();
}

// One drag of the thumb from the top to the bottom; milliseconds.
double DragToBottom(HWND list)
{
    SendMessageW(list, LB_SETTOPINDEX, 0, 0);
    PaintNow();
    SCROLLBARINFO bar{};
    bar.cbSize = sizeof bar;
    GetScrollBarInfo(list, OBJID_VSCROLL, &bar);
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(list, SB_VERT, &info);
    const int last = info.nMax - std::max<int>(info.nPage, 1) + 1;
    const int travel = std::max<int>(1, bar.rcScrollBar.bottom - bar.rcScrollBar.top - 2 * GetSystemMetrics(SM_CYVSCROLL) -
                                            (bar.xyThumbBottom - bar.xyThumbTop));
    const auto start = Clock::now();
    for (int pixel = 1; pixel <= travel; ++pixel) {
        const int position = static_cast<int>(static_cast<long long>(last) * pixel / travel);
        SendMessageW(list, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, position), 0);
        PaintNow();
    }
    SendMessageW(list, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, last), 0);
    SendMessageW(list, WM_VSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0), 0);
    PaintNow();
    return Milliseconds(Clock::now() - start).count();
}

double MedianDrag(HWND list)
{
    std::vector<double> times;
    for (int i = 0; i < Rounds; ++i)
        times.push_back(DragToBottom(list));
    times.erase(times.begin());  // the warm-up
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main()
{
    app::RegisterAppClasses();
    const auto form = std::make_unique<app::TForm_main>(nullptr);
    ui::TListBox& list = *form->ListBox1;
    for (int i = 0; i < Rows; ++i)
        list.Items()->Add(L"C:\\folders\\folder " + std::to_wstring(i));
    form->Show();
    SetForegroundWindow(form->Handle());
    const HWND window = list.Handle();
    if (!tests::PumpUntil([&] { return Skinned(window); }, std::chrono::seconds(10))) {
        std::printf("the list was not skinned\n");
        return 1;
    }
    RECT r{};
    GetWindowRect(window, &r);
    std::printf("list of %d rows, %ld x %ld pixels, %d rounds after a warm-up\n", Rows, r.right - r.left,
                r.bottom - r.top, Rounds - 1);
    const double skinned = MedianDrag(window);

    form->SkinData1->SetActive(false);
    if (!tests::PumpUntil([&] { return !Skinned(window); }, std::chrono::seconds(10))) {
        std::printf("the skin did not let go of the list\n");
        return 1;
    }
    const double system = MedianDrag(window);
    std::printf("thumb dragged from top to bottom, median: skinned %8.1f ms, system %8.1f ms\n", skinned, system);
    std::printf("ratio skinned / system (goal at most 1.5): %.2f\n", skinned / system);
    return 0;
}
