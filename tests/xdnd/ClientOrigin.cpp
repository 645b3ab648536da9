// Prints the screen position of the client area of a visible top-level window
// of the given class, as "X Y", once the window wears the skin and its frame
// has settled: the X drop test clicks at client positions whatever frame the
// window has. Exit code 1 when there is no such window within 5 s.
#include <windows.h>

#include <cstdio>

#include "skin/window/SkinMessages.h"

namespace {

bool WearsSkin(HWND window)
{
    DWORD_PTR answer = 0;
    return SendMessageTimeoutW(window, skin::WM_SKINQUERY, 0, 0, SMTO_BLOCK, 1000, &answer) && answer == 1;
}

POINT ClientOrigin(HWND window)
{
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    return origin;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2)
        return 2;
    POINT last{-1, -1};
    for (int tries = 0; tries < 50; ++tries, Sleep(100)) {
        const HWND window = FindWindowW(argv[1], nullptr);
        if (!window || !IsWindowVisible(window) || !WearsSkin(window))
            continue;
        const POINT origin = ClientOrigin(window);
        if (origin.x == last.x && origin.y == last.y) {
            std::printf("%ld %ld\n", origin.x, origin.y);
            return 0;
        }
        last = origin;
    }
    return 1;
}
