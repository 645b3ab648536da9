// Disguising a folder as the Recycle Bin and restoring it.
//
// A disguised folder carries the read-only and system attributes and a
// desktop.ini naming the Recycle Bin's class identifier, so the shell shows
// and opens it as the Recycle Bin. Its content is not touched. Nothing here
// shows a message; each operation reports whether it succeeded.
#pragma once

#include <string>
#include <string_view>

namespace kex {

// The form in which a path reaches the file system: a path too long for the
// ordinary form (MAX_PATH) takes the \\?\ form, \\?\UNC\server\share\... for
// a network path \\server\share\...; short paths and paths already in a
// device form are left as they are.
std::wstring LongPath(const std::wstring& path);

// The disguise file's exact bytes (65, ANSI text, CR LF line ends).
inline constexpr std::string_view DisguiseFileText =
    "[.ShellClassInfo]\r\nCLSID={645FF040-5081-101B-9F08-00AA002F954E}\r\n";

// Whether the file at iniPath holds exactly the disguise file's bytes.
bool IsDisguiseFile(const std::wstring& iniPath);

// Sets the read-only, hidden and system attributes of an existing file or
// folder on or off, leaving every other attribute bit; true when stored.
bool SetFileAttrFlags(const std::wstring& path, bool readOnly, bool hidden, bool system);

// Disguises one folder: read-only and system on, hidden off, and the
// disguise file written. False, with nothing changed, when the path is not an
// existing folder or when it already holds a desktop.ini of its own (another
// one than the disguise file): the user's file is never replaced.
bool HideFolder(const std::wstring& path);

// Restores one folder (or file): clears its read-only, hidden and system
// attributes and deletes its desktop.ini when that is the disguise file; a
// desktop.ini of the user's own stays. True when the path exists, its
// attributes were cleared and no disguise file is left behind.
bool RestoreFolder(const std::wstring& path);

} // namespace kex
