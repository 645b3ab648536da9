// Starting a program of the host (Linux) side from a test running under Wine.
#pragma once

#include <string>

namespace tests {

// Starts the host program at `program` (a Windows path such as
// Z:\bin\rm; empty to take it from the command line) with `commandLine`.
// False when it cannot be started. The caller cannot wait for it: it
// watches for what the program makes.
bool StartHostProgram(const std::wstring& program, std::wstring commandLine);

} // namespace tests
