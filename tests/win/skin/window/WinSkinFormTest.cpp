// The skin form controller on real windows: what it reads of a window when
// it attaches, the first skinning that fits the skin's frame around the
// client area, the engine messages, the reskin, and the detaches that give
// everything back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/window/SkinMessages.h"
#include "skin/window/WinSkinForm.h"
#include "tests/win/support/MessageRecorder.h"
#include "tests/win/support/SkinTestSupport.h"
#include "tests/win/support/WindowTestSupport.h"
#include "ui/forms/Forms.h"

using namespace skin;
using namespace tests;
using ui::TFormBorderStyle;

namespace {

constexpr RECT FormBounds{60, 60, 420, 300};

} // namespace

TEST(SkinFormAttach, BorderKindAndIconsFollowTheWindowStyle)
{
    struct Case {
        TFormBorderStyle style;
        TBorderKind kind;
        unsigned icons;
    };
    const Case cases[] = {
        {TFormBorderStyle::bsSizeable, TBorderKind::Sizeable,
         FrameIconSystemMenu | FrameIconMinimize | FrameIconMaximize},
        {TFormBorderStyle::bsSingle, TBorderKind::Single, FrameIconSystemMenu | FrameIconMinimize | FrameIconMaximize},
        {TFormBorderStyle::bsDialog, TBorderKind::Dialog, FrameIconSystemMenu},
        {TFormBorderStyle::bsNone, TBorderKind::NoCaption, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.style));
        TSkinTestBed bed;
        const auto form = ShowForm(c.style, FormBounds);
        TWinSkinForm* controller = bed.WaitSkinned(form->Handle());
        ASSERT_TRUE(controller);
        EXPECT_EQ(controller->BorderKind, c.kind);
        EXPECT_EQ(controller->BorderIcons & ~FrameIconKeepSysMenuStyle, c.icons);
        EXPECT_EQ(controller->Form, form.get());
        EXPECT_EQ(controller->WindowClassName, L"TForm");
        EXPECT_TRUE(controller->FrameSkinned);
        EXPECT_EQ(controller->MdiKind, TMdiKind::Ordinary);
        EXPECT_FALSE(controller->IsMessageDialog);
    }
}

TEST(SkinFormAttach, AWindowWithoutCaptionKeepsNoFrameButStaysAttached)
{
    TSkinTestBed bed;
    const auto form = ShowForm(TFormBorderStyle::bsNone, FormBounds);
    const SIZE before = WindowSize(form->Handle());
    TWinSkinForm* controller = bed.WaitSkinned(form->Handle());
    ASSERT_TRUE(controller);
    EXPECT_EQ(controller->LeftWidth + controller->TitleHeight + controller->RightWidth + controller->BottomHeight, 0);
    EXPECT_EQ(WindowSize(form->Handle()), before) << "nothing to grow";
    EXPECT_TRUE(AnswersSkinQuery(form->Handle()));
}

TEST(SkinFormAttach, SkinningKeepsTheClientAreaAndDetachGivesEverythingBack)
{
    for (const TFormBorderStyle style : {TFormBorderStyle::bsSizeable, TFormBorderStyle::bsDialog}) {
        SCOPED_TRACE(static_cast<int>(style));
        TSkinTestBed bed;
        bed.HoldBack();
        const auto form = ShowForm(style, FormBounds);
        const HWND window = form->Handle();
        TMessageRecorder below(window, {WM_SKINDONE});  // under the skin: sees what it passes on
        const WNDPROC own = WindowProcedure(window);
        const SIZE client = ClientSize(window);
        const ui::TColor colour = form->Color();

        TWinSkinForm* controller = bed.Skin(window);
        ASSERT_TRUE(controller);
        EXPECT_NE(WindowProcedure(window), own);
        EXPECT_EQ(ClientSize(window), client) << "the window grew by the skin's frame, not the client";
        const SIZE skinned = WindowSize(window);
        EXPECT_EQ(skinned.cx, client.cx + controller->LeftWidth + controller->RightWidth);
        EXPECT_EQ(skinned.cy, client.cy + controller->TitleHeight + controller->BottomHeight);
        EXPECT_EQ(form->Color(), static_cast<ui::TColor>(bed.Data().Colours.ButtonFace));
        EXPECT_TRUE(OkSequence(below, {{WM_SKINDONE, Sent | CheckWParam | CheckLParam, 0, SkinMagic}},
                               "the first skinning ends with WM_SKINDONE"));

        controller->Detach();
        EXPECT_EQ(WindowProcedure(window), own);
        EXPECT_EQ(ClientSize(window), client);
        EXPECT_EQ(form->Color(), colour);
        EXPECT_FALSE(AnswersSkinQuery(window));
    }
}

TEST(SkinFormAttach, AWindowDestroyedWhileSkinnedEndsClosedWithItsOwnProcedureBack)
{
    TSkinTestBed bed;
    bed.HoldBack();
    TBareWindow bare(GetModuleHandleW(nullptr), L"SkinTestBare", WS_OVERLAPPEDWINDOW, FormBounds);
    TMessageRecorder below(bare.Handle(), {WM_NCDESTROY});
    TWinSkinForm* controller = bed.Skin(bare.Handle());
    ASSERT_TRUE(controller);
    DestroyWindow(bare.Handle());
    EXPECT_EQ(controller->SkinState, TSkinState::Closed);
    ASSERT_EQ(below.Messages().size(), 1u);
    EXPECT_EQ(below.Messages()[0].ProcedureOnArrival, below.Procedure())
        << "the window's own procedure was back before it saw WM_NCDESTROY";
    EXPECT_FALSE(controller->WindowSubclass->Installed());
    // The manager frees it before its next decision.
    bed.Manager().TrySkinWindow(nullptr);
    EXPECT_EQ(bed.Manager().FindController(bare.Handle()), nullptr);
}

TEST(SkinFormAttach, AFormDestroyedWhileSkinnedTakesItsControllerAlong)
{
    TSkinTestBed bed;
    auto form = ShowForm(TFormBorderStyle::bsSizeable, FormBounds);
    const HWND window = form->Handle();
    ASSERT_TRUE(bed.WaitSkinned(window));
    form.reset();
    EXPECT_EQ(bed.Manager().FindController(window), nullptr) << "the controller left the manager's list";
    EXPECT_TRUE(bed.Manager().Controllers().empty());
}

TEST(SkinFormAttach, DetachOfAControllerThatNeverSubclassedChangesNothing)
{
    TSkinTestBed bed;
    TBareWindow bare(GetModuleHandleW(nullptr), L"SkinTestBare", WS_OVERLAPPEDWINDOW, FormBounds);
    bed.Manager().Active = false;  // the hook leaves it alone
    const WNDPROC own = WindowProcedure(bare.Handle());
    const SIZE size = WindowSize(bare.Handle());
    TWinSkinForm controller(nullptr);
    controller.WindowHandle = bare.Handle();
    controller.FrameSkinned = true;
    controller.Detach();
    EXPECT_EQ(WindowProcedure(bare.Handle()), own);
    EXPECT_EQ(WindowSize(bare.Handle()), size);
}

TEST(SkinFormAttach, BeforeAndAfterEventsBracketTheSkinning)
{
    std::vector<std::wstring> events;
    HWND seen = nullptr;
    TSkinTestBed bed([&](TSkinData& data) {
        data.OnBeforeSkinForm = TOnSkinForm([&](ui::TObject*, HWND window, const std::wstring& name) {
            events.push_back(L"before " + name);
            seen = window;
        });
        data.OnAfterSkinForm = TOnSkinForm([&](ui::TObject*, HWND, const std::wstring& name) {
            events.push_back(L"after " + name);
        });
    });
    const auto form = ShowForm(TFormBorderStyle::bsSingle, FormBounds);
    ASSERT_TRUE(bed.WaitSkinned(form->Handle()));
    EXPECT_EQ(events, (std::vector<std::wstring>{L"before TForm", L"after TForm"}));
    EXPECT_EQ(seen, form->Handle());
}

TEST(SkinFormAttach, AMessageDialogIsWidenedForItsCaption)
{
    TSkinTestBed bed;
    bed.HoldBack();
    const std::wstring caption(60, L'W');
    TStandardDialog dialog(GetModuleHandleW(nullptr), WS_POPUP | WS_CAPTION | WS_SYSMENU, caption);
    const HWND child = CreateWindowExW(0, L"STATIC", L"x", WS_CHILD | WS_VISIBLE, 10, 5, 20, 10, dialog.Handle(),
                                       nullptr, nullptr, nullptr);
    const SIZE client = ClientSize(dialog.Handle());
    TWinSkinForm* controller = bed.Skin(dialog.Handle());
    ASSERT_TRUE(controller);
    EXPECT_TRUE(controller->IsMessageDialog);
    EXPECT_EQ(controller->BorderKind, TBorderKind::Dialog);
    const SIZE skinned = WindowSize(dialog.Handle());
    const int naturalWidth = client.cx + controller->LeftWidth + controller->RightWidth;
    ASSERT_GT(skinned.cx, naturalWidth) << "60 letters do not fit in " << naturalWidth << " pixels";
    RECT childRect{};
    GetWindowRect(child, &childRect);
    MapWindowPoints(nullptr, dialog.Handle(), reinterpret_cast<POINT*>(&childRect), 2);
    EXPECT_EQ(childRect.left, 10 + (skinned.cx - naturalWidth) / 2) << "controls moved by half the growth";
}

TEST(SkinFormMessages, QueryIdentifyAndPaintFrameTo)
{
    TSkinTestBed bed;
    const auto form = ShowForm(TFormBorderStyle::bsSizeable, FormBounds);
    const HWND window = form->Handle();
    ASSERT_TRUE(bed.WaitSkinned(window));

    {
        TMessageRecorder onTop(window, {WM_SKINDONE});
        EXPECT_EQ(SendMessageW(window, WM_SKINQUERY, 0, 0), 1);
        Pump();
        EXPECT_TRUE(OkSequence(onTop, {{WM_SKINDONE, Posted | CheckWParam | CheckLParam, 0, SkinMagic}},
                               "WM_SKINQUERY posts WM_SKINDONE"));
    }
    EXPECT_EQ(SendMessageW(window, WM_SKINIDENTIFY, 0, SkinMagic), SkinMagic);
    EXPECT_EQ(SendMessageW(window, WM_SKINIDENTIFY, 0, 0), 1);

    // Painted into a bitmap of the window's size: the frame lands there.
    const SIZE size = WindowSize(window);
    ui::TBitmap target(size.cx, size.cy);
    const HDC dc = target.Canvas()->Handle();
    const RECT all{0, 0, size.cx, size.cy};
    const ui::TBrushHandle sentinel(CreateSolidBrush(RGB(1, 2, 3)));
    FillRect(dc, &all, sentinel.Get());
    EXPECT_EQ(SendMessageW(window, WM_SKINPAINTFRAMETO, reinterpret_cast<WPARAM>(dc), 0), 0)
        << "without the magic value the message is not the engine's";
    EXPECT_EQ(GetPixel(dc, 1, size.cy / 2), RGB(1, 2, 3));
    EXPECT_EQ(SendMessageW(window, WM_SKINPAINTFRAMETO, reinterpret_cast<WPARAM>(dc), SkinMagic), SkinMagic);
    EXPECT_NE(GetPixel(dc, 1, size.cy / 2), RGB(1, 2, 3)) << "the left border was painted";
    EXPECT_EQ(GetPixel(dc, size.cx / 2, size.cy / 2), RGB(1, 2, 3)) << "the client area was not";
    EXPECT_EQ(SendMessageW(window, WM_SKINPAINTFRAMETO, 0, SkinMagic), SkinMagic) << "no DC: nothing painted";
}

TEST(SkinFormMessages, ABareWindowAnswersOnlyTheWindowLevelMessages)
{
    TSkinTestBed bed;
    TBareWindow bare(GetModuleHandleW(nullptr), L"SkinTestBare", WS_OVERLAPPEDWINDOW, FormBounds);
    TWinSkinForm* controller = bed.WaitSkinned(bare.Handle());
    ASSERT_TRUE(controller);
    EXPECT_EQ(controller->Form, nullptr);
    EXPECT_EQ(controller->Owner(), nullptr) << "the manager owns the controller of a bare window";
    EXPECT_TRUE(AnswersSkinQuery(bare.Handle()));
    EXPECT_EQ(SendMessageW(bare.Handle(), WM_SKINIDENTIFY, 0, SkinMagic), 0) << "no framework procedure to answer";
}

TEST(SkinFormMessages, RefreshReskinsAndKeepsTheClientArea)
{
    TSkinTestBed bed;
    bed.HoldBack();
    const auto form = ShowForm(TFormBorderStyle::bsSizeable, FormBounds);
    TMessageRecorder below(form->Handle(), {WM_SKINDONE});
    TWinSkinForm* controller = bed.Skin(form->Handle());
    ASSERT_TRUE(controller);
    below.Clear();
    const SIZE client = ClientSize(form->Handle());
    form->SetColor(0x0000FF);
    form->Perform(WM_SKINREFRESH);
    EXPECT_EQ(controller->SkinState, TSkinState::Running);
    EXPECT_EQ(form->Color(), static_cast<ui::TColor>(bed.Data().Colours.ButtonFace)) << "the skin's colour again";
    EXPECT_EQ(ClientSize(form->Handle()), client);
    EXPECT_EQ(below.Count(WM_SKINDONE), 1);
}
