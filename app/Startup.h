// The program's entry sequence.
#pragma once

namespace app {

// Registers the classes the program's stored forms name and puts the
// control skinners in place.
void RegisterAppClasses();

// Runs the program from start to end; returns the process exit code.
int RunTessaly();

} // namespace app
