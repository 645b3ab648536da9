#include "tests/support/HostProgram.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "tests/support/TempDir.h"

namespace tests {
namespace {

// Leaves `value` in the stack below the caller, where the functions it calls
// next keep their variables.
[[gnu::noinline]] void FillStackBelow(HANDLE value)
{
    volatile HANDLE area[4096];
    for (volatile HANDLE& slot : area)
        slot = value;
}

bool StillOpen(HANDLE handle)
{
    DWORD flags = 0;
    return GetHandleInformation(handle, &flags) != FALSE;
}

// Wine gives back for a host program handles it never set: whatever its stack
// held. With one of the caller's handles left there, a start that closed what
// it got back would close that handle.
TEST(HostProgram, StartingOneClosesNoneOfTheCallersHandles)
{
    if (!RunningUnderWine())
        GTEST_SKIP() << "host programs exist only under Wine";
    const HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ASSERT_TRUE(event);
    FillStackBelow(event);
    ASSERT_TRUE(StartHostProgram(L"Z:\\bin\\true", L"true"));
    EXPECT_TRUE(StillOpen(event));
    CloseHandle(event);
}

} // namespace
} // namespace tests
