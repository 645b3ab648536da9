// The one place where errors stop on their way back to the system.
//
// The system calls into the program (window procedures, timers, hooks,
// subclass procedures, enumeration callbacks, the entry point) through frames
// of its own code that a C++ exception must never cross. Each such entry point
// runs its work through CallGuarded: an error of any kind (the program's own,
// a library's, or one of no known type) ends there and goes to the
// application's error handling, and the entry point returns normally.
#pragma once

#include <exception>
#include <utility>

namespace ui {

// Hands an error to TApplication::HandleException; one that is not a
// std::exception is reported with a plain text of its own. Never throws: if
// the error handling fails in turn, a fixed message box is the last resort.
void HandleError(std::exception_ptr error) noexcept;

// Runs work; an error escaping it goes to HandleError. True when work ended
// normally.
template <class F>
bool CallGuarded(F&& work) noexcept
{
    try {
        std::forward<F>(work)();
        return true;
    } catch (...) {
        HandleError(std::current_exception());
        return false;
    }
}

// The exit code of a program whose entry sequence ended with an error.
inline constexpr int ExitCodeOnError = 1;

// Runs a program's entry sequence (returning its exit code) for the entry
// point: an error escaping it is shown and the program ends with
// ExitCodeOnError instead of terminating abnormally.
template <class F>
int RunGuardedMain(F&& body) noexcept
{
    int exitCode = ExitCodeOnError;
    CallGuarded([&] { exitCode = std::forward<F>(body)(); });
    return exitCode;
}

} // namespace ui
