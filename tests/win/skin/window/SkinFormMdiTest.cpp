// The skin on MDI windows: a frame form with its MDI client and child forms,
// children maximised and restored, the option that leaves the children the
// system's frame, and the MDI client's own procedure.
#include <gtest/gtest.h>

#include "skin/window/SkinMessages.h"
#include "tests/win/support/SkinTestSupport.h"
#include "tests/win/support/WindowTestSupport.h"

using namespace skin;
using namespace tests;
using namespace ui;

namespace {

class SkinnedMdi : public ::testing::Test {
protected:
    void Start(const std::function<void(TSkinData&)>& configure = {})
    {
        bed = std::make_unique<TSkinTestBed>(configure);
        frame = std::make_unique<TForm>(nullptr);
        frame->SetFormStyle(TFormStyle::fsMDIForm);
        frame->SetPosition(TPosition::poDesigned);
        frame->SetBounds(20, 20, 640, 480);
        frame->SetCaption(L"frame");
        frame->Show();
        SetForegroundWindow(frame->Handle());
        frameController = bed->WaitSkinned(frame->Handle());
        ASSERT_TRUE(frameController);
    }
    void TearDown() override
    {
        frame.reset();
        bed.reset();
    }
    TForm* NewChild(const wchar_t* caption)
    {
        auto* child = new TForm(frame.get());
        child->SetFormStyle(TFormStyle::fsMDIChild);
        child->SetCaption(caption);
        child->SetBounds(0, 0, 220, 160);
        child->Show();
        return child;
    }

    std::unique_ptr<TSkinTestBed> bed;
    std::unique_ptr<TForm> frame;
    TWinSkinForm* frameController = nullptr;
};

} // namespace

TEST_F(SkinnedMdi, TheFrameAndItsChildrenAreSkinnedAsSuch)
{
    Start();
    EXPECT_EQ(frameController->MdiKind, TMdiKind::Frame);
    EXPECT_EQ(frameController->MdiClientWindow, frame->ClientHandle());
    EXPECT_EQ(bed->Manager().MdiClientWindow, frame->ClientHandle());
    EXPECT_EQ(bed->Manager().MdiFrameForm, frame.get());

    TForm* child = NewChild(L"one");
    TWinSkinForm* controller = bed->WaitSkinned(child->Handle());
    ASSERT_TRUE(controller) << "the hook skins an MDI child when it is made";
    EXPECT_EQ(controller->MdiKind, TMdiKind::Child);
    EXPECT_EQ(controller->Form, child) << "the child's form is found although its window was just being made";
    EXPECT_EQ(controller->Owner(), child);
    EXPECT_TRUE(controller->FrameSkinned);
    const SIZE client = ClientSize(child->Handle()), window = WindowSize(child->Handle());
    EXPECT_EQ(window.cx, client.cx + controller->LeftWidth + controller->RightWidth);
    EXPECT_EQ(window.cy,
              client.cy + controller->TitleHeight + controller->MenuBarHeight + controller->BottomHeight);
    EXPECT_TRUE(controller->RegionOwned);
}

// Children made by one handler wear the skin as soon as each is made,
// before the handler returns to the message loop.
TEST_F(SkinnedMdi, ChildrenMadeByOneHandlerAreSkinnedAsTheyAreMade)
{
    Start();
    for (TForm* child : {NewChild(L"one"), NewChild(L"two")}) {
        const TWinSkinForm* controller = bed->Manager().FindController(child->Handle());
        ASSERT_TRUE(controller);
        EXPECT_EQ(controller->SkinState, TSkinState::Running) << "skinned without waiting for the loop";
        EXPECT_TRUE(controller->RegionOwned);
    }
}

TEST_F(SkinnedMdi, AMaximisedChildDropsTheRegionsAndARestoredOneTakesThemBack)
{
    Start();
    TForm* first = NewChild(L"one");
    TForm* second = NewChild(L"two");
    TWinSkinForm* firstController = bed->WaitSkinned(first->Handle());
    TWinSkinForm* secondController = bed->WaitSkinned(second->Handle());
    ASSERT_TRUE(firstController && secondController);

    second->SetWindowState(TWindowState::wsMaximized);
    Pump();
    EXPECT_TRUE(bed->Manager().MdiChildMaximized);
    EXPECT_EQ(secondController->WindowState, TSkinWindowState::Maximized);
    EXPECT_FALSE(secondController->RegionOwned) << "a maximised child fills the client without a region";
    EXPECT_FALSE(firstController->RegionOwned);

    second->SetWindowState(TWindowState::wsNormal);
    Pump();
    EXPECT_FALSE(bed->Manager().MdiChildMaximized);
    EXPECT_EQ(secondController->WindowState, TSkinWindowState::Normal);
    EXPECT_TRUE(secondController->RegionOwned);
    EXPECT_TRUE(firstController->RegionOwned);
}

TEST_F(SkinnedMdi, ClosingTheMaximisedChildTellsTheOthers)
{
    Start();
    TForm* first = NewChild(L"one");
    TForm* second = NewChild(L"two");
    ASSERT_TRUE(bed->WaitSkinned(first->Handle()) && bed->WaitSkinned(second->Handle()));
    second->SetWindowState(TWindowState::wsMaximized);
    Pump();
    ASSERT_TRUE(bed->Manager().MdiChildMaximized);
    delete second;
    Pump();
    BOOL maximized = FALSE;
    SendMessageW(frame->ClientHandle(), WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized));
    EXPECT_EQ(bed->Manager().MdiChildMaximized, maximized != FALSE) << "the flag follows the child now active";
}

TEST_F(SkinnedMdi, WithTheChildBorderOptionChildrenKeepTheSystemFrame)
{
    Start([](TSkinData& data) { data.SetOptions(data.Options() | SetOf(xoMDIChildBorder)); });
    TForm* child = NewChild(L"one");
    TWinSkinForm* controller = bed->WaitSkinned(child->Handle());
    ASSERT_TRUE(controller);
    EXPECT_FALSE(controller->FrameSkinned);
    EXPECT_TRUE(frameController->FrameSkinned) << "the frame form wears the skin still";
    EXPECT_TRUE(AnswersSkinQuery(child->Handle()));
    EXPECT_FALSE(controller->RegionOwned);
}

TEST_F(SkinnedMdi, TheClientShowsScrollBarsOnlyWithItsOption)
{
    for (const bool scrollBars : {false, true}) {
        SCOPED_TRACE(scrollBars);
        Start([&](TSkinData& data) {
            if (scrollBars)
                data.SetOptions(data.Options() | SetOf(xoMDIScrollbar));
        });
        const HWND client = frame->ClientHandle();
        SetWindowLongPtrW(client, GWL_STYLE, GetWindowLongPtrW(client, GWL_STYLE) | WS_HSCROLL | WS_VSCROLL);
        SetWindowPos(client, nullptr, 0, 0, 0, 0, FrameChangedFlags);
        const auto style = GetWindowLongPtrW(client, GWL_STYLE);
        EXPECT_EQ((style & (WS_HSCROLL | WS_VSCROLL)) != 0, scrollBars);
        TearDown();
    }
}

TEST_F(SkinnedMdi, DetachGivesTheClientItsProcedureBack)
{
    Start();
    const HWND client = frame->ClientHandle();
    const WNDPROC skinned = WindowProcedure(client);
    frameController->Detach();
    EXPECT_NE(WindowProcedure(client), skinned);
    EXPECT_EQ(SendMessageW(client, WM_SKINMDIREDRAW, 0, 0), 0);
}
