// The skinner of one popup-menu window ("#32768": a context menu, a drop-down
// of a menu bar, the system menu). It takes over the window's procedure and
// paints the whole window, its border included, with the skin's
// MenuBackground picture at the window's size. The items themselves are
// owner-drawn by the skin elsewhere; they copy their background from the
// picture kept here, so the menu reads as one surface.
#pragma once

#include <windows.h>

#include <memory>

#include "skin/window/SkinParts.h"
#include "skin/window/WindowHooks.h"
#include "ui/graphics/Graphics.h"

namespace skin {

class TSkinData;

class TPopupMenuSkin : public TWinSkinPopMenu {
public:
    TPopupMenuSkin(HWND window, TSkinData& skinData);
    // Gives the window its procedure back.
    ~TPopupMenuSkin() override;

    HWND Window() const override { return window_; }
    HMENU Menu() const override { return menu_; }
    void SetMenu(HMENU menu) override { menu_ = menu; }
    // The picture of the whole window; empty before the window has a size
    // or when the skin has no MenuBackground picture.
    ui::TBitmap* Bitmap() const override { return background_.get(); }

private:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    bool UsableBackground() const;
    // Builds the picture for the window's present size (once per size).
    void BuildBackground();
    // The window's border from the picture.
    void PaintFrame();
    // The parts of the client area no item covers, from the picture (the
    // system fills them with its menu colour).
    void PaintMargins(HDC dc);
    // WM_PRINT and WM_PRINTCLIENT: the window or its client area into dc.
    LRESULT Print(HDC dc, LPARAM flags);
    LRESULT PrintClient(HDC dc, LPARAM flags);

    HWND window_;
    TSkinData& skinData_;
    HMENU menu_ = nullptr;
    std::unique_ptr<ui::TBitmap> background_;
    std::unique_ptr<TWindowSubclass> subclass_;
};

} // namespace skin
