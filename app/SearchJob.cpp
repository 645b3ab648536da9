#include "app/SearchJob.h"

#include <utility>

namespace kex {

TSearchJob::TSearchJob(std::wstring root) : thread_([this, root = std::move(root)] { Run(root); }) {}

TSearchJob::~TSearchJob()
{
    Cancel();
    if (thread_.joinable())
        thread_.join();
}

void TSearchJob::Run(const std::wstring& root)
{
    TSearchCounts counts;
    std::exception_ptr error;
    try {
        counts = FindDisguisedFolders(root, *this, cancel_);
    } catch (...) {  // out of memory, say: handed to the waiting thread
        error = std::current_exception();
    }
    const std::lock_guard<std::mutex> hold(lock_);
    if (!error)
        progress_.Counts = counts;
    progress_.Counts.Cancelled = cancel_;
    progress_.Finished = true;
    error_ = error;
}

void TSearchJob::Entering(const std::wstring& folder, const TSearchCounts& soFar)
{
    const std::lock_guard<std::mutex> hold(lock_);
    progress_.Folder = folder;
    progress_.Counts = soFar;
}

void TSearchJob::Found(const std::wstring& folder)
{
    const std::lock_guard<std::mutex> hold(lock_);
    progress_.NewFinds.push_back(folder);
    ++progress_.Counts.Found;
}

void TSearchJob::Skipped(const std::wstring&)
{
    const std::lock_guard<std::mutex> hold(lock_);
    ++progress_.Counts.Skipped;
}

TSearchProgress TSearchJob::TakeProgress()
{
    const std::lock_guard<std::mutex> hold(lock_);
    TSearchProgress taken = progress_;
    progress_.NewFinds.clear();
    return taken;
}

void TSearchJob::Wait()
{
    if (thread_.joinable())
        thread_.join();
    if (error_)
        std::rethrow_exception(std::exchange(error_, nullptr));
}

} // namespace kex
