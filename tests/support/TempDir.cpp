#include "tests/support/TempDir.h"

#include <winioctl.h>

#include <stdexcept>

namespace tests {

namespace {

std::wstring Long(const std::wstring& path)
{
    return path.size() >= MAX_PATH - 12 && path.rfind(L"\\\\", 0) != 0 ? L"\\\\?\\" + path : path;
}

template <class Visit>
void ForEachEntry(const std::wstring& dir, Visit visit)
{
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(Long(dir + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::wstring name = data.cFileName;
        if (name != L"." && name != L"..")
            visit(name, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
    } while (FindNextFileW(find, &data));
    FindClose(find);
}

void RemoveTree(const std::wstring& dir)
{
    ForEachEntry(dir, [&](const std::wstring& name, bool isDir) {
        const std::wstring path = dir + L"\\" + name;
        SetFileAttributesW(Long(path).c_str(), FILE_ATTRIBUTE_NORMAL);
        if (isDir)
            RemoveTree(path);
        else
            DeleteFileW(Long(path).c_str());
    });
    SetFileAttributesW(Long(dir).c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryW(Long(dir).c_str());
}

void Collect(const std::wstring& root, const std::wstring& rel, std::map<std::wstring, std::string>& out)
{
    ForEachEntry(root + rel, [&](const std::wstring& name, bool isDir) {
        if (isDir)
            Collect(root, rel + L"\\" + name, out);
        else
            out[rel + L"\\" + name] = ReadBytes(root + rel + L"\\" + name);
    });
}

} // namespace

TTempDir::TTempDir()
{
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    static int counter = 0;
    path_ = std::wstring(base) + L"tessaly-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(++counter);
    RemoveTree(path_);
    if (!CreateDirectoryW(path_.c_str(), nullptr))
        throw std::runtime_error("cannot create a temporary folder");
}

TTempDir::~TTempDir()
{
    RemoveTree(path_);
}

void WriteBytes(const std::wstring& path, const std::string& bytes)
{
    HANDLE f = CreateFileW(Long(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot write a test file");
    DWORD written = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(f);
}

std::int64_t WriteSparseFile(const std::wstring& path, const std::string& bytes, std::int64_t size)
{
    WriteBytes(path, bytes);
    HANDLE f = CreateFileW(Long(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot open a test file");
    // Windows stores a hole only in a file marked sparse; a system that
    // cannot mark it keeps holes anyway (Wine) or fails the extension below.
    DWORD returned = 0;
    DeviceIoControl(f, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned, nullptr);
    LARGE_INTEGER end;
    end.QuadPart = size;
    const bool extended = SetFilePointerEx(f, end, nullptr, FILE_BEGIN) && SetEndOfFile(f);
    LARGE_INTEGER actual{};
    GetFileSizeEx(f, &actual);
    CloseHandle(f);
    if (!extended)
        throw std::runtime_error("cannot extend a test file");
    return actual.QuadPart;
}

std::string ReadBytes(const std::wstring& path)
{
    HANDLE f = CreateFileW(Long(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return {};
    std::string bytes(GetFileSize(f, nullptr), '\0');
    DWORD got = 0;
    ReadFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(f);
    bytes.resize(got);
    return bytes;
}

std::map<std::wstring, std::string> Snapshot(const std::wstring& folder)
{
    std::map<std::wstring, std::string> out;
    Collect(folder, L"", out);
    return out;
}

} // namespace tests
