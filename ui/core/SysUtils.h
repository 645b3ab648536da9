// Error classes shared by the framework, the skin engine and the utility.
// Platform-neutral: messages are UTF-8 text; the framework shows them through
// the wide Windows API.
#pragma once

#include <exception>
#include <new>
#include <stdexcept>
#include <string>

namespace ui {

// Root of every error the program raises on purpose. Message() is the text
// the user sees in the error box.
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    std::string Message() const { return what(); }
};

// A file read, write, open, seek or close failed.
class EInOutError : public Exception {
public:
    using Exception::Exception;
};

// Stream-level failures (reading past the end of a memory stream, a stream
// that cannot be written).
class EStreamError : public Exception {
public:
    using Exception::Exception;
};

// A form file or a property value that cannot be read.
class EReadError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

// Looking up or setting a published property that does not fit.
class EPropertyError : public Exception {
public:
    using Exception::Exception;
};

// The texts of the input/output errors the user may see.
inline constexpr const char* SReadBeyondEnd = "读文件时超出文件结尾";
inline constexpr const char* SFileAccessError = "文件存取错误";

// The texts of errors that carry no message meant for a user: memory ran out
// (or a size beyond what memory can hold was asked for), or an error of no
// known type was raised.
inline constexpr const char* SOutOfMemory = "内存不足";
inline constexpr const char* SUnknownError = "发生了未知错误";

// The text a user is shown for an error: its own message, or plain words
// where the library's text would mean nothing to a user.
inline std::string ErrorText(const std::exception& error)
{
    if (dynamic_cast<const std::bad_alloc*>(&error) || dynamic_cast<const std::length_error*>(&error))
        return SOutOfMemory;
    return error.what();
}

} // namespace ui
