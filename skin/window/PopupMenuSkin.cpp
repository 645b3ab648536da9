#include "skin/window/PopupMenuSkin.h"

#include "skin/data/WinSkinData.h"
#include "skin/draw/SkinDraw.h"
#include "skin/window/SkinManage.h"
#include "skin/window/SkinMessages.h"

namespace skin {

using namespace ui;

namespace {

int Width(const RECT& r)
{
    return r.right - r.left;
}

int Height(const RECT& r)
{
    return r.bottom - r.top;
}

bool SkinIsOn()
{
    const TSkinManage* manager = GlobalSkinManage();
    return manager && manager->Active;
}

// Where the window's client area starts in the window.
POINT ClientOffset(HWND window)
{
    POINT client{0, 0};
    ClientToScreen(window, &client);
    RECT r{};
    GetWindowRect(window, &r);
    return {client.x - r.left, client.y - r.top};
}

} // namespace

TPopupMenuSkin::TPopupMenuSkin(HWND window, TSkinData& skinData)
    : window_(window),
      skinData_(skinData),
      background_(std::make_unique<TBitmap>()),
      subclass_(std::make_unique<TWindowSubclass>(
          window, TSubclassKind::PopupMenu,
          [this](UINT msg, WPARAM wParam, LPARAM lParam) { return WindowProc(msg, wParam, lParam); }))
{
}

TPopupMenuSkin::~TPopupMenuSkin() = default;

bool TPopupMenuSkin::UsableBackground() const
{
    const TDataSkinObject* element = skinData_.MenuBackground.get();
    return !skinData_.Empty() && element && element->Image && !element->Image->Empty();
}

void TPopupMenuSkin::BuildBackground()
{
    RECT r{};
    GetWindowRect(window_, &r);
    const RECT area{0, 0, Width(r), Height(r)};
    if (area.right <= 0 || area.bottom <= 0)
        return;
    if (background_->Width() == area.right && background_->Height() == area.bottom)
        return;
    TDataSkinObject& element = *skinData_.MenuBackground;
    background_ = BuildElementBitmap(area, *element.Image, element.Margins(), false, element.Tile != 0, 1, 1);
}

void TPopupMenuSkin::PaintFrame()
{
    BuildBackground();
    const auto dc = TWindowDC::Whole(window_);
    BitBlt(dc.Get(), 0, 0, background_->Width(), background_->Height(), background_->Canvas()->Handle(), 0, 0,
           SRCCOPY);
}

void TPopupMenuSkin::PaintMargins(HDC dc)
{
    const auto menu = reinterpret_cast<HMENU>(subclass_->CallOld(MN_GETHMENU, 0, 0));
    TSavedDC saved(dc);
    for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
        RECT item{};
        if (!GetMenuItemRect(nullptr, menu, static_cast<UINT>(i), &item))
            continue;
        MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&item), 2);
        ExcludeClipRect(dc, item.left, item.top, item.right, item.bottom);
    }
    RECT client{};
    GetClientRect(window_, &client);
    const POINT offset = ClientOffset(window_);
    BitBlt(dc, 0, 0, Width(client), Height(client), background_->Canvas()->Handle(), offset.x, offset.y, SRCCOPY);
}

LRESULT TPopupMenuSkin::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_SKINQUERY)
        return 1;
    if (!SkinIsOn() || !UsableBackground())
        return subclass_->CallOld(msg, wParam, lParam);
    switch (msg) {
    case WM_ERASEBKGND:
        // With xoMenuBG the items' own drawing is the background.
        if (!(skinData_.Options() & SetOf(xoMenuBG)))
            subclass_->CallOld(msg, wParam, lParam);
        return 1;
    case WM_NCPAINT: PaintFrame(); return 0;
    case WM_PAINT: {
        BuildBackground();  // the items copy their background from it
        const LRESULT result = subclass_->CallOld(msg, wParam, lParam);
        const auto dc = TWindowDC::Client(window_);
        PaintMargins(dc.Get());
        return result;
    }
    case WM_PRINT: return Print(reinterpret_cast<HDC>(wParam), lParam);
    case WM_PRINTCLIENT: return PrintClient(reinterpret_cast<HDC>(wParam), lParam);
    default: return subclass_->CallOld(msg, wParam, lParam);
    }
}

// The whole window printed into a context (a menu animation, a screen
// reader): the border from the picture, never the system's, and the client
// area through WM_PRINTCLIENT with the context's origin moved to it, as the
// system prints a window's client area.
LRESULT TPopupMenuSkin::Print(HDC dc, LPARAM flags)
{
    if ((flags & PRF_CHECKVISIBLE) && !IsWindowVisible(window_))
        return 0;
    BuildBackground();
    if (flags & PRF_NONCLIENT)
        BitBlt(dc, 0, 0, background_->Width(), background_->Height(), background_->Canvas()->Handle(), 0, 0,
               SRCCOPY);
    if (flags & PRF_CLIENT) {
        TSavedDC saved(dc);
        const POINT offset = ClientOffset(window_);
        OffsetViewportOrgEx(dc, offset.x, offset.y, nullptr);
        RECT client{};
        GetClientRect(window_, &client);
        IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
        SendMessageW(window_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), flags & ~static_cast<LPARAM>(PRF_NONCLIENT));
    }
    return 0;
}

// The client area printed: the picture's part under it, the system's items
// over it, then the margins no item covers.
LRESULT TPopupMenuSkin::PrintClient(HDC dc, LPARAM flags)
{
    BuildBackground();
    const POINT offset = ClientOffset(window_);
    BitBlt(dc, 0, 0, background_->Width(), background_->Height(), background_->Canvas()->Handle(), offset.x,
           offset.y, SRCCOPY);
    const LRESULT result = subclass_->CallOld(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), flags);
    PaintMargins(dc);
    return result;
}

} // namespace skin
