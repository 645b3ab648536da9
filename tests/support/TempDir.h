// Temporary folders and small file helpers for the window tests.
#pragma once

#include <windows.h>

#include <map>
#include <string>

namespace tests {

// A fresh folder under the temporary directory, removed with its content.
class TTempDir {
public:
    TTempDir();
    ~TTempDir();
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;
    const std::wstring& Path() const { return path_; }
    std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

private:
    std::wstring path_;
};

void WriteBytes(const std::wstring& path, const std::string& bytes);
std::string ReadBytes(const std::wstring& path);  // empty when unreadable
// Every file below folder (relative path -> content), for before/after checks.
std::map<std::wstring, std::string> Snapshot(const std::wstring& folder);

} // namespace tests
