// File streams on real files in a temporary folder: what they read and write,
// where they seek, how they share, and the error every failure raises.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/support/ErrorMessage.h"
#include "tests/support/TempDir.h"
#include "ui/core/FileStream.h"

using namespace ui;
using tests::ReadBytes;
using tests::TTempDir;
using tests::WriteBytes;

namespace {

template <class F>
std::optional<std::string> InOutError(F f)
{
    return testing_support::ErrorMessageOf<EInOutError>(f);
}

std::string ReadAll(TFileStream& stream)
{
    std::string bytes(static_cast<std::size_t>(stream.Size() - stream.Position()), '\0');
    stream.ReadBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    return bytes;
}

void WriteText(TStream& stream, const std::string& text)
{
    stream.WriteBuffer(text.data(), static_cast<std::int64_t>(text.size()));
}

// Every byte value, several times over, so that chunking and zero bytes show.
std::string SampleBytes()
{
    std::string bytes;
    for (int i = 0; i < 3000; ++i)
        bytes += static_cast<char>(i * 7);
    return bytes;
}

// Whether another program can open the file for access while a stream holds
// it; that program allows everything itself.
bool OthersCanOpen(const std::wstring& path, DWORD access)
{
    HANDLE other = CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, OPEN_EXISTING, 0, nullptr);
    if (other == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(other);
    return true;
}

} // namespace

TEST(FileStream, WhatIsWrittenReadsBackUnderAWidePath)
{
    TTempDir dir;
    const std::wstring path = dir / L"密码文件.bin";
    const std::string bytes = SampleBytes();
    {
        TFileStream out(path, fmCreate);
        WriteText(out, bytes);
        EXPECT_EQ(out.Position(), static_cast<std::int64_t>(bytes.size()));
        EXPECT_EQ(out.Size(), static_cast<std::int64_t>(bytes.size()));
        out.Flush();
        out.Close();
    }
    EXPECT_EQ(ReadBytes(path), bytes);

    TFileStream in(path, fmOpenRead | fmShareDenyWrite);
    EXPECT_EQ(in.Size(), static_cast<std::int64_t>(bytes.size()));
    EXPECT_EQ(ReadAll(in), bytes);
    EXPECT_EQ(in.Position(), in.Size());
}

TEST(FileStream, CreateEmptiesAnExistingFile)
{
    TTempDir dir;
    const std::wstring path = dir / L"old.txt";
    WriteBytes(path, "an older and longer content");
    TFileStream stream(path, fmCreate);
    EXPECT_EQ(stream.Size(), 0);
    WriteText(stream, "new");
    stream.Close();
    EXPECT_EQ(ReadBytes(path), "new");
}

TEST(FileStream, SeekMovesFromEachOriginAndWritesLandThere)
{
    TTempDir dir;
    const std::wstring path = dir / L"digits.txt";
    WriteBytes(path, "0123456789");
    TFileStream stream(path, fmOpenReadWrite);
    char two[2];

    EXPECT_EQ(stream.Seek(3, TSeekOrigin::soBeginning), 3);
    stream.ReadBuffer(two, 2);
    EXPECT_EQ(std::string(two, 2), "34");
    EXPECT_EQ(stream.Seek(-1, TSeekOrigin::soCurrent), 4);
    EXPECT_EQ(stream.Seek(-2, TSeekOrigin::soEnd), 8);
    stream.ReadBuffer(two, 2);
    EXPECT_EQ(std::string(two, 2), "89");

    stream.SetPosition(1);
    WriteText(stream, "ab");  // overwrites in place
    EXPECT_EQ(stream.Seek(2, TSeekOrigin::soEnd), 12);
    WriteText(stream, "Z");  // past the end: the gap is filled with zeros
    EXPECT_EQ(stream.Size(), 13);
    EXPECT_EQ(InOutError([&] { stream.Seek(-1, TSeekOrigin::soBeginning); }), SFileAccessError);
    EXPECT_EQ(stream.Position(), 13) << "a refused seek leaves the position";
    stream.Close();
    EXPECT_EQ(ReadBytes(path), std::string("0ab3456789\0\0Z", 13));
}

// A read-only file is not among the cases: whether it opens for writing is the
// system's decision, and Wine run by root allows it.
TEST(FileStream, OpeningWhatCannotBeOpenedIsAnAccessError)
{
    TTempDir dir;
    const std::wstring file = dir / L"file.txt";
    const std::wstring locked = dir / L"locked.txt";
    const std::wstring folder = dir / L"folder";
    WriteBytes(file, "content");
    WriteBytes(locked, "content");
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    // Another program holds this one and lets nobody else in.
    HANDLE holder = CreateFileW(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);

    const struct {
        const char* what;
        std::wstring path;
        TFileMode mode;
    } cases[] = {
        {"a missing file", dir / L"missing.txt", fmOpenRead},
        {"a file in a missing folder", dir / L"missing\\new.txt", fmCreate},
        {"a folder", folder, fmOpenRead},
        {"a folder, created over", folder, fmCreate},
        {"a file another program holds, for reading", locked, fmOpenRead | fmShareDenyNone},
        {"a file another program holds, created over", locked, fmCreate},
        {"an unknown access mode", file, static_cast<TFileMode>(0x0007)},
        {"an unknown share mode", file, fmOpenRead | static_cast<TFileMode>(0x0050)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(InOutError([&] { TFileStream stream(c.path, c.mode); }), SFileAccessError) << c.what;

    CloseHandle(holder);
    EXPECT_EQ(ReadBytes(locked), "content");
}

TEST(FileStream, ReadingPastTheEndStopsThereAndReadBufferRaises)
{
    TTempDir dir;
    const std::wstring path = dir / L"short.txt";
    WriteBytes(path, "12345");
    TFileStream stream(path, fmOpenRead);
    char buffer[10];

    EXPECT_EQ(stream.Read(buffer, sizeof buffer), 5);
    EXPECT_EQ(stream.Read(buffer, sizeof buffer), 0) << "at the end";
    stream.SetPosition(2);
    const auto error = testing_support::ErrorMessageOf<EReadError>([&] { stream.ReadBuffer(buffer, 4); });
    EXPECT_EQ(error, SReadBeyondEnd);
}

TEST(FileStream, TransfersAgainstTheOpenedDirectionAreAccessErrors)
{
    TTempDir dir;
    const std::wstring path = dir / L"file.txt";
    WriteBytes(path, "content");
    char buffer[4];
    {
        TFileStream reading(path, fmOpenRead);
        EXPECT_EQ(InOutError([&] { WriteText(reading, "x"); }), SFileAccessError);
    }
    {
        TFileStream writing(path, fmOpenWrite);
        EXPECT_EQ(InOutError([&] { writing.Read(buffer, sizeof buffer); }), SFileAccessError);
    }
    EXPECT_EQ(ReadBytes(path), "content");
}

TEST(FileStream, ShareFlagsSayWhatOthersMayDoWhileTheStreamIsOpen)
{
    TTempDir dir;
    const std::wstring path = dir / L"shared.txt";
    const struct {
        const char* what;
        TFileMode share;
        bool othersRead, othersWrite, othersDelete;
    } cases[] = {
        {"no share flag", static_cast<TFileMode>(0), false, false, false},
        {"exclusive", fmShareExclusive, false, false, false},
        {"deny write", fmShareDenyWrite, true, false, false},
        {"deny read", fmShareDenyRead, false, true, false},
        {"deny none", fmShareDenyNone, true, true, false},
        {"deny write, allow delete", fmShareDenyWrite | fmShareDelete, true, false, true},
    };
    for (const auto& c : cases) {
        WriteBytes(path, "content");
        TFileStream stream(path, fmOpenReadWrite | c.share);
        EXPECT_EQ(OthersCanOpen(path, GENERIC_READ), c.othersRead) << c.what;
        EXPECT_EQ(OthersCanOpen(path, GENERIC_WRITE), c.othersWrite) << c.what;
        EXPECT_EQ(OthersCanOpen(path, DELETE), c.othersDelete) << c.what;
    }
}

TEST(FileStream, AClosedStreamRefusesEverything)
{
    TTempDir dir;
    const std::wstring path = dir / L"file.txt";
    WriteBytes(path, "content");
    TFileStream stream(path, fmOpenReadWrite);
    stream.Close();
    char buffer[4];
    EXPECT_EQ(InOutError([&] { stream.Read(buffer, sizeof buffer); }), SFileAccessError);
    EXPECT_EQ(InOutError([&] { WriteText(stream, "x"); }), SFileAccessError);
    EXPECT_EQ(InOutError([&] { stream.Seek(0, TSeekOrigin::soBeginning); }), SFileAccessError);
    EXPECT_EQ(InOutError([&] { stream.Size(); }), SFileAccessError);
    EXPECT_EQ(InOutError([&] { stream.Flush(); }), SFileAccessError);
    EXPECT_EQ(InOutError([&] { stream.Close(); }), SFileAccessError);
}
