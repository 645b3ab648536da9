// The password file on a real file system: saving, loading, and what a failed
// save leaves behind.
#include "app/kexBase64.h"
#include "app/kexPassFile.h"
#include "app/kexPassword.h"
#include "tests/support/ErrorMessage.h"
#include "tests/support/TempDir.h"
#include "ui/core/FileStream.h"
#include "ui/core/SysUtils.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

std::string ReadBytes(const std::wstring& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::wstring& path, const std::string& bytes)
{
    std::ofstream out(path.c_str(), std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good());
}

std::wstring TestExePath()
{
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

template <class F>
std::optional<std::string> InOutError(F f)
{
    return testing_support::ErrorMessageOf<ui::EInOutError>(f);
}

// Save steps that fail at one of them, after doing part of its work where
// there is some to part, and note that the failing step was reached.
class TFailingSteps : public kex::TSaveSteps {
public:
    enum class TStep { Write, Flush, Attributes, Replace };
    explicit TFailingSteps(TStep failing) : failing_(failing) {}

    void Write(ui::TFileStream& file, std::string_view bytes) override
    {
        if (!Fails(TStep::Write))
            return TSaveSteps::Write(file, bytes);
        TSaveSteps::Write(file, bytes.substr(0, bytes.size() / 2));  // the disk fills up half-way
        Raise();
    }
    void Flush(ui::TFileStream& file) override
    {
        if (Fails(TStep::Flush))
            Raise();
        TSaveSteps::Flush(file);
    }
    void SetAttributes(const std::wstring& path, std::uint32_t attributes) override
    {
        if (Fails(TStep::Attributes))
            Raise();
        TSaveSteps::SetAttributes(path, attributes);
    }
    void Replace(const std::wstring& from, const std::wstring& to) override
    {
        if (Fails(TStep::Replace))
            Raise();
        TSaveSteps::Replace(from, to);
    }
    bool Reached() const { return reached_; }

private:
    bool Fails(TStep step)
    {
        reached_ = reached_ || step == failing_;
        return step == failing_;
    }
    [[noreturn]] static void Raise() { throw ui::EInOutError(ui::SFileAccessError); }

    TStep failing_;
    bool reached_ = false;
};

// "密码" in code page 936: the bytes a Chinese system stores for it.
const std::string ChinesePassword = "\xC3\xDC\xC2\xEB";

// A fresh folder under the temporary directory holding kex_run.dll.
class PasswordFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        wchar_t temp[MAX_PATH];
        ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
        folder_ = std::wstring(temp) + L"kexpass-" + std::to_wstring(GetCurrentProcessId()) + L"-"
                  + std::to_wstring(GetTickCount()) + L"\\";
        ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr));
        path_ = folder_ + L"kex_run.dll";
    }

    void TearDown() override
    {
        for (const auto& name : FileNames()) {
            const std::wstring file = folder_ + name;
            SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(file.c_str());
        }
        RemoveDirectoryW(folder_.c_str());
    }

    // Names of the files in the folder, to see that no temporary file stays.
    std::vector<std::wstring> FileNames() const
    {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((folder_ + L"*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return names;
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                names.push_back(found.cFileName);
        } while (FindNextFileW(search, &found));
        FindClose(search);
        return names;
    }

    std::wstring folder_;
    std::wstring path_;
};

} // namespace

TEST_F(PasswordFile, PathIsKexRunDllBesideTheExecutable)
{
    const std::wstring exe = TestExePath();
    EXPECT_EQ(kex::PasswordFilePath(), exe.substr(0, exe.find_last_of(L'\\') + 1) + L"kex_run.dll");
}

TEST_F(PasswordFile, SavedPasswordLoadsBackFromARealFile)
{
    kex::SavePasswordTo(path_, ChinesePassword);

    const std::string file = ReadBytes(path_);
    const std::string coded = kex::EncodeBase64(ChinesePassword);
    EXPECT_EQ(file.substr(0, kex::PassFileHeadSize), ReadBytes(TestExePath()).substr(0, kex::PassFileHeadSize));
    EXPECT_EQ(file.substr(kex::PassFileHeadSize, coded.size() + 1), coded + "\t");
    const std::size_t tail = file.size() - (kex::PassFileHeadSize + coded.size() + 1);
    EXPECT_GE(tail, 500u);
    EXPECT_LE(tail, 1499u);
    EXPECT_EQ(file.find('\xFF', kex::PassFileHeadSize), std::string::npos);
    EXPECT_EQ(kex::LoadPasswordFrom(path_), ChinesePassword);

    kex::SavePasswordTo(path_, "");
    EXPECT_EQ(kex::LoadPasswordFrom(path_), "");
    EXPECT_EQ(FileNames(), std::vector<std::wstring>{L"kex_run.dll"});
}

TEST_F(PasswordFile, ReadOnlyFileLoadsButIsNotRewritten)
{
    kex::SavePasswordTo(path_, "tessaly");
    const std::string before = ReadBytes(path_);
    ASSERT_TRUE(SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_READONLY));

    EXPECT_EQ(kex::LoadPasswordFrom(path_), "tessaly");
    EXPECT_EQ(InOutError([&] { kex::SavePasswordTo(path_, "other"); }), ui::SFileAccessError);

    EXPECT_EQ(ReadBytes(path_), before);
    EXPECT_TRUE(GetFileAttributesW(path_.c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(FileNames(), std::vector<std::wstring>{L"kex_run.dll"});
}

TEST_F(PasswordFile, AFaultAtAnyStepOfASaveLeavesTheOldFileAndNoTemporary)
{
    using TStep = TFailingSteps::TStep;
    kex::SavePasswordTo(path_, "tessaly");
    // Hidden and system attributes are carried over to the new file, so a
    // save of this file runs every step.
    ASSERT_TRUE(SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    const std::string before = ReadBytes(path_);
    const struct {
        TStep step;
        const char* name;
    } faults[] = {
        {TStep::Write, "write"}, {TStep::Flush, "flush"}, {TStep::Attributes, "attributes"}, {TStep::Replace, "replace"},
    };
    for (const auto& fault : faults) {
        TFailingSteps steps(fault.step);
        EXPECT_EQ(InOutError([&] { kex::SavePasswordTo(path_, "other", steps); }), ui::SFileAccessError)
            << fault.name;
        EXPECT_TRUE(steps.Reached()) << fault.name;
        EXPECT_EQ(ReadBytes(path_), before) << fault.name;
        EXPECT_EQ(kex::LoadPasswordFrom(path_), "tessaly") << fault.name;
        EXPECT_EQ(FileNames(), std::vector<std::wstring>{L"kex_run.dll"}) << fault.name;
    }
}

TEST_F(PasswordFile, FailedReplaceLeavesTheOldFileAndNoTemporary)
{
    kex::SavePasswordTo(path_, "tessaly");
    const std::string before = ReadBytes(path_);
    // Another program holds the file open and allows no writing or deleting.
    HANDLE holder = CreateFileW(path_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);

    EXPECT_EQ(InOutError([&] { kex::SavePasswordTo(path_, "other"); }), ui::SFileAccessError);

    CloseHandle(holder);
    EXPECT_EQ(ReadBytes(path_), before);
    EXPECT_EQ(FileNames(), std::vector<std::wstring>{L"kex_run.dll"});
    EXPECT_EQ(kex::LoadPasswordFrom(path_), "tessaly");
}

TEST_F(PasswordFile, SaveIntoAMissingFolderOrOverAFolderFails)
{
    EXPECT_EQ(InOutError([&] { kex::SavePasswordTo(folder_ + L"gone\\kex_run.dll", "x"); }),
              ui::SFileAccessError);
    ASSERT_TRUE(CreateDirectoryW(path_.c_str(), nullptr));
    EXPECT_EQ(InOutError([&] { kex::SavePasswordTo(path_, "x"); }), ui::SFileAccessError);
    RemoveDirectoryW(path_.c_str());
    EXPECT_TRUE(FileNames().empty());
}

TEST_F(PasswordFile, HiddenAndSystemAttributesSurviveASave)
{
    kex::SavePasswordTo(path_, "tessaly");
    ASSERT_TRUE(SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));

    kex::SavePasswordTo(path_, "other");

    const DWORD attributes = GetFileAttributesW(path_.c_str());
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_SYSTEM);
    EXPECT_EQ(kex::LoadPasswordFrom(path_), "other");
}

TEST_F(PasswordFile, FileWithoutItsTabIsRefused)
{
    const std::string head(kex::PassFileHeadSize, 'M');
    const struct {
        std::string file;
        const char* error;
    } cases[] = {
        {std::string(300, 'M'), ui::SReadBeyondEnd},
        {head, ui::SReadBeyondEnd},
        {head + "dGVzc2FseQ==", kex::SPassFileDamaged},
    };
    for (const auto& c : cases) {
        WriteBytes(path_, c.file);
        EXPECT_EQ(InOutError([&] { kex::LoadPasswordFrom(path_); }), c.error) << c.file.size();
    }
}

TEST_F(PasswordFile, OnlyTheTextAfterTheHeadIsReadWhateverTheFileSize)
{
    constexpr std::int64_t huge = tests::BeyondMemory;
    const std::string head(kex::PassFileHeadSize, '\t');  // the head is never looked at
    ASSERT_EQ(tests::WriteSparseFile(path_, head + "dGVzc2FseQ==\t", huge), huge);
    EXPECT_EQ(kex::LoadPasswordFrom(path_), "tessaly");

    ASSERT_EQ(tests::WriteSparseFile(path_, head, huge), huge);
    EXPECT_EQ(InOutError([&] { kex::LoadPasswordFrom(path_); }), kex::SPassFileDamaged);
}

TEST_F(PasswordFile, FileLockedByAnotherProgramIsAnAccessError)
{
    kex::SavePasswordTo(path_, "tessaly");
    HANDLE holder = CreateFileW(path_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_EQ(InOutError([&] { kex::LoadPasswordFrom(path_); }), ui::SFileAccessError);
    CloseHandle(holder);
}
