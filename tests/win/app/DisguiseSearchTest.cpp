// The search for disguised folders on real trees in a temporary directory.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <set>

#include "app/DisguiseSearch.h"
#include "app/HideMe.h"
#include "tests/support/TempDir.h"

using kex::FindDisguisedFolders;
using kex::TSearchCounts;
using tests::TTempDir;

namespace {

// Collects what the search reports; a test may act on each folder entered.
class TRecordingObserver : public kex::TSearchObserver {
public:
    void Entering(const std::wstring& folder, const kex::TSearchCounts&) override
    {
        if (onEntering)
            onEntering(folder);
    }
    void Found(const std::wstring& folder) override { found.insert(folder); }
    void Skipped(const std::wstring& folder) override { skipped.insert(folder); }

    std::function<void(const std::wstring&)> onEntering;
    std::set<std::wstring> found, skipped;
};

std::wstring MakeFolders(const std::wstring& path)
{
    for (std::size_t cut = path.find(L'\\', 3); cut != std::wstring::npos; cut = path.find(L'\\', cut + 1))
        CreateDirectoryW(kex::LongPath(path.substr(0, cut)).c_str(), nullptr);
    CreateDirectoryW(kex::LongPath(path).c_str(), nullptr);
    return path;
}

std::wstring Disguised(const std::wstring& path)
{
    MakeFolders(path);
    EXPECT_TRUE(kex::HideFolder(path));
    return path;
}

// A folder with the disguise's attributes and a desktop.ini of other bytes.
std::wstring Foreign(const std::wstring& path, const std::string& ini)
{
    MakeFolders(path);
    tests::WriteBytes(path + L"\\desktop.ini", ini);
    kex::SetFileAttrFlags(path, true, false, true);
    return path;
}

TSearchCounts Search(const std::wstring& root, TRecordingObserver& observer, const std::atomic<bool>& cancel)
{
    return FindDisguisedFolders(root, observer, cancel);
}

TSearchCounts Search(const std::wstring& root, TRecordingObserver& observer)
{
    const std::atomic<bool> never{false};
    return Search(root, observer, never);
}

} // namespace

TEST(DisguiseSearch, FindsEveryDisguisedFolderAndOnlyThoseAndChangesNothing)
{
    TTempDir dir;
    std::wstring deep = dir.Path();
    while (deep.size() < MAX_PATH + 40)
        deep += L"\\a-rather-long-folder-name";
    const std::set<std::wstring> ours = {
        Disguised(dir / L"top"),
        Disguised(dir / L"one\\two\\three"),
        Disguised(dir / L"相册\\二〇二四年"),
        Disguised(deep),  // past the ordinary path length: disguised, so it must be found
        Disguised(dir / L"top\\inside-a-disguised-one"),
    };
    const std::string almost = std::string(kex::DisguiseFileText.substr(0, kex::DisguiseFileText.size() - 1)) + "X";
    Foreign(dir / L"same-size-other-bytes", almost);
    Foreign(dir / L"longer", std::string(kex::DisguiseFileText) + "\r\n");
    Foreign(dir / L"icon-folder", "[.ShellClassInfo]\r\nIconResource=C:\\icon.ico,0\r\n");
    MakeFolders(dir / L"plain\\with\\levels");
    // The disguise file without the attributes is no disguise.
    tests::WriteBytes(MakeFolders(dir / L"file-only") + L"\\desktop.ini", std::string(kex::DisguiseFileText));
    const auto before = tests::Snapshot(dir.Path());

    TRecordingObserver observer;
    const TSearchCounts counts = Search(dir.Path(), observer);

    EXPECT_EQ(observer.found, ours);
    EXPECT_EQ(counts.Found, ours.size());
    EXPECT_EQ(counts.Skipped, 0u);
    EXPECT_FALSE(counts.Cancelled);
    EXPECT_EQ(tests::Snapshot(dir.Path()), before) << "searching changes nothing on disk";
}

TEST(DisguiseSearch, TheChosenFolderItselfAndADriveStyleRootCount)
{
    TTempDir dir;
    const std::wstring folder = Disguised(dir / L"chosen");
    TRecordingObserver observer;
    EXPECT_EQ(Search(folder, observer).Found, 1u);
    EXPECT_EQ(observer.found, std::set<std::wstring>{folder});

    // A root given with its trailing backslash, as a drive's root is, joins
    // names without doubling it.
    TRecordingObserver fromRoot;
    Search(dir.Path() + L"\\", fromRoot);
    EXPECT_EQ(fromRoot.found, std::set<std::wstring>{folder});
}

TEST(DisguiseSearch, LinksAreCountedAndNeverFollowed)
{
    TTempDir dir;
    const std::wstring hidden = Disguised(dir / L"a\\hidden");
    // A loop: a link inside the tree back to its top, and one to a disguised
    // folder elsewhere, which would otherwise be reported twice.
    tests::MakeFolderLink(dir / L"a\\loop", dir.Path());
    tests::MakeFolderLink(dir / L"shortcut", hidden);

    TRecordingObserver observer;
    const TSearchCounts counts = Search(dir.Path(), observer);

    EXPECT_EQ(observer.found, std::set<std::wstring>{hidden});
    EXPECT_EQ(observer.skipped, (std::set<std::wstring>{dir / L"a\\loop", dir / L"shortcut"}));
    EXPECT_EQ(counts.Skipped, 2u);
}

TEST(DisguiseSearch, FoldersThatCannotBeSearchedAreCountedAndTheSearchGoesOn)
{
    TTempDir dir;
    const std::wstring kept = Disguised(dir / L"kept");
    const std::wstring goes = Disguised(dir / L"goes\\away");
    TRecordingObserver observer;
    // The folder vanishes between being listed and being searched.
    observer.onEntering = [&](const std::wstring& folder) {
        if (folder == goes) {
            EXPECT_TRUE(kex::RestoreFolder(goes) && RemoveDirectoryW(goes.c_str()));
        }
    };
    const TSearchCounts counts = Search(dir.Path(), observer);
    EXPECT_EQ(observer.found, std::set<std::wstring>{kept});
    EXPECT_EQ(observer.skipped, std::set<std::wstring>{goes});
    EXPECT_EQ(counts.Skipped, 1u);

    TRecordingObserver missing;
    const TSearchCounts none = Search(dir / L"no-such-folder", missing);
    EXPECT_EQ(none.Searched, 0u);
    EXPECT_EQ(none.Skipped, 1u);
}

TEST(DisguiseSearch, CancelStopsAtOnceAndKeepsWhatWasFound)
{
    TTempDir dir;
    for (int i = 0; i < 40; ++i)
        Disguised(dir / (L"f" + std::to_wstring(i) + L"\\below"));
    std::atomic<bool> cancel{false};
    TRecordingObserver observer;
    int entered = 0;
    observer.onEntering = [&](const std::wstring&) {
        if (++entered == 10)
            cancel = true;
    };
    const TSearchCounts counts = Search(dir.Path(), observer, cancel);
    EXPECT_TRUE(counts.Cancelled);
    EXPECT_EQ(entered, 10) << "no folder is entered after the cancel";
    EXPECT_EQ(counts.Found, observer.found.size());
    EXPECT_LT(counts.Found, 10u);
}
