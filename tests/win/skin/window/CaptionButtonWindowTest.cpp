// Caption buttons of real skinned windows under real mouse input (the X
// server's pointer, not posted messages): hovering turns a button hot,
// pressing shows it pressed, releasing performs its action, moving off
// before the release cancels; a window shows only the buttons its border
// icons allow; a double click on the title maximises and restores; a right
// click on the title and a click on the icon open the skinned system menu,
// whose commands work.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "app/Startup.h"
#include "app/Unit_main.h"
#include "skin/window/CaptionButtons.h"
#include "skin/window/SkinMessages.h"
#include "skin/window/SystemMenu.h"
#include "skin/window/WinSkinForm.h"
#include "tests/win/support/FrameOnScreen.h"
#include "tests/win/support/MessageRecorder.h"
#include "tests/win/support/SkinTestSupport.h"
#include "tests/win/support/TestSkins.h"
#include "tests/win/support/WindowTestSupport.h"
#include "tests/win/support/XInput.h"
#include "ui/controls/Menus.h"
#include "ui/forms/Forms.h"

using namespace skin;
using namespace tests;
using ui::TFormBorderStyle;

namespace {

constexpr RECT FormBounds{100, 100, 460, 340};

int StateOf(const TWinSysButton& button)
{
    return button.State;
}

constexpr ui::TBorderIcons DefaultIcons = (1u << ui::biSystemMenu) | (1u << ui::biMinimize) | (1u << ui::biMaximize);
constexpr int Normal = static_cast<int>(TNCState::Normal);
constexpr int Pressed = static_cast<int>(TNCState::Pressed);
constexpr int Hot = static_cast<int>(TNCState::Hot);

POINT OnScreen(HWND window, const RECT& inWindow)
{
    RECT r{};
    GetWindowRect(window, &r);
    return {r.left + (inWindow.left + inWindow.right) / 2, r.top + (inWindow.top + inWindow.bottom) / 2};
}

// A skinned form and the pointer; skips the test without an X pointer.
class CaptionButtonsUnderTheMouse : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!pointer.Available())
            GTEST_SKIP() << "no X pointer";
        // Away from where the test's window goes, so no button starts hot.
        pointer.MoveTo({FormBounds.right + 200, FormBounds.bottom + 200});
    }
    // A form of that border style and icons, shown and skinned.
    TWinSkinForm* Open(TFormBorderStyle style, ui::TBorderIcons icons = DefaultIcons)
    {
        form = std::make_unique<ui::TForm>(nullptr);
        form->SetBorderStyle(style);
        form->SetBorderIcons(icons);
        form->SetPosition(ui::TPosition::poDesigned);
        form->SetBounds(FormBounds.left, FormBounds.top, FormBounds.right - FormBounds.left,
                        FormBounds.bottom - FormBounds.top);
        form->SetCaption(L"Caption buttons");
        form->Show();
        SetForegroundWindow(form->Handle());
        controller = bed.WaitSkinned(form->Handle());
        return controller;
    }
    // Waits until the button shows `frame` of its picture on the screen.
    std::string AwaitButton(const TWinSysButton& button, int frame)
    {
        std::string differences;
        PumpUntil([&] {
            const TExpectedFrame expected(*controller, controller->Active);
            differences = ButtonDifferences(*CaptureWindow(form->Handle()), expected, button, frame);
            return differences.empty();
        });
        return differences;
    }
    // The title's middle, away from the text and the buttons.
    POINT EmptyTitle() const
    {
        RECT r{};
        GetWindowRect(form->Handle(), &r);
        return {r.left + (controller->TitleTextRect.right + r.right - r.left - 100) / 2,
                r.top + controller->TitleHeight / 2};
    }

    TXInput& pointer = TXInput::Instance();
    TSkinTestBed bed;
    std::unique_ptr<ui::TForm> form;
    TWinSkinForm* controller = nullptr;
};

constexpr ui::TBorderIcons Icons(std::initializer_list<ui::TBorderIcon> icons)
{
    ui::TBorderIcons set = 0;
    for (const ui::TBorderIcon icon : icons)
        set |= 1u << icon;
    return set;
}

} // namespace

TEST_F(CaptionButtonsUnderTheMouse, HoverPressAndReleaseClose)
{
    ASSERT_TRUE(Open(TFormBorderStyle::bsSizeable));
    const HWND window = form->Handle();
    TWinSysButton* close = ButtonWithAction(*controller, 0);
    ASSERT_TRUE(close && close->Visible);
    TMessageRecorder recorder(window, {WM_NCLBUTTONDOWN, WM_NCLBUTTONUP, WM_SYSCOMMAND, WM_CLOSE});

    ASSERT_TRUE(pointer.MoveTo(OnScreen(window, close->Bounds)));
    ASSERT_TRUE(PumpUntil([&] { return StateOf(*close) == Hot; }));
    EXPECT_EQ(controller->HotObject, close);
    EXPECT_EQ(AwaitButton(*close, static_cast<int>(TCaptionFrame::Hot)), "") << "hot";

    pointer.Press();
    ASSERT_TRUE(PumpUntil([&] { return StateOf(*close) == Pressed; }));
    EXPECT_EQ(AwaitButton(*close, static_cast<int>(TCaptionFrame::Pressed)), "") << "pressed";
    EXPECT_TRUE(IsWindowVisible(window)) << "nothing happens before the release";

    pointer.Release();
    ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(window); })) << "the release closes the window";
    EXPECT_TRUE(OkSequence(recorder,
                           {
                               {WM_NCLBUTTONDOWN, Posted | CheckWParam, HTCAPTION},
                               {WM_NCLBUTTONUP, Posted | CheckWParam, HTCAPTION},
                               {WM_SYSCOMMAND, Posted | CheckWParam, SC_CLOSE},
                               {WM_CLOSE, Sent},
                           },
                           "hover, press and release on the close button"));
}

TEST_F(CaptionButtonsUnderTheMouse, MovingOffBeforeTheReleaseCancels)
{
    ASSERT_TRUE(Open(TFormBorderStyle::bsSizeable));
    const HWND window = form->Handle();
    TWinSysButton* close = ButtonWithAction(*controller, 0);
    ASSERT_TRUE(close && close->Visible);
    ASSERT_TRUE(pointer.MoveTo(OnScreen(window, close->Bounds)));
    ASSERT_TRUE(PumpUntil([&] { return StateOf(*close) == Hot; }));
    pointer.Press();
    ASSERT_TRUE(PumpUntil([&] { return StateOf(*close) == Pressed; }));

    // Off the button, onto the empty title: the button lets go.
    ASSERT_TRUE(pointer.MoveTo(EmptyTitle()));
    ASSERT_TRUE(PumpUntil([&] { return StateOf(*close) == Normal; }));
    EXPECT_EQ(controller->HotObject, nullptr);
    EXPECT_EQ(AwaitButton(*close, static_cast<int>(TCaptionFrame::Normal)), "");
    pointer.Release();
    Pump();

    // Back onto the button and released there: it was not pressed there.
    ASSERT_TRUE(pointer.MoveTo(OnScreen(window, close->Bounds)));
    ASSERT_TRUE(PumpUntil([&] { return StateOf(*close) == Hot; }));
    TMessageRecorder recorder(window, {WM_NCLBUTTONUP, WM_SYSCOMMAND, WM_CLOSE});
    pointer.Release();
    PumpUntil([&] { return recorder.Count(WM_NCLBUTTONUP) > 0; }, 1s);
    Pump();
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(recorder.Count(WM_SYSCOMMAND) + recorder.Count(WM_CLOSE), 0);
}

TEST_F(CaptionButtonsUnderTheMouse, MaximiseRestoreAndMinimiseKeepTheClientArea)
{
    ASSERT_TRUE(Open(TFormBorderStyle::bsSizeable));
    const HWND window = form->Handle();
    const SIZE client = ClientSize(window);
    const auto click = [&](int action) {
        TWinSysButton* button = ButtonWithAction(*controller, action);
        ASSERT_TRUE(button && button->Visible) << "action " << action;
        ASSERT_TRUE(pointer.MoveTo(OnScreen(window, button->Bounds)));
        ASSERT_TRUE(PumpUntil([&] { return StateOf(*button) == Hot; }));
        pointer.Click();
    };

    click(1);
    ASSERT_TRUE(PumpUntil([&] { return IsZoomed(window) != FALSE; })) << "maximise";
    EXPECT_EQ(controller->WindowState, TSkinWindowState::Maximized);
    // The maximise button gave way to the restore button at the same place.
    ASSERT_TRUE(PumpUntil([&] { return ButtonWithAction(*controller, 1)->Visible; }));
    EXPECT_EQ(ButtonWithAction(*controller, 1)->Record->Visibility, 1) << "the restore picture";

    click(1);
    ASSERT_TRUE(PumpUntil([&] { return !IsZoomed(window); })) << "restore";
    EXPECT_EQ(controller->WindowState, TSkinWindowState::Normal);
    EXPECT_EQ(ClientSize(window), client);

    click(2);
    ASSERT_TRUE(PumpUntil([&] { return IsIconic(window) != FALSE; })) << "minimise";
    EXPECT_EQ(controller->WindowState, TSkinWindowState::Minimized);
    ShowWindow(window, SW_RESTORE);
    ASSERT_TRUE(PumpUntil([&] { return !IsIconic(window); }));
    EXPECT_EQ(ClientSize(window), client);
}

TEST_F(CaptionButtonsUnderTheMouse, OnlyTheButtonsTheBorderIconsAllowShow)
{
    const struct {
        ui::TBorderIcons Icons;
        bool Close, Maximise, Minimise;
    } cases[] = {
        {Icons({ui::biSystemMenu}), true, false, false},  // as the main window
        {Icons({ui::biSystemMenu, ui::biMinimize, ui::biMaximize}), true, true, true},
        {Icons({ui::biMinimize, ui::biMaximize}), false, false, false},  // no boxes without a system menu
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Icons);
        ASSERT_TRUE(Open(TFormBorderStyle::bsSingle, c.Icons));
        EXPECT_EQ(ButtonWithAction(*controller, 0)->Visible, c.Close);
        EXPECT_EQ(ButtonWithAction(*controller, 1)->Visible, c.Maximise);
        EXPECT_EQ(ButtonWithAction(*controller, 2)->Visible, c.Minimise);
        // The screen shows the title where a hidden button would be.
        const TExpectedFrame expected(*controller, true);
        std::string differences;
        PumpUntil([&] {
            differences = FrameDifferences(*CaptureWindow(form->Handle()), *controller, expected,
                                           [](const TWinSysButton& b) {
                                               return static_cast<int>(TitleBarFrame(*b.Record, true, b.Enabled));
                                           });
            return differences.empty();
        });
        EXPECT_EQ(differences, "");
        form.reset();
    }
}

// The program's main window itself, with its stored border icons (the system
// menu only) and its own skin data: of the caption buttons only close and
// the window icon show, and the screen shows the title where the others
// would be.
TEST(CaptionButtonsOfTheMainWindow, OnlyCloseAndTheIconShow)
{
    app::RegisterAppClasses();
    app::TForm_main form(nullptr);
    form.Show();
    SetForegroundWindow(form.Handle());
    TWinSkinForm* controller = nullptr;
    ASSERT_TRUE(PumpUntil([&] {
        controller = GlobalSkinManage()->FindController(form.Handle());
        return controller && controller->SkinState == TSkinState::Running;
    }));
    std::vector<int> shown;
    for (const auto& button : controller->CaptionButtons)
        if (button->Visible)
            shown.push_back(button->Record->Action);
    EXPECT_EQ(shown, (std::vector<int>{0, 3})) << "close and the window icon";
    const TExpectedFrame expected(*controller, true);
    std::string differences;
    PumpUntil([&] {
        differences = FrameDifferences(*CaptureWindow(form.Handle()), *controller, expected,
                                       [](const TWinSysButton& b) {
                                           return static_cast<int>(TitleBarFrame(*b.Record, true, b.Enabled));
                                       });
        return differences.empty();
    });
    EXPECT_EQ(differences, "");
}

TEST_F(CaptionButtonsUnderTheMouse, AMaximiseButtonWithoutItsBoxShowsDisabledAndIgnoresClicks)
{
    ASSERT_TRUE(Open(TFormBorderStyle::bsSingle, Icons({ui::biSystemMenu, ui::biMinimize})));
    const HWND window = form->Handle();
    TWinSysButton* maximise = ButtonWithAction(*controller, 1);
    ASSERT_TRUE(maximise && maximise->Visible) << "shown: the window has a minimise box";
    EXPECT_FALSE(maximise->Enabled);
    EXPECT_EQ(AwaitButton(*maximise, static_cast<int>(TCaptionFrame::Disabled)), "");
    ASSERT_TRUE(pointer.MoveTo(OnScreen(window, maximise->Bounds)));
    ASSERT_TRUE(PumpUntil([&] { return StateOf(*maximise) == Hot; }));
    EXPECT_EQ(AwaitButton(*maximise, static_cast<int>(TCaptionFrame::Disabled)), "") << "no hot look";
    pointer.Click();
    PumpUntil([] { return false; }, 300ms);
    EXPECT_FALSE(IsZoomed(window));
}

TEST_F(CaptionButtonsUnderTheMouse, ADoubleClickOnTheTitleMaximisesAndRestores)
{
    ASSERT_TRUE(Open(TFormBorderStyle::bsSizeable));
    const HWND window = form->Handle();
    const SIZE client = ClientSize(window);
    TMessageRecorder recorder(window, {WM_NCLBUTTONDOWN, WM_NCLBUTTONDBLCLK, WM_SYSCOMMAND});
    const DWORD gui = GetCurrentThreadId();
    // The first press starts the system's move loop: the clicks come from a
    // second thread, each release once that loop runs.
    const auto doubleClick = [&](POINT at, bool moveLoop) {
        ASSERT_TRUE(pointer.MoveTo(at));
        std::thread clicks([&] {
            for (int i = 0; i < 2; ++i) {
                pointer.Press();
                if (i == 0 && moveLoop)
                    WaitForGuiState(gui, GUI_INMOVESIZE);
                pointer.Release();
                if (moveLoop)
                    WaitForGuiState(gui, GUI_INMOVESIZE, false);
            }
        });
        PumpUntil([&] { return recorder.Count(WM_NCLBUTTONDBLCLK) > 0; });
        clicks.join();
    };
    doubleClick(EmptyTitle(), true);
    ASSERT_TRUE(PumpUntil([&] { return IsZoomed(window) != FALSE; }));
    EXPECT_TRUE(OkSequence(recorder,
                           {
                               {WM_NCLBUTTONDOWN, Posted | CheckWParam, HTCAPTION},
                               {WM_SYSCOMMAND, Sent | CheckWParam, SC_MOVE | HTCAPTION},
                               {WM_NCLBUTTONDBLCLK, Posted | CheckWParam, HTCAPTION},
                               {WM_SYSCOMMAND, Posted | CheckWParam, SC_MAXIMIZE},
                           },
                           "a double click on the title"));
    recorder.Clear();
    // On a maximised window the title does not move the window: the press
    // goes on as a press on the menu, which has nothing to track.
    doubleClick(EmptyTitle(), false);
    ASSERT_TRUE(PumpUntil([&] { return !IsZoomed(window); }));
    EXPECT_EQ(ClientSize(window), client);
}

// ---- The skinned system menu ----

namespace {

// Clicks the item of identifier `id` in the open popup menu; false when
// there is none. Runs on a second thread while the menu's loop runs on the
// first.
bool PickMenuItem(TXInput& input, UINT id)
{
    const HWND window = OpenMenuWindow();
    const auto menu = reinterpret_cast<HMENU>(window ? SendMessageW(window, MN_GETHMENU, 0, 0) : 0);
    for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
        RECT item{};
            if (GetMenuItemID(menu, i) != id || !GetMenuItemRect(nullptr, menu, static_cast<UINT>(i), &item))
            continue;
        input.MoveTo({(item.left + item.right) / 2, (item.top + item.bottom) / 2});
        input.Click();
        return true;
    }
    return false;
}

} // namespace

class SkinnedSystemMenu : public CaptionButtonsUnderTheMouse {
protected:
    // Opens the system menu with `open` (a click the test's thread handles:
    // the menu's loop runs inside it) and chooses `command` from it.
    bool OpenAndChoose(const std::function<void()>& open, UINT command)
    {
        // Openings closer than the double-click time count as one.
        PumpUntil([] { return false; }, std::chrono::milliseconds(GetDoubleClickTime() + 50));
        const DWORD gui = GetCurrentThreadId();
        std::atomic<bool> done{false}, picked{false};
        std::thread input([&] {
            open();
            // The skinned items carry their system command as Tag.
            if (WaitForGuiState(gui, GUI_INMENUMODE))
                if (const ui::TMenuItem* item = ItemOf(command))
                    picked = PickMenuItem(pointer, item->Command());
            WaitForGuiState(gui, GUI_INMENUMODE, false);
            done = true;
        });
        PumpUntil([&] { return done.load(); }, 10s);
        input.join();
        return picked;
    }
    ui::TPopupMenu& Popup() const { return *dynamic_cast<ui::TPopupMenu*>(controller->SystemMenuPopup); }
    ui::TMenuItem* ItemOf(UINT command) const
    {
        for (int i = 0; i < Popup().Items()->Count(); ++i)
            if (Popup().Items()->Items(i)->Tag() == static_cast<int>(command))
                return Popup().Items()->Items(i);
        return nullptr;
    }
    void RightClickTitle()
    {
        pointer.MoveTo(EmptyTitle());
        pointer.Click(3);
    }
};

TEST_F(SkinnedSystemMenu, ARightClickOnTheTitleOpensItAndItsCommandsWork)
{
    ASSERT_TRUE(Open(TFormBorderStyle::bsSizeable));
    const HWND window = form->Handle();
    ASSERT_TRUE(OpenAndChoose([&] { RightClickTitle(); }, SC_MAXIMIZE));
    ASSERT_TRUE(PumpUntil([&] { return IsZoomed(window) != FALSE; }));

    // The menu is the window's system menu, skinned.
    EXPECT_EQ(Popup().Tag(), SystemMenuTag);
    EXPECT_TRUE(Popup().OwnerDraw());
    EXPECT_EQ(Popup().Images(), &bed.Data().MenuGlyphs);
    EXPECT_EQ(Popup().Items()->Count(), GetMenuItemCount(GetSystemMenu(window, FALSE)));
    const struct {
        UINT Command;
        int Image;
        bool Enabled;  // as the menu opened on the normal window
    } items[] = {
        {SC_RESTORE, mgRestore, false},  {SC_MOVE, -1, true},   {SC_SIZE, -1, true},
        {SC_MINIMIZE, mgMinimize, true}, {SC_MAXIMIZE, mgMaximize, true}, {SC_CLOSE, mgClose, true},
    };
    for (const auto& item : items) {
        const ui::TMenuItem* made = ItemOf(item.Command);
        ASSERT_TRUE(made) << std::hex << item.Command;
        EXPECT_EQ(made->ImageIndex(), item.Image) << std::hex << item.Command;
        EXPECT_EQ(made->Enabled(), item.Enabled) << std::hex << item.Command;
    }

    // Opened on the maximised window: restoring is possible, sizing is not.
    ASSERT_TRUE(OpenAndChoose([&] { RightClickTitle(); }, SC_RESTORE));
    ASSERT_TRUE(PumpUntil([&] { return !IsZoomed(window); }));
    EXPECT_TRUE(ItemOf(SC_RESTORE)->Enabled());
    EXPECT_FALSE(ItemOf(SC_SIZE)->Enabled());
    EXPECT_FALSE(ItemOf(SC_MAXIMIZE)->Enabled());

    ASSERT_TRUE(OpenAndChoose([&] { RightClickTitle(); }, SC_CLOSE));
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(window); }));
}

TEST_F(SkinnedSystemMenu, AClickOnTheIconOpensIt)
{
    ASSERT_TRUE(Open(TFormBorderStyle::bsSizeable));
    const HWND window = form->Handle();
    const TWinSysButton* icon = ButtonWithAction(*controller, 3);
    ASSERT_TRUE(icon && icon->Visible);
    ASSERT_TRUE(OpenAndChoose(
        [&] {
            pointer.MoveTo(OnScreen(window, icon->Bounds));
            pointer.Click();
        },
        SC_MINIMIZE));
    EXPECT_TRUE(PumpUntil([&] { return IsIconic(window) != FALSE; }));
}

TEST_F(SkinnedSystemMenu, TwoRightClicksWithinTheDoubleClickTimeOpenItOnce)
{
    ASSERT_TRUE(Open(TFormBorderStyle::bsSizeable));
    const HWND window = form->Handle();
    TMessageRecorder recorder(window, {WM_INITMENUPOPUP});
    const DWORD gui = GetCurrentThreadId();
    std::atomic<bool> done{false};
    std::thread input([&] {
        RightClickTitle();
        if (WaitForGuiState(gui, GUI_INMENUMODE)) {
            pointer.Key("Escape");
            WaitForGuiState(gui, GUI_INMENUMODE, false);
            pointer.Click(3);
        }
        done = true;
    });
    PumpUntil([&] { return done.load(); }, 10s);
    input.join();
    PumpUntil([] { return false; }, 300ms);
    EXPECT_EQ(recorder.Count(WM_INITMENUPOPUP), 1);
    EXPECT_TRUE(IsWindowVisible(window)) << "a second click from the caption closes nothing";
}

TEST_F(SkinnedSystemMenu, ADoubleClickOnTheIconClosesTheWindow)
{
    ASSERT_TRUE(Open(TFormBorderStyle::bsSizeable));
    const HWND window = form->Handle();
    const TWinSysButton* icon = ButtonWithAction(*controller, 3);
    ASSERT_TRUE(icon && icon->Visible);
    ASSERT_TRUE(pointer.MoveTo(OnScreen(window, icon->Bounds)));
    const DWORD gui = GetCurrentThreadId();
    std::thread input([&] {
        pointer.Click();
        // The first click's release opens the menu; the second click ends it.
        if (WaitForGuiState(gui, GUI_INMENUMODE))
            pointer.Click();
    });
    const bool closed = PumpUntil([&] { return !IsWindowVisible(window); }, 10s);
    input.join();
    EXPECT_TRUE(closed);
}

TEST_F(SkinnedSystemMenu, SystemCommandsAsMenuCommandsArePostedAgain)
{
    ASSERT_TRUE(Open(TFormBorderStyle::bsSizeable));
    const HWND window = form->Handle();
    TMessageRecorder recorder(window, {WM_SYSCOMMAND});
    SendMessageW(window, WM_COMMAND, SC_MAXIMIZE, 0);
    ASSERT_TRUE(PumpUntil([&] { return IsZoomed(window) != FALSE; }));
    SendMessageW(window, WM_COMMAND, 1234, 0);  // the window's own command
    Pump();
    EXPECT_TRUE(OkSequence(recorder, {{WM_SYSCOMMAND, Posted | CheckWParam, SC_MAXIMIZE}},
                           "system commands through WM_COMMAND"));
}

// ---- Buttons of the skin's own ----

namespace {

// The window's own procedure, under the skin: answers whether a button of a
// window-defined visibility code shows, and notes the window-defined actions.
class TButtonQuestions {
public:
    explicit TButtonQuestions(HWND window)
    {
        current = this;
        previous_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure)));
    }
    ~TButtonQuestions() { current = nullptr; }
    TButtonQuestions(const TButtonQuestions&) = delete;
    TButtonQuestions& operator=(const TButtonQuestions&) = delete;

    bool Shows = true;
    std::vector<std::pair<WPARAM, LPARAM>> Asked;
    std::vector<WPARAM> Actions;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        TButtonQuestions* self = current;
        if (msg == WM_SKINBUTTONVISIBLE) {
            self->Asked.emplace_back(wParam, lParam);
            return self->Shows ? 1 : 0;
        }
        if (msg == WM_SKINBUTTONACTION)
            self->Actions.push_back(wParam);
        return CallWindowProcW(self->previous_, window, msg, wParam, lParam);
    }
    static inline TButtonQuestions* current = nullptr;
    WNDPROC previous_;
};

} // namespace

TEST(CaptionButtonsOfTheSkin, AButtonOfTheSkinsOwnAsksTheWindowWhetherToShowAndWhatToDo)
{
    TXInput& pointer = TXInput::Instance();
    if (!pointer.Available())
        GTEST_SKIP() << "no X pointer";
    pointer.MoveTo({FormBounds.right + 200, FormBounds.bottom + 200});
    // Plain blue borders and one button of action 30 with visibility 1500,
    // three frames: red, green, yellow.
    TTestSkin skin;
    skin.Ini = "[Personality]\nLeft=side.bmp\nRight=side.bmp\nTop=edge.bmp\nBottom=edge.bmp\n"
               "[Button0]\nAction=30\nAlign=1\nXcoord=30\nYcoord=2\nVisibility=1500\nVisibility1=0\n"
               "ButtonImage=custom.bmp\nframe=3\n";
    const ui::TColor blue = 0xC00000, red = 0x0000FF, green = 0x00FF00, yellow = 0x00FFFF;
    skin.Pictures = {{"side.bmp", Solid(4, 20, blue)},
                     {"edge.bmp", Solid(20, 24, blue)},
                     {"custom.bmp", StripBytes(16, 16, {red, green, yellow})}};
    const TSkinTestBed bed([&](TSkinData& data) {
        data.SetSkinPackage(skin.Package());
        data.LoadSkin();
    });
    bed.HoldBack();
    const auto form = ShowForm(TFormBorderStyle::bsSizeable, FormBounds);
    const HWND window = form->Handle();
    TButtonQuestions questions(window);
    TWinSkinForm* controller = bed.Skin(window);
    ASSERT_TRUE(controller);
    TWinSysButton* button = ButtonWithAction(*controller, 30);
    ASSERT_TRUE(button);
    ASSERT_TRUE(PumpUntil([&] { return button->Visible; }));
    ASSERT_FALSE(questions.Asked.empty());
    EXPECT_EQ(questions.Asked.back(), (std::pair<WPARAM, LPARAM>{1500, 30}));
    RECT r{};
    GetWindowRect(window, &r);
    EXPECT_EQ(button->Bounds.left, r.right - r.left - 30);

    // Hot under the mouse (its third frame), and a click asks the window.
    ASSERT_TRUE(pointer.MoveTo(OnScreen(window, button->Bounds)));
    ASSERT_TRUE(PumpUntil([&] { return StateOf(*button) == Hot; }));
    const POINT centre{(button->Bounds.left + button->Bounds.right) / 2, (button->Bounds.top + button->Bounds.bottom) / 2};
    ASSERT_TRUE(PumpUntil([&] { return At(*CaptureWindow(window), centre.x, centre.y) == Rgb(255, 255, 0); }));
    pointer.Click();
    ASSERT_TRUE(PumpUntil([&] { return !questions.Actions.empty(); }));
    EXPECT_EQ(questions.Actions, std::vector<WPARAM>{30});

    // A window that says no hides the button.
    questions.Shows = false;
    SendMessageW(window, WM_SKINREPAINTFRAME, 0, 0);
    EXPECT_FALSE(button->Visible);
}
