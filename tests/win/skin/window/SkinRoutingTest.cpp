// How a skinned window's messages travel: which ones the skin keeps from the
// window's own procedure, which it passes on exactly once, and the
// non-client sequences of activation, hit testing, caption button presses and
// sizing, recorded under the skin (what the window's own procedure sees) and
// over it (what the window receives); and what the window's own procedure
// paints of the title under the skin (nothing).
#include <gtest/gtest.h>

#include "skin/window/CaptionButtons.h"
#include "skin/window/SkinMessages.h"
#include "tests/win/support/FrameOnScreen.h"
#include "tests/win/support/MessageRecorder.h"
#include "tests/win/support/SkinTestSupport.h"
#include "tests/win/support/WindowTestSupport.h"
#include "tests/win/support/XInput.h"

using namespace skin;
using namespace tests;
using ui::TFormBorderStyle;

namespace {

constexpr RECT Bounds{90, 90, 410, 330};

// A skinned sizeable form with a recorder under the skin.
struct TSkinnedForm {
    explicit TSkinnedForm(TSkinTestBed& bed, std::initializer_list<UINT> only = {})
    {
        bed.HoldBack();
        form = ShowForm(TFormBorderStyle::bsSizeable, Bounds);
        below = std::make_unique<TMessageRecorder>(form->Handle(), only);
        controller = bed.Skin(form->Handle());
        below->Clear();
    }
    HWND Handle() const { return form->Handle(); }
    std::unique_ptr<ui::TForm> form;
    std::unique_ptr<TMessageRecorder> below;
    TWinSkinForm* controller = nullptr;
};

} // namespace

TEST(SkinRouting, WhatTheSkinKeepsAndWhatItPassesOnOnce)
{
    struct Case {
        UINT msg;
        WPARAM wParam;
        int reachesOwnProcedure;
    };
    const Case cases[] = {
        {WM_NCPAINT, 1, 0},           // painted by the skin
        {WM_NCACTIVATE, TRUE, 0},     // painted by the skin
        {0xAE, 0, 0},                 // the themed caption drawing
        {WM_SKINQUERY, 0, 0},         // answered by the skin
        {WM_SKINREPAINTFRAME, 0, 0},  // painted by the skin
        {WM_NCHITTEST, 0, 1},         // asked first, revised after
        {WM_SIZE, SIZE_RESTORED, 1},  // handled in two stages, passed on once
        {WM_GETMINMAXINFO, 0, 1},
        {WM_ACTIVATE, WA_ACTIVE, 1},
        {WM_SYSCOMMAND, 0xF1F0, 1},  // a command no stage knows
        {WM_ERASEBKGND, 0, 1},
        {WM_USER + 3, 0, 1},  // unknown to every stage
        {WM_SKINPAINTFRAMETO, 0, 1},  // a form's: reaches its framework procedure
    };
    TSkinTestBed bed;
    TSkinnedForm skinned(bed);
    ASSERT_TRUE(skinned.controller);
    MINMAXINFO minMax{};
    for (const Case& c : cases) {
        SCOPED_TRACE(MessageName(c.msg));
        skinned.below->Clear();
        const HDC dc = GetDC(skinned.Handle());
        LPARAM lParam = 0;
        if (c.msg == WM_GETMINMAXINFO)
            lParam = reinterpret_cast<LPARAM>(&minMax);
        if (c.msg == WM_SIZE) {
            const SIZE client = ClientSize(skinned.Handle());
            lParam = MAKELPARAM(client.cx, client.cy);
        }
        SendMessageW(skinned.Handle(), c.msg, c.msg == WM_ERASEBKGND ? reinterpret_cast<WPARAM>(dc) : c.wParam, lParam);
        ReleaseDC(skinned.Handle(), dc);
        EXPECT_EQ(skinned.below->Count(c.msg), c.reachesOwnProcedure);
    }
}

TEST(SkinRouting, BeforeTheFirstSkinningTheFrameIsNotPainted)
{
    TSkinTestBed bed;
    bed.HoldBack();
    TBareWindow bare(GetModuleHandleW(nullptr), L"SkinTestBare", WS_OVERLAPPEDWINDOW, Bounds);
    TMessageRecorder below(bare.Handle(), {WM_NCPAINT, WM_NCACTIVATE});
    bed.Manager().Active = true;
    ASSERT_TRUE(bed.Manager().TrySkinWindow(bare.Handle()));  // WM_SKINSTART is still queued
    TWinSkinForm* controller = bed.Manager().FindController(bare.Handle());
    ASSERT_EQ(controller->SkinState, TSkinState::Attached);
    SendMessageW(bare.Handle(), WM_NCPAINT, 1, 0);
    EXPECT_EQ(SendMessageW(bare.Handle(), WM_NCACTIVATE, FALSE, 0), TRUE) << "the activation change may go ahead";
    EXPECT_EQ(below.Count(WM_NCPAINT), 0);
    EXPECT_EQ(below.Count(WM_NCACTIVATE), 0);
    EXPECT_EQ(bed.WaitSkinned(bare.Handle()), controller);
}

TEST(SkinRouting, AChildWindowKeepsItsOwnFrameHandling)
{
    TSkinTestBed bed;
    bed.HoldBack();
    TBareWindow parent(GetModuleHandleW(nullptr), L"SkinTestBare", WS_OVERLAPPEDWINDOW, Bounds);
    const HWND child = CreateWindowExW(0, L"SkinTestBare", L"child", WS_CHILD | WS_CAPTION | WS_VISIBLE, 5, 5, 120,
                                       80, parent.Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    TMessageRecorder below(child, {WM_NCPAINT, WM_NCCALCSIZE, WM_NCHITTEST, WM_SIZE});
    TWinSkinForm controller(nullptr);
    controller.WindowHandle = child;
    controller.AttachToWindow(&bed.Data());
    SendMessageW(child, WM_SKINSTART, 0, SkinStartLParam);
    ASSERT_EQ(controller.SkinState, TSkinState::Running);
    below.Clear();
    SendMessageW(child, WM_NCPAINT, 1, 0);
    SendMessageW(child, WM_NCHITTEST, 0, MAKELPARAM(10, 10));
    SetWindowPos(child, nullptr, 0, 0, 130, 90, SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
    EXPECT_TRUE(OkSequence(below,
                           {{WM_NCPAINT}, {WM_NCHITTEST}, {WM_NCCALCSIZE}, {WM_NCPAINT, Optional}, {WM_SIZE}},
                           "frame messages of a child window"));
    controller.Detach();
    DestroyWindow(child);
}

TEST(SkinSequences, Activation)
{
    TSkinTestBed bed;
    TSkinnedForm other(bed);
    TSkinnedForm skinned(bed, {WM_NCACTIVATE, WM_ACTIVATE, WM_NCPAINT});
    ASSERT_TRUE(other.controller && skinned.controller);
    SetForegroundWindow(other.Handle());
    Pump();
    skinned.below->Clear();
    TMessageRecorder over(skinned.Handle(), {WM_NCACTIVATE, WM_ACTIVATE, WM_NCPAINT});
    for (const bool activated : {true, false}) {
        SCOPED_TRACE(activated ? "activated" : "deactivated");
        over.Clear();
        skinned.below->Clear();
        SetForegroundWindow(activated ? skinned.Handle() : other.Handle());
        Pump();
        const WPARAM state = activated ? WA_ACTIVE : WA_INACTIVE;
        EXPECT_TRUE(OkSequence(over,
                               {{WM_NCACTIVATE, Sent | CheckWParam, activated},
                                {WM_ACTIVATE, Sent | CheckWParam, state},
                                {WM_NCPAINT, Optional}},
                               "the window receives"));
        EXPECT_TRUE(OkSequence(*skinned.below, {{WM_ACTIVATE, Sent | CheckWParam, state}},
                               "its own procedure receives no frame message"));
        EXPECT_EQ(skinned.controller->Active, activated);
    }
}

TEST(SkinSequences, HitTesting)
{
    TSkinTestBed bed;
    TSkinnedForm skinned(bed, {WM_NCHITTEST});
    ASSERT_TRUE(skinned.controller);
    RECT window{};
    GetWindowRect(skinned.Handle(), &window);
    const TWinSkinForm& c = *skinned.controller;
    struct Case {
        const char* where;
        POINT at;
        LRESULT answer;
    };
    const int middleX = (window.left + window.right) / 2;
    const Case cases[] = {
        {"the title", {middleX, window.top + c.TitleHeight / 2}, HTCAPTION},
        {"the client area", {middleX, (window.top + window.bottom) / 2}, HTCLIENT},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.where);
        skinned.below->Clear();
        const LPARAM at = MAKELPARAM(k.at.x, k.at.y);
        EXPECT_EQ(SendMessageW(skinned.Handle(), WM_NCHITTEST, 0, at), k.answer);
        EXPECT_TRUE(OkSequence(*skinned.below, {{WM_NCHITTEST, Sent | CheckLParam, 0, at}},
                               "the own procedure answers first, once"));
    }
}

// A caption button pressed and released with the X server's pointer: the
// window receives the non-client button messages and its own procedure none
// of them (a press passed on would start the system's own tracking of the
// caption), then the button's system command, which the own procedure gets.
// A press that moves off the button before the release brings no command,
// and the release, over the bare title, is the own procedure's again.
TEST(SkinSequences, CaptionButtonPressAndRelease)
{
    TXInput& pointer = TXInput::Instance();
    if (!pointer.Available())
        GTEST_SKIP() << "no X pointer";
    // Out of the way before and after, however the test ends: a button that
    // starts under the pointer is hot, here or in the next test's window.
    constexpr POINT away{Bounds.right + 200, Bounds.bottom + 200};
    pointer.MoveTo(away);
    const struct TPointerAway {
        ~TPointerAway() { TXInput::Instance().MoveTo(away); }
    } pointerAway;
    TSkinTestBed bed;
    const std::initializer_list<UINT> watched = {WM_NCLBUTTONDOWN, WM_NCLBUTTONUP, WM_SYSCOMMAND};
    TSkinnedForm skinned(bed, watched);
    ASSERT_TRUE(skinned.controller);
    const HWND window = skinned.Handle();
    TMessageRecorder over(window, watched);
    // What the window receives was posted; under the skin every message
    // comes through the skin's procedure, so only its parameters count.
    const auto command = [](WPARAM sc) { return TExpectedMessage{WM_SYSCOMMAND, Posted | CheckWParam, sc}; };
    const auto passedCommand = [](WPARAM sc) { return TExpectedMessage{WM_SYSCOMMAND, CheckWParam, sc}; };
    const TExpectedMessage down{WM_NCLBUTTONDOWN, Posted | CheckWParam, HTCAPTION};
    const TExpectedMessage up{WM_NCLBUTTONUP, Posted | CheckWParam, HTCAPTION};
    const TExpectedMessage passedUp{WM_NCLBUTTONUP, CheckWParam, HTCAPTION};
    struct Case {
        const char* what;
        int action;
        bool movedOff;  // off the button, onto the bare title, before the release
        std::vector<TExpectedMessage> receives, ownProcedureReceives;
    };
    const Case cases[] = {
        {"maximise", 1, false, {down, up, command(SC_MAXIMIZE)}, {passedCommand(SC_MAXIMIZE)}},
        {"restore", 1, false, {down, up, command(SC_RESTORE)}, {passedCommand(SC_RESTORE)}},
        {"maximise, moved off", 1, true, {down, up}, {passedUp}},
        {"minimise", 2, false, {down, up, command(SC_MINIMIZE)}, {passedCommand(SC_MINIMIZE)}},
        {"close", 0, false, {down, up, command(SC_CLOSE)}, {passedCommand(SC_CLOSE)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (IsIconic(window)) {
            ShowWindow(window, SW_RESTORE);
            ASSERT_TRUE(PumpUntil([&] { return !IsIconic(window); }));
        }
        TWinSysButton* button = ButtonWithAction(*skinned.controller, c.action);
        ASSERT_TRUE(button && button->Visible);
        RECT r{};
        GetWindowRect(window, &r);
        ASSERT_TRUE(pointer.MoveTo({r.left + (button->Bounds.left + button->Bounds.right) / 2,
                                    r.top + (button->Bounds.top + button->Bounds.bottom) / 2}));
        ASSERT_TRUE(PumpUntil([&] { return button->State == static_cast<int>(TNCState::Hot); }));
        over.Clear();
        skinned.below->Clear();
        pointer.Press();
        ASSERT_TRUE(PumpUntil([&] { return button->State == static_cast<int>(TNCState::Pressed); }));
        if (c.movedOff) {
            const int bareTitle = (skinned.controller->TitleTextRect.right + button->Bounds.left) / 2;
            ASSERT_TRUE(pointer.MoveTo({r.left + bareTitle, r.top + skinned.controller->TitleHeight / 2}));
            ASSERT_TRUE(PumpUntil([&] { return button->State == static_cast<int>(TNCState::Normal); }));
        }
        pointer.Release();
        PumpUntil([&] { return over.Count(WM_NCLBUTTONUP) > 0 && skinned.below->Count(WM_SYSCOMMAND) > 0; }, 1s);
        Pump();
        EXPECT_TRUE(OkSequence(over, c.receives, "the window receives"));
        EXPECT_TRUE(OkSequence(*skinned.below, c.ownProcedureReceives, "its own procedure receives"));
    }
    EXPECT_FALSE(IsWindowVisible(window)) << "closed";
}

TEST(SkinSequences, Sizing)
{
    TSkinTestBed bed;
    const std::initializer_list<UINT> watched = {WM_WINDOWPOSCHANGING, WM_GETMINMAXINFO, WM_NCCALCSIZE,
                                                 WM_NCPAINT,           WM_WINDOWPOSCHANGED, WM_SIZE};
    TSkinnedForm skinned(bed, watched);
    ASSERT_TRUE(skinned.controller);
    TMessageRecorder over(skinned.Handle(), watched);
    const SIZE before = WindowSize(skinned.Handle());
    SetWindowPos(skinned.Handle(), nullptr, 0, 0, before.cx + 40, before.cy + 30, SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    EXPECT_TRUE(OkSequence(over,
                           {{WM_WINDOWPOSCHANGING, Sent},
                            {WM_GETMINMAXINFO, Sent | Optional},
                            {WM_NCCALCSIZE, Sent | CheckWParam, TRUE},
                            {WM_NCPAINT, Optional},
                            {WM_WINDOWPOSCHANGED, Sent},
                            {WM_SIZE, Sent | CheckWParam, SIZE_RESTORED},
                            // the region made for the new size
                            {WM_WINDOWPOSCHANGING, Sent},
                            {WM_NCCALCSIZE, Sent | Optional},
                            {WM_NCPAINT, Optional},
                            {WM_WINDOWPOSCHANGED, Sent},
                            {WM_NCPAINT, Optional}},
                           "the window receives, resized"));
    EXPECT_TRUE(OkSequence(*skinned.below,
                           {{WM_WINDOWPOSCHANGING, Sent},
                            {WM_GETMINMAXINFO, Sent | Optional},
                            {WM_NCCALCSIZE, Sent | CheckWParam, TRUE},
                            {WM_WINDOWPOSCHANGED, Sent},
                            {WM_SIZE, Sent | CheckWParam, SIZE_RESTORED},
                            {WM_WINDOWPOSCHANGING, Sent},
                            {WM_NCCALCSIZE, Sent | Optional},
                            {WM_WINDOWPOSCHANGED, Sent}},
                           "its own procedure receives each once and no frame paint"));
    const SIZE client = ClientSize(skinned.Handle());
    const TWinSkinForm& c = *skinned.controller;
    EXPECT_EQ(client.cx, before.cx + 40 - c.LeftWidth - c.RightWidth) << "the skin decided the client area";
    EXPECT_EQ(client.cy, before.cy + 30 - c.TitleHeight - c.BottomHeight);
}

namespace {

// Watches a form under the skin: reads the skinned title bar just before and
// just after the form's own procedure handles a caption text or icon change,
// or an MDI child's activation change, whose default handling paints the
// system's caption straight onto the window.
class TTitleWatch {
public:
    explicit TTitleWatch(ui::TForm& form)
        : form_(form), hook_(form, "title watch", [this](ui::TMessage& m) { Handle(m); })
    {
    }
    int TitleY = 0, Seen = 0, ChangedBelowTheSkin = 0;

private:
    void Handle(ui::TMessage& m)
    {
        if (m.Msg != WM_SETTEXT && m.Msg != WM_SETICON && m.Msg != WM_NCACTIVATE) {
            hook_.CallPrevious(m);
            return;
        }
        const std::vector<COLORREF> before = TitleRow();
        hook_.CallPrevious(m);
        if (TitleRow() != before)
            ++ChangedBelowTheSkin;
        ++Seen;
    }
    std::vector<COLORREF> TitleRow() const
    {
        const HWND window = form_.Handle();
        RECT r{};
        GetWindowRect(window, &r);
        const HDC dc = GetWindowDC(window);
        std::vector<COLORREF> row;
        for (int x = 0; x < r.right - r.left; x += 2)
            row.push_back(GetPixel(dc, x, TitleY));
        ReleaseDC(window, dc);
        return row;
    }
    ui::TForm& form_;
    ui::TWindowProcHook hook_;
};

} // namespace

TEST(SkinRouting, ACaptionOrIconChangeNeverPaintsTheSystemsCaption)
{
    TSkinTestBed bed;
    bed.HoldBack();
    auto form = ShowForm(TFormBorderStyle::bsSizeable, Bounds);
    TTitleWatch watch(*form);
    TWinSkinForm* controller = bed.Skin(form->Handle());
    ASSERT_TRUE(controller);
    Pump();
    watch.TitleY = controller->TitleHeight / 2;
    const HICON icon = LoadIconW(nullptr, IDI_WARNING);
    watch.Seen = 0;
    SetWindowTextW(form->Handle(), L"A new caption, painted by the skin alone");
    SendMessageW(form->Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    SetWindowTextW(form->Handle(), L"Skinned form");
    EXPECT_EQ(watch.Seen, 3);
    EXPECT_EQ(watch.ChangedBelowTheSkin, 0);
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_EQ(GetWindowTextWide(form->Handle()), L"Skinned form");
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(form->Handle(), WM_GETICON, ICON_SMALL, 0)), icon);
}

TEST(SkinRouting, AnMdiChildsActivationChangeNeverPaintsTheSystemsCaption)
{
    TSkinTestBed bed;
    ui::TForm frame(nullptr);
    frame.SetFormStyle(ui::TFormStyle::fsMDIForm);
    frame.SetPosition(ui::TPosition::poDesigned);
    frame.SetBounds(20, 20, 640, 480);
    frame.Show();
    SetForegroundWindow(frame.Handle());
    ASSERT_TRUE(bed.WaitSkinned(frame.Handle()));
    std::vector<std::unique_ptr<TTitleWatch>> watches;
    std::vector<HWND> children;
    for (const int left : {0, 240}) {
        auto* child = new ui::TForm(&frame);
        child->SetFormStyle(ui::TFormStyle::fsMDIChild);
        child->SetBounds(left, 0, 220, 160);
        watches.push_back(std::make_unique<TTitleWatch>(*child));
        child->Show();
        TWinSkinForm* controller = bed.WaitSkinned(child->Handle());
        ASSERT_TRUE(controller);
        watches.back()->TitleY = controller->TitleHeight / 2;
        children.push_back(child->Handle());
    }
    Pump();
    for (const auto& watch : watches)
        watch->Seen = watch->ChangedBelowTheSkin = 0;
    for (const HWND child : {children[0], children[1], children[0]}) {
        SendMessageW(frame.ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child), 0);
        Pump();
        EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(frame.ClientHandle(), WM_MDIGETACTIVE, 0, 0)), child);
    }
    for (const auto& watch : watches) {
        EXPECT_GE(watch->Seen, 2) << "each change reaches the child's own procedure";
        EXPECT_EQ(watch->ChangedBelowTheSkin, 0);
    }
}
