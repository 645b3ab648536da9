// Forms on real windows: message hooks on a form's WindowProc, border styles
// and icons as window styles, window state, reading order, owned forms and
// the screen's list of forms.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "tests/win/support/WindowTestSupport.h"
#include "ui/controls/ExtCtrls.h"
#include "ui/controls/StdCtrls.h"
#include "ui/core/FormReader.h"
#include "ui/forms/Forms.h"

using namespace ui;

namespace {

// Window styles are 32-bit values; LONG_PTR is 32-bit signed in the 32-bit
// build, where WS_POPUP does not fit it.
DWORD StyleOf(TWinControl& c)
{
    return static_cast<DWORD>(GetWindowLongPtrW(c.Handle(), GWL_STYLE));
}

DWORD ExStyleOf(TWinControl& c)
{
    return static_cast<DWORD>(GetWindowLongPtrW(c.Handle(), GWL_EXSTYLE));
}

// A private message that every hook under test records and passes on.
constexpr UINT WM_PROBE = WM_APP + 7;

class HookedForm : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<TForm>(nullptr);
        form->HandleNeeded();
    }

    std::vector<std::string> Probe()
    {
        seen.clear();
        SendMessageW(form->Handle(), WM_PROBE, 0, 0);
        return seen;
    }

    std::unique_ptr<TForm> form;
    std::vector<std::string> seen;
};

} // namespace

TEST_F(HookedForm, HooksSeeMessagesOutermostFirstAndLeaveInAnyOrder)
{
    std::unique_ptr<TWindowProcHook> a, b, c;
    {
        TWindowProcHook probe(*form, "probe", [](TMessage&) {});
    }
    EXPECT_TRUE(form->WindowProcHooks().empty()) << "a hook leaves no trace";

    a = std::make_unique<TWindowProcHook>(*form, "a", [&](TMessage& m) {
        if (m.Msg == WM_PROBE)
            seen.push_back("a");
        a->CallPrevious(m);
    });
    b = std::make_unique<TWindowProcHook>(*form, "b", [&](TMessage& m) {
        if (m.Msg == WM_PROBE)
            seen.push_back("b");
        b->CallPrevious(m);
    });
    c = std::make_unique<TWindowProcHook>(*form, "c", [&](TMessage& m) {
        if (m.Msg == WM_PROBE)
            seen.push_back("c");
        c->CallPrevious(m);
    });
    EXPECT_EQ(form->WindowProcHooks(), (std::vector<std::string>{"c", "b", "a"}));
    EXPECT_EQ(Probe(), (std::vector<std::string>{"c", "b", "a"}));

    b.reset();  // from the middle: c now calls a
    EXPECT_EQ(Probe(), (std::vector<std::string>{"c", "a"}));
    EXPECT_EQ(form->WindowProcHooks(), (std::vector<std::string>{"c", "a"}));
    a.reset();  // from the bottom
    EXPECT_EQ(Probe(), (std::vector<std::string>{"c"}));
    c.reset();
    EXPECT_TRUE(Probe().empty());
    EXPECT_TRUE(form->WindowProcHooks().empty());

    // The form's own handling is back: a caption change still reaches the window.
    form->SetCaption(L"restored");
    wchar_t text[16] = {};
    GetWindowTextW(form->Handle(), text, 16);
    EXPECT_STREQ(text, L"restored");
}

TEST_F(HookedForm, AHookMayLeaveWhileItHandlesAMessageAndMayOutliveItsForm)
{
    std::unique_ptr<TWindowProcHook> outer, inner;
    inner = std::make_unique<TWindowProcHook>(*form, "inner", [&](TMessage& m) {
        if (m.Msg == WM_PROBE) {
            seen.push_back("inner");
            inner.reset();  // gone in the middle of its own message
        }
        if (inner)
            inner->CallPrevious(m);
    });
    outer = std::make_unique<TWindowProcHook>(*form, "outer", [&](TMessage& m) {
        if (m.Msg == WM_PROBE)
            seen.push_back("outer");
        outer->CallPrevious(m);
    });
    EXPECT_EQ(Probe(), (std::vector<std::string>{"outer", "inner"}));
    EXPECT_EQ(Probe(), (std::vector<std::string>{"outer"}));

    form.reset();
    EXPECT_EQ(outer->Control(), nullptr) << "the hook knows its form is gone";
    outer.reset();  // and going does nothing
}

// Code that copies WindowProc by hand on top of a hook keeps working when the
// hook goes: the hook's place in the copy passes messages through.
TEST_F(HookedForm, AHookUnderAHandMadeReplacementPassesMessagesThroughOnceGone)
{
    std::unique_ptr<TWindowProcHook> hook;
    hook = std::make_unique<TWindowProcHook>(*form, "hook", [&](TMessage& m) {
        if (m.Msg == WM_PROBE)
            seen.push_back("hook");
        hook->CallPrevious(m);
    });
    auto saved = form->WindowProc;
    form->WindowProc = [&](TMessage& m) {
        if (m.Msg == WM_PROBE)
            seen.push_back("by hand");
        saved(m);
    };
    EXPECT_EQ(Probe(), (std::vector<std::string>{"by hand", "hook"}));
    hook.reset();
    EXPECT_EQ(Probe(), (std::vector<std::string>{"by hand"}));
    form->WindowProc = saved;
    EXPECT_TRUE(Probe().empty());
}

TEST(FormStyles, BorderStyleAndIconsBecomeWindowStyles)
{
    constexpr TBorderIcons all = (1u << biSystemMenu) | (1u << biMinimize) | (1u << biMaximize);
    constexpr TBorderIcons help = (1u << biSystemMenu) | (1u << biHelp);
    struct Case {
        TFormBorderStyle border;
        TBorderIcons icons;
        DWORD style;     // bits that must be set
        DWORD noStyle;   // bits that must be clear
        DWORD exStyle;
        DWORD noExStyle;
    };
    const Case cases[] = {
        {TFormBorderStyle::bsSizeable, all, WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX,
         WS_POPUP, 0, WS_EX_TOOLWINDOW | WS_EX_CONTEXTHELP},
        {TFormBorderStyle::bsSingle, 1u << biSystemMenu, WS_CAPTION | WS_SYSMENU, WS_THICKFRAME | WS_MAXIMIZEBOX, 0,
         WS_EX_DLGMODALFRAME},
        {TFormBorderStyle::bsDialog, all, WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_MINIMIZEBOX | WS_MAXIMIZEBOX,
         WS_EX_DLGMODALFRAME, 0},
        {TFormBorderStyle::bsDialog, help, WS_SYSMENU, 0, WS_EX_CONTEXTHELP, 0},
        {TFormBorderStyle::bsToolWindow, all, WS_CAPTION | WS_SYSMENU, WS_THICKFRAME | WS_MAXIMIZEBOX,
         WS_EX_TOOLWINDOW, 0},
        {TFormBorderStyle::bsSizeToolWin, all, WS_CAPTION | WS_THICKFRAME, WS_MINIMIZEBOX, WS_EX_TOOLWINDOW, 0},
        {TFormBorderStyle::bsNone, all, WS_POPUP, WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, 0, WS_EX_TOOLWINDOW},
        {TFormBorderStyle::bsSizeable, 0, WS_CAPTION, WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 0, 0},
    };
    for (const Case& c : cases) {
        TForm form(nullptr);
        form.HandleNeeded();
        form.SetBorderStyle(c.border);  // on an existing window: it is remade
        form.SetBorderIcons(c.icons);
        const std::string what = GetEnumProp(form, "BorderStyle") + " icons " + std::to_string(c.icons);
        EXPECT_EQ(StyleOf(form) & c.style, c.style) << what;
        EXPECT_EQ(StyleOf(form) & c.noStyle, 0u) << what;
        EXPECT_EQ(ExStyleOf(form) & c.exStyle, c.exStyle) << what;
        EXPECT_EQ(ExStyleOf(form) & c.noExStyle, 0u) << what;
        EXPECT_EQ(FindControlOfWindow(form.Handle()), &form) << what;
    }
}

TEST(FormStyles, WindowStateIsAppliedOnShowAndFollowsTheWindow)
{
    RegisterFrameworkClasses();
    TForm form(nullptr);
    ReadComponent("object F: TForm\n  WindowState = wsMaximized\n  Tag = 99\nend\n", form);
    EXPECT_EQ(form.Tag(), 99);
    EXPECT_EQ(form.WindowState(), TWindowState::wsMaximized) << "kept while hidden";
    form.Show();
    EXPECT_TRUE(IsZoomed(form.Handle()));

    form.SetWindowState(TWindowState::wsNormal);
    EXPECT_FALSE(IsZoomed(form.Handle()));
    EXPECT_EQ(form.WindowState(), TWindowState::wsNormal);

    ShowWindow(form.Handle(), SW_MINIMIZE);  // as the user would
    EXPECT_EQ(form.WindowState(), TWindowState::wsMinimized);
    ShowWindow(form.Handle(), SW_MAXIMIZE);
    EXPECT_EQ(form.WindowState(), TWindowState::wsMaximized);

    form.Hide();
    EXPECT_EQ(form.WindowState(), TWindowState::wsMaximized) << "hidden, the form remembers";
    form.SetWindowState(TWindowState::wsNormal);
    form.Show();
    EXPECT_FALSE(IsZoomed(form.Handle())) << "shown in the state set while hidden";
    EXPECT_TRUE(IsWindowVisible(form.Handle()));
}

TEST(FormStyles, RightToLeftReadingIsInTheExtendedStylesOfTheFormAndItsControls)
{
    constexpr DWORD rtl = WS_EX_RTLREADING | WS_EX_RIGHT | WS_EX_LEFTSCROLLBAR;
    TForm form(nullptr);
    auto* edit = new TEdit(&form);
    edit->SetParent(&form);
    auto* own = new TEdit(&form);
    own->SetParent(&form);
    own->SetBiDiMode(TBiDiMode::bdLeftToRight);  // set: no longer follows
    form.SetBiDiMode(TBiDiMode::bdRightToLeft);
    EXPECT_EQ(ExStyleOf(form) & rtl, rtl);
    EXPECT_EQ(ExStyleOf(*edit) & rtl, rtl) << "a control follows its form";
    EXPECT_EQ(ExStyleOf(*own) & rtl, 0u);
    EXPECT_EQ(ExStyleOf(form) & WS_EX_LAYOUTRTL, 0u) << "the layout is not mirrored";

    form.SetBiDiMode(TBiDiMode::bdLeftToRight);  // on existing windows: they are remade
    EXPECT_EQ(ExStyleOf(form) & rtl, 0);
    EXPECT_EQ(ExStyleOf(*edit) & rtl, 0);
    EXPECT_EQ(FindControlOfWindow(edit->Handle()), edit);
    form.SetBiDiMode(TBiDiMode::bdRightToLeftReadingOnly);
    EXPECT_EQ(ExStyleOf(*edit) & rtl, WS_EX_RTLREADING);
}

TEST(FormStyles, AChildWithParentColorTakesTheFormsNewColour)
{
    TForm form(nullptr);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetParentColor(true);
    auto* edit = new TEdit(panel);
    edit->SetParent(panel);
    edit->SetParentColor(true);
    form.SetColor(0x808000);
    EXPECT_EQ(panel->Color(), 0x808000);
    EXPECT_EQ(edit->Color(), 0x808000) << "all the way down";
    EXPECT_TRUE(panel->ParentColor());
}

TEST(Screen, FormsAreListedInCreationOrderUntilTheyGo)
{
    const int before = Screen()->FormCount();
    auto* first = new TForm(nullptr);
    auto* owned = new TForm(first);
    auto* last = new TForm(nullptr);
    ASSERT_EQ(Screen()->FormCount(), before + 3);
    EXPECT_EQ(Screen()->Forms(before), first);
    EXPECT_EQ(Screen()->Forms(before + 1), owned);
    EXPECT_EQ(Screen()->Forms(before + 2), last);

    owned->HandleNeeded();
    EXPECT_EQ(GetWindow(owned->Handle(), GW_OWNER), first->Handle()) << "an owned form's window is owned too";
    EXPECT_EQ(GetWindow(last->Handle(), GW_OWNER), nullptr);

    delete first;  // takes the form it owns along
    ASSERT_EQ(Screen()->FormCount(), before + 1);
    EXPECT_EQ(Screen()->Forms(before), last);

    last->Release();
    ASSERT_TRUE(tests::PumpUntil([&] { return Screen()->FormCount() == before; }));
}
