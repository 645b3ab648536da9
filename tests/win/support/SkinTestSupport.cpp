#include "tests/win/support/SkinTestSupport.h"

#include <gtest/gtest.h>

#include "app/Startup.h"
#include "app/Unit_main.h"
#include "skin/window/SkinMessages.h"
#include "tests/win/support/WindowTestSupport.h"

namespace tests {

namespace {

// Every test starts without a skin manager: one a test made (reading the
// main window makes one) goes when the test ends, so the windows of later
// tests are skinned only where they ask for it.
class TFreeSkinManagerAfterEachTest : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo&) override { skin::FreeGlobalSkinManage(); }
};

const bool listenerInstalled = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new TFreeSkinManagerAfterEachTest);
    return true;
}();

LRESULT CALLBACK DialogProc(HWND, UINT msg, WPARAM, LPARAM)
{
    return msg == WM_INITDIALOG;
}

// A dialog template in memory: the header, no menu, the standard class, the
// caption; the font is left out (no DS_SETFONT).
std::vector<WORD> DialogTemplate(DWORD style, const std::wstring& caption)
{
    std::vector<WORD> t(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
    auto& header = *reinterpret_cast<DLGTEMPLATE*>(t.data());
    header.style = style;
    header.cdit = 0;
    header.x = 20;
    header.y = 20;
    header.cx = 160;
    header.cy = 60;
    t.push_back(0);  // no menu
    t.push_back(0);  // the standard dialog class
    t.insert(t.end(), caption.begin(), caption.end());
    t.push_back(0);
    return t;
}

} // namespace

const std::vector<std::uint8_t>& CompiledInSkinPackage()
{
    static const std::vector<std::uint8_t> package = [] {
        app::RegisterAppClasses();
        const auto form = std::make_unique<app::TForm_main>(nullptr);
        std::vector<std::uint8_t> bytes = form->SkinData1->SkinPackage();
        skin::FreeGlobalSkinManage();  // the one reading the form made
        return bytes;
    }();
    return package;
}

TSkinTestBed::TSkinTestBed(const std::function<void(skin::TSkinData&)>& configure)
{
    const std::vector<std::uint8_t>& package = CompiledInSkinPackage();
    skin::FreeGlobalSkinManage();
    data_ = std::make_unique<skin::TSkinData>(nullptr);
    data_->BeginLoading();
    data_->SetActive(true);
    data_->SetSkinPackage(package);
    data_->LoadSkin();
    if (configure)
        configure(*data_);
    data_->EndLoading();
    data_->Loaded();
}

TSkinTestBed::~TSkinTestBed()
{
    skin::FreeGlobalSkinManage();
    Pump();
}

skin::TWinSkinForm* TSkinTestBed::WaitSkinned(HWND window) const
{
    skin::TWinSkinForm* controller = nullptr;
    PumpUntil(
        [&] {
            controller = skin::GlobalSkinManage() ? skin::GlobalSkinManage()->FindController(window) : nullptr;
            return controller && controller->SkinState == skin::TSkinState::Running;
        },
        2s);
    return controller && controller->SkinState == skin::TSkinState::Running ? controller : nullptr;
}

skin::TWinSkinForm* TSkinTestBed::Skin(HWND window) const
{
    Manager().Active = true;
    Manager().TrySkinWindow(window);
    return WaitSkinned(window);
}

std::unique_ptr<ui::TForm> UnshownForm(ui::TFormBorderStyle style, const RECT& bounds, int tag)
{
    auto form = std::make_unique<ui::TForm>(nullptr);
    form->SetBorderStyle(style);
    form->SetTag(tag);
    form->SetPosition(ui::TPosition::poDesigned);
    form->SetBounds(bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top);
    form->SetCaption(L"Skinned form");
    return form;
}

std::unique_ptr<ui::TForm> ShowForm(ui::TFormBorderStyle style, const RECT& bounds, int tag)
{
    auto form = UnshownForm(style, bounds, tag);
    form->Show();
    SetForegroundWindow(form->Handle());
    Pump();
    return form;
}

TBareWindow::TBareWindow(HINSTANCE instance, const std::wstring& className, DWORD style, const RECT& bounds)
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExW(instance, className.c_str(), &wc)) {
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = className.c_str();
        RegisterClassExW(&wc);
    }
    window_ = CreateWindowExW(0, className.c_str(), L"Bare window", style, bounds.left, bounds.top,
                              bounds.right - bounds.left, bounds.bottom - bounds.top, nullptr, nullptr, instance, nullptr);
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
    Pump();
}

TBareWindow::~TBareWindow()
{
    DestroyWindow(window_);
    Pump();
}

TStandardDialog::TStandardDialog(HINSTANCE instance, DWORD style, const std::wstring& caption)
{
    const std::vector<WORD> t = DialogTemplate(style, caption);
    window_ = CreateDialogIndirectParamW(instance, reinterpret_cast<const DLGTEMPLATE*>(t.data()), nullptr,
                                         reinterpret_cast<DLGPROC>(DialogProc), 0);
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
    Pump();
}

TStandardDialog::~TStandardDialog()
{
    DestroyWindow(window_);
    Pump();
}

HINSTANCE ForeignModule()
{
    return GetModuleHandleW(L"kernel32.dll");
}

SIZE ClientSize(HWND window)
{
    RECT r{};
    GetClientRect(window, &r);
    return {r.right - r.left, r.bottom - r.top};
}

SIZE WindowSize(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    return {r.right - r.left, r.bottom - r.top};
}

WNDPROC WindowProcedure(HWND window)
{
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
}

bool AnswersSkinQuery(HWND window)
{
    return SendMessageW(window, skin::WM_SKINQUERY, 0, 0) == 1;
}

} // namespace tests
