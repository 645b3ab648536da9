// Finding the folders this program disguised, so that a user who hid a folder
// and forgot where can find it again. The program keeps no list of what it
// hid; a disguised folder is recognised by what the disguise leaves on it: the
// read-only or system attribute, and a desktop.ini holding exactly the
// disguise file's bytes. A folder with any other desktop.ini is never taken
// for one of ours. Searching changes nothing on disk.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

namespace kex {

struct TSearchCounts {
    std::uint64_t Searched = 0;  // folders whose entries were read
    std::uint64_t Found = 0;
    std::uint64_t Skipped = 0;
    bool Cancelled = false;
};

// What a search hears about while it walks; called on the searching thread.
class TSearchObserver {
public:
    virtual ~TSearchObserver() = default;
    // Before the entries of folder are read; soFar counts what came before.
    virtual void Entering(const std::wstring& folder, const TSearchCounts& soFar) = 0;
    // folder carries the disguise.
    virtual void Found(const std::wstring& folder) = 0;
    // folder could not be searched: it could not be read (access denied, gone
    // since it was listed) or it is a link (a junction or a symbolic link,
    // never followed, so that no loop through one is walked forever).
    virtual void Skipped(const std::wstring& folder) = 0;
};

// Searches root and every folder below it, depth first, and reports each
// disguised folder by the path it was reached by (root's form, joined with
// the names below it). Paths of any length are searched (a path too long for
// the ordinary form takes the \\?\ form). Stops, keeping what it found, as
// soon as cancel is true.
TSearchCounts FindDisguisedFolders(const std::wstring& root, TSearchObserver& observer,
                                   const std::atomic<bool>& cancel);

} // namespace kex
