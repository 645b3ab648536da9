// Test helper: the message of the error a piece of code raises.
#pragma once

#include <optional>
#include <string>

namespace testing_support {

// Runs f; returns the Message() of the E it raises, or nothing if it raises none.
template <class E, class F>
std::optional<std::string> ErrorMessageOf(F f)
{
    try {
        f();
    } catch (const E& e) {
        return e.Message();
    }
    return std::nullopt;
}

} // namespace testing_support
