// Disguise and restore on real folders in a temporary directory.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/HideMe.h"
#include "tests/support/TempDir.h"

using kex::DisguiseFileText;
using kex::HideFolder;
using kex::RestoreFolder;
using tests::TTempDir;

namespace {

DWORD Attrs(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str());
}

bool Has(const std::wstring& path, DWORD bit)
{
    const DWORD a = Attrs(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & bit);
}

// Wine stores no read-only bit on directories (the call succeeds, the bit
// reads back clear), so that bit is asserted only where the platform keeps it.
bool DirectoryKeepsReadOnly()
{
    static const bool keeps = [] {
        TTempDir probe;
        SetFileAttributesW(probe.Path().c_str(), FILE_ATTRIBUTE_READONLY);
        const bool kept = Has(probe.Path(), FILE_ATTRIBUTE_READONLY);
        SetFileAttributesW(probe.Path().c_str(), FILE_ATTRIBUTE_NORMAL);
        return kept;
    }();
    return keeps;
}

void ExpectDisguised(const std::wstring& folder)
{
    EXPECT_TRUE(Has(folder, FILE_ATTRIBUTE_SYSTEM));
    EXPECT_FALSE(Has(folder, FILE_ATTRIBUTE_HIDDEN));
    if (DirectoryKeepsReadOnly()) {
        EXPECT_TRUE(Has(folder, FILE_ATTRIBUTE_READONLY));
    }
    const std::wstring ini = folder + L"\\desktop.ini";
    EXPECT_EQ(tests::ReadBytes(ini), DisguiseFileText);
    EXPECT_EQ(Attrs(ini) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM), 0u)
        << "the disguise file has ordinary attributes";
}

} // namespace

TEST(HideFolder, DisguisesAFolderAndLeavesItsFilesAlone)
{
    TTempDir dir;
    const std::wstring folder = dir / L"photos";
    CreateDirectoryW(folder.c_str(), nullptr);
    CreateDirectoryW((folder + L"\\2024").c_str(), nullptr);
    tests::WriteBytes(folder + L"\\a.jpg", "JPEG");
    tests::WriteBytes(folder + L"\\2024\\b.txt", std::string(5000, 'b'));
    const auto before = tests::Snapshot(folder);

    EXPECT_EQ(DisguiseFileText.size(), 65u);
    ASSERT_TRUE(HideFolder(folder));
    ExpectDisguised(folder);
    ASSERT_TRUE(HideFolder(folder)) << "disguising twice rewrites the same file";
    ExpectDisguised(folder);

    ASSERT_TRUE(RestoreFolder(folder));
    EXPECT_EQ(Attrs(folder + L"\\desktop.ini"), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(Has(folder, FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(tests::Snapshot(folder), before) << "the round trip leaves every file as it was";
}

TEST(HideFolder, PathFormsAndWhatIsNotAFolder)
{
    TTempDir dir;
    const std::wstring folder = dir / L"docs";
    CreateDirectoryW(folder.c_str(), nullptr);
    ASSERT_TRUE(HideFolder(folder + L"\\")) << "a trailing backslash gets no second one";
    ExpectDisguised(folder);

    const std::wstring file = dir / L"file.txt";
    tests::WriteBytes(file, "text");
    EXPECT_FALSE(HideFolder(file));
    EXPECT_FALSE(Has(file, FILE_ATTRIBUTE_SYSTEM)) << "a file is not touched";
    EXPECT_FALSE(HideFolder(dir / L"missing"));
    EXPECT_EQ(Attrs(dir / L"missing"), INVALID_FILE_ATTRIBUTES);
}

TEST(HideFolder, ClearsTheHiddenBit)
{
    TTempDir dir;
    const std::wstring folder = dir / L"hidden";
    CreateDirectoryW(folder.c_str(), nullptr);
    SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_HIDDEN);
    ASSERT_TRUE(Has(folder, FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(HideFolder(folder));
    ExpectDisguised(folder);
}

TEST(HideFolder, NeverReplacesAndRestoreNeverDeletesTheUsersOwnDesktopIni)
{
    // The user's file is recognised by its content, whatever its attributes.
    for (const DWORD attributes : {DWORD{FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM}, DWORD{FILE_ATTRIBUTE_NORMAL}}) {
        SCOPED_TRACE(attributes);
        TTempDir dir;
        const std::wstring folder = dir / L"custom";
        CreateDirectoryW(folder.c_str(), nullptr);
        const std::wstring ini = folder + L"\\desktop.ini";
        const std::string own = "[.ShellClassInfo]\r\nIconResource=C:\\icons\\star.ico,0\r\n";
        tests::WriteBytes(ini, own);
        SetFileAttributesW(ini.c_str(), attributes);

        EXPECT_FALSE(HideFolder(folder));
        EXPECT_EQ(tests::ReadBytes(ini), own);
        EXPECT_FALSE(Has(folder, FILE_ATTRIBUTE_SYSTEM)) << "nothing changes, attributes included";

        SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_SYSTEM);
        EXPECT_TRUE(RestoreFolder(folder));
        EXPECT_FALSE(Has(folder, FILE_ATTRIBUTE_SYSTEM));
        EXPECT_EQ(tests::ReadBytes(ini), own) << "the user's file stays";
        EXPECT_EQ(Attrs(ini) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM),
                  attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))
            << "and keeps its attributes";
    }
}

TEST(RestoreFolder, ClearsAttributesOfFilesAndUndisguisedFolders)
{
    TTempDir dir;
    const std::wstring file = dir / L"locked.txt";
    tests::WriteBytes(file, "data");
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    EXPECT_TRUE(RestoreFolder(file));
    EXPECT_EQ(Attrs(file) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM), 0u);
    EXPECT_EQ(tests::ReadBytes(file), "data");

    const std::wstring folder = dir / L"plain";
    CreateDirectoryW(folder.c_str(), nullptr);
    SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(RestoreFolder(folder));
    EXPECT_FALSE(Has(folder, FILE_ATTRIBUTE_HIDDEN));

    EXPECT_FALSE(RestoreFolder(dir / L"missing"));
}

TEST(HideFolder, WorksOnPathsLongerThanMaxPath)
{
    TTempDir dir;
    std::wstring folder = dir.Path();
    while (folder.size() < 300) {
        folder += L"\\" + std::wstring(40, L'd');
        ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + folder).c_str(), nullptr));
    }
    ASSERT_GT(folder.size(), static_cast<std::size_t>(MAX_PATH));
    ASSERT_TRUE(HideFolder(folder));
    EXPECT_EQ(tests::ReadBytes(L"\\\\?\\" + folder + L"\\desktop.ini"), DisguiseFileText);
    EXPECT_TRUE(RestoreFolder(folder));
    EXPECT_EQ(GetFileAttributesW((L"\\\\?\\" + folder + L"\\desktop.ini").c_str()), INVALID_FILE_ATTRIBUTES);
}

// A real network share cannot be had under Wine, so the UNC form is checked
// on the conversion itself.
TEST(LongPath, TakesTheFormThatReachesPathsBeyondMaxPath)
{
    const std::wstring deep = L"\\" + std::wstring(250, L'd') + L"\\photos";
    const struct {
        std::wstring path, expected;
    } cases[] = {
        {L"C:\\short", L"C:\\short"},
        {L"\\\\server\\share\\short", L"\\\\server\\share\\short"},
        {L"C:" + deep, L"\\\\?\\C:" + deep},
        {L"\\\\server\\share" + deep, L"\\\\?\\UNC\\server\\share" + deep},
        {L"\\\\?\\C:" + deep, L"\\\\?\\C:" + deep},
        {L"\\\\?\\UNC\\server\\share" + deep, L"\\\\?\\UNC\\server\\share" + deep},
        {L"\\\\.\\pipe" + deep, L"\\\\.\\pipe" + deep},
    };
    for (const auto& c : cases)
        EXPECT_EQ(kex::LongPath(c.path), c.expected);
}
