#include "tests/support/TempDir.h"

#include "tests/support/HostProgram.h"

#include <winioctl.h>

#include <functional>
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
            visit(name, data.dwFileAttributes);
    } while (FindNextFileW(find, &data));
    FindClose(find);
}

void RemoveLink(const std::wstring& path);

void RemoveTree(const std::wstring& dir)
{
    ForEachEntry(dir, [&](const std::wstring& name, DWORD attributes) {
        const std::wstring path = dir + L"\\" + name;
        if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
            RemoveLink(path);
            return;
        }
        SetFileAttributesW(Long(path).c_str(), FILE_ATTRIBUTE_NORMAL);
        if (attributes & FILE_ATTRIBUTE_DIRECTORY)
            RemoveTree(path);
        else
            DeleteFileW(Long(path).c_str());
    });
    SetFileAttributesW(Long(dir).c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryW(Long(dir).c_str());
}

// Each entry below root + rel: a folder by its attributes, a file by its
// attributes and content, a link by itself (never followed: it may lead back
// up the tree).
void Collect(const std::wstring& root, const std::wstring& rel, std::map<std::wstring, std::string>& out)
{
    ForEachEntry(root + rel, [&](const std::wstring& name, DWORD attributes) {
        const std::wstring path = rel + L"\\" + name;
        std::string& state = out[path];
        state = "attributes " + std::to_string(attributes) + ": ";
        if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
            state += "link";
        else if (attributes & FILE_ATTRIBUTE_DIRECTORY)
            Collect(root, path, out);
        else
            state += ReadBytes(root + path);
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

bool RunningUnderWine()
{
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

namespace {

// The host's name of a path, under Wine.
std::string UnixPath(const std::wstring& path)
{
    using ToUnix = char* (*)(const wchar_t*);
    const auto toUnix = reinterpret_cast<ToUnix>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    char* name = toUnix ? toUnix(path.c_str()) : nullptr;
    if (!name)
        throw std::runtime_error("no host name for a test path");
    std::string unix(name);
    HeapFree(GetProcessHeap(), 0, name);
    return unix;
}

bool IsLink(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

std::wstring Widen(const std::string& narrow)
{
    std::wstring wide(narrow.size(), L'\0');
    wide.resize(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, narrow.data(), static_cast<int>(narrow.size()),
                                                             wide.data(), static_cast<int>(wide.size()))));
    return wide;
}

// Waits up to ten seconds for a host program's work to show.
bool WaitUntil(const std::function<bool()>& done)
{
    for (int wait = 0; wait < 200 && !done(); ++wait)
        Sleep(50);
    return done();
}

// Runs a host program on the host paths of the given ones under Wine.
bool StartOnHostPaths(const std::wstring& program, const std::wstring& arguments,
                      std::initializer_list<std::wstring> paths)
{
    std::wstring commandLine = arguments;
    for (const std::wstring& path : paths)
        commandLine += L" \"" + Widen(UnixPath(path)) + L"\"";
    return StartHostProgram(program, commandLine);
}

// A link goes by itself; what it leads to stays. Wine follows a host link
// when asked to remove it, so the host removes it.
void RemoveLink(const std::wstring& path)
{
    if (RunningUnderWine()) {
        if (StartOnHostPaths(L"Z:\\bin\\rm", L"rm -f", {path}))
            WaitUntil([&] { return GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES; });
    } else if (!RemoveDirectoryW(Long(path).c_str())) {
        DeleteFileW(Long(path).c_str());
    }
}

} // namespace

void MakeFolderLink(const std::wstring& link, const std::wstring& target)
{
    // Wine's CreateSymbolicLinkW reports success and makes nothing, and it
    // takes no junctions; a symbolic link of the host is what it shows as one.
    if (RunningUnderWine()) {
        if (StartOnHostPaths(L"Z:\\bin\\ln", L"ln -s", {target, link}))
            WaitUntil([&] { return IsLink(link); });
    } else {
        CreateSymbolicLinkW(link.c_str(), target.c_str(),
                            SYMBOLIC_LINK_FLAG_DIRECTORY | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE);
    }
    if (!IsLink(link))
        throw std::runtime_error("cannot make a folder link");
}

std::map<std::wstring, std::string> Snapshot(const std::wstring& folder)
{
    std::map<std::wstring, std::string> out;
    Collect(folder, L"", out);
    return out;
}

} // namespace tests
