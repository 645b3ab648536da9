// Helpers for tests of window skinning: a skin manager with the compiled-in
// skin, windows of the kinds the manager tells apart, and waiting for a
// window's first skinning.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <ostream>
#include <memory>
#include <string>
#include <vector>

#include "skin/controls/SkinDiscovery.h"
#include "skin/data/WinSkinData.h"
#include "skin/window/SkinManage.h"
#include "skin/window/SkinParts.h"
#include "skin/window/WinSkinForm.h"
#include "ui/forms/Forms.h"

// Sizes compare and print in test expectations.
inline bool operator==(SIZE a, SIZE b)
{
    return a.cx == b.cx && a.cy == b.cy;
}
inline std::ostream& operator<<(std::ostream& out, SIZE s)
{
    return out << s.cx << "x" << s.cy;
}

namespace tests {

// The compiled-in skin package, as the main window stores it.
const std::vector<std::uint8_t>& CompiledInSkinPackage();

// The control-discovery slots filled for the test's lifetime, empty again after.
struct TControlSkinning {
    TControlSkinning() { skin::InstallControlSkinning(); }
    ~TControlSkinning()
    {
        skin::SkinParts().SkinFormControls = nullptr;
        skin::SkinParts().SkinChildWindows = nullptr;
        skin::SkinParts().SkinWindowByClass = nullptr;
    }
};

// A skin data of the compiled-in skin, set up as the main window's is when it
// is read (active, sfMainform): its Loaded makes the skin manager, which then
// skins the windows the test activates. The manager is freed when the bed goes.
class TSkinTestBed {
public:
    // configure: changes to the skin data's stored properties before Loaded.
    explicit TSkinTestBed(const std::function<void(skin::TSkinData&)>& configure = {});
    ~TSkinTestBed();
    TSkinTestBed(const TSkinTestBed&) = delete;
    TSkinTestBed& operator=(const TSkinTestBed&) = delete;

    skin::TSkinManage& Manager() const { return *skin::GlobalSkinManage(); }
    skin::TSkinData& Data() const { return *data_; }
    // The controller of window once its first skinning is done, or null when
    // the window is not skinned within the time.
    skin::TWinSkinForm* WaitSkinned(HWND window) const;
    // Switches the manager off: windows made now stay unskinned until Skin.
    void HoldBack() const { Manager().Active = false; }
    // Switches the manager on and hands it the window; the controller once
    // the first skinning is done, or null.
    skin::TWinSkinForm* Skin(HWND window) const;

private:
    std::unique_ptr<skin::TSkinData> data_;
};

// A framework form made in code at `bounds`, not shown yet: a running
// skin manager skins it as it shows.
std::unique_ptr<ui::TForm> UnshownForm(ui::TFormBorderStyle style, const RECT& bounds, int tag = 0);
// The same form shown (which activates it).
std::unique_ptr<ui::TForm> ShowForm(ui::TFormBorderStyle style, const RECT& bounds, int tag = 0);

// A bare top-level window (no framework form) of a test class registered
// for `instance`: the program's module, or another module to stand for a
// window of another library.
class TBareWindow {
public:
    TBareWindow(HINSTANCE instance, const std::wstring& className, DWORD style, const RECT& bounds);
    ~TBareWindow();
    TBareWindow(const TBareWindow&) = delete;
    TBareWindow& operator=(const TBareWindow&) = delete;
    HWND Handle() const { return window_; }

private:
    HWND window_;
};

// A standard dialog ("#32770") made from a template in memory, owned by
// `instance`, with one button; shown and active.
class TStandardDialog {
public:
    TStandardDialog(HINSTANCE instance, DWORD style, const std::wstring& caption);
    ~TStandardDialog();
    TStandardDialog(const TStandardDialog&) = delete;
    TStandardDialog& operator=(const TStandardDialog&) = delete;
    HWND Handle() const { return window_; }

private:
    HWND window_;
};

// Another module of the process, whose instance stands for a library's.
HINSTANCE ForeignModule();

SIZE ClientSize(HWND window);
SIZE WindowSize(HWND window);
WNDPROC WindowProcedure(HWND window);
// Whether the window answers WM_SKINQUERY with 1: it wears the skin.
bool AnswersSkinQuery(HWND window);

} // namespace tests
