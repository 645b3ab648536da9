// Temporary folders and small file helpers for the window tests.
#pragma once

#include <windows.h>

#include <cstdint>
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
// Writes bytes and extends the file with zeros to size bytes without writing
// them: a sparse file, which takes little room and no time however large.
// Returns the size the file then has.
std::int64_t WriteSparseFile(const std::wstring& path, const std::string& bytes, std::int64_t size);
// A file size no machine can hold in memory (1 TiB), for files that must
// never be read whole.
inline constexpr std::int64_t BeyondMemory = std::int64_t{1} << 40;
// Makes link a symbolic link to the folder target; throws when the system
// cannot.
void MakeFolderLink(const std::wstring& link, const std::wstring& target);
bool RunningUnderWine();

// Every entry below folder (relative path -> its attributes, and a file's
// content), for before/after checks.
std::map<std::wstring, std::string> Snapshot(const std::wstring& folder);

} // namespace tests
