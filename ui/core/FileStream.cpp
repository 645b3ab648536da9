#include "ui/core/FileStream.h"

#include <algorithm>

namespace ui {

namespace {

[[noreturn]] void RaiseAccessError()
{
    throw EInOutError(SFileAccessError);
}

DWORD DesiredAccess(TFileMode mode)
{
    switch (mode & 0x0F) {
    case fmOpenRead: return GENERIC_READ;
    case fmOpenWrite: return GENERIC_WRITE;
    case fmOpenReadWrite:
    case fmCreate: return GENERIC_READ | GENERIC_WRITE;
    }
    RaiseAccessError();
}

DWORD ShareMode(TFileMode mode)
{
    const DWORD deletion = (mode & fmShareDelete) ? FILE_SHARE_DELETE : 0;
    switch (mode & 0xF0) {
    case 0:
    case fmShareExclusive: return deletion;
    case fmShareDenyWrite: return deletion | FILE_SHARE_READ;
    case fmShareDenyRead: return deletion | FILE_SHARE_WRITE;
    case fmShareDenyNone: return deletion | FILE_SHARE_READ | FILE_SHARE_WRITE;
    }
    RaiseAccessError();
}

// The most one ReadFile or WriteFile call is asked to move.
DWORD ChunkOf(std::int64_t left)
{
    return static_cast<DWORD>(std::min<std::int64_t>(left, 1 << 30));
}

} // namespace

TFileStream::TFileStream(const std::wstring& path, TFileMode mode)
    : handle_(CreateFileW(path.c_str(), DesiredAccess(mode), ShareMode(mode), nullptr,
                          (mode & 0x0F) == fmCreate ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                          nullptr))
{
    if (handle_ == INVALID_HANDLE_VALUE)
        RaiseAccessError();
}

TFileStream::~TFileStream()
{
    if (handle_ != INVALID_HANDLE_VALUE)
        CloseHandle(handle_);
}

HANDLE TFileStream::Handle() const
{
    if (handle_ == INVALID_HANDLE_VALUE)
        RaiseAccessError();
    return handle_;
}

std::int64_t TFileStream::Read(void* buffer, std::int64_t count)
{
    auto* bytes = static_cast<char*>(buffer);
    std::int64_t done = 0;
    while (done < count) {
        DWORD got = 0;
        if (!ReadFile(Handle(), bytes + done, ChunkOf(count - done), &got, nullptr))
            RaiseAccessError();
        if (got == 0)
            break;  // the end of the file
        done += got;
    }
    return done;
}

std::int64_t TFileStream::Write(const void* buffer, std::int64_t count)
{
    const auto* bytes = static_cast<const char*>(buffer);
    std::int64_t done = 0;
    while (done < count) {
        DWORD put = 0;
        // Writing nothing without an error (a full disk on some systems) would loop forever.
        if (!WriteFile(Handle(), bytes + done, ChunkOf(count - done), &put, nullptr) || put == 0)
            RaiseAccessError();
        done += put;
    }
    return done;
}

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin)
{
    static constexpr DWORD methods[] = {FILE_BEGIN, FILE_CURRENT, FILE_END};
    LARGE_INTEGER distance;
    distance.QuadPart = offset;
    LARGE_INTEGER position;
    if (!SetFilePointerEx(Handle(), distance, &position, methods[static_cast<int>(origin)]))
        RaiseAccessError();
    return position.QuadPart;
}

std::int64_t TFileStream::Size()
{
    LARGE_INTEGER size;
    if (!GetFileSizeEx(Handle(), &size))
        RaiseAccessError();
    return size.QuadPart;
}

void TFileStream::Flush()
{
    if (!FlushFileBuffers(Handle()))
        RaiseAccessError();
}

void TFileStream::Close()
{
    const HANDLE handle = Handle();  // raises for a stream already closed
    handle_ = INVALID_HANDLE_VALUE;  // a failed close leaves nothing for the destructor
    if (!CloseHandle(handle))
        RaiseAccessError();
}

} // namespace ui
