#include "skin/window/SkinMenuBar.h"

#include <algorithm>
#include <cwctype>

#include "skin/data/WinSkinData.h"
#include "skin/draw/SkinDraw.h"
#include "skin/window/FramePaint.h"
#include "skin/window/MenuItemPaint.h"
#include "skin/window/SkinManage.h"
#include "ui/controls/Menus.h"
#include "ui/forms/Forms.h"

namespace skin {

using namespace ui;

namespace {

constexpr int FlatBarMargin = 6;  // where the buttons start without a bar picture
constexpr int NarrowBarMargin = 12;
constexpr int ButtonPadding = 10;
constexpr int SelectedItemFrame = 4;  // the MenuItem picture's selected face
constexpr int MdiButtonGap = 5;

int Width(const RECT& r)
{
    return r.right - r.left;
}

int Height(const RECT& r)
{
    return r.bottom - r.top;
}

RECT Moved(RECT r, POINT by)
{
    OffsetRect(&r, by.x, by.y);
    return r;
}

// The accelerator letter of a caption: the letter after a single '&'.
wchar_t AcceleratorOf(const std::wstring& caption)
{
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != L'&')
            continue;
        if (caption[i + 1] != L'&')
            return caption[i + 1];
        ++i;  // "&&" is a plain '&'
    }
    return 0;
}

// The caption buttons of a maximised MDI child that sit on the bar.
template <class Each>
void ForEachMdiChildButton(const TWinSkinForm& form, Each each)
{
    for (const auto& button : form.CaptionButtons)
        if (button->Visible && button->Record->Visibility == 100 && button->Record->Image &&
            !button->Record->Image->Empty())
            each(*button);
}

// The caption of a button centred in rect in the menu font.
void DrawCaption(HDC dc, const std::wstring& caption, const RECT& rect, COLORREF colour)
{
    TSavedDC saved(dc);
    saved.Select(Screen()->MenuFont()->Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    RECT measured{0, 0, 0, 0};
    DrawTextWide(dc, caption, measured, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
    RECT placed{rect.left + (Width(rect) - Width(measured)) / 2, rect.top + (Height(rect) - Height(measured)) / 2, 0, 0};
    placed.right = placed.left + Width(measured);
    placed.bottom = placed.top + Height(measured);
    DrawTextWide(dc, caption, placed, DT_SINGLELINE | DT_EXPANDTABS | DT_NOCLIP);
}

} // namespace

// ---- The buttons

void TMenuBtn::Paint()
{
    if (!Visible || IsRectEmpty(&Bounds) || Bar.BackBitmap.Empty())
        return;
    // The background under the button from the last full paint, the button
    // drawn over it off-screen, then copied in one step.
    const RECT& strip = Bar.PaintRect;
    const RECT area{Bounds.left, strip.top, Bounds.right, strip.bottom};
    TBitmap piece(Width(area), Height(area));
    BitBlt(piece.Canvas()->Handle(), 0, 0, Width(area), Height(area), Bar.BackBitmap.Canvas()->Handle(),
           area.left - strip.left, 0, SRCCOPY);
    Bar.DrawButton(piece.Canvas()->Handle(), *this, {-area.left, -area.top});
    const auto dc = TWindowDC::Whole(Owner->WindowHandle);
    BitBlt(dc.Get(), area.left, area.top, Width(area), Height(area), piece.Canvas()->Handle(), 0, 0, SRCCOPY);
}

TSkinMenuBar::TSkinMenuBar(TWinSkinForm& owner) : Owner(owner) {}

bool TSkinMenuBar::RightToLeft() const
{
    return Menu ? Menu->IsRightToLeft() : Owner.RightToLeft;
}

void TSkinMenuBar::FreeButtons()
{
    for (const auto& button : Buttons)
        if (Owner.HotObject == button.get())
            Owner.HotObject = nullptr;
    Buttons.clear();
}

void TSkinMenuBar::BuildButtons()
{
    if (const HMENU current = GetMenu(Owner.WindowHandle))
        menuHandle_ = current;
    if (!menuHandle_)
        return;
    Menu = Owner.Form ? Owner.Form->Menu() : nullptr;
    ReadButtons();
    SetMenu(Owner.WindowHandle, nullptr);
}

void TSkinMenuBar::BuildFromWindowMenu()
{
    BuildButtons();
    LayoutButtons();
}

// One button per entry of the window's menu; a framework item with the
// entry's command gives caption, state and drop-down. Entries the system
// adds for a maximised MDI child (its system menu and buttons, pictures
// without text) are left out: the skin draws that child's buttons itself.
void TSkinMenuBar::ReadButtons()
{
    FreeButtons();
    const int count = GetMenuItemCount(menuHandle_);
    for (int i = 0; i < count; ++i) {
        TMenuEntry entry;
        if (!ReadMenuEntry(menuHandle_, static_cast<UINT>(i), true, entry))
            continue;
        TMenuItem* item = nullptr;
        if (Menu) {
            item = Menu->FindItem(entry.Command, TMenu::TFindKind::fkCommand);
            if (!item && entry.Submenu)
                item = Menu->FindItem(reinterpret_cast<UINT_PTR>(entry.Submenu), TMenu::TFindKind::fkHandle);
        }
        if (!item && (entry.Text.empty() || (entry.Type & MFT_BITMAP)))
            continue;
        auto button = std::make_unique<TMenuBtn>(&Owner, *this);
        button->Index = static_cast<int>(Buttons.size());
        button->Visible = true;
        button->Submenu = entry.Submenu;
        button->Command = entry.Command;
        button->ItemEnabled = !(entry.State & (MFS_GRAYED | MFS_DISABLED));
        button->Caption = entry.Text;
        if (item) {
            button->MenuItem = item;
            button->Caption = item->Caption();
            button->ItemEnabled = item->Enabled();
            button->Command = item->Command();
            button->Submenu = item->Count() > 0 ? item->Handle() : nullptr;
        }
        Buttons.push_back(std::move(button));
    }
}

// ---- Layout

RECT TSkinMenuBar::BarRect() const
{
    const TWinSkinForm& f = Owner;
    return {f.LeftWidth, f.TitleHeight, f.WindowWidth - f.RightWidth, f.TitleHeight + f.MenuBarHeight};
}

// Where the first button starts, from the left or (right to left) the right.
int TSkinMenuBar::StartMargin(int barWidth) const
{
    const TDataSkinObject* bar = Owner.SkinData->MenuBar.get();
    if (!bar)
        return FlatBarMargin;
    const int margin = RightToLeft() ? bar->RightWidth + 8 : bar->LeftWidth + 4;
    return barWidth < margin ? NarrowBarMargin : margin;
}

void TSkinMenuBar::LayoutButtons()
{
    const RECT bar = BarRect();
    const int w = Width(bar);
    if (w <= 0 || Height(bar) <= 0)
        return;
    TMemoryDC measure;
    TSavedDC saved(measure.Get());
    saved.Select(Screen()->MenuFont()->Handle());
    const int margin = StartMargin(w);
    int x = margin;
    int right = w - margin;
    if (RightToLeft())
        ForEachMdiChildButton(Owner, [&](const TWinSysButton& b) {
            right = std::min<int>(right, b.Bounds.left - MdiButtonGap - bar.left);
        });
    for (const auto& button : Buttons) {
        if (!button->Visible) {
            button->Bounds = {};
            continue;
        }
        RECT text{0, 0, 0, 0};
        DrawTextWide(measure.Get(), button->Caption, text, DT_CALCRECT | DT_NOCLIP | DT_SINGLELINE);
        const int width = Width(text) + ButtonPadding;
        if (RightToLeft()) {
            button->Bounds = {bar.left + right - width, bar.top, bar.left + right, bar.bottom - 1};
            right -= width;
        } else {
            button->Bounds = {bar.left + x, bar.top, bar.left + x + width, bar.bottom - 1};
            x += width;
        }
    }
}

TNCObject* TSkinMenuBar::MenuButtonAt(POINT windowPoint)
{
    for (const auto& button : Buttons)
        if (button->Visible && !button->Caption.empty() && PtInRect(&button->Bounds, windowPoint))
            return button.get();
    return nullptr;
}

TMenuBtn* TSkinMenuBar::FindAccelButton(wchar_t key) const
{
    const wchar_t wanted = std::towupper(key);
    for (const auto& button : Buttons)
        if (button->ItemEnabled && button->Visible && std::towupper(AcceleratorOf(button->Caption)) == wanted)
            return button.get();
    return nullptr;
}

// ---- Painting

void TSkinMenuBar::PaintBackground(HDC dc, int width, int height) const
{
    TDataSkinObject* bar = Owner.SkinData->MenuBar.get();
    if (!HasPicture(bar)) {
        const HBRUSH brush = CreateSolidBrush(ColorToRGB(Owner.SkinData->Colours.Menubar));
        const RECT all{0, 0, width, height};
        FillRect(dc, &all, brush);
        DeleteObject(brush);
        return;
    }
    const int frame = Owner.Active ? 1 : 2;
    const RECT all{0, 0, width, height};
    if (bar->Tile == 1) {
        auto face = BuildElementBitmap(all, *bar->Image, {bar->LeftWidth, 0, bar->RightWidth, 0}, true, false,
                                       bar->FrameCount, frame);
        BitBlt(dc, 0, 0, width, height, face->Canvas()->Handle(), 0, 0, SRCCOPY);
    } else {
        DrawStripTiled(dc, all, *bar->Image, true, false, bar->FrameCount, frame, {bar->LeftWidth, bar->RightWidth});
    }
}

void TSkinMenuBar::DrawButton(HDC dc, const TMenuBtn& button, POINT offset) const
{
    const TSkinData& data = *Owner.SkinData;
    const RECT bounds = Moved(button.Bounds, offset);
    const bool lit = button.State == 2 || button.State == 3;
    TDataSkinObject* face = data.MenuItem.get();
    COLORREF colour = ColorToRGB(data.Colours.MenuBarText);
    if (lit && HasPicture(face)) {
        auto picture = BuildElementBitmap(bounds, *face->Image, face->Margins(), false, face->Tile != 0,
                                          face->FrameCount, SelectedItemFrame);
        TransparentBlit(dc, bounds, *picture, clFuchsia);
        colour = ColorToRGB(data.Colours.HilightText);
    } else if (lit) {
        const HBRUSH frame = CreateSolidBrush(ColorToRGB(data.Colours.ButtonHilight));
        FrameRect(dc, &bounds, frame);
        DeleteObject(frame);
    }
    if (!button.ItemEnabled)
        colour = ColorToRGB(DisabledTextColour(data.Colours, data.Colours.MenuBarText, ColorToRGB));
    DrawCaption(dc, button.Caption, bounds, colour);
}

void TSkinMenuBar::PaintMdiChildButtons(HDC dc) const
{
    const POINT offset{-Owner.LeftWidth, -Owner.TitleHeight};
    ForEachMdiChildButton(Owner, [&](const TWinSysButton& b) {
        DrawFrameStretched(dc, Moved(b.Bounds, offset), *b.Record->Image, b.Record->FrameCount, 1, true);
    });
}

void TSkinMenuBar::PaintMenuBar(HDC dc, const RECT& rect)
{
    const int w = Width(rect), h = Height(rect);
    if (w <= 0 || h <= 0)
        return;
    scratch_.SetSize(w, h);
    HDC bar = scratch_.Canvas()->Handle();
    PaintBackground(bar, w, h);
    PaintRect = rect;
    CopyBitmap(scratch_, BackBitmap);
    LayoutButtons();
    const POINT offset{-rect.left, -rect.top};
    for (const auto& button : Buttons)
        if (button->Visible)
            DrawButton(bar, *button, offset);
    PaintMdiChildButtons(bar);
    BitBlt(dc, rect.left, rect.top, w, h, bar, 0, 0, SRCCOPY);
}

} // namespace skin
