// The program's entry sequence.
#pragma once

namespace app {

// Registers the classes the program's stored forms name and puts the
// control skinners in place.
void RegisterAppClasses();

class TForm_mm;

// The start-up sequence up to the login: the application set up, the main
// window created hidden from its stored form (its skin data loads the skin
// and starts the skin manager), then the login dialog created, not yet shown.
TForm_mm* CreateStartupForms();

// Runs the program from start to end; returns the process exit code.
int RunTessaly();

} // namespace app
