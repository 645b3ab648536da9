// MDI on real windows: a frame form with its MDI client, child forms made by
// the client, the active child, maximized and minimized children, tiling,
// cascading, closing, and the MDI keys of the message loop.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "tests/win/support/WindowTestSupport.h"
#include "ui/controls/ExtCtrls.h"
#include "ui/controls/Menus.h"
#include "ui/forms/Forms.h"

using namespace ui;

namespace {

std::wstring ClassOf(HWND wnd)
{
    wchar_t name[64] = {};
    GetClassNameW(wnd, name, 64);
    return name;
}

RECT RectInClient(HWND wnd)
{
    RECT r;
    GetWindowRect(wnd, &r);
    MapWindowPoints(nullptr, GetParent(wnd), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

class Mdi : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame = std::make_unique<TForm>(nullptr);
        frame->SetFormStyle(TFormStyle::fsMDIForm);
        frame->SetBounds(20, 20, 640, 480);
        frame->SetCaption(L"frame");
        toolbar = new TPanel(frame.get());
        toolbar->SetHeight(30);
        toolbar->SetParent(frame.get());
        toolbar->SetAlign(TAlign::alTop);
        frame->Show();
        ASSERT_TRUE(tests::PumpUntil([&] { return IsWindowVisible(frame->Handle()) != 0; }));
    }
    void TearDown() override { frame.reset(); }

    TForm* NewChild(const wchar_t* caption)
    {
        auto* child = new TForm(frame.get());
        child->SetFormStyle(TFormStyle::fsMDIChild);
        child->SetCaption(caption);
        child->SetBounds(0, 0, 200, 150);
        child->Show();
        return child;
    }
    HWND ActiveWindow() const
    {
        return reinterpret_cast<HWND>(SendMessageW(frame->ClientHandle(), WM_MDIGETACTIVE, 0, 0));
    }

    std::unique_ptr<TForm> frame;
    TPanel* toolbar = nullptr;
};

} // namespace

TEST_F(Mdi, TheFrameHoldsItsClientBelowTheAlignedControls)
{
    HWND client = frame->ClientHandle();
    ASSERT_NE(client, nullptr);
    EXPECT_EQ(_wcsicmp(ClassOf(client).c_str(), L"MDIClient"), 0);
    EXPECT_EQ(GetParent(client), frame->Handle());
    EXPECT_EQ(FindControlOfWindow(client), nullptr) << "the client is the system's window";

    const RECT r = RectInClient(client);
    EXPECT_EQ(r.top, toolbar->Height());
    EXPECT_EQ(r.right - r.left, frame->ClientWidth());
    EXPECT_EQ(r.bottom - r.top, frame->ClientHeight() - toolbar->Height());

    frame->SetBounds(20, 20, 500, 400);  // follows the frame's size
    const RECT smaller = RectInClient(client);
    EXPECT_EQ(smaller.right - smaller.left, frame->ClientWidth());
    EXPECT_EQ(smaller.bottom - smaller.top, frame->ClientHeight() - toolbar->Height());

    TForm plain(nullptr);
    plain.HandleNeeded();
    EXPECT_EQ(plain.ClientHandle(), nullptr);
    EXPECT_EQ(plain.MDIChildCount(), 0);
}

TEST_F(Mdi, ChildrenAreMadeByTheClientAndTheLastOneIsActive)
{
    TForm* a = NewChild(L"a");
    TForm* b = NewChild(L"b");
    TForm* c = NewChild(L"c");
    for (TForm* child : {a, b, c}) {
        EXPECT_EQ(GetParent(child->Handle()), frame->ClientHandle());
        EXPECT_TRUE(GetWindowLongPtrW(child->Handle(), GWL_EXSTYLE) & WS_EX_MDICHILD);
        EXPECT_TRUE(IsWindowVisible(child->Handle()));
        EXPECT_EQ(FindControlOfWindow(child->Handle()), child);
    }
    EXPECT_EQ(ActiveWindow(), c->Handle());
    EXPECT_EQ(frame->ActiveMDIChild(), c);
    ASSERT_EQ(frame->MDIChildCount(), 3);
    EXPECT_EQ(frame->MDIChildren(0), c) << "the active child first";

    frame->Next();
    EXPECT_NE(frame->ActiveMDIChild(), c);
    frame->Previous();
    EXPECT_EQ(frame->ActiveMDIChild(), c);

    wchar_t caption[8] = {};
    GetWindowTextW(b->Handle(), caption, 8);
    EXPECT_STREQ(caption, L"b");
}

TEST_F(Mdi, ChildrenMaximizeRestoreAndMinimize)
{
    TForm* a = NewChild(L"a");
    TForm* b = NewChild(L"b");
    b->SetWindowState(TWindowState::wsMaximized);
    EXPECT_TRUE(IsZoomed(b->Handle()));
    BOOL maximized = FALSE;
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(frame->ClientHandle(), WM_MDIGETACTIVE, 0,
                                                  reinterpret_cast<LPARAM>(&maximized))),
              b->Handle());
    EXPECT_TRUE(maximized);
    EXPECT_EQ(b->WindowState(), TWindowState::wsMaximized);
    const RECT full = RectInClient(b->Handle());
    RECT client;
    GetClientRect(frame->ClientHandle(), &client);
    EXPECT_LE(full.left, 0);
    EXPECT_GE(full.right, client.right) << "a maximized child covers the client";

    b->SetWindowState(TWindowState::wsNormal);
    EXPECT_FALSE(IsZoomed(b->Handle()));
    EXPECT_EQ(b->Width(), 200) << "restored to its size";

    a->SetWindowState(TWindowState::wsMinimized);
    EXPECT_TRUE(IsIconic(a->Handle()));
    EXPECT_EQ(a->WindowState(), TWindowState::wsMinimized);
    frame->ArrangeIcons();
    EXPECT_TRUE(IsIconic(a->Handle()));

    // A child read as maximized is shown maximized.
    auto* late = new TForm(frame.get());
    late->SetFormStyle(TFormStyle::fsMDIChild);
    late->SetWindowState(TWindowState::wsMaximized);
    late->Show();
    EXPECT_TRUE(IsZoomed(late->Handle()));
}

// A maximized child puts its system menu and buttons into the frame's menu
// bar; a change of the bar's items keeps them, and restoring takes them out.
TEST_F(Mdi, AChangedMenuBarKeepsTheEntriesOfAMaximizedChild)
{
    auto* menu = new TMainMenu(frame.get());
    for (const wchar_t* caption : {L"&File", L"&View"}) {
        auto* item = new TMenuItem(frame.get());
        item->SetCaption(caption);
        menu->Items()->Add(item);
    }
    frame->SetMenu(menu);
    TForm* child = NewChild(L"child");
    child->SetWindowState(TWindowState::wsMaximized);
    HMENU bar = GetMenu(frame->Handle());
    const int withChild = GetMenuItemCount(bar);
    ASSERT_GT(withChild, 2) << "the child's entries are in the bar";
    const auto textAt = [&](int pos) {
        wchar_t text[32] = {};
        GetMenuStringW(bar, static_cast<UINT>(pos), text, 32, MF_BYPOSITION);
        return std::wstring(text);
    };
    const int first = textAt(0) == L"&File" ? 0 : 1;

    menu->Items()->Items(0)->SetCaption(L"&Document");
    EXPECT_EQ(GetMenuItemCount(bar), withChild);
    EXPECT_EQ(textAt(first), L"&Document") << "in its place";
    EXPECT_EQ(textAt(first + 1), L"&View");

    child->SetWindowState(TWindowState::wsNormal);
    EXPECT_EQ(GetMenuItemCount(bar), 2) << "the client took its entries out again";
    EXPECT_EQ(textAt(0), L"&Document");
}

TEST_F(Mdi, TileAndCascadeArrangeTheChildren)
{
    TForm* a = NewChild(L"a");
    TForm* b = NewChild(L"b");
    frame->SetTileMode(TTileMode::tbVertical);
    frame->Tile();
    RECT ra = RectInClient(a->Handle()), rb = RectInClient(b->Handle()), overlap;
    EXPECT_FALSE(IntersectRect(&overlap, &ra, &rb)) << "tiled children do not overlap";
    EXPECT_EQ(ra.top, rb.top) << "side by side";

    frame->SetTileMode(TTileMode::tbHorizontal);
    frame->Tile();
    ra = RectInClient(a->Handle()), rb = RectInClient(b->Handle());
    EXPECT_FALSE(IntersectRect(&overlap, &ra, &rb));
    EXPECT_EQ(ra.left, rb.left) << "one above the other";

    frame->Cascade();
    ra = RectInClient(a->Handle()), rb = RectInClient(b->Handle());
    EXPECT_NE(ra.top, rb.top);
    EXPECT_NE(ra.left, rb.left);
    EXPECT_TRUE(IntersectRect(&overlap, &ra, &rb)) << "cascaded children overlap, each a step further";
}

TEST_F(Mdi, ClosingAChildFreesItAndActivatesAnother)
{
    TForm* a = NewChild(L"a");
    TForm* b = NewChild(L"b");
    const int forms = Screen()->FormCount();
    b->SetWindowState(TWindowState::wsMaximized);
    PostMessageW(b->Handle(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(tests::PumpUntil([&] { return Screen()->FormCount() == forms - 1; })) << "closed and freed";
    EXPECT_EQ(frame->MDIChildCount(), 1);
    EXPECT_EQ(frame->ActiveMDIChild(), a);

    // A child freed in code leaves through the client as well.
    delete a;
    EXPECT_EQ(frame->MDIChildCount(), 0);
    EXPECT_EQ(ActiveWindow(), nullptr);
    EXPECT_EQ(frame->ActiveMDIChild(), nullptr);
}

TEST_F(Mdi, AChildNeedsAFrame)
{
    TForm orphan(nullptr);
    orphan.SetFormStyle(TFormStyle::fsMDIChild);
    frame.reset();  // no frame on the screen any more
    EXPECT_THROW(orphan.HandleNeeded(), Exception);
    EXPECT_FALSE(orphan.HandleAllocated());
}

// Ctrl+F6 goes through the message loop's MDI translation to the client.
TEST_F(Mdi, TheMessageLoopPassesMdiKeysToTheClient)
{
    TForm* a = NewChild(L"a");
    TForm* b = NewChild(L"b");
    SetForegroundWindow(frame->Handle());
    SetFocus(b->Handle());
    ASSERT_EQ(frame->ActiveMDIChild(), b);
    tests::SendKeys({{VK_CONTROL, true}, {VK_F6, true}, {VK_F6, false}, {VK_CONTROL, false}});
    EXPECT_TRUE(tests::LoopUntil([&] { return frame->ActiveMDIChild() == a; }));
}
