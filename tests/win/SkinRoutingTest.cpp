// How a skinned window's messages travel: which ones the skin keeps from the
// window's own procedure, which it passes on exactly once, and the
// non-client sequences of activation, hit testing and sizing, recorded under
// the skin (what the window's own procedure sees) and over it (what the
// window receives).
#include <gtest/gtest.h>

#include "skin/SkinMessages.h"
#include "tests/win/MessageRecorder.h"
#include "tests/win/SkinTestSupport.h"
#include "tests/win/WindowTestSupport.h"

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
