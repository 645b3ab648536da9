#include "tests/support/HostProgram.h"

#include <windows.h>

namespace tests {

bool StartHostProgram(const std::wstring& program, std::wstring commandLine)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    // Wine starts a host program outside the Windows world and fills the
    // process and thread handles with whatever its own stack held, so they
    // are never closed here: closing them would close whichever of this
    // process's handles bear those values (a thread's message queue, which
    // then never wakes again, in one case seen).
    return CreateProcessW(program.empty() ? nullptr : program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                          nullptr, nullptr, &startup, &process) != FALSE;
}

} // namespace tests
