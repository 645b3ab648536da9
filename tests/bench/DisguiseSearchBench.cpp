// Prints how long the search for disguised folders takes over a tree of
// 111,110 folders against a bare walk of the same tree with the system's own
// directory listing calls, and their ratio (the goal is at most 1.3). Not a
// test: run it by hand.
//
//   disguise_search_bench.exe [folder]
//
// The tree is made under folder (default: the current one) once and
// kept for later runs, since making it takes longer than searching it: ten
// folders in each folder of five levels, one folder in a hundred disguised.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/DisguiseSearch.h"
#include "app/HideMe.h"

namespace {

constexpr int Fanout = 10;
constexpr int Levels = 5;  // 10 + 100 + ... + 100,000 folders below the top

// Makes the folders below folder, level by level; returns how many were made
// or were there.
int MakeTree(const std::wstring& folder, int level, int& serial)
{
    int made = 0;
    for (int i = 0; i < Fanout; ++i) {
        const std::wstring child = folder + L"\\folder" + std::to_wstring(i);
        CreateDirectoryW(child.c_str(), nullptr);
        ++made;
        if (++serial % 100 == 0)
            kex::HideFolder(child);
        if (level + 1 < Levels)
            made += MakeTree(child, level + 1, serial);
    }
    return made;
}

// The bare walk: every folder listed with the same calls the search makes,
// nothing looked at but the directory bit.
long long BareWalk(const std::wstring& folder)
{
    WIN32_FIND_DATAW entry;
    const HANDLE listing = FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch,
                                            nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (listing == INVALID_HANDLE_VALUE)
        return 0;
    long long folders = 1;
    do {
        const bool dot = entry.cFileName[0] == L'.' &&
                         (entry.cFileName[1] == 0 || (entry.cFileName[1] == L'.' && entry.cFileName[2] == 0));
        if (!dot && (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            folders += BareWalk(folder + L"\\" + entry.cFileName);
    } while (FindNextFileW(listing, &entry));
    FindClose(listing);
    return folders;
}

class TQuietObserver : public kex::TSearchObserver {
    void Entering(const std::wstring&, const kex::TSearchCounts&) override {}
    void Found(const std::wstring&) override {}
    void Skipped(const std::wstring&) override {}
};

double Seconds(const std::function<void()>& run)
{
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    // Unbuffered: Wine hands a console program's output on as a pipe.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    const std::wstring base = argc > 1 ? argv[1] : L".";
    const std::wstring top = base + (base.back() == L'\\' ? L"" : L"\\") + L"tessaly-search-bench";
    const std::wstring ready = top + L".ready";
    if (GetFileAttributesW(ready.c_str()) == INVALID_FILE_ATTRIBUTES) {
        std::printf("making the tree (once)...\n");
        CreateDirectoryW(top.c_str(), nullptr);
        int serial = 0;
        const double made = Seconds([&] { std::printf("%d folders\n", MakeTree(top, 0, serial)); });
        std::printf("made in %.1f s\n", made);
        CloseHandle(CreateFileW(ready.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    }

    long long folders = 0;
    kex::TSearchCounts counts;
    const std::atomic<bool> never{false};
    TQuietObserver quiet;
    BareWalk(top);  // warm the system's caches for both
    std::vector<double> bare, search;
    constexpr int Rounds = 3;
    for (int round = 0; round < Rounds; ++round) {
        bare.push_back(Seconds([&] { folders = BareWalk(top); }));
        search.push_back(Seconds([&] { counts = kex::FindDisguisedFolders(top, quiet, never); }));
    }
    std::printf("tree: %lld folders; the search read %llu, found %llu, skipped %llu\n", folders,
                static_cast<unsigned long long>(counts.Searched), static_cast<unsigned long long>(counts.Found),
                static_cast<unsigned long long>(counts.Skipped));
    const double b = Median(bare), s = Median(search);
    std::printf("bare walk  %8.3f s (median of %d)\n", b, Rounds);
    std::printf("search     %8.3f s (median of %d)\n", s, Rounds);
    std::printf("ratio search / bare walk: %.2f (goal at most 1.3)\n", s / b);
    return 0;
}
