// The program's entry sequence.
#pragma once

namespace app {

// Runs the program from start to end; returns the process exit code.
int RunTessaly();

} // namespace app
