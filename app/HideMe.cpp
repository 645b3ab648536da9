#include "app/HideMe.h"

#include <windows.h>

#include <optional>
#include <string>

#include "ui/core/FileStream.h"

namespace kex {

namespace {

constexpr DWORD DisguiseBits = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

bool StartsWith(const std::wstring& text, std::wstring_view prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

std::wstring WithBackslash(const std::wstring& path)
{
    return !path.empty() && path.back() == L'\\' ? path : path + L'\\';
}

DWORD AttributesOf(const std::wstring& path)
{
    return GetFileAttributesW(LongPath(path).c_str());
}

// The file's first bytes, one more than the disguise file has, so a longer
// file never compares equal; nothing when it cannot be read.
std::optional<std::string> ReadHead(const std::wstring& path)
{
    try {
        ui::TFileStream file(LongPath(path), ui::fmOpenRead | ui::fmShareDenyNone);
        std::string bytes(DisguiseFileText.size() + 1, '\0');
        bytes.resize(static_cast<std::size_t>(file.Read(bytes.data(), static_cast<std::int64_t>(bytes.size()))));
        return bytes;
    } catch (const ui::Exception&) {
        return std::nullopt;
    }
}

enum class IniState { Absent, Ours, Foreign };

IniState DisguiseFileState(const std::wstring& iniPath)
{
    const DWORD attrs = AttributesOf(iniPath);
    if (attrs == INVALID_FILE_ATTRIBUTES)
        return GetLastError() == ERROR_FILE_NOT_FOUND || GetLastError() == ERROR_PATH_NOT_FOUND ? IniState::Absent
                                                                                                  : IniState::Foreign;
    if (attrs & FILE_ATTRIBUTE_DIRECTORY)
        return IniState::Foreign;
    const auto head = ReadHead(iniPath);
    return head && *head == DisguiseFileText ? IniState::Ours : IniState::Foreign;
}

bool WriteDisguiseFile(const std::wstring& iniPath)
{
    const std::wstring path = LongPath(iniPath);
    // An earlier disguise file may carry attributes of its own; it is
    // replaced by one with ordinary attributes.
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    bool created = false;
    try {
        ui::TFileStream file(path, ui::fmCreate | ui::fmShareExclusive);
        created = true;
        file.WriteBuffer(DisguiseFileText.data(), static_cast<std::int64_t>(DisguiseFileText.size()));
        file.Close();
        return true;
    } catch (const ui::Exception&) {
        if (created)
            DeleteFileW(path.c_str());  // no half-written file left behind (the stream closed it)
        return false;
    }
}

} // namespace

std::wstring LongPath(const std::wstring& path)
{
    // A folder's path must leave 12 characters of MAX_PATH for the names in it.
    if (path.size() < MAX_PATH - 12 || StartsWith(path, L"\\\\?\\") || StartsWith(path, L"\\\\.\\"))
        return path;
    if (StartsWith(path, L"\\\\"))
        return L"\\\\?\\UNC\\" + path.substr(2);
    if (path.size() > 2 && path[1] == L':')
        return L"\\\\?\\" + path;
    return path;
}

bool SetFileAttrFlags(const std::wstring& path, bool readOnly, bool hidden, bool system)
{
    const DWORD attrs = AttributesOf(path);
    if (attrs == INVALID_FILE_ATTRIBUTES)
        return false;
    DWORD wanted = attrs & ~DisguiseBits;
    if (readOnly)
        wanted |= FILE_ATTRIBUTE_READONLY;
    if (hidden)
        wanted |= FILE_ATTRIBUTE_HIDDEN;
    if (system)
        wanted |= FILE_ATTRIBUTE_SYSTEM;
    // The directory bit and the other bits that cannot be set are not passed.
    wanted &= ~(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_COMPRESSED | FILE_ATTRIBUTE_ENCRYPTED |
                FILE_ATTRIBUTE_SPARSE_FILE | FILE_ATTRIBUTE_REPARSE_POINT);
    if (wanted == 0)
        wanted = FILE_ATTRIBUTE_NORMAL;
    return SetFileAttributesW(LongPath(path).c_str(), wanted);
}

bool IsDisguiseFile(const std::wstring& iniPath)
{
    return DisguiseFileState(iniPath) == IniState::Ours;
}

bool HideFolder(const std::wstring& path)
{
    const DWORD attrs = AttributesOf(path);
    if (attrs == INVALID_FILE_ATTRIBUTES || !(attrs & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    const std::wstring ini = WithBackslash(path) + L"desktop.ini";
    if (DisguiseFileState(ini) == IniState::Foreign)
        return false;
    SetFileAttrFlags(path, true, false, true);
    return WriteDisguiseFile(ini);
}

bool RestoreFolder(const std::wstring& path)
{
    const bool cleared = SetFileAttrFlags(path, false, false, false);
    const std::wstring ini = WithBackslash(path) + L"desktop.ini";
    if (DisguiseFileState(ini) != IniState::Ours)
        return cleared;
    SetFileAttrFlags(ini, false, false, false);
    return DeleteFileW(LongPath(ini).c_str()) && cleared;
}

} // namespace kex
