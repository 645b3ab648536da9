// A stream over a file on disk, opened by wide path.
//
// Every open, read, write, seek, flush and close is checked: a failure raises
// EInOutError with SFileAccessError. ReadBuffer past the end of the file
// raises EReadError with SReadBeyondEnd (TStream's rule).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "ui/core/Classes.h"

namespace ui {

// How a file stream opens its file: one access mode or'ed with share flags.
// Without a share flag the file is opened for this stream alone.
enum TFileMode : std::uint32_t {
    fmOpenRead = 0x0000,        // an existing file, for reading
    fmOpenWrite = 0x0001,       // an existing file, for writing
    fmOpenReadWrite = 0x0002,   // an existing file, for both
    fmCreate = 0x0003,          // a new file, or an existing one emptied, for both
    fmShareExclusive = 0x0010,  // nobody else may open the file
    fmShareDenyWrite = 0x0020,  // others may read it
    fmShareDenyRead = 0x0030,   // others may write it
    fmShareDenyNone = 0x0040,   // others may read and write it
    fmShareDelete = 0x0100,     // others may also delete or rename it
};

constexpr TFileMode operator|(TFileMode a, TFileMode b)
{
    return static_cast<TFileMode>(static_cast<std::uint32_t>(a) | static_cast<std::uint32_t>(b));
}

class TFileStream : public TStream {
public:
    TFileStream(const std::wstring& path, TFileMode mode);
    // Closes a file still open without checking: an error may already be on
    // its way, and the stream's owner reported nothing else.
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    std::int64_t Size() override;

    // Writes what the system still buffers for the file to the disk.
    void Flush();
    // Closes the file and reports a failure; the stream is unusable after it.
    // A file whose writes matter is closed this way before it is relied on.
    void Close();

private:
    // The open file's handle; raises when the stream was closed.
    HANDLE Handle() const;

    HANDLE handle_;
};

} // namespace ui
