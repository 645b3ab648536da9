#include "app/DisguiseSearch.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "app/HideMe.h"

namespace kex {

namespace {

// A directory listing, closed when it goes.
class TFolderListing {
public:
    explicit TFolderListing(const std::wstring& folder)
    {
        // The basic information leaves out the short names, which the system
        // may have to make up; the large fetch reads more entries per call.
        handle_ = FindFirstFileExW(LongPath(Join(folder, L"*")).c_str(), FindExInfoBasic, &entry_,
                                   FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    }
    ~TFolderListing()
    {
        if (handle_ != INVALID_HANDLE_VALUE)
            FindClose(handle_);
    }
    TFolderListing(const TFolderListing&) = delete;
    TFolderListing& operator=(const TFolderListing&) = delete;

    bool Opened() const { return handle_ != INVALID_HANDLE_VALUE; }
    const WIN32_FIND_DATAW& Entry() const { return entry_; }
    bool Next() { return FindNextFileW(handle_, &entry_) != FALSE; }

    static std::wstring Join(const std::wstring& folder, const wchar_t* name)
    {
        return !folder.empty() && folder.back() == L'\\' ? folder + name : folder + L'\\' + name;
    }

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAW entry_{};
};

constexpr DWORD DisguiseAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM;

bool IsDotEntry(const wchar_t* name)
{
    return name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0));
}

// A desktop.ini that may be the disguise file: the name (in any case) and the
// size; only such a file is opened and compared byte for byte.
bool MayBeDisguiseFile(const WIN32_FIND_DATAW& entry)
{
    return !(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && entry.nFileSizeHigh == 0 &&
           entry.nFileSizeLow == DisguiseFileText.size() &&
           CompareStringOrdinal(entry.cFileName, -1, L"desktop.ini", -1, TRUE) == CSTR_EQUAL;
}

struct TPendingFolder {
    std::wstring Path;
    DWORD Attributes;
};

class TDisguiseWalk {
public:
    TDisguiseWalk(TSearchObserver& observer, const std::atomic<bool>& cancel) : observer_(observer), cancel_(cancel) {}

    TSearchCounts Run(const std::wstring& root)
    {
        const DWORD rootAttributes = GetFileAttributesW(LongPath(root).c_str());
        if (rootAttributes == INVALID_FILE_ATTRIBUTES || !(rootAttributes & FILE_ATTRIBUTE_DIRECTORY))
            Skip(root);
        else
            pending_.push_back({root, rootAttributes});
        while (!pending_.empty() && !Cancelled()) {
            TPendingFolder folder = std::move(pending_.back());
            pending_.pop_back();
            Search(folder);
        }
        counts_.Cancelled = Cancelled();
        return counts_;
    }

private:
    bool Cancelled() const { return cancel_.load(std::memory_order_relaxed); }

    void Skip(const std::wstring& folder)
    {
        ++counts_.Skipped;
        observer_.Skipped(folder);
    }

    // Reads one folder: its sub-folders join the walk, and a disguise file in
    // a folder with the disguise's attributes makes it a find.
    void Search(const TPendingFolder& folder)
    {
        observer_.Entering(folder.Path, counts_);
        TFolderListing listing(folder.Path);
        if (!listing.Opened()) {
            Skip(folder.Path);
            return;
        }
        ++counts_.Searched;
        const bool disguisable = (folder.Attributes & DisguiseAttributes) != 0;
        bool candidate = false;
        const std::size_t firstChild = pending_.size();
        do {
            const WIN32_FIND_DATAW& entry = listing.Entry();
            if (IsDotEntry(entry.cFileName))
                continue;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                AddChild(folder.Path, entry);
            else if (disguisable && MayBeDisguiseFile(entry))
                candidate = true;
        } while (!Cancelled() && listing.Next());
        // Sub-folders are searched in the order they were listed.
        std::reverse(pending_.begin() + static_cast<std::ptrdiff_t>(firstChild), pending_.end());
        if (candidate && IsDisguiseFile(TFolderListing::Join(folder.Path, L"desktop.ini"))) {
            ++counts_.Found;
            observer_.Found(folder.Path);
        }
    }

    void AddChild(const std::wstring& parent, const WIN32_FIND_DATAW& entry)
    {
        std::wstring path = TFolderListing::Join(parent, entry.cFileName);
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
            Skip(path);
        else
            pending_.push_back({std::move(path), entry.dwFileAttributes});
    }

    TSearchObserver& observer_;
    const std::atomic<bool>& cancel_;
    std::vector<TPendingFolder> pending_;
    TSearchCounts counts_;
};

} // namespace

TSearchCounts FindDisguisedFolders(const std::wstring& root, TSearchObserver& observer,
                                   const std::atomic<bool>& cancel)
{
    return TDisguiseWalk(observer, cancel).Run(root);
}

} // namespace kex
