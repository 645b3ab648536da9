// The skin manager on real windows: which windows it skins (through its
// window hook and through the skin-wide actions), the skin data it picks for
// a window, the actions a skin data asks for at run time, popup menus, and
// the helpers the skinners share.
#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <thread>

#include "skin/draw/SkinDraw.h"
#include "skin/window/SkinMessages.h"
#include "skin/window/SkinParts.h"
#include "tests/support/TempDir.h"
#include "tests/win/support/MessageRecorder.h"
#include "tests/win/support/SkinTestSupport.h"
#include "tests/win/support/WindowTestSupport.h"
#include "ui/controls/ExtCtrls.h"

using namespace skin;
using namespace tests;
using ui::TFormBorderStyle;

namespace {

constexpr RECT Bounds{80, 80, 400, 280};

// Runs the manager's pending action now instead of waiting for its timer.
void WaitForAction(const TSkinManage& manager)
{
    PumpUntil([&] { return manager.PendingSkinData == nullptr; }, 3s);
}

// A window whose own procedure says it wears a skin already.
LRESULT CALLBACK SkinnedElsewhere(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return msg == WM_SKINQUERY ? 1 : DefWindowProcW(window, msg, wParam, lParam);
}

} // namespace

TEST(SkinManager, AFormWithTag99IsNeverSkinned)
{
    TSkinTestBed bed;
    const auto form = ShowForm(TFormBorderStyle::bsSizeable, Bounds, 99);
    const auto other = ShowForm(TFormBorderStyle::bsSizeable, Bounds);
    ASSERT_TRUE(bed.WaitSkinned(other->Handle())) << "activation skins an ordinary form";
    EXPECT_FALSE(AnswersSkinQuery(form->Handle())) << "activation left the Tag 99 form alone";
    EXPECT_FALSE(bed.Manager().TrySkinWindow(form->Handle()));
    bed.Manager().PendingSkinData = &bed.Data();
    bed.Manager().ScheduleAction(TSkinAction::SkinAll, 10);
    WaitForAction(bed.Manager());
    EXPECT_FALSE(AnswersSkinQuery(form->Handle())) << "so did the skin-all action";
}

TEST(SkinManager, WindowsOfOtherModulesAreSkinnedOnlyWhenStandardDialogs)
{
    struct Case {
        const char* what;
        bool foreign, dialog;
        DWORD dialogStyle;
        bool skinned;
    };
    const Case cases[] = {
        {"a window of the program", false, false, 0, true},
        {"a window of another module", true, false, 0, false},
        {"a standard dialog of another module", true, true, 0, true},
        {"a standard dialog of the program", false, true, 0, true},
        {"a standard dialog that sets itself foreground", true, true, DS_SETFOREGROUND, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TSkinTestBed bed;
        const HINSTANCE instance = c.foreign ? ForeignModule() : GetModuleHandleW(nullptr);
        std::unique_ptr<TBareWindow> bare;
        std::unique_ptr<TStandardDialog> dialog;
        HWND window;
        if (c.dialog) {
            dialog = std::make_unique<TStandardDialog>(instance, WS_POPUP | WS_CAPTION | WS_SYSMENU | c.dialogStyle,
                                                       L"Dialog");
            window = dialog->Handle();
        } else {
            bare = std::make_unique<TBareWindow>(instance, L"SkinTestModule", WS_OVERLAPPEDWINDOW, Bounds);
            window = bare->Handle();
        }
        EXPECT_EQ(bed.WaitSkinned(window) != nullptr, c.skinned);
    }
}

TEST(SkinManager, WindowsTheManagerLeavesAlone)
{
    TSkinTestBed bed;
    // No area.
    TBareWindow flat(GetModuleHandleW(nullptr), L"SkinTestFlat", WS_POPUP, {10, 10, 10, 40});
    EXPECT_FALSE(bed.Manager().TrySkinWindow(flat.Handle()));
    // The hidden application window.
    EXPECT_FALSE(bed.Manager().TrySkinWindow(ui::Application()->Handle()));
    // A window that wears a skin of someone else's.
    WNDCLASSW wc{};
    wc.lpfnWndProc = SkinnedElsewhere;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"SkinTestSkinnedElsewhere";
    RegisterClassW(&wc);
    TBareWindow elsewhere(GetModuleHandleW(nullptr), L"SkinTestSkinnedElsewhere", WS_OVERLAPPEDWINDOW, Bounds);
    EXPECT_FALSE(bed.Manager().TrySkinWindow(elsewhere.Handle()));
    EXPECT_EQ(bed.Manager().FindController(elsewhere.Handle()), nullptr);
    // A window the manager skinned already gets no second controller.
    TBareWindow once(GetModuleHandleW(nullptr), L"SkinTestBare", WS_OVERLAPPEDWINDOW, Bounds);
    ASSERT_TRUE(bed.WaitSkinned(once.Handle()));
    EXPECT_FALSE(bed.Manager().TrySkinWindow(once.Handle()));
    EXPECT_EQ(bed.Manager().Controllers().size(), 1u);
    // Nothing at all while the manager is off.
    bed.HoldBack();
    TBareWindow later(GetModuleHandleW(nullptr), L"SkinTestBare", WS_OVERLAPPEDWINDOW, Bounds);
    EXPECT_FALSE(bed.Manager().TrySkinWindow(later.Handle()));
}

TEST(SkinManager, TheMainSkinDataHasTheLastWordOnAWindow)
{
    std::vector<std::wstring> asked;
    bool answer = true;
    TSkinTestBed bed([&](TSkinData& data) {
        data.SetOptions(data.Options() & ~SetOf(xoPreview));
        data.OnFormSkin = TOnFormSkin([&](ui::TObject*, const std::wstring& name, bool& doSkin) {
            asked.push_back(name + (doSkin ? L" yes" : L" no"));
            doSkin = answer;
        });
    });
    bed.HoldBack();
    TBareWindow preview(GetModuleHandleW(nullptr), L"SkinTestPreviewPane", WS_OVERLAPPEDWINDOW, Bounds);
    TBareWindow plain(GetModuleHandleW(nullptr), L"SkinTestPlain", WS_OVERLAPPEDWINDOW, Bounds);
    bed.Manager().Active = true;
    EXPECT_TRUE(bed.Manager().TrySkinWindow(preview.Handle())) << "the handler overrules the preview rule";
    answer = false;
    EXPECT_FALSE(bed.Manager().TrySkinWindow(plain.Handle()));
    EXPECT_EQ(asked, (std::vector<std::wstring>{L"SkinTestPreviewPane no", L"SkinTestPlain yes"}))
        << "the handler starts from the manager's own answer";
}

TEST(SkinManager, TheSkinDataForAWindowGoesByKindThenRegistration)
{
    TSkinTestBed bed;
    TSkinManage& manager = bed.Manager();
    ui::TForm ownForm(nullptr);
    ownForm.HandleNeeded();
    auto makeData = [&](TSkinFormType type, ui::TComponent* owner) {
        auto data = std::make_unique<TSkinData>(owner);
        data->SetSkinFormtype(type);
        manager.RegisterSkinData(data.get());
        return data;
    };
    const auto dialogData = makeData(TSkinFormType::sfDialog, nullptr);
    const auto ownData = makeData(TSkinFormType::sfOnlyThisForm, &ownForm);
    const auto laterMain = makeData(TSkinFormType::sfMainform, nullptr);
    TStandardDialog dialog(GetModuleHandleW(nullptr), WS_POPUP | WS_CAPTION, L"D");
    TBareWindow bare(GetModuleHandleW(nullptr), L"SkinTestBare", WS_OVERLAPPEDWINDOW, Bounds);

    EXPECT_EQ(manager.FindSkinDataFor(ownForm.Handle()), ownData.get());
    EXPECT_EQ(manager.FindSkinDataFor(dialog.Handle()), dialogData.get());
    EXPECT_EQ(manager.FindSkinDataFor(bare.Handle()), laterMain.get()) << "the last main skin data";
    EXPECT_EQ(manager.MainSkinData, &bed.Data()) << "the first main skin data decides for every window";

    manager.UnregisterSkinData(laterMain.get());
    manager.UnregisterSkinData(&bed.Data());
    EXPECT_EQ(manager.FindSkinDataFor(bare.Handle()), dialogData.get()) << "none of the kind: the first one";
    EXPECT_EQ(manager.MainSkinData, nullptr) << "an unregistered skin data is not kept";
}

TEST(SkinManager, ASkinDataThatGoesTakesItsSkinOffTheWindows)
{
    TSkinTestBed bed;
    auto second = std::make_unique<TSkinData>(nullptr);
    second->SetSkinPackage(CompiledInSkinPackage());
    ASSERT_TRUE(second->LoadSkin());
    bed.Manager().RegisterSkinData(second.get());  // the last main one: it serves new windows
    bed.HoldBack();
    const auto form = ShowForm(TFormBorderStyle::bsSizeable, Bounds);
    const WNDPROC own = WindowProcedure(form->Handle());
    const SIZE client = ClientSize(form->Handle());
    TWinSkinForm* controller = bed.Skin(form->Handle());
    ASSERT_TRUE(controller);
    ASSERT_EQ(controller->SkinData, second.get());
    second.reset();
    EXPECT_EQ(bed.Manager().FindController(form->Handle()), nullptr);
    EXPECT_EQ(WindowProcedure(form->Handle()), own);
    EXPECT_EQ(ClientSize(form->Handle()), client);
    EXPECT_EQ(bed.Manager().FindSkinDataFor(form->Handle()), &bed.Data());
}

// A handler that shows several forms before it returns to the message loop:
// each is skinned as soon as it is shown, not left without a frame until the
// posted first skinning, which then changes nothing.
// Each form is dressed before the system shows it, so it first appears
// skinned, at its skinned size.
TEST(SkinManager, FormsShownByOneHandlerAreSkinnedAsTheyAreShown)
{
    std::map<HWND, int> skinnings;
    std::map<HWND, bool> shownWhenSkinned;
    TSkinTestBed bed([&](TSkinData& data) {
        data.OnAfterSkinForm = TOnSkinForm([&](ui::TObject*, HWND window, const std::wstring&) {
            ++skinnings[window];
            shownWhenSkinned[window] = IsWindowVisible(window) != FALSE;
        });
    });
    std::vector<std::unique_ptr<ui::TForm>> forms;
    std::vector<SIZE> clients;
    for (int i = 0; i < 3; ++i) {
        auto form = std::make_unique<ui::TForm>(nullptr);
        form->SetPosition(ui::TPosition::poDesigned);
        form->SetBounds(80 + 40 * i, 80 + 40 * i, 300, 200);
        form->Show();
        clients.push_back(ClientSize(form->Handle()));
        forms.push_back(std::move(form));
    }
    for (const auto& form : forms) {
        const HWND window = form->Handle();
        MSG start{};
        EXPECT_TRUE(PeekMessageW(&start, window, WM_SKINSTART, WM_SKINSTART, PM_NOREMOVE))
            << "the posted start is still to come";
        const TWinSkinForm* controller = bed.Manager().FindController(window);
        ASSERT_TRUE(controller);
        EXPECT_EQ(controller->SkinState, TSkinState::Running);
    }
    Pump();
    for (size_t i = 0; i < forms.size(); ++i) {
        EXPECT_EQ(skinnings[forms[i]->Handle()], 1) << "skinned once";
        EXPECT_FALSE(shownWhenSkinned[forms[i]->Handle()]) << "skinned before it was shown";
        EXPECT_EQ(ClientSize(forms[i]->Handle()).cx, clients[i].cx);
        EXPECT_EQ(ClientSize(forms[i]->Handle()).cy, clients[i].cy);
    }
}

TEST(SkinManager, SkinAllBeforeAnyActivationOnlySwitchesTheManagerOn)
{
    FreeGlobalSkinManage();
    TSkinManage& manager = CreateGlobalSkinManage();
    ASSERT_EQ(manager.State, TManageState::Created);
    manager.ScheduleAction(TSkinAction::SkinAll, 10);
    EXPECT_TRUE(manager.Active);
    EXPECT_FALSE(manager.ActionTimer().Enabled()) << "the hook skins windows as they are activated";
    manager.ScheduleAction(TSkinAction::UnskinAll, 10);
    EXPECT_FALSE(manager.Active);
    EXPECT_FALSE(manager.ActionTimer().Enabled());
}

TEST(SkinManager, SwitchingTheSkinOffAndOnUnskinsAndReskinsEveryForm)
{
    TSkinTestBed bed;
    bed.HoldBack();
    const auto sizeable = ShowForm(TFormBorderStyle::bsSizeable, Bounds);
    const auto dialog = ShowForm(TFormBorderStyle::bsDialog, {100, 120, 300, 260});
    const std::vector<HWND> windows{sizeable->Handle(), dialog->Handle()};
    std::vector<SIZE> clients;
    std::vector<WNDPROC> procedures;
    for (HWND w : windows) {
        clients.push_back(ClientSize(w));
        procedures.push_back(WindowProcedure(w));
        ASSERT_TRUE(bed.Skin(w));
    }
    int changed = 0;
    bed.Data().OnSkinChanged = ui::TNotifyEvent([&](ui::TObject*) { ++changed; });

    bed.Data().SetActive(false);
    WaitForAction(bed.Manager());
    EXPECT_EQ(changed, 1);
    EXPECT_TRUE(bed.Manager().Controllers().empty());
    for (size_t i = 0; i < windows.size(); ++i) {
        EXPECT_FALSE(AnswersSkinQuery(windows[i]));
        EXPECT_EQ(WindowProcedure(windows[i]), procedures[i]);
        EXPECT_EQ(ClientSize(windows[i]).cx, clients[i].cx);
        EXPECT_EQ(ClientSize(windows[i]).cy, clients[i].cy);
    }
    bed.Data().SetActive(true);
    WaitForAction(bed.Manager());
    EXPECT_EQ(changed, 2);
    for (size_t i = 0; i < windows.size(); ++i) {
        EXPECT_TRUE(bed.WaitSkinned(windows[i])) << "form " << i;
        EXPECT_EQ(ClientSize(windows[i]).cx, clients[i].cx);
        EXPECT_EQ(ClientSize(windows[i]).cy, clients[i].cy);
    }
}

TEST(SkinManager, ASkinFileLoadedAtRunTimeReskinsTheWindowsThatUseIt)
{
    TTempDir dir;
    const std::wstring path = dir / L"again.skn";
    const auto& package = CompiledInSkinPackage();
    WriteBytes(path, std::string(package.begin(), package.end()));
    TSkinTestBed bed;
    bed.HoldBack();
    const auto form = ShowForm(TFormBorderStyle::bsSizeable, Bounds);
    TMessageRecorder below(form->Handle(), {WM_SKINDONE});
    TWinSkinForm* controller = bed.Skin(form->Handle());
    ASSERT_TRUE(controller);
    below.Clear();
    const SIZE client = ClientSize(form->Handle());
    int changed = 0;
    bed.Data().OnSkinChanged = ui::TNotifyEvent([&](ui::TObject*) { ++changed; });

    bed.Data().SetSkinFile(path);
    EXPECT_FALSE(bed.Data().Empty());
    EXPECT_TRUE(controller->CaptionButtons.empty()) << "the old skin's caption buttons went at once";
    WaitForAction(bed.Manager());
    EXPECT_EQ(changed, 1);
    EXPECT_EQ(below.Count(WM_SKINDONE), 1) << "the window was skinned again";
    EXPECT_EQ(controller->CaptionButtons.size(), bed.Data().TitleButtons.size());
    EXPECT_EQ(ClientSize(form->Handle()).cx, client.cx);
    EXPECT_EQ(ClientSize(form->Handle()).cy, client.cy);
}

TEST(SkinManager, ASkinFileThatCannotBeLoadedChangesNoWindow)
{
    TTempDir dir;
    const std::wstring path = dir / L"broken.skn";
    WriteBytes(path, "not a skin package at all");
    TSkinTestBed bed;
    const auto form = ShowForm(TFormBorderStyle::bsSizeable, Bounds);
    TWinSkinForm* controller = bed.WaitSkinned(form->Handle());
    ASSERT_TRUE(controller);
    const SIZE size = WindowSize(form->Handle());
    TErrorLog errors;
    bed.Data().SetSkinFile(path);
    EXPECT_FALSE(errors.Shown.empty()) << "the damage is reported";
    EXPECT_TRUE(bed.Data().Empty());
    EXPECT_TRUE(controller->CaptionButtons.empty()) << "no button points into the records the load replaced";
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    WaitForAction(bed.Manager());
    EXPECT_EQ(bed.Manager().FindController(form->Handle()), controller) << "the window keeps its controller";
    EXPECT_EQ(WindowSize(form->Handle()), size);
}

TEST(SkinManager, MessageBoxesAreSkinned)
{
    TSkinTestBed bed;
    TExpectedMessageBoxes expected;  // answered below
    std::atomic<bool> skinned{false}, found{false};
    std::thread answerer([&] {
        const auto end = std::chrono::steady_clock::now() + 5s;
        while (std::chrono::steady_clock::now() < end) {
            HWND box = FindWindowW(L"#32770", L"Skinned box");
            if (box && IsWindowVisible(box)) {
                found = true;
                DWORD_PTR answer = 0;
                for (int i = 0; i < 100 && !skinned; ++i) {
                    SendMessageTimeoutW(box, WM_SKINQUERY, 0, 0, SMTO_BLOCK, 1000, &answer);
                    skinned = answer == 1;
                    Sleep(20);
                }
                PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                return;
            }
            Sleep(20);
        }
    });
    MessageBoxW(nullptr, L"A message", L"Skinned box", MB_OK);
    answerer.join();
    EXPECT_TRUE(found);
    EXPECT_TRUE(skinned) << "the box got a controller while it was shown";
}

namespace {

// A popup skinner of a test: notes which windows it was made for.
class TRecordingPopup : public TWinSkinPopMenu {
public:
    TRecordingPopup(HWND window, std::vector<HWND>& alive) : window_(window), alive_(alive) { alive.push_back(window); }
    ~TRecordingPopup() override { std::erase(alive_, window_); }
    HWND Window() const override { return window_; }
    HMENU Menu() const override { return menu_; }
    void SetMenu(HMENU menu) override { menu_ = menu; }
    ui::TBitmap* Bitmap() const override { return nullptr; }

private:
    HWND window_;
    HMENU menu_ = nullptr;
    std::vector<HWND>& alive_;
};

// Puts a popup part in place for a test and takes it out again.
class TPopupPart {
public:
    TPopupPart() : previous_(SkinParts().CreatePopupSkinner)
    {
        SkinParts().CreatePopupSkinner = [this](HWND window, TSkinData&) {
            ++made;
            return std::make_unique<TRecordingPopup>(window, alive);
        };
    }
    ~TPopupPart() { SkinParts().CreatePopupSkinner = previous_; }
    int made = 0;
    std::vector<HWND> alive;

private:
    decltype(TSkinParts::CreatePopupSkinner) previous_;
};

} // namespace

TEST(SkinManager, PopupMenusAreSkinnedByTheKindAboutToOpen)
{
    struct Case {
        TPopupKind kind;
        TSkinControlType needed;
    };
    const Case cases[] = {{TPopupKind::Ordinary, xcPopupMenu}, {TPopupKind::MenuBarDropDown, xcMainMenu},
                          {TPopupKind::SystemMenu, xcSystemMenu}};
    for (const Case& c : cases) {
        for (const bool allowed : {true, false}) {
            SCOPED_TRACE(static_cast<int>(c.kind) * 2 + allowed);
            TSkinTestBed bed([&](TSkinData& data) {
                data.SetSkinControls(allowed ? SetOf(c.needed) | SetOf(xcMainMenu) : 0);
            });
            TPopupPart part;
            bed.HoldBack();  // not as a window of its own
            TBareWindow popup(GetModuleHandleW(nullptr), L"SkinTestPopup", WS_POPUP, {0, 0, 10, 10});
            bed.Manager().Active = true;
            bed.Manager().PendingPopupKind = c.kind;
            bed.Manager().SkinPopupWindow(popup.Handle());
            EXPECT_EQ(part.made, allowed ? 1 : 0);
            EXPECT_EQ(bed.Manager().IsPopupSkinned(popup.Handle()), allowed);
            EXPECT_EQ(bed.Manager().ReleasePopupWindow(popup.Handle()), allowed);
            EXPECT_EQ(bed.Manager().PendingPopupKind, TPopupKind::Ordinary) << "no popup left: back to ordinary";
        }
    }
}


TEST(SkinManager, TheHookSkinsAPopupMenuWindowWhileItIsOpen)
{
    TSkinTestBed bed;
    TPopupPart part;
    const auto form = ShowForm(TFormBorderStyle::bsSizeable, Bounds);
    const HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, 1, L"Item");
    SetTimer(nullptr, 0, 300, CloseMenuOnTimer);
    TrackPopupMenu(menu, TPM_RETURNCMD, 100, 100, 0, form->Handle(), nullptr);
    const int madeWhileOpen = part.made;
    DestroyMenu(menu);
    Pump();
    EXPECT_EQ(madeWhileOpen, 1) << "the popup window got a skinner";
    EXPECT_TRUE(part.alive.empty()) << "and lost it when it went";
}

TEST(SkinManagerHelpers, WindowTextWideEitherWay)
{
    TBareWindow w(GetModuleHandleW(nullptr), L"SkinTestBare", WS_OVERLAPPEDWINDOW, Bounds);
    SetWindowTextW(w.Handle(), L"Caption text");
    EXPECT_EQ(GetWindowTextWide(w.Handle()), L"Caption text");
    WideApis = false;
    EXPECT_EQ(GetWindowTextWide(w.Handle()), L"Caption text");
    WideApis = true;
}

TEST(SkinManagerHelpers, CopyBitmapTakesSizeFormatAndPixels)
{
    ui::TBitmap source(7, 5, ui::TPixelFormat::pf32bit);
    source.Canvas()->SetPixel(3, 2, ui::TColor{0x0000FF});
    ui::TBitmap target;
    CopyBitmap(source, target);
    EXPECT_EQ(target.Width(), 7);
    EXPECT_EQ(target.Height(), 5);
    EXPECT_EQ(target.PixelFormat(), ui::TPixelFormat::pf32bit);
    EXPECT_EQ(target.Canvas()->Pixel(3, 2), ui::ColorToRGB(ui::TColor{0x0000FF}));
}
