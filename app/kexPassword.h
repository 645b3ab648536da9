// Loading and saving the password file kex_run.dll beside the executable
// (layout in app/kexPassFile.h).
//
// Every open, read, write, seek and close is checked; a failure raises
// ui::EInOutError with ui::SReadBeyondEnd when a read passes the end of a
// file and ui::SFileAccessError for every other failure.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ui {
class TFileStream;
}

namespace kex {

// The running executable's directory (up to and including its last path
// separator) followed by "kex_run.dll".
std::wstring PasswordFilePath();

// Reads the stored password from PasswordFilePath(): its bytes in the system
// ANSI code page.
//
// A missing file (or a directory of that name) shows "缺少文件，不能正常运行"
// with ShowInfo and halts the program: without its password file the program
// does not run.
//
// Only the bytes from offset 399 up to the tab are read, never more than
// PassFileReadSize of them, whatever the file's size.
//
// Every other failure raises ui::EInOutError: a file that cannot be opened or
// read, or one without its tab (see ReadEncodedPassword). The caller must not
// go on with an empty password then: it shows the error's text and halts, so
// that a damaged or unreadable file never opens the gate.
//
// The file is opened for reading only, so a read-only file loads normally.
std::string LoadPassword();

// LoadPassword for the file at path.
std::string LoadPasswordFrom(const std::wstring& path);

// Rewrites PasswordFilePath() for the password bytes (system ANSI code page),
// with the running executable's first 399 bytes as its head and fresh filler.
// A password longer than the file can hold is refused (SPasswordTooLong)
// before anything is written.
//
// The new file is written completely under a temporary name in the same
// folder and then moved over the old one in one step, keeping the old file's
// hidden and system attributes. Any failure removes the temporary file,
// leaves the old file exactly as it was and raises ui::EInOutError. A
// read-only password file (or a directory of that name) is refused with
// ui::SFileAccessError: the user has protected it.
void SavePassword(const std::string& passwordAnsiBytes);

// The file-system steps of a save that can fail once the temporary file
// exists. The real steps call the system; a test replaces one to make it fail
// and sees that the old file survives.
class TSaveSteps {
public:
    virtual ~TSaveSteps() = default;
    // Each raises ui::EInOutError on failure.
    virtual void Write(ui::TFileStream& file, std::string_view bytes);
    virtual void Flush(ui::TFileStream& file);
    virtual void SetAttributes(const std::wstring& path, std::uint32_t attributes);
    // Moves from over to in one step.
    virtual void Replace(const std::wstring& from, const std::wstring& to);
};

// The steps as the system does them.
TSaveSteps& SystemSaveSteps();

// SavePassword to the file at path, through steps.
void SavePasswordTo(const std::wstring& path, const std::string& passwordAnsiBytes,
                    TSaveSteps& steps = SystemSaveSteps());

} // namespace kex
