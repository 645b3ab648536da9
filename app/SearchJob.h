// A search for disguised folders on a thread of its own, so that the window
// showing its progress stays responsive and its cancel button answers at
// once. The window asks for the progress now and then; the finds arrive in
// the order they were made, each once.
#pragma once

#include <atomic>
#include <exception>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/DisguiseSearch.h"

namespace kex {

struct TSearchProgress {
    std::wstring Folder;                 // the folder being searched
    TSearchCounts Counts;                // so far
    std::vector<std::wstring> NewFinds;  // found since the last call
    bool Finished = false;               // the search has ended (done, cancelled or failed)
};

class TSearchJob : private TSearchObserver {
public:
    // Starts searching root's tree.
    explicit TSearchJob(std::wstring root);
    // Cancels a search still running and waits for it to end.
    ~TSearchJob() override;
    TSearchJob(const TSearchJob&) = delete;
    TSearchJob& operator=(const TSearchJob&) = delete;

    // The search stops before its next folder or entry.
    void Cancel() { cancel_ = true; }
    TSearchProgress TakeProgress();
    // Waits for the end of the search; an error that ended it is thrown here,
    // on the caller's thread.
    void Wait();

private:
    void Run(const std::wstring& root);
    void Entering(const std::wstring& folder, const TSearchCounts& soFar) override;
    void Found(const std::wstring& folder) override;
    void Skipped(const std::wstring& folder) override;

    std::atomic<bool> cancel_{false};
    std::mutex lock_;  // guards what follows
    TSearchProgress progress_;
    std::exception_ptr error_;
    std::thread thread_;  // last: started once the rest is made
};

} // namespace kex
