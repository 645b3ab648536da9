#include "app/kexPassword.h"

#include "app/kexBase64.h"
#include "app/kexMessages.h"
#include "app/kexPassFile.h"
#include "app/kexRandom.h"
#include "ui/core/FileStream.h"
#include "ui/core/SysUtils.h"

#include <windows.h>

#include <cstdint>

namespace kex {

namespace {

constexpr wchar_t PasswordFileName[] = L"kex_run.dll";

[[noreturn]] void RaiseAccessError()
{
    throw ui::EInOutError(ui::SFileAccessError);
}

// Milliseconds since local midnight.
std::uint32_t TimeOfDayMs()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return ((now.wHour * 60u + now.wMinute) * 60u + now.wSecond) * 1000u + now.wMilliseconds;
}

// The process's generator for the filler bytes: seeded from the time of day
// when the process starts, and again before every save.
TRandom ProcessRandom(TimeOfDayMs());

// Up to count bytes of a file from offset on (fewer where it ends), read and
// closed with every step checked. Others may read the file, and may replace
// or delete it (as a save does), but not write into it while we read.
std::string ReadBytesAt(const std::wstring& path, std::int64_t offset, std::size_t count)
{
    ui::TFileStream file(path, ui::fmOpenRead | ui::fmShareDenyWrite | ui::fmShareDelete);
    file.SetPosition(offset);
    std::string bytes(count, '\0');
    bytes.resize(static_cast<std::size_t>(file.Read(bytes.data(), static_cast<std::int64_t>(count))));
    file.Close();
    return bytes;
}

std::wstring ExecutablePath()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            RaiseAccessError();
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2); // cut short: try a larger buffer
    }
}

// The folder part of path, with its trailing separator; empty if it has none.
std::wstring FolderOf(const std::wstring& path)
{
    const auto separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator + 1);
}

bool IsMissingFile(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES)
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    // Any other failure (access denied, say) is for the open to report.
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// The attributes of the file a save replaces, or 0 when there is none yet.
// A read-only file was protected by the user and a directory is no password
// file: both are refused. The check is ours because not every system refuses
// to replace a read-only file.
DWORD ReplaceableFileAttributes(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND)
            return 0;
        RaiseAccessError();
    }
    if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))
        RaiseAccessError();
    return attributes;
}

// Creates an empty file with a unique name in path's folder.
std::wstring CreateTemporaryBeside(const std::wstring& path)
{
    const std::wstring folder = FolderOf(path);
    wchar_t name[MAX_PATH];
    if (GetTempFileNameW(folder.empty() ? L"." : folder.c_str(), L"kex", 0, name) == 0)
        RaiseAccessError();
    return name;
}

void WriteWholeFile(const std::wstring& path, std::string_view bytes, TSaveSteps& steps)
{
    ui::TFileStream file(path, ui::fmCreate | ui::fmShareExclusive);
    steps.Write(file, bytes);
    steps.Flush(file);
    file.Close();
}

// Puts bytes in place of the file at path in one step, or leaves that file
// untouched, removes the temporary file and raises.
void ReplaceFileWith(const std::wstring& path, std::string_view bytes, TSaveSteps& steps)
{
    const DWORD oldAttributes = ReplaceableFileAttributes(path);
    const std::wstring temporary = CreateTemporaryBeside(path);
    try {
        WriteWholeFile(temporary, bytes, steps);
        const DWORD kept = oldAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
        if (kept != 0)
            steps.SetAttributes(temporary, kept);
        steps.Replace(temporary, path);
    } catch (...) {
        DeleteFileW(temporary.c_str());
        throw;
    }
}

} // namespace

std::wstring PasswordFilePath()
{
    return FolderOf(ExecutablePath()) + PasswordFileName;
}

std::string LoadPassword()
{
    return LoadPasswordFrom(PasswordFilePath());
}

std::string LoadPasswordFrom(const std::wstring& path)
{
    if (IsMissingFile(path)) {
        ShowInfo(L"缺少文件，不能正常运行");
        Halt();
    }
    return DecodeBase64(ReadEncodedPassword(ReadBytesAt(path, PassFileHeadSize, PassFileReadSize)));
}

void SavePassword(const std::string& passwordAnsiBytes)
{
    SavePasswordTo(PasswordFilePath(), passwordAnsiBytes);
}

void TSaveSteps::Write(ui::TFileStream& file, std::string_view bytes)
{
    file.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
}

void TSaveSteps::Flush(ui::TFileStream& file)
{
    file.Flush();
}

void TSaveSteps::SetAttributes(const std::wstring& path, std::uint32_t attributes)
{
    if (!SetFileAttributesW(path.c_str(), attributes))
        RaiseAccessError();
}

void TSaveSteps::Replace(const std::wstring& from, const std::wstring& to)
{
    if (!MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        RaiseAccessError();
}

TSaveSteps& SystemSaveSteps()
{
    static TSaveSteps steps;
    return steps;
}

void SavePasswordTo(const std::wstring& path, const std::string& passwordAnsiBytes, TSaveSteps& steps)
{
    ProcessRandom.Seed(TimeOfDayMs());
    const std::string exeHead = ReadBytesAt(ExecutablePath(), 0, PassFileHeadSize);
    const std::string file = BuildPassFile(exeHead, passwordAnsiBytes,
                                           [](std::uint32_t range) { return ProcessRandom.Next(range); });
    ReplaceFileWith(path, file, steps);
}

} // namespace kex
