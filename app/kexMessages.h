// The program's message box and its immediate orderly end.
#pragma once

#include <string>

namespace kex {

// Shows a modal message box with the caption "提示", the information icon and
// one OK button, owned by the application's window; returns when dismissed.
void ShowInfo(const std::wstring& text);

// Ends the program at once with exit code 0 after the same clean-up as a
// normal end. Never returns; no window is shown or painted after it.
[[noreturn]] void Halt();

} // namespace kex
