#include "ui/SysUtils.h"

#include <gtest/gtest.h>
#include <windows.h>

TEST(Smoke, CreatesARealWindow)
{
    HWND wnd = CreateWindowExW(0, L"STATIC", L"x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(wnd, nullptr);
    EXPECT_TRUE(DestroyWindow(wnd));
}
