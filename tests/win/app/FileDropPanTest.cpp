// The drop panel receiving real WM_DROPFILES messages with drop handles built
// as the shell builds them.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <vector>

#include "app/FileDropPan.h"
#include "ui/forms/Forms.h"

using namespace ui;
using app::TAIFileDropPan;

namespace {

// A drop handle as the shell makes it: DROPFILES followed by the wide paths,
// each ended by a zero, and one more zero at the end.
HDROP MakeDrop(const std::vector<std::wstring>& paths)
{
    std::size_t chars = 1;
    for (const auto& p : paths)
        chars += p.size() + 1;
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + chars * sizeof(wchar_t));
    auto* df = static_cast<DROPFILES*>(GlobalLock(mem));
    df->pFiles = sizeof(DROPFILES);
    df->fWide = TRUE;
    auto* out = reinterpret_cast<wchar_t*>(df + 1);
    for (const auto& p : paths) {
        std::copy(p.begin(), p.end(), out);
        out += p.size() + 1;
    }
    GlobalUnlock(mem);
    return static_cast<HDROP>(mem);
}

class DropPanel : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.SetBounds(50, 50, 300, 200);
        panel = new TAIFileDropPan(&form);
        panel->SetAlign(TAlign::alClient);
        form.Show();
    }
    void Drop(const std::vector<std::wstring>& paths)
    {
        SendMessageW(panel->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)), 0);
    }
    TForm form{nullptr};
    TAIFileDropPan* panel = nullptr;
};

} // namespace

TEST_F(DropPanel, HandsOverEveryDroppedPathInOrderAndReplacesTheLastDrop)
{
    std::vector<std::vector<std::wstring>> events;
    panel->OnDragFile = app::TDragFileEvent([&](TComponent* sender, TStrings* list) {
        EXPECT_EQ(sender, panel);
        EXPECT_EQ(list, panel->FileList()) << "the event gets the panel's own list";
        events.push_back(list->ToVector());
    });
    const std::wstring longPath = L"C:\\" + std::wstring(150, L'a') + L"\\" + std::wstring(150, L'b');
    const std::vector<std::wstring> first = {L"C:\\one", L"D:\\照片\\二〇二四", L"C:\\three.txt", longPath};
    Drop(first);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0], first) << "full paths, also beyond 260 characters and non-ASCII";

    Drop({L"E:\\second"});
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[1], (std::vector<std::wstring>{L"E:\\second"})) << "a drop does not accumulate";
}

TEST_F(DropPanel, WithoutHandlerTheDropIsKeptAndAcceptFileRegistersTheWindow)
{
    Drop({L"C:\\kept"});
    EXPECT_EQ(panel->FileList()->ToVector(), (std::vector<std::wstring>{L"C:\\kept"}));

    EXPECT_TRUE(GetWindowLongW(panel->Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    panel->SetAcceptFile(false);
    EXPECT_FALSE(GetWindowLongW(panel->Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES) << "no drop is offered";
    panel->SetAcceptFile(true);
    EXPECT_TRUE(GetWindowLongW(panel->Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
}

TEST(DropPanelOwner, MustBeAWindowedControl)
{
    TComponent notAWindow(nullptr);
    EXPECT_THROW(TAIFileDropPan{&notAWindow}, Exception);
}
