// The skinned menu bar and the skinned popup menus on real windows under real
// input (the X server's pointer and keyboard): presses open drop-downs,
// moving to another button switches them, items run, clicks outside close;
// F10, Alt+letter, the arrows, Esc and Enter; shortcuts run their items
// without a menu. The bar and the menus are read back from the screen and
// compared with the skin's pictures. The drop-downs' hook lives only while
// one is open, a window closed under an open menu leaves nothing behind, and
// the skin switched off gives the window its own menu back. A tool bar
// showing a main menu opens, switches and closes its drop-downs in the same
// way, and the skin draws their items.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <thread>
#include <vector>

#include "skin/data/WinSkinData.h"
#include "skin/draw/SkinDraw.h"
#include "skin/window/SkinMenuBar.h"
#include "tests/win/support/FrameOnScreen.h"
#include "tests/win/support/SkinTestSupport.h"
#include "tests/win/support/TestSkins.h"
#include "tests/win/support/WindowTestSupport.h"
#include "tests/win/support/XInput.h"
#include "ui/controls/ExtCtrls.h"
#include "ui/controls/Menus.h"
#include "ui/controls/StdCtrls.h"
#include "ui/controls/ToolBar.h"
#include "ui/forms/Forms.h"

using namespace skin;
using namespace tests;
using namespace ui;

namespace {

constexpr RECT FormBounds{100, 100, 500, 360};

// Waits on a helper thread (no messages to handle there).
bool Await(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 5s)
{
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        Sleep(20);
    }
    return true;
}

// The menu the open popup window shows, or null.
HMENU OpenMenu()
{
    const HWND window = OpenMenuWindow();
    return window ? reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0)) : nullptr;
}

bool AwaitOpen(HMENU menu)
{
    return Await([menu] { return OpenMenu() == menu; });
}

bool AwaitClosed()
{
    return Await([] { return OpenMenuWindow() == nullptr; });
}

POINT Middle(const RECT& r)
{
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// An item of the open menu on the screen.
RECT ItemOnScreen(HMENU menu, int position)
{
    RECT r{};
    GetMenuItemRect(nullptr, menu, static_cast<UINT>(position), &r);
    return r;
}

bool Selected(HMENU menu, int position)
{
    return (GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION) & MF_HILITE) != 0;
}

// A skinned form with a menu bar of three drop-downs and a button in its
// client area; counts what runs.
class SkinnedMenuBar : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!input.Available())
            GTEST_SKIP() << "no X pointer";
        input.MoveTo({FormBounds.right + 200, FormBounds.bottom + 200});
    }
    void TearDown() override { delete form; }

    TMenuItem* Item(TMenuItem* parent, const std::wstring& caption)
    {
        auto* item = new TMenuItem(form);
        item->SetCaption(caption);
        item->OnClick = TNotifyEvent([this, item](TObject*) { ++ran[item]; });
        parent->Add(item);
        return item;
    }
    // Where the menu shows: the form's menu bar, a tool bar's buttons, or
    // nowhere until the test assigns it.
    enum class TShownOn { MenuBar, ToolBar, Nowhere };
    // beforeShow: what the test adds to the form before it is shown and skinned.
    TWinSkinForm* Open(TBiDiMode mode = TBiDiMode::bdLeftToRight, TShownOn shownOn = TShownOn::MenuBar,
                       const std::function<void()>& beforeShow = {})
    {
        form = new TForm(nullptr);
        form->SetPosition(TPosition::poDesigned);
        form->SetBounds(FormBounds.left, FormBounds.top, FormBounds.right - FormBounds.left,
                        FormBounds.bottom - FormBounds.top);
        form->SetCaption(L"Menus");
        form->SetBiDiMode(mode);
        menu = new TMainMenu(form);
        menu->SetImages(&bed.Data().MenuGlyphs);
        file = Item(menu->Items(), L"&File");
        newItem = Item(file, L"&New");
        newItem->SetShortCut(ShortCut('N', scCtrl));
        newItem->SetImageIndex(0);
        disabled = Item(file, L"&Print");
        disabled->SetEnabled(false);
        separator = Item(file, L"-");
        checked = Item(file, L"&Ruler");
        checked->SetChecked(true);
        more = Item(file, L"&More");
        nested = Item(more, L"Ne&sted");
        edit = Item(menu->Items(), L"&Edit");
        undo = Item(edit, L"&Undo");
        help = Item(menu->Items(), L"&Help");
        about = Item(help, L"&About");
        if (shownOn == TShownOn::MenuBar) {
            form->SetMenu(menu);
        } else if (shownOn == TShownOn::ToolBar) {
            toolBar = new TToolBar(form);
            toolBar->SetParent(form);
            toolBar->SetMenu(menu);
        }
        button = new TButton(form);
        button->SetParent(form);
        button->SetBounds(20, 120, 100, 30);
        button->SetCaption(L"Button");
        button->OnClick = TNotifyEvent([this](TObject*) { ++buttonClicks; });
        context = new TPopupMenu(form);
        copy = Item(context->Items(), L"&Copy");
        Item(context->Items(), L"-");
        Item(context->Items(), L"&Paste")->SetEnabled(false);
        button->SetPopupMenu(context);
        if (beforeShow)
            beforeShow();
        form->Show();
        SetForegroundWindow(form->Handle());
        controller = bed.WaitSkinned(form->Handle());
        if (controller && shownOn == TShownOn::MenuBar)
            AwaitBarLaidOut();
        return controller;
    }
    // The bar lays its buttons out when it is painted.
    bool AwaitBarLaidOut()
    {
        return PumpUntil([&] { return controller->MenuBar && !IsRectEmpty(&Bar().Buttons[0]->Bounds); });
    }
    TSkinMenuBar& Bar() const { return static_cast<TSkinMenuBar&>(*controller->MenuBar); }
    // A bar button on the screen.
    POINT ButtonOnScreen(int index) const
    {
        RECT r{};
        GetWindowRect(form->Handle(), &r);
        const POINT middle = Middle(Bar().Buttons[static_cast<size_t>(index)]->Bounds);
        return {r.left + middle.x, r.top + middle.y};
    }
    // A button of the tool bar showing the menu, on the screen.
    POINT ToolButtonOnScreen(int index) const
    {
        RECT r = toolBar->Buttons(index)->BoundsRect();
        MapWindowPoints(toolBar->Handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
        return Middle(r);
    }
    // Opens a drop-down by a press on its button, presses that button again
    // (which must close it for good): whether a menu opened again.
    bool OpensAgainAfterPressOnItsButton(POINT button, HMENU dropDown)
    {
        bool reopened = false;
        WithInput([&] {
            input.MoveTo(button);
            input.Click();
            AwaitOpen(dropDown);
            input.Click();
            AwaitClosed();
            reopened = Await([] { return OpenMenuWindow() != nullptr; }, 500ms);
            if (reopened)
                input.Key("Escape");
        });
        return reopened;
    }
    // Runs `steps` on a second thread while this thread runs the
    // application's message loop (the menus' loops run inside it).
    void WithInput(const std::function<void()>& steps)
    {
        std::atomic<bool> done{false};
        std::thread thread([&] {
            steps();
            done = true;
        });
        LoopUntil([&] { return done.load(); }, 30s);
        thread.join();
        Pump();
    }
    int RunCount() const
    {
        int count = 0;
        for (const auto& [item, times] : ran)
            count += times;
        return count;
    }

    TXInput& input = TXInput::Instance();
    TSkinTestBed bed;
    TForm* form = nullptr;
    TMainMenu* menu = nullptr;
    TToolBar* toolBar = nullptr;
    TMenuItem *file = nullptr, *newItem = nullptr, *disabled = nullptr, *separator = nullptr, *checked = nullptr,
              *more = nullptr, *nested = nullptr, *edit = nullptr, *undo = nullptr, *help = nullptr, *about = nullptr;
    TButton* button = nullptr;
    TPopupMenu* context = nullptr;
    TMenuItem* copy = nullptr;
    int buttonClicks = 0;
    std::map<TMenuItem*, int> ran;
    TWinSkinForm* controller = nullptr;
};

} // namespace

TEST_F(SkinnedMenuBar, TheMouseOpensSwitchesChoosesAndCloses)
{
    ASSERT_TRUE(Open());
    EXPECT_EQ(GetMenu(form->Handle()), nullptr) << "the skin draws the bar";
    bool openedFile = false, hookWhileOpen = false, switched = false, pressedLook = false;
    WithInput([&] {
        input.MoveTo(ButtonOnScreen(0));
        input.Click();
        openedFile = AwaitOpen(file->Handle());
        hookWhileOpen = DropDownHookInstalled();
        pressedLook = Bar().Buttons[0]->State == 2;
        input.MoveTo(ButtonOnScreen(1));
        switched = AwaitOpen(edit->Handle());
        input.MoveTo(Middle(ItemOnScreen(edit->Handle(), 0)));
        input.Click();
        AwaitClosed();
    });
    EXPECT_TRUE(openedFile);
    EXPECT_TRUE(hookWhileOpen);
    EXPECT_TRUE(pressedLook) << "the open drop-down's button shows pressed";
    EXPECT_TRUE(switched) << "moving to another button switches drop-downs";
    LoopUntil([&] { return ran[undo] > 0; }, 2s);
    EXPECT_EQ(ran[undo], 1);
    EXPECT_FALSE(DropDownHookInstalled()) << "the hook goes with the drop-down";
    EXPECT_EQ(Bar().Buttons[0]->State, 1);

    // A press outside the menus closes them and runs nothing, not even the
    // button it landed on.
    ran.clear();
    bool closedByOutside = false;
    WithInput([&] {
        input.MoveTo(ButtonOnScreen(0));
        input.Click();
        AwaitOpen(file->Handle());
        RECT r{};
        GetWindowRect(button->Handle(), &r);
        input.MoveTo(Middle(r));
        input.Click();
        closedByOutside = AwaitClosed();
    });
    LoopUntil([] { return false; }, 300ms);
    EXPECT_TRUE(closedByOutside);
    EXPECT_EQ(RunCount() - ran[file], 0);
    EXPECT_EQ(buttonClicks, 0);

    // A press on the open drop-down's own button closes it for good.
    EXPECT_FALSE(OpensAgainAfterPressOnItsButton(ButtonOnScreen(1), edit->Handle()));
}

TEST_F(SkinnedMenuBar, TheKeyboardOpensAndWalksTheDropDowns)
{
    ASSERT_TRUE(Open());
    std::vector<HMENU> seen;
    bool firstSelected = false, closedByEscape = false;
    WithInput([&] {
        input.Key("F10");
        if (!AwaitOpen(file->Handle()))
            return;
        firstSelected = Await([&] { return Selected(file->Handle(), 0); });
        // Right to the end and round, then left round the other way.
        for (const char* key : {"Right", "Right", "Right", "Left"}) {
            const HMENU before = OpenMenu();
            input.Key(key);
            Await([&] { return OpenMenu() && OpenMenu() != before; });
            seen.push_back(OpenMenu());
        }
        input.Key("Escape");
        closedByEscape = AwaitClosed();
    });
    EXPECT_TRUE(firstSelected) << "a drop-down opened by key selects its first item";
    EXPECT_EQ(seen, (std::vector<HMENU>{edit->Handle(), help->Handle(), file->Handle(), help->Handle()}));
    EXPECT_TRUE(closedByEscape);

    // Alt pressed and released alone opens the first drop-down as F10 does.
    bool openedByAlt = false;
    WithInput([&] {
        input.Key("alt");
        openedByAlt = AwaitOpen(file->Handle());
        input.Key("Escape");
        AwaitClosed();
    });
    EXPECT_TRUE(openedByAlt);

    // Alt+letter opens that drop-down; Enter runs its selected item.
    bool openedEdit = false;
    WithInput([&] {
        input.Key("alt+e");
        openedEdit = AwaitOpen(edit->Handle());
        Await([&] { return Selected(edit->Handle(), 0); });
        input.Key("Return");
        AwaitClosed();
    });
    EXPECT_TRUE(openedEdit);
    LoopUntil([&] { return ran[undo] > 0; }, 2s);
    EXPECT_EQ(ran[undo], 1);

    // A shortcut runs its item without opening anything.
    bool anyMenu = false;
    WithInput([&] {
        input.Key("ctrl+n");
        anyMenu = Await([] { return OpenMenuWindow() != nullptr; }, 500ms);
    });
    LoopUntil([&] { return ran[newItem] > 0; }, 2s);
    EXPECT_EQ(ran[newItem], 1);
    EXPECT_FALSE(anyMenu);

    // Alt+Space opens the skinned system menu.
    bool systemMenu = false;
    WithInput([&] {
        input.Key("alt+space");
        systemMenu = Await([&] {
            return controller->SystemMenuPopup && OpenMenu() == static_cast<TPopupMenu*>(controller->SystemMenuPopup)->Handle();
        });
        input.Key("Escape");
        AwaitClosed();
    });
    EXPECT_TRUE(systemMenu);
}

// Alt+letter in a modeless secondary form without a menu of its own stays
// with that form, as with the system's bars: the main form's bar opens
// nothing until the main form is the one the keys are for.
TEST_F(SkinnedMenuBar, AltLetterInASecondaryFormLeavesTheMainFormsBarClosed)
{
    ASSERT_TRUE(Open());
    auto* second = new TForm(form);
    second->SetPosition(TPosition::poDesigned);
    second->SetBounds(FormBounds.right + 20, FormBounds.top, 240, 160);
    second->SetCaption(L"Secondary");
    second->Show();
    SetForegroundWindow(second->Handle());
    ASSERT_TRUE(bed.WaitSkinned(second->Handle()));
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == second->Handle(); }));
    const auto openedByAltF = [&] {
        bool opened = false;
        WithInput([&] {
            input.Key("alt+f");
            opened = Await([] { return OpenMenuWindow() != nullptr; }, 700ms);
            if (opened) {
                input.Key("Escape");
                AwaitClosed();
            }
        });
        return opened;
    };
    EXPECT_FALSE(openedByAltF()) << "from the secondary form";
    EXPECT_EQ(RunCount(), 0);

    SetForegroundWindow(form->Handle());
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == form->Handle(); }));
    EXPECT_TRUE(openedByAltF()) << "from the main form";
}

TEST_F(SkinnedMenuBar, ADisabledTopLevelItemOpensNothingAndRunsNothing)
{
    ASSERT_TRUE(Open());
    help->SetEnabled(false);
    PumpUntil([&] { return !Bar().Buttons[2]->ItemEnabled; });
    bool anyMenu = true;
    WithInput([&] {
        input.MoveTo(ButtonOnScreen(2));
        input.Click();
        anyMenu = Await([] { return OpenMenuWindow() != nullptr; }, 500ms);
        if (anyMenu)
            input.Key("Escape");
    });
    LoopUntil([] { return false; }, 200ms);
    EXPECT_FALSE(anyMenu);
    EXPECT_EQ(ran[help], 0);
}

TEST_F(SkinnedMenuBar, ClosingTheWindowUnderAnOpenDropDownLeavesNothingBehind)
{
    ASSERT_TRUE(Open());
    const HWND window = form->Handle();
    form->OnClose = TCloseEvent([](TObject*, TCloseAction& action) { action = TCloseAction::caFree; });
    const POINT fileButton = ButtonOnScreen(0);
    const HMENU dropDown = file->Handle();
    form = nullptr;  // it frees itself
    HWND popup = nullptr;
    WithInput([&] {
        input.MoveTo(fileButton);
        input.Click();
        if (!AwaitOpen(dropDown))
            return;
        popup = OpenMenuWindow();
        PostMessageW(window, WM_CLOSE, 0, 0);
        AwaitClosed();
    });
    ASSERT_TRUE(popup);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(window); })) << "the form went";
    EXPECT_EQ(OpenMenuWindow(), nullptr);
    EXPECT_FALSE(DropDownHookInstalled());
    EXPECT_FALSE(bed.Manager().IsPopupSkinned(popup));
    bed.Manager().PurgeControllers();
    EXPECT_EQ(bed.Manager().FindController(window), nullptr);
}

TEST_F(SkinnedMenuBar, TheSkinSwitchedOffGivesTheWindowItsMenuBack)
{
    ASSERT_TRUE(Open());
    WithInput([&] {  // a drop-down opened once: its entries were drawn by the skin
        input.MoveTo(ButtonOnScreen(0));
        input.Click();
        AwaitOpen(file->Handle());
        input.Key("Escape");
        AwaitClosed();
    });
    const HWND window = form->Handle();
    bed.Data().SetActive(false);
    ASSERT_TRUE(PumpUntil([&] { return bed.Manager().FindController(window) == nullptr; }));
    EXPECT_EQ(GetMenu(window), menu->Handle());
    EXPECT_EQ(GetMenuItemCount(menu->Handle()), 3);
    for (TMenuItem* parent : {file, more, edit, help})
        for (int i = 0; i < GetMenuItemCount(parent->Handle()); ++i) {
            MENUITEMINFOW info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_FTYPE;
            GetMenuItemInfoW(parent->Handle(), static_cast<UINT>(i), TRUE, &info);
            EXPECT_FALSE(info.fType & MFT_OWNERDRAW) << "entry " << i;
        }
}

TEST_F(SkinnedMenuBar, ARightToLeftBarIsLaidOutFromTheRight)
{
    ASSERT_TRUE(Open(TBiDiMode::bdRightToLeft));
    const auto& buttons = Bar().Buttons;
    const int barRight = controller->WindowWidth - controller->RightWidth;
    EXPECT_EQ(buttons[0]->Bounds.right, barRight - bed.Data().MenuBar->RightWidth - 8);
    EXPECT_EQ(buttons[1]->Bounds.right, buttons[0]->Bounds.left);
    EXPECT_EQ(buttons[2]->Bounds.right, buttons[1]->Bounds.left);
    // Its drop-downs open under the button's right end.
    RECT popup{};
    WithInput([&] {
        input.Key("alt+f");
        if (AwaitOpen(file->Handle()))
            GetWindowRect(OpenMenuWindow(), &popup);
        input.Key("Escape");
        AwaitClosed();
    });
    RECT window{};
    GetWindowRect(form->Handle(), &window);
    EXPECT_EQ(popup.right, window.left + buttons[0]->Bounds.right);
}

namespace {

// Compares the screen picture `shot` at `at` with `expected` wherever the
// expected picture is not the key colour; empty when they agree.
std::string PictureDifferences(const TBitmap& shot, POINT at, const TBitmap& expected, const RECT& within)
{
    int differ = 0, compared = 0;
    std::string first;
    for (int y = within.top; y < within.bottom; ++y)
        for (int x = within.left; x < within.right; ++x) {
            const Bgr want = At(expected, x, y);
            if (want == Magenta)
                continue;
            ++compared;
            const Bgr got = At(shot, at.x + x, at.y + y);
            if (!(got == want) && differ++ == 0)
                first = std::to_string(x) + "," + std::to_string(y);
        }
    if (compared == 0)
        return "nothing to compare";
    return differ ? std::to_string(differ) + " of " + std::to_string(compared) + " differ, first at " + first : "";
}

std::unique_ptr<TBitmap> ElementFace(TDataSkinObject& e, int width, int height, int frame, bool stacked = false,
                                     TElementMargins margins = {-1, 0, 0, 0})
{
    if (margins.LeftWidth < 0)
        margins = e.Margins();
    return BuildElementBitmap({0, 0, width, height}, *e.Image, margins, stacked, e.Tile != 0 && !stacked,
                              e.FrameCount, frame);
}

// The menu bar's strip in window coordinates.
RECT BarStrip(const TWinSkinForm& c)
{
    return {c.LeftWidth, c.TitleHeight, c.WindowWidth - c.RightWidth, c.TitleHeight + c.MenuBarHeight};
}

// The bar's face for that strip in the active look.
std::unique_ptr<TBitmap> BarFace(TSkinData& data, const RECT& strip)
{
    TDataSkinObject& bar = *data.MenuBar;
    return ElementFace(bar, strip.right - strip.left, strip.bottom - strip.top, 1, true,
                       {bar.LeftWidth, 0, bar.RightWidth, 0});
}

// A bar button's top and bottom rows on the window (its caption lies
// between) compared with `face`, a picture whose corner is at `faceAt` in
// window coordinates.
std::string ButtonEdgeDifferences(HWND window, const RECT& button, const TBitmap& face, POINT faceAt)
{
    const auto shot = CaptureWindow(window);
    RECT b = button;
    OffsetRect(&b, -faceAt.x, -faceAt.y);
    return PictureDifferences(*shot, faceAt, face, {b.left, b.top, b.right, b.top + 3}) +
           PictureDifferences(*shot, faceAt, face, {b.left, b.bottom - 3, b.right, b.bottom});
}

} // namespace

TEST_F(SkinnedMenuBar, TheBarAndItsDropDownsShowTheSkinsPictures)
{
    ASSERT_TRUE(Open());
    TSkinData& data = bed.Data();
    const RECT strip = BarStrip(*controller);
    const int w = strip.right - strip.left, h = strip.bottom - strip.top;
    const auto bar = BarFace(data, strip);
    // The bar's own face beyond the last button.
    const RECT beyond{Bar().Buttons.back()->Bounds.right - strip.left + 1, 0, w, h};
    std::string differences;
    PumpUntil([&] {
        differences = PictureDifferences(*CaptureWindow(form->Handle()), {strip.left, strip.top}, *bar, beyond);
        return differences.empty();
    });
    EXPECT_EQ(differences, "") << "the bar's background";

    // A button under the mouse shows the menu item picture's selected face.
    const TMenuBtn& editButton = *Bar().Buttons[1];
    ASSERT_TRUE(input.MoveTo(ButtonOnScreen(1)));
    ASSERT_TRUE(PumpUntil([&] { return editButton.State == 3; }));
    const RECT& b = editButton.Bounds;
    const auto hot = ElementFace(*data.MenuItem, b.right - b.left, b.bottom - b.top, 4);
    PumpUntil([&] {
        differences = ButtonEdgeDifferences(form->Handle(), b, *hot, {b.left, b.top});
        return differences.empty();
    });
    EXPECT_EQ(differences, "") << "the hot button";

    // The drop-down: its frame and background, the selected item.
    std::unique_ptr<TBitmap> shot;
    RECT popup{}, selected{};
    WithInput([&] {
        input.MoveTo(ButtonOnScreen(0));
        input.Click();
        if (!AwaitOpen(file->Handle()))
            return;
        input.MoveTo(Middle(ItemOnScreen(file->Handle(), 0)));
        Await([&] { return Selected(file->Handle(), 0); });
        Sleep(300);  // the item repainted
        GetWindowRect(OpenMenuWindow(), &popup);
        selected = ItemOnScreen(file->Handle(), 0);
        shot = CaptureScreen(popup);
        input.Key("Escape");
        AwaitClosed();
    });
    ASSERT_TRUE(shot);
    const int pw = popup.right - popup.left, ph = popup.bottom - popup.top;
    const auto background = ElementFace(*data.MenuBackground, pw, ph, 1);
    EXPECT_EQ(PictureDifferences(*shot, {0, 0}, *background, {0, 0, pw, 3}), "") << "the popup's top";
    EXPECT_EQ(PictureDifferences(*shot, {0, 0}, *background, {0, ph - 3, pw, ph}), "") << "the popup's bottom";
    EXPECT_EQ(PictureDifferences(*shot, {0, 0}, *background, {0, 0, 3, ph}), "") << "the popup's left side";
    const int iw = selected.right - selected.left, ih = selected.bottom - selected.top;
    const auto item = ElementFace(*data.MenuItem, iw, ih, 4);
    EXPECT_EQ(PictureDifferences(*shot, {selected.left - popup.left, selected.top - popup.top}, *item,
                                 {iw - 3, 0, iw, ih}),
              "")
        << "the selected item's face";
}

// A full repaint of the frame while a button is hot (here a new caption)
// forgets the hover: the button is drawn normal again, and none stays lit
// once the mouse has gone where nothing watches it.
TEST_F(SkinnedMenuBar, AFullRepaintLeavesNoButtonLit)
{
    ASSERT_TRUE(Open());
    const TMenuBtn& editButton = *Bar().Buttons[1];
    const RECT& b = editButton.Bounds;
    const auto hot = ElementFace(*bed.Data().MenuItem, b.right - b.left, b.bottom - b.top, 4);
    ASSERT_TRUE(input.MoveTo(ButtonOnScreen(1)));
    ASSERT_TRUE(PumpUntil([&] { return editButton.State == 3; }));
    ASSERT_TRUE(PumpUntil([&] { return ButtonEdgeDifferences(form->Handle(), b, *hot, {b.left, b.top}).empty(); }))
        << "the hot button is lit";

    form->SetCaption(L"Menus, renamed");
    Pump();
    RECT client{};
    GetWindowRect(button->Handle(), &client);
    input.MoveTo({client.right + 60, client.bottom + 40});  // into the client area, off the controls
    LoopUntil([] { return false; }, 700ms);  // the hover timer has looked

    EXPECT_EQ(editButton.State, 1);
    const RECT strip = BarStrip(*controller);
    EXPECT_EQ(ButtonEdgeDifferences(form->Handle(), b, *BarFace(bed.Data(), strip), {strip.left, strip.top}), "")
        << "the button shows the bar's face";
}

// A menu the form gets once it is skinned shows on a skinned bar, which takes
// its room from the client area as the system's bar would; taken away, the
// bar goes and the client area takes the room back.
TEST_F(SkinnedMenuBar, AMenuAssignedAfterSkinningGetsTheBarAndTakingItAwayRemovesIt)
{
    ASSERT_TRUE(Open(TBiDiMode::bdLeftToRight, TShownOn::Nowhere));
    ASSERT_FALSE(controller->MenuBar);
    const HWND window = form->Handle();
    const SIZE windowSize = WindowSize(window), clientSize = ClientSize(window);

    form->SetMenu(menu);
    ASSERT_TRUE(controller->MenuBar) << "a bar for the new menu";
    ASSERT_TRUE(AwaitBarLaidOut());
    EXPECT_EQ(GetMenu(window), nullptr) << "the skin draws the bar";
    EXPECT_EQ(Bar().Buttons.size(), 3u);
    EXPECT_EQ(WindowSize(window), windowSize);
    EXPECT_EQ(ClientSize(window), (SIZE{clientSize.cx, clientSize.cy - controller->MenuBarHeight}));
    const RECT strip = BarStrip(*controller);
    const auto face = BarFace(bed.Data(), strip);
    const RECT beyond{Bar().Buttons.back()->Bounds.right - strip.left + 1, 0, strip.right - strip.left,
                      strip.bottom - strip.top};
    std::string differences;
    PumpUntil([&] {
        differences = PictureDifferences(*CaptureWindow(window), {strip.left, strip.top}, *face, beyond);
        return differences.empty();
    });
    EXPECT_EQ(differences, "") << "the bar's face under the title";
    bool opened = false;
    WithInput([&] {
        input.MoveTo(ButtonOnScreen(0));
        input.Click();
        opened = AwaitOpen(file->Handle());
        input.Key("Escape");
        AwaitClosed();
    });
    EXPECT_TRUE(opened) << "the new bar's buttons open their drop-downs";

    form->SetMenu(nullptr);
    EXPECT_FALSE(controller->MenuBar);
    EXPECT_EQ(controller->MenuBarHeight, 0);
    EXPECT_EQ(ClientSize(window), clientSize);
    EXPECT_EQ(GetMenu(window), nullptr);
    bed.Data().SetActive(false);
    ASSERT_TRUE(PumpUntil([&] { return bed.Manager().FindController(window) == nullptr; }));
    EXPECT_EQ(GetMenu(window), nullptr) << "no menu given back that the form no longer has";
}

// Switching the skin off gives the system back only the popup menus the skin
// made owner-drawn: one it left alone (its Tag is the skin's DisableTag) or
// one the program draws itself keeps its own OwnerDraw and item handlers.
TEST_F(SkinnedMenuBar, SwitchingTheSkinOffGivesBackOnlyThePopupsItTook)
{
    struct TCase {
        const char* What;
        bool DisableTag;
        bool ProgramDraws;
        bool OwnerDrawnWhileSkinned;
    };
    const TCase cases[] = {
        {"a popup the skin draws", false, false, true},
        {"a popup the skin leaves alone", true, false, false},
        {"a popup the program draws, left alone", true, true, true},
        {"a popup the program draws", false, true, true},
    };
    std::vector<TPopupMenu*> popups;
    ASSERT_TRUE(Open(TBiDiMode::bdLeftToRight, TShownOn::MenuBar, [&] {
        for (const TCase& c : cases) {
            auto* popup = new TPopupMenu(form);
            Item(popup->Items(), L"&Item");
            if (c.DisableTag)
                popup->SetTag(bed.Data().DisableTag());
            if (c.ProgramDraws) {
                popup->SetOwnerDraw(true);
                popup->Items()->Items(0)->OnDrawItem =
                    TMenuDrawItemEvent([](TObject*, TCanvas*, const RECT&, bool) {}, "ProgramDraws");
            }
            popups.push_back(popup);
        }
    }));
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(popups[i]->OwnerDraw(), cases[i].OwnerDrawnWhileSkinned) << cases[i].What;

    const HWND window = form->Handle();
    bed.Data().SetActive(false);
    ASSERT_TRUE(PumpUntil([&] { return bed.Manager().FindController(window) == nullptr; }));
    for (size_t i = 0; i < std::size(cases); ++i) {
        const TCase& c = cases[i];
        TMenuItem& item = *popups[i]->Items()->Items(0);
        EXPECT_EQ(popups[i]->OwnerDraw(), c.ProgramDraws) << c.What;
        EXPECT_EQ(item.OnDrawItem.Name, c.ProgramDraws ? "ProgramDraws" : "") << c.What;
        EXPECT_FALSE(item.OnMeasureItem) << c.What;
    }
}

// A popup printed into a picture (WM_PRINT, as a menu animation asks for)
// shows the skin's frame, not the system's border over it.
TEST_F(SkinnedMenuBar, APrintedPopupShowsTheSkinsFrame)
{
    ASSERT_TRUE(Open());
    std::unique_ptr<TBitmap> printed;
    RECT popup{};
    WithInput([&] {
        input.MoveTo(ButtonOnScreen(0));
        input.Click();
        if (!AwaitOpen(file->Handle()))
            return;
        const HWND window = OpenMenuWindow();
        GetWindowRect(window, &popup);
        printed = std::make_unique<TBitmap>(popup.right - popup.left, popup.bottom - popup.top);
        SendMessageW(window, WM_PRINT, reinterpret_cast<WPARAM>(printed->Canvas()->Handle()),
                     PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN);
        input.Key("Escape");
        AwaitClosed();
    });
    ASSERT_TRUE(printed);
    const int pw = popup.right - popup.left, ph = popup.bottom - popup.top;
    const auto background = ElementFace(*bed.Data().MenuBackground, pw, ph, 1);
    EXPECT_EQ(PictureDifferences(*printed, {0, 0}, *background, {0, 0, pw, 3}), "") << "top";
    EXPECT_EQ(PictureDifferences(*printed, {0, 0}, *background, {0, ph - 3, pw, ph}), "") << "bottom";
    EXPECT_EQ(PictureDifferences(*printed, {0, 0}, *background, {0, 0, 3, ph}), "") << "left";
    EXPECT_EQ(PictureDifferences(*printed, {0, 0}, *background, {pw - 3, 0, pw, ph}), "") << "right";
}

TEST_F(SkinnedMenuBar, AControlsContextMenuOpensOnARightClickInTheSkin)
{
    ASSERT_TRUE(Open());
    EXPECT_TRUE(context->OwnerDraw()) << "the form's popup menus are drawn by the skin";
    std::unique_ptr<TBitmap> shot;
    RECT popup{};
    WithInput([&] {
        RECT r{};
        GetWindowRect(button->Handle(), &r);
        input.MoveTo(Middle(r));
        input.Click(3);
        if (!AwaitOpen(context->Handle()))
            return;
        Sleep(300);
        GetWindowRect(OpenMenuWindow(), &popup);
        shot = CaptureScreen(popup);
        input.MoveTo(Middle(ItemOnScreen(context->Handle(), 0)));
        input.Click();
        AwaitClosed();
    });
    ASSERT_TRUE(shot) << "the right click opened the button's menu";
    LoopUntil([&] { return ran[copy] > 0; }, 2s);
    EXPECT_EQ(ran[copy], 1);
    // The context-menu key opens it for the focused control.
    button->SetFocus();
    bool byKey = false;
    WithInput([&] {
        input.Key("Menu");
        byKey = AwaitOpen(context->Handle());
        input.Key("Escape");
        AwaitClosed();
    });
    EXPECT_TRUE(byKey);
    const int pw = popup.right - popup.left, ph = popup.bottom - popup.top;
    const auto background = ElementFace(*bed.Data().MenuBackground, pw, ph, 1);
    EXPECT_EQ(PictureDifferences(*shot, {0, 0}, *background, {0, 0, pw, 3}), "") << "the popup's frame";
    EXPECT_EQ(buttonClicks, 0);
}

namespace {

// An MDI frame with a menu bar of two items and one child, maximised: the
// child's buttons sit on the frame's skinned bar.
struct TMdiFrameWithMaximisedChild {
    std::unique_ptr<TForm> Frame = std::make_unique<TForm>(nullptr);
    TForm* Child = nullptr;
    TWinSkinForm* Controller = nullptr;

    explicit TMdiFrameWithMaximisedChild(const TSkinTestBed& bed)
    {
        Frame->SetFormStyle(TFormStyle::fsMDIForm);
        Frame->SetPosition(TPosition::poDesigned);
        Frame->SetBounds(20, 20, 640, 480);
        auto* menu = new TMainMenu(Frame.get());
        for (const wchar_t* caption : {L"&File", L"&Window"}) {
            auto* top = new TMenuItem(Frame.get());
            top->SetCaption(caption);
            auto* inner = new TMenuItem(Frame.get());
            inner->SetCaption(L"&Item");
            top->Add(inner);
            menu->Items()->Add(top);
        }
        Frame->SetMenu(menu);
        Frame->Show();
        SetForegroundWindow(Frame->Handle());
        Controller = bed.WaitSkinned(Frame->Handle());
        if (!Controller || !Controller->MenuBar)
            return;
        Child = new TForm(Frame.get());
        Child->SetFormStyle(TFormStyle::fsMDIChild);
        Child->SetBounds(0, 0, 220, 160);
        Child->Show();
        Child->SetWindowState(TWindowState::wsMaximized);
        PumpUntil([&] { return IsZoomed(Child->Handle()) != FALSE; });
        RedrawWindow(Frame->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        Pump();
    }
    bool Ready() const { return Child && IsZoomed(Child->Handle()); }

    // The child's buttons on the bar.
    std::vector<const TWinSysButton*> BarButtons() const
    {
        std::vector<const TWinSysButton*> buttons;
        for (const auto& button : Controller->CaptionButtons)
            if (button->Visible && button->Record->Visibility == 100)
                buttons.push_back(button.get());
        return buttons;
    }
};

} // namespace

TEST(SkinnedMdiMenuBar, AMaximisedChildsButtonsSitOnTheFramesBar)
{
    TXInput& input = TXInput::Instance();
    if (!input.Available())
        GTEST_SKIP() << "no X pointer";
    TSkinTestBed bed;
    const TMdiFrameWithMaximisedChild mdi(bed);
    ASSERT_TRUE(mdi.Ready());
    TWinSkinForm* controller = mdi.Controller;

    auto& bar = static_cast<TSkinMenuBar&>(*controller->MenuBar);
    EXPECT_EQ(bar.Buttons.size(), 2u) << "no entries of the system's for the child";
    const TWinSysButton* restore = nullptr;
    for (const TWinSysButton* button : mdi.BarButtons()) {
        EXPECT_GE(button->Bounds.top, controller->TitleHeight);
        EXPECT_LE(button->Bounds.bottom, controller->TitleHeight + controller->MenuBarHeight);
        EXPECT_GE(button->Bounds.left, bar.Buttons.back()->Bounds.right);
        if (button->Record->Action == 8)
            restore = button;
    }
    EXPECT_EQ(mdi.BarButtons().size(), 3u) << "minimise, restore and close of the child";
    ASSERT_TRUE(restore);
    RECT r{};
    GetWindowRect(mdi.Frame->Handle(), &r);
    ASSERT_TRUE(input.MoveTo({r.left + Middle(restore->Bounds).x, r.top + Middle(restore->Bounds).y}));
    input.Click();
    EXPECT_TRUE(PumpUntil([&] { return !IsZoomed(mdi.Child->Handle()); })) << "the child's restore button";
}

// The child's buttons fit the bar they sit on whatever the height of their
// pictures: pictures taller than the bar are shrunk to its height, their
// width and spacing with them, their outline averaged in rather than cut
// off; lower ones keep their size.
TEST(SkinnedMdiMenuBar, AMaximisedChildsButtonsFitTheBarTheySitOn)
{
    if (!TXInput::Instance().Available())
        GTEST_SKIP() << "no X pointer";
    const int barHeight = GetSystemMetrics(SM_CYMENU);
    const Bgr dark = Rgb(20, 40, 90), light = Rgb(230, 240, 250);
    for (const int size : {barHeight - 3, barHeight + 1, barHeight + 6}) {
        SCOPED_TRACE(testing::Message() << size << "-pixel pictures on a " << barHeight << "-pixel bar");
        // Twelve square frames, each outlined.
        TBitmap strip(12 * size, size);
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < 12 * size; ++x) {
                const int inFrame = x % size;
                const bool outline = inFrame == 0 || y == 0 || inFrame == size - 1 || y == size - 1;
                Put(strip, x, y, outline ? dark : light);
            }
        TTestSkin skin = CompiledInSkinCopy();
        SetPicture(skin, "mdicontrols.bmp", strip.SaveToBytes());
        TSkinTestBed bed([&](TSkinData& data) {
            data.SetSkinPackage(skin.Package());
            data.LoadSkin();
        });
        const TMdiFrameWithMaximisedChild mdi(bed);
        ASSERT_TRUE(mdi.Ready());
        const TWinSkinForm& controller = *mdi.Controller;
        ASSERT_EQ(controller.MenuBarHeight, barHeight);
        const int fitted = std::min(size, barHeight);
        const std::vector<const TWinSysButton*> buttons = mdi.BarButtons();
        ASSERT_EQ(buttons.size(), 3u);
        RECT previous{};
        for (const TWinSysButton* button : buttons) {
            const RECT& b = button->Bounds;
            EXPECT_EQ(b.bottom - b.top, fitted);
            EXPECT_EQ(b.right - b.left, fitted);
            EXPECT_GE(b.top, controller.TitleHeight);
            EXPECT_LE(b.bottom, controller.TitleHeight + barHeight);
            EXPECT_TRUE(IsRectEmpty(&previous) || b.right <= previous.left || b.left >= previous.right)
                << "buttons side by side";
            previous = b;
            // The outline on every side, on the screen.
            const auto shot = CaptureWindow(mdi.Frame->Handle());
            const auto outlined = [&](int x, int y) { return At(*shot, x, y).R < (dark.R + light.R) / 2; };
            for (int i = 0; i < fitted; ++i) {
                EXPECT_TRUE(outlined(b.left + i, b.top)) << "top, " << i;
                EXPECT_TRUE(outlined(b.left + i, b.bottom - 1)) << "bottom, " << i;
                EXPECT_TRUE(outlined(b.left, b.top + i)) << "left, " << i;
                EXPECT_TRUE(outlined(b.right - 1, b.top + i)) << "right, " << i;
            }
            EXPECT_FALSE(outlined((b.left + b.right) / 2, (b.top + b.bottom) / 2)) << "the light inside";
        }
    }
}

// A main menu shown on a tool bar: a button per top-level item whose press
// drops that item's sub-items, drawn by the skin while the form is skinned.
TEST_F(SkinnedMenuBar, AToolBarsMenuDropsItsItemsInTheSkin)
{
    TControlSkinning skinning;  // the bar is found and skinned
    ASSERT_TRUE(Open(TBiDiMode::bdLeftToRight, TShownOn::ToolBar));
    ASSERT_EQ(toolBar->ButtonCount(), 3);
    EXPECT_EQ(toolBar->Buttons(1)->Caption(), L"&Edit");
    EXPECT_EQ(toolBar->Buttons(1)->MenuItem(), edit);
    const auto pressed = [&](int index) {
        return SendMessageW(toolBar->Handle(), TB_ISBUTTONPRESSED, static_cast<WPARAM>(index + 1), 0) != 0;
    };
    bool openedFile = false, pressedLook = false, switchedByMouse = false, rightKey = false, leftKey = false;
    std::unique_ptr<TBitmap> shot;
    RECT popup{}, selected{};
    WithInput([&] {
        input.MoveTo(ToolButtonOnScreen(0));
        input.Click();
        openedFile = AwaitOpen(file->Handle());
        pressedLook = pressed(0);
        input.MoveTo(ToolButtonOnScreen(1));
        switchedByMouse = AwaitOpen(edit->Handle());
        input.Key("Right");
        rightKey = AwaitOpen(help->Handle());
        input.Key("Left");
        leftKey = AwaitOpen(edit->Handle());
        input.MoveTo(Middle(ItemOnScreen(edit->Handle(), 0)));
        Await([&] { return Selected(edit->Handle(), 0); });
        Sleep(300);  // the item repainted
        GetWindowRect(OpenMenuWindow(), &popup);
        selected = ItemOnScreen(edit->Handle(), 0);
        shot = CaptureScreen(popup);
        input.Click();
        AwaitClosed();
    });
    EXPECT_TRUE(openedFile);
    EXPECT_TRUE(pressedLook) << "the open drop-down's button shows pressed";
    EXPECT_TRUE(switchedByMouse);
    EXPECT_TRUE(rightKey && leftKey) << "the arrows move between the drop-downs";
    LoopUntil([&] { return ran[undo] > 0; }, 2s);
    EXPECT_EQ(ran[undo], 1);
    EXPECT_FALSE(pressed(1));

    ASSERT_TRUE(shot);
    const int iw = selected.right - selected.left, ih = selected.bottom - selected.top;
    const auto face = ElementFace(*bed.Data().MenuItem, iw, ih, 4);
    EXPECT_EQ(PictureDifferences(*shot, {selected.left - popup.left, selected.top - popup.top}, *face,
                                 {iw - 3, 0, iw, ih}),
              "")
        << "the selected item wears the skin's face";

    // A press on the open drop-down's own button closes it for good.
    EXPECT_FALSE(OpensAgainAfterPressOnItsButton(ToolButtonOnScreen(2), help->Handle()));

    // Without the skin the system draws the items again; without the menu
    // the bar has no buttons.
    const HWND window = form->Handle();
    bed.Data().SetActive(false);
    ASSERT_TRUE(PumpUntil([&] { return bed.Manager().FindController(window) == nullptr; }));
    EXPECT_FALSE(menu->OwnerDraw());
    EXPECT_FALSE(undo->OnDrawItem);
    toolBar->SetMenu(nullptr);
    EXPECT_EQ(toolBar->ButtonCount(), 0);
}

TEST_F(SkinnedMenuBar, AToolBarFreedUnderItsOpenDropDownLeavesNothingBehind)
{
    TControlSkinning skinning;  // the bar is found and skinned
    ASSERT_TRUE(Open(TBiDiMode::bdLeftToRight, TShownOn::ToolBar));
    const POINT fileButton = ToolButtonOnScreen(0);
    const HWND window = form->Handle();
    form->OnClose = TCloseEvent([](TObject*, TCloseAction& action) { action = TCloseAction::caFree; });
    const HMENU dropDown = file->Handle();
    form = nullptr;  // it frees itself
    bool opened = false;
    WithInput([&] {
        input.MoveTo(fileButton);
        input.Click();
        opened = AwaitOpen(dropDown);
        PostMessageW(window, WM_CLOSE, 0, 0);
        AwaitClosed();
    });
    EXPECT_TRUE(opened);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(window); })) << "the form went";
    EXPECT_EQ(OpenMenuWindow(), nullptr);
    EXPECT_FALSE(DropDownHookInstalled());
}
