// Menus on real windows: items built into platform menus (states read back
// with GetMenuItemInfo), commands and shortcut keys that run OnClick, the
// menu-changed notification, owner-drawn items, image lists, popup menus
// opened by code, right click and the context-menu key and answered with
// real input.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "tests/win/support/PixelTestSupport.h"
#include "tests/win/support/WindowTestSupport.h"
#include "ui/controls/ExtCtrls.h"
#include "ui/controls/Menus.h"
#include "ui/controls/StdCtrls.h"
#include "ui/core/FormReader.h"
#include "ui/forms/Forms.h"
#include "ui/graphics/ImgList.h"

using namespace ui;

namespace {

class TMenuForm : public TForm {
    UI_CLASS(TMenuForm)
public:
    explicit TMenuForm(TComponent* owner) : TForm(owner) {}
    std::vector<std::string> Clicked;
    void ItemClick(TObject* sender) { Clicked.push_back(static_cast<TComponent*>(sender)->Name()); }
    TMethod FindMethod(std::string_view name) override
    {
        return FindHandler<TMenuForm>(this, name, {Handler("ItemClick", &TMenuForm::ItemClick)});
    }
};

const TClassInfo& TMenuForm::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TMenuForm>("TMenuForm", &TForm::StaticClass()).Done();
    return info;
}

// A menu bar of every kind of item, and a popup menu on a panel.
const char* const MenuFormText = R"(object MenuForm: TMenuForm
  Left = 60
  Top = 60
  Caption = 'menus'
  ClientWidth = 360
  ClientHeight = 200
  Position = poDesigned
  Menu = MainMenu1
  object Panel1: TPanel
    Left = 10
    Top = 10
    Width = 200
    Height = 120
    PopupMenu = PopupMenu1
    object Label1: TLabel
      Left = 10
      Top = 80
      Caption = 'label'
    end
  end
  object Edit1: TEdit
    Left = 220
    Top = 10
    PopupMenu = PopupMenu1
  end
  object MainMenu1: TMainMenu
    object File1: TMenuItem
      Caption = '&File'
      OnClick = ItemClick
      object Open1: TMenuItem
        Caption = '&Open...'
        ShortCut = 16463
        Default = True
        OnClick = ItemClick
      end
      object N1: TMenuItem
        Caption = '-'
      end
      object Exit1: TMenuItem
        Caption = 'E&xit'
        Enabled = False
        OnClick = ItemClick
      end
    end
    object View1: TMenuItem
      Caption = '&View'
      object Grid1: TMenuItem
        Caption = '&Grid'
        Checked = True
        OnClick = ItemClick
      end
      object Small1: TMenuItem
        Caption = '&Small'
        RadioItem = True
        GroupIndex = 1
        Checked = True
      end
      object Large1: TMenuItem
        Caption = '&Large'
        RadioItem = True
        GroupIndex = 1
      end
      object Hidden1: TMenuItem
        Caption = 'Hidden'
        Visible = False
      end
      object More1: TMenuItem
        Caption = '&More'
        object Deep1: TMenuItem
          Caption = 'Deep'
          ShortCut = 116
          OnClick = ItemClick
        end
      end
    end
  end
  object PopupMenu1: TPopupMenu
    object Cut1: TMenuItem
      Caption = 'Cu&t'
      OnClick = ItemClick
    end
    object Paste1: TMenuItem
      Caption = '&Paste'
      OnClick = ItemClick
    end
  end
end
)";

MENUITEMINFOW EntryAt(HMENU menu, UINT pos, std::wstring* text = nullptr)
{
    wchar_t buffer[80] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = buffer;
    info.cch = 80;
    EXPECT_TRUE(GetMenuItemInfoW(menu, pos, TRUE, &info)) << "entry " << pos;
    if (text)
        *text = buffer;
    return info;
}

class Menus : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterFrameworkClasses();
        form = std::make_unique<TMenuForm>(nullptr);
        ReadComponent(MenuFormText, *form);
        form->Show();
        ASSERT_TRUE(tests::PumpUntil([&] { return IsWindowVisible(form->Handle()) != 0; }));
        SetForegroundWindow(form->Handle());
    }
    void TearDown() override { form.reset(); }

    template <class T>
    T* Get(const char* name) { return FindComponentOf<T>(*form, name); }
    HMENU Bar() const { return GetMenu(form->Handle()); }

    std::unique_ptr<TMenuForm> form;
};

} // namespace

TEST(ShortCuts, TextOfKeysWithTheirShiftState)
{
    const std::pair<TShortCut, const wchar_t*> cases[] = {
        {ShortCut('S', scCtrl), L"Ctrl+S"},         {ShortCut(VK_F5, 0), L"F5"},
        {ShortCut(VK_DELETE, scShift), L"Shift+Del"}, {ShortCut(VK_F12, scCtrl | scShift | scAlt), L"Ctrl+Shift+Alt+F12"},
        {ShortCut('0', scAlt), L"Alt+0"},           {0, L""},
    };
    for (auto [shortCut, text] : cases)
        EXPECT_EQ(ShortCutToText(shortCut), text) << shortCut;
    EXPECT_EQ(ShortCut('O', scCtrl), 16463) << "as form files store it";
}

TEST_F(Menus, TheFormsMenuBarShowsEveryItemWithItsState)
{
    auto* menu = Get<TMainMenu>("MainMenu1");
    ASSERT_EQ(Bar(), menu->Handle());
    ASSERT_EQ(GetMenuItemCount(Bar()), 2);
    std::wstring text;
    MENUITEMINFOW file = EntryAt(Bar(), 0, &text);
    EXPECT_EQ(text, L"&File");
    EXPECT_EQ(file.wID, Get<TMenuItem>("File1")->Command());
    ASSERT_EQ(file.hSubMenu, Get<TMenuItem>("File1")->Handle());

    HMENU fileMenu = file.hSubMenu;
    ASSERT_EQ(GetMenuItemCount(fileMenu), 3);
    MENUITEMINFOW open = EntryAt(fileMenu, 0, &text);
    EXPECT_EQ(text, L"&Open...\tCtrl+O") << "the shortcut's text after a tab";
    EXPECT_TRUE(open.fState & MFS_DEFAULT);
    EXPECT_TRUE(EntryAt(fileMenu, 1).fType & MFT_SEPARATOR);
    EXPECT_TRUE(EntryAt(fileMenu, 2).fState & MFS_DISABLED);

    HMENU viewMenu = EntryAt(Bar(), 1).hSubMenu;
    ASSERT_EQ(GetMenuItemCount(viewMenu), 4) << "the hidden item is left out";
    EXPECT_TRUE(EntryAt(viewMenu, 0).fState & MFS_CHECKED);
    const MENUITEMINFOW small = EntryAt(viewMenu, 1);
    EXPECT_TRUE(small.fType & MFT_RADIOCHECK);
    EXPECT_TRUE(small.fState & MFS_CHECKED);
    EXPECT_EQ(EntryAt(viewMenu, 3).hSubMenu, Get<TMenuItem>("More1")->Handle()) << "nested drop-downs";
}

TEST_F(Menus, ChangesShowAtOnceAndTellTheForm)
{
    int notified = 0;
    TWindowProcHook hook(*form, "count", [&](TMessage& m) {
        notified += m.Msg == CM_MENUCHANGED;
        hook.CallPrevious(m);
    });
    HMENU viewMenu = Get<TMenuItem>("View1")->Handle();

    Get<TMenuItem>("Large1")->SetChecked(true);  // a radio item: the other one of its group goes off
    EXPECT_TRUE(EntryAt(viewMenu, 2).fState & MFS_CHECKED);
    EXPECT_FALSE(EntryAt(viewMenu, 1).fState & MFS_CHECKED);
    EXPECT_FALSE(Get<TMenuItem>("Small1")->Checked());
    EXPECT_GT(notified, 0);

    notified = 0;
    Get<TMenuItem>("Hidden1")->SetVisible(true);
    EXPECT_EQ(GetMenuItemCount(viewMenu), 5);
    std::wstring text;
    EntryAt(viewMenu, 3, &text);
    EXPECT_EQ(text, L"Hidden") << "shown in its place";
    Get<TMenuItem>("Grid1")->SetDefault(true);
    EXPECT_TRUE(EntryAt(viewMenu, 0).fState & MFS_DEFAULT);
    Get<TMenuItem>("Exit1")->SetEnabled(true);
    EXPECT_FALSE(EntryAt(Get<TMenuItem>("File1")->Handle(), 2).fState & MFS_DISABLED);
    EXPECT_GT(notified, 0);

    // The skin engine takes the bar off the window; a change shows it again.
    SetMenu(form->Handle(), nullptr);
    Get<TMenuItem>("File1")->SetCaption(L"&Document");
    EXPECT_EQ(GetMenu(form->Handle()), Get<TMainMenu>("MainMenu1")->Handle());
    EntryAt(Bar(), 0, &text);
    EXPECT_EQ(text, L"&Document");

    auto* added = new TMenuItem(form.get());
    added->SetCaption(L"&Help");
    Get<TMainMenu>("MainMenu1")->Items()->Add(added);
    EXPECT_EQ(GetMenuItemCount(Bar()), 3);
    delete Get<TMenuItem>("View1");  // with its items
    EXPECT_EQ(GetMenuItemCount(Bar()), 2);
    EXPECT_EQ(form->FindComponent("Deep1"), nullptr);
}

TEST_F(Menus, CommandsAndShortcutKeysRunTheirItems)
{
    SendMessageW(form->Handle(), WM_COMMAND, Get<TMenuItem>("Open1")->Command(), 0);
    SendMessageW(form->Handle(), WM_COMMAND, Get<TMenuItem>("File1")->Command(), 0);  // a top-level item too
    EXPECT_EQ(form->Clicked, (std::vector<std::string>{"Open1", "File1"}));

    // Real keys through the message loop: Ctrl+O and F5 (an item two levels down).
    form->Clicked.clear();
    Get<TEdit>("Edit1")->SetFocus();
    tests::SendKeys({{VK_CONTROL, true}, {'O', true}, {'O', false}, {VK_CONTROL, false}, {VK_F5, true}, {VK_F5, false}});
    EXPECT_TRUE(tests::LoopUntil([&] { return form->Clicked.size() == 2; }));
    EXPECT_EQ(form->Clicked, (std::vector<std::string>{"Open1", "Deep1"}));
    EXPECT_EQ(Get<TEdit>("Edit1")->Text(), L"") << "the keys did not reach the edit";

    // A disabled item's shortcut does nothing.
    form->Clicked.clear();
    Get<TMenuItem>("Open1")->SetEnabled(false);
    EXPECT_FALSE(form->IsShortCut(ShortCut('O', scCtrl)));
    EXPECT_TRUE(form->Clicked.empty());
}

TEST_F(Menus, OwnerDrawnItemsAreMeasuredAndDrawnByTheirItems)
{
    auto* menu = Get<TMainMenu>("MainMenu1");
    auto* grid = Get<TMenuItem>("Grid1");
    std::vector<std::string> calls;
    grid->OnMeasureItem = TMenuMeasureItemEvent([&](TObject*, TCanvas*, int& width, int& height) {
        calls.push_back("measure");
        width = 150, height = 30;
    });
    grid->OnDrawItem = TMenuDrawItemEvent([&](TObject*, TCanvas* canvas, const RECT& r, bool) {
        calls.push_back("draw");
        canvas->Brush()->SetColor(clFuchsia);
        canvas->FillRect(r);
    });
    menu->SetOwnerDraw(true);
    HMENU viewMenu = Get<TMenuItem>("View1")->Handle();
    EXPECT_TRUE(EntryAt(viewMenu, 0).fType & MFT_OWNERDRAW);

    // The messages as the platform sends them to the form.
    MEASUREITEMSTRUCT measure{ODT_MENU, 0, grid->Command(), 0, 0, 0};
    EXPECT_TRUE(SendMessageW(form->Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure)));
    EXPECT_EQ(measure.itemWidth, 150u);
    EXPECT_EQ(measure.itemHeight, 30u);
    TBitmap target(150, 30);
    DRAWITEMSTRUCT draw{ODT_MENU, 0, grid->Command(), ODA_DRAWENTIRE, 0,
                        reinterpret_cast<HWND>(viewMenu), target.Canvas()->Handle(), {0, 0, 150, 30}, 0};
    EXPECT_TRUE(SendMessageW(form->Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw)));
    GdiFlush();
    EXPECT_EQ(tests::At(target, 75, 15), tests::Magenta);
    EXPECT_EQ(calls, (std::vector<std::string>{"measure", "draw"}));

    // An item without handlers is measured from its text and drawn plainly.
    auto* open = Get<TMenuItem>("Open1");
    MEASUREITEMSTRUCT plain{ODT_MENU, 0, open->Command(), 0, 0, 0};
    SendMessageW(form->Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&plain));
    EXPECT_GT(plain.itemWidth, 60u);
    EXPECT_GE(plain.itemHeight, 16u);

    menu->SetOwnerDraw(false);
    EXPECT_FALSE(EntryAt(viewMenu, 0).fType & MFT_OWNERDRAW);
}

// The platform itself asks for the owner-drawn items when it shows a menu.
TEST_F(Menus, AnOpenDropDownAsksForItsOwnerDrawnItems)
{
    auto* menu = Get<TMainMenu>("MainMenu1");
    auto* open = Get<TMenuItem>("Open1");
    int measured = 0, drawn = 0;
    open->OnMeasureItem = TMenuMeasureItemEvent([&](TObject*, TCanvas*, int&, int&) { ++measured; });
    open->OnDrawItem = TMenuDrawItemEvent([&](TObject*, TCanvas*, const RECT&, bool) { ++drawn; });
    menu->SetOwnerDraw(true);
    std::atomic<bool> stop{false};
    std::thread closer([&] {  // closes the drop-down once it has been drawn
        while (!stop && drawn == 0)
            Sleep(20);
        Sleep(100);
        PostMessageW(form->Handle(), WM_CANCELMODE, 0, 0);
    });
    auto* popup = new TPopupMenu(form.get());
    popup->SetOwnerDraw(true);
    auto* item = new TMenuItem(form.get());
    item->SetCaption(L"drawn");
    item->OnDrawItem = open->OnDrawItem;
    item->OnMeasureItem = open->OnMeasureItem;
    popup->Items()->Add(item);
    popup->Popup(100, 100);
    stop = true;
    closer.join();
    EXPECT_GT(measured, 0);
    EXPECT_GT(drawn, 0);
}

TEST_F(Menus, APopupOpensOnRightClickAndContextKeyAndRunsTheChosenItem)
{
    auto* popup = Get<TPopupMenu>("PopupMenu1");
    auto* panel = Get<TPanel>("Panel1");
    int opened = 0;
    popup->OnPopup = TNotifyEvent([&](TObject*) { ++opened; });

    // A helper thread answers the menu with real keys: down to the second
    // item, Enter.
    const auto answer = [] {
        return std::thread([] {
            for (int i = 0; i < 100 && !FindWindowW(L"#32768", nullptr); ++i)
                Sleep(20);
            Sleep(100);
            tests::SendKeys({{VK_DOWN, true}, {VK_DOWN, false}, {VK_DOWN, true}, {VK_DOWN, false},
                             {VK_RETURN, true}, {VK_RETURN, false}});
        });
    };
    {
        std::thread keys = answer();
        const POINT at = panel->ClientToScreen({20, 20});
        SendMessageW(panel->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(panel->Handle()), MAKELPARAM(at.x, at.y));
        keys.join();
    }
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(popup->PopupComponent(), panel);
    EXPECT_EQ(popup->PopupPoint().x, panel->ClientToScreen({20, 20}).x);
    EXPECT_EQ(form->Clicked, (std::vector<std::string>{"Paste1"}));

    // The context-menu key on the focused edit opens the menu at the edit.
    form->Clicked.clear();
    auto* edit = Get<TEdit>("Edit1");
    edit->SetFocus();
    {
        std::thread keys = answer();
        tests::SendKeys({{VK_APPS, true}, {VK_APPS, false}});
        EXPECT_TRUE(tests::LoopUntil([&] { return opened == 2; }));
        keys.join();
    }
    EXPECT_EQ(popup->PopupComponent(), edit);
    EXPECT_EQ(form->Clicked, (std::vector<std::string>{"Paste1"}));
}

TEST_F(Menus, ARightClickOnAWindowlessControlOpensItsParentsMenuUnlessItHasOne)
{
    auto* label = Get<TLabel>("Label1");
    auto* panel = Get<TPanel>("Panel1");
    auto* own = new TPopupMenu(form.get());
    auto* item = new TMenuItem(form.get());
    item->SetCaption(L"label item");
    own->Items()->Add(item);
    std::vector<TComponent*> openedFor;
    const auto closeAtOnce = [&](TPopupMenu* menu) {
        menu->OnPopup = TNotifyEvent([&, menu](TObject*) {
            openedFor.push_back(menu->PopupComponent());
            PostMessageW(form->Handle(), WM_CANCELMODE, 0, 0);
        });
    };
    closeAtOnce(own);
    closeAtOnce(Get<TPopupMenu>("PopupMenu1"));
    const LPARAM onLabel = MAKELPARAM(label->Left() + 2, label->Top() + 2);
    SendMessageW(panel->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, onLabel);
    SendMessageW(panel->Handle(), WM_RBUTTONUP, 0, onLabel);
    label->SetPopupMenu(own);
    SendMessageW(panel->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, onLabel);
    SendMessageW(panel->Handle(), WM_RBUTTONUP, 0, onLabel);
    EXPECT_EQ(openedFor, (std::vector<TComponent*>{panel, label}));

    delete own;  // the label forgets it
    EXPECT_EQ(label->PopupMenu(), nullptr);
}

TEST_F(Menus, AMenuGoneOrTakenOverLeavesNoDeadBar)
{
    auto* menu = Get<TMainMenu>("MainMenu1");
    TForm other(nullptr);
    other.HandleNeeded();
    other.SetMenu(menu);  // one menu bar, one window
    EXPECT_EQ(form->Menu(), nullptr);
    EXPECT_EQ(GetMenu(form->Handle()), nullptr);
    EXPECT_EQ(GetMenu(other.Handle()), menu->Handle());
    delete menu;
    EXPECT_EQ(other.Menu(), nullptr);
    EXPECT_EQ(GetMenu(other.Handle()), nullptr);
}

TEST(ImageLists, MaskedPicturesDrawWithTheirTransparencyAndReadFromFormData)
{
    // Two 4 x 4 pictures side by side: red with a magenta corner, green.
    TBitmap strip(8, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x)
            strip.Canvas()->SetPixel(x, y, x < 4 ? (x == 0 && y == 0 ? clFuchsia : 0x0000FF) : 0x00FF00);
    TImageList list(nullptr);
    list.SetWidth(4);
    list.SetHeight(4);
    EXPECT_EQ(list.AddMasked(strip, clFuchsia), 0);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(strip.Canvas()->Pixel(0, 0), RGB(255, 0, 255)) << "the caller's picture is left as it was";

    TBitmap target(8, 4);
    tests::FillBitmap(target, tests::Rgb(0, 0, 255));
    list.Draw(target.Canvas(), 0, 0, 0);
    list.Draw(target.Canvas(), 4, 0, 1);
    GdiFlush();
    EXPECT_EQ(tests::At(target, 0, 0), tests::Rgb(0, 0, 255)) << "the masked pixel shows what was under it";
    EXPECT_EQ(tests::At(target, 1, 0), tests::Rgb(255, 0, 0));
    EXPECT_EQ(tests::At(target, 5, 2), tests::Rgb(0, 255, 0));

    // The same strip from form data.
    RegisterFrameworkClasses();
    TMemoryStream bmp;
    strip.SaveToStream(bmp);
    std::string hex;
    for (std::uint8_t b : bmp.Bytes()) {
        char two[3];
        std::snprintf(two, 3, "%02X", b);
        hex += two;
    }
    TForm form(nullptr);
    ReadComponent("object F: TForm\n  object ImageList1: TImageList\n    Width = 4\n    Height = 4\n"
                  "    Bitmap = {" + hex + "}\n  end\nend\n",
                  form);
    EXPECT_EQ(FindComponentOf<TImageList>(form, "ImageList1")->Count(), 2);

    TImageList wrong(nullptr);
    wrong.SetWidth(3);
    TForm other(nullptr);
    EXPECT_THROW(ReadComponent("object F: TForm\n  object ImageList1: TImageList\n    Width = 3\n"
                               "    Bitmap = {" + hex + "}\n  end\nend\n",
                               other),
                 EReadError) << "pictures that do not fit the size are refused";
}

TEST_F(Menus, ItemsWithPicturesAskForThemAndDrawThemFromTheImageList)
{
    auto* images = new TImageList(form.get());
    images->SetWidth(4);
    images->SetHeight(4);
    TBitmap red(4, 4);
    red.Canvas()->Brush()->SetColor(0x0000FF);
    red.Canvas()->FillRect({0, 0, 4, 4});
    images->AddMasked(red, clFuchsia);
    auto* menu = Get<TMainMenu>("MainMenu1");
    auto* grid = Get<TMenuItem>("Grid1");
    grid->SetImageIndex(0);
    menu->SetImages(images);

    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_BITMAP;
    GetMenuItemInfoW(Get<TMenuItem>("View1")->Handle(), 0, TRUE, &info);
    EXPECT_EQ(info.hbmpItem, HBMMENU_CALLBACK);

    MEASUREITEMSTRUCT measure{ODT_MENU, 0, grid->Command(), 0, 0, 0};
    SendMessageW(form->Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
    EXPECT_EQ(measure.itemWidth, 4u);
    TBitmap target(4, 4);
    DRAWITEMSTRUCT draw{ODT_MENU, 0, grid->Command(), ODA_DRAWENTIRE, 0, nullptr, target.Canvas()->Handle(),
                        {0, 0, 4, 4}, 0};
    SendMessageW(form->Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
    GdiFlush();
    EXPECT_EQ(tests::At(target, 2, 2), tests::Rgb(255, 0, 0));

    delete images;  // the menu forgets it
    EXPECT_EQ(menu->Images(), nullptr);
}
