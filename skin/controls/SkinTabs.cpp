#include "skin/controls/SkinTabs.h"

#include <commctrl.h>

#include "skin/controls/SkinButtons.h"
#include "skin/controls/SkinEdits.h"
#include "skin/data/SkinRecords.h"
#include "skin/data/WinSkinData.h"
#include "skin/draw/ImgUtil.h"
#include "skin/draw/SkinDraw.h"
#include "skin/window/SkinMessages.h"
#include "skin/window/WinSkinForm.h"
#include "ui/controls/Tabs.h"

// After the engine's headers: it defines macros named like their members.
#include <windowsx.h>

#include <algorithm>

namespace skin {

using namespace ui;

namespace {

constexpr int MaxTabText = 80;
// The close mark: a 6-pixel box 2 pixels inside the tab's top right corner.
constexpr int CloseMarkSize = 6;
constexpr int CloseMarkInset = 2;
// The fixed edges of a pane taken from the Tabs element itself.
constexpr TElementMargins OwnPaneEdges{4, 5, 4, 4};

std::unique_ptr<TBitmap> Copy24(const TBitmap& source)
{
    auto copy = std::make_unique<TBitmap>();
    copy->Assign(source);
    copy->SetPixelFormat(TPixelFormat::pf24bit);
    return copy;
}

// The edges of a picture flipped top to bottom.
TElementMargins Flipped(TElementMargins edges)
{
    std::swap(edges.TopHeight, edges.BottomHeight);
    return edges;
}

TColor TabTextColour(const TSkinColours& colours, const TDataSkinObject& tabs, TTabFace face)
{
    switch (face) {
    case TTabFace::Normal: return tabs.NormalColour2;
    case TTabFace::Disabled: return DisabledTextColour(colours, tabs.NormalColour2, ColorToRGB);
    default: return tabs.MouseOverColour2;
    }
}

// A rectangle of the window moved one pixel toward the pane, so a tab's
// open side overlaps the pane's edge.
RECT TowardPane(RECT r, TTabSide side)
{
    switch (side) {
    case TTabSide::Top: OffsetRect(&r, 0, 1); break;
    case TTabSide::Bottom: OffsetRect(&r, 0, -1); break;
    case TTabSide::Left: OffsetRect(&r, 1, 0); break;
    case TTabSide::Right: OffsetRect(&r, -1, 0); break;
    }
    return r;
}

// A window rectangle inside `strip` in the strip picture's coordinates: as
// it is for the top and bottom; for the left and right, in the picture
// lying down that a quarter turn (counter-clockwise for the left, clockwise
// for the right) puts into place.
RECT InStrip(const RECT& r, const RECT& strip, TTabSide side)
{
    RECT local = r;
    OffsetRect(&local, -strip.left, -strip.top);
    const int w = RectWidth(strip), h = RectHeight(strip);
    switch (side) {
    case TTabSide::Left: return {h - local.bottom, local.left, h - local.top, local.right};
    case TTabSide::Right: return {local.top, w - local.right, local.bottom, w - local.left};
    default: return local;
    }
}

// Gives the arrows that scroll a row of tabs an up-down skinner, left and
// right arrows whatever their style, owned by `owner`.
void SkinTabArrows(HWND arrows, TComponent* owner, TWinSkinForm& form, TSkinData& data)
{
    if (TSkinUpDown* skinner = arrows ? AdoptUpDown(arrows, owner, form, data) : nullptr)
        skinner->Horizontal = 1;
}

} // namespace

TTabFace TabFaceOf(bool selected, bool hot, bool enabled)
{
    if (!enabled)
        return TTabFace::Disabled;
    if (selected)
        return hot ? TTabFace::SelectedHot : TTabFace::Selected;
    return hot ? TTabFace::Hot : TTabFace::Normal;
}

TTabSide TabSideOfStyle(DWORD style)
{
    const bool farSide = style & TCS_BOTTOM, vertical = style & TCS_VERTICAL;
    if (vertical)
        return farSide ? TTabSide::Right : TTabSide::Left;
    return farSide ? TTabSide::Bottom : TTabSide::Top;
}

bool SkinHasTabFaces(const TSkinData& data)
{
    return HasPicture(data.Tabs.get());
}

// ---- TSkinTab

void TSkinTab::InitControl(TWinSkinForm& form, TSkinData& skinData, bool takeColour)
{
    TSkinControl::InitControl(form, skinData, takeColour);
    PrepareTabImages();
    FitTabsToFaces();
    AdoptScrollArrows();
}

void TSkinTab::InitWindow(HWND window, TSkinData& skinData, TWinSkinForm& form)
{
    TSkinControl::InitWindow(window, skinData, form);
    PrepareTabImages();
    FitTabsToFaces();
    AdoptScrollArrows();
}

void TSkinTab::RefreshSkin()
{
    PrepareTabImages();
    UnfitTabs();
    FitTabsToFaces();
    TSkinControl::RefreshSkin();
}

void TSkinTab::RestoreControl()
{
    UnfitTabs();
    TSkinControl::RestoreControl();
}

void TSkinTab::SkinEnabledChanged()
{
    if (SkinEnabled)
        FitTabsToFaces();
    else
        UnfitTabs();
    TSkinControl::SkinEnabledChanged();
}

// How far a row of tabs reaches from the pane (a column's width for tabs on
// the left or right), as the control lays tab `index` out.
int TSkinTab::RowThickness(int index) const
{
    RECT r{};
    if (!TabRect(index, r))
        return 0;
    return side_ == TTabSide::Left || side_ == TTabSide::Right ? RectWidth(r) : RectHeight(r);
}

// Tabs thinner than the skin's tab faces would squeeze them, and their
// captions would cross the faces' edges (a column of side tabs is no wider
// than the text is high): the control lays its tabs out as thick as the
// faces, and its pages out in what that leaves.
void TSkinTab::FitTabsToFaces()
{
    const bool buttons = GetWindowLongPtrW(Handle, GWL_STYLE) & TCS_BUTTONS;  // they wear button faces
    if (!tabFaces_ || fitted_ || buttons || TabCount() == 0)
        return;
    const int faceHeight = SkinData->Tabs->Image->Height();
    if (RowThickness(0) >= faceHeight)
        return;
    SetTabThickness(faceHeight);
    fitted_ = true;
}

// The control lays its tabs out at their own thickness again.
void TSkinTab::UnfitTabs()
{
    if (!fitted_)
        return;
    fitted_ = false;
    if (Handle && IsWindow(Handle))
        SetTabThickness(0);
}

// 0: the thickness the control's font gives. Tabs of a fixed width keep it.
void TSkinTab::SetTabThickness(int thickness)
{
    RECT first{};
    TabRect(0, first);
    const bool vertical = side_ == TTabSide::Left || side_ == TTabSide::Right;
    const int width = vertical ? RectHeight(first) : RectWidth(first);
    SendMessageW(Handle, TCM_SETITEMSIZE, 0, MAKELPARAM(width, thickness));
    // The pages follow the display area, which the control measures anew
    // when it is sized.
    RECT client{};
    GetClientRect(Handle, &client);
    SendMessageW(Handle, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
    InvalidateRect(Handle, nullptr, TRUE);
}

// The faces and the pane turned to the side the tabs are on: at the bottom
// both flipped; on the left and right only the pane is turned, as the tabs
// are painted lying down.
void TSkinTab::PrepareTabImages()
{
    side_ = TabSideOfStyle(static_cast<DWORD>(GetWindowLongPtrW(Handle, GWL_STYLE)));
    tabFaces_.reset();
    paneFace_.reset();
    const TDataSkinBorder* tabs = SkinData ? SkinData->Tabs.get() : nullptr;
    if (!tabs)
        return;
    if (SkinHasTabFaces(*SkinData))
        tabFaces_ = Copy24(*tabs->Image);
    const TBitmap* pane = tabs->Style == 0 ? tabs->Image2.get()
                          : SkinData->TabPane ? SkinData->TabPane->Image.get()
                                              : nullptr;
    if (pane && !pane->Empty())
        paneFace_ = Copy24(*pane);
    switch (side_) {
    case TTabSide::Bottom:
        if (tabFaces_)
            FlipVertical(*tabFaces_);
        if (paneFace_)
            FlipVertical(*paneFace_);
        break;
    case TTabSide::Left:
        if (paneFace_)
            RotateLeft(*paneFace_);
        break;
    case TTabSide::Right:
        if (paneFace_)
            RotateRight(*paneFace_);
        break;
    case TTabSide::Top: break;
    }
}

bool TSkinTab::Closable() const
{
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(Handle, GWL_STYLE));
    return dynamic_cast<const TPageControl*>(Control) && Control->Tag() == ClosableTabsTag &&
           side_ == TTabSide::Top && !(style & TCS_BUTTONS);
}

RECT TSkinTab::CloseMark(int index) const
{
    if (index < 0 || index >= static_cast<int>(closeMarks_.size()))
        return {};
    return closeMarks_[static_cast<std::size_t>(index)];
}

int TSkinTab::CloseMarkAt(POINT point) const
{
    for (std::size_t i = 0; i < closeMarks_.size(); ++i)
        if (PtInRect(&closeMarks_[i], point))
            return static_cast<int>(i);
    return -1;
}

bool TSkinTab::BeforeMessage(TMessage& m)
{
    if (!tabFaces_)
        return TSkinControl::BeforeMessage(m);
    // A second click soon after the first comes as a double click.
    if ((m.Msg == WM_LBUTTONDOWN || m.Msg == WM_LBUTTONDBLCLK) && Closable()) {
        if (const int index = CloseMarkAt({GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)}); index >= 0) {
            CloseTab(index);
            m.Result = 0;
            return false;
        }
    }
    if (!TakeOverPaint(m))
        return false;
    return TSkinControl::BeforeMessage(m);
}

void TSkinTab::AfterMessage(TMessage& m)
{
    switch (m.Msg) {
    case TCM_INSERTITEMA:
    case TCM_INSERTITEMW: FitTabsToFaces(); break;  // the first tab shows how thick they are
    case WM_MOUSEMOVE: {
        TCHITTESTINFO hit{{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)}, 0};
        SetHotTab(static_cast<int>(SendMessageW(Handle, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit))));
        TrackMouseLeave(Handle);
        break;
    }
    case WM_MOUSELEAVE: SetHotTab(-1); break;
    default: TSkinControl::AfterMessage(m); break;
    }
}

void TSkinTab::SetHotTab(int index)
{
    if (hotTab_ == index)
        return;
    hotTab_ = index;
    RedrawNow();
}

// The form may remove or reorder pages while it answers: the page freed
// is the one it was asked about, and only while it is still a page here.
void TSkinTab::CloseTab(int index)
{
    auto* pages = dynamic_cast<TPageControl*>(Control);
    if (!pages || index >= pages->PageCount())
        return;
    const TTabSheet* asked = pages->Pages(index);
    HWND form = FormSkin && FormSkin->WindowHandle ? FormSkin->WindowHandle : GetAncestor(Handle, GA_ROOT);
    if (SendMessageW(form, WM_SKINCLOSETAB, reinterpret_cast<WPARAM>(Handle), index) != 0)
        return;
    for (int i = 0; i < pages->PageCount(); ++i)
        if (pages->Pages(i) == asked) {
            delete pages->Pages(i);
            return;
        }
}

int TSkinTab::TabCount() const
{
    return static_cast<int>(SendMessageW(Handle, TCM_GETITEMCOUNT, 0, 0));
}

int TSkinTab::SelectedTab() const
{
    return static_cast<int>(SendMessageW(Handle, TCM_GETCURSEL, 0, 0));
}

bool TSkinTab::TabRect(int index, RECT& r) const
{
    return SendMessageW(Handle, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r)) != 0;
}

HIMAGELIST TSkinTab::TabImages() const
{
    return reinterpret_cast<HIMAGELIST>(SendMessageW(Handle, TCM_GETIMAGELIST, 0, 0));
}

// The tab's text, read with the wide request from a wide window and with
// the ANSI one from any other.
std::wstring TSkinTab::TabText(int index) const
{
    if (IsWindowUnicode(Handle)) {
        wchar_t text[MaxTabText + 1]{};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = MaxTabText + 1;
        SendMessageW(Handle, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        return text;
    }
    char text[MaxTabText + 1]{};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = MaxTabText + 1;
    SendMessageA(Handle, TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return AnsiToWide(text);
}

int TSkinTab::TabImage(int index) const
{
    TCITEMW item{};
    item.mask = TCIF_IMAGE;
    item.iImage = -1;
    SendMessageW(Handle, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return item.iImage;
}

void TSkinTab::DrawTabText(HDC dc, int index, const RECT& r, TColor colour) const
{
    SetTextColor(dc, ColorToRGB(colour));
    SetBkMode(dc, TRANSPARENT);
    DrawImageAndText(dc, r, DT_CENTER, TabText(index), TabImages(), TabImage(index));
}

RECT TSkinTab::PaneRect(const RECT& rect) const
{
    RECT pane = rect;
    SendMessageW(Handle, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&pane));
    InflateRect(&pane, 4, 4);
    switch (side_) {
    case TTabSide::Top: --pane.top; break;
    case TTabSide::Bottom: ++pane.bottom; break;
    case TTabSide::Left: --pane.left; break;
    case TTabSide::Right: ++pane.right; break;
    }
    // On every side the pane's edge ends where the row of tabs next to it
    // starts (a little beyond the display area): any further, it would
    // cover part of those tabs, and of their text.
    for (int i = 0, count = TabCount(); i < count; ++i) {
        RECT r{};
        if (!TabRect(i, r))
            continue;
        if (side_ == TTabSide::Top)
            pane.top = std::max(pane.top, r.bottom);
        else if (side_ == TTabSide::Bottom)
            pane.bottom = std::min(pane.bottom, r.top);
        else if (side_ == TTabSide::Left)
            pane.left = std::max(pane.left, r.right);
        else if (side_ == TTabSide::Right)
            pane.right = std::min(pane.right, r.left);
    }
    return pane;
}

void TSkinTab::PaintControl(HDC dc, const RECT& rect)
{
    if (!tabFaces_)
        return;
    TFacePainter painter(dc, rect);
    HDC face = painter.Dc();
    FillParentColour(face, rect);
    AdoptScrollArrows();
    const RECT pane = PaneRect(rect);
    PaintPane(face, pane);
    PaintStrip(face, rect, pane);
    const int saved = SaveDC(dc);
    ExcludeScrollArrows(dc);
    painter.Show();
    RestoreDC(dc, saved);
    if (auto* windowed = dynamic_cast<TWinControl*>(Control); windowed && Variant == 2)
        windowed->PaintGraphicChildren(dc);
}

HWND TSkinTab::ScrollArrows() const
{
    return FindWindowExW(Handle, nullptr, UPDOWN_CLASSW, nullptr);
}

// The control makes its arrows only when its tabs first overflow, so each
// paint looks for them. The arrows' skinner goes with the control (or, for
// a bare window, with the controller).
void TSkinTab::AdoptScrollArrows()
{
    if (FormSkin && SkinData)
        SkinTabArrows(ScrollArrows(), Control ? static_cast<TComponent*>(Control) : FormSkin, *FormSkin, *SkinData);
}

// The arrows are a child window of their own: the face leaves them alone
// also where the control does not clip its children.
void TSkinTab::ExcludeScrollArrows(HDC dc) const
{
    HWND arrows = ScrollArrows();
    if (!arrows || !IsWindowVisible(arrows))
        return;
    RECT r{};
    GetWindowRect(arrows, &r);
    MapWindowPoints(nullptr, Handle, reinterpret_cast<POINT*>(&r), 2);
    ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
}

void TSkinTab::PaintPane(HDC dc, const RECT& pane) const
{
    if (!paneFace_)
        return;
    const TDataSkinBorder& tabs = *SkinData->Tabs;
    const TElementMargins edges = tabs.Style != 0 && SkinData->TabPane ? SkinData->TabPane->Margins() : OwnPaneEdges;
    DrawElementFrame(dc, pane, *paneFace_, edges, false, false, 1, 1);
}

// The tabs are composed in a picture of the strip beside the pane, lying
// down for the left and right sides, then turned into place.
void TSkinTab::PaintStrip(HDC dc, const RECT& rect, const RECT& pane)
{
    RECT strip = rect;
    switch (side_) {
    case TTabSide::Top: strip.bottom = pane.top; break;
    case TTabSide::Bottom: strip.top = pane.bottom; break;
    case TTabSide::Left: strip.right = pane.left; break;
    case TTabSide::Right: strip.left = pane.right; break;
    }
    if (RectWidth(strip) <= 0 || RectHeight(strip) <= 0)
        return;
    const bool lying = side_ == TTabSide::Left || side_ == TTabSide::Right;
    TBitmap picture(lying ? RectHeight(strip) : RectWidth(strip), lying ? RectWidth(strip) : RectHeight(strip));
    HDC canvas = picture.Canvas()->Handle();
    FillParentColour(canvas, {0, 0, picture.Width(), picture.Height()});
    const HGDIOBJ oldFont = SelectObject(canvas, CurrentFont());
    const int count = TabCount();
    closeMarks_.assign(static_cast<std::size_t>(std::max(count, 0)), RECT{});
    for (int i = 0; i < count; ++i) {
        RECT r{};
        if (!TabRect(i, r))
            continue;
        r = TowardPane(r, side_);
        PaintTab(canvas, i, r, InStrip(r, strip, side_));
    }
    SelectObject(canvas, oldFont);
    if (side_ == TTabSide::Left)
        RotateLeft(picture);
    else if (side_ == TTabSide::Right)
        RotateRight(picture);
    BitBlt(dc, strip.left, strip.top, RectWidth(strip), RectHeight(strip), picture.Canvas()->Handle(), 0, 0,
           SRCCOPY);
}

void TSkinTab::PaintTab(HDC strip, int index, const RECT& window, const RECT& inStrip)
{
    const TDataSkinBorder& tabs = *SkinData->Tabs;
    const TTabFace face = TabFaceOf(index == SelectedTab(), index == hotTab_, WindowEnabled());
    const TElementMargins edges = side_ == TTabSide::Bottom ? Flipped(tabs.Margins()) : tabs.Margins();
    DrawElementFrame(strip, inStrip, *tabFaces_, edges, tabs.Tile != 0, tabs.Trans != 0, TabFaceCount,
                     static_cast<int>(face));
    const TColor colour = TabTextColour(SkinData->Colours, tabs, face);
    RECT text = inStrip;
    if (Closable()) {
        const RECT mark{inStrip.right - CloseMarkInset - CloseMarkSize, inStrip.top + CloseMarkInset,
                        inStrip.right - CloseMarkInset, inStrip.top + CloseMarkInset + CloseMarkSize};
        DrawCloseMark(strip, mark, colour);
        RECT onWindow = mark;
        OffsetRect(&onWindow, window.left - inStrip.left, window.top - inStrip.top);
        closeMarks_[static_cast<std::size_t>(index)] = onWindow;
        text.right = mark.left;
    }
    DrawTabText(strip, index, text, colour);
}

// A box crossed from corner to corner.
void TSkinTab::DrawCloseMark(HDC dc, const RECT& mark, TColor colour) const
{
    const TPenHandle pen(CreatePen(PS_SOLID, 1, ColorToRGB(colour)));
    const HGDIOBJ oldPen = SelectObject(dc, pen.Get());
    const HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, mark.left, mark.top, mark.right, mark.bottom);
    MoveToEx(dc, mark.left, mark.top, nullptr);
    LineTo(dc, mark.right, mark.bottom);
    MoveToEx(dc, mark.left, mark.bottom - 1, nullptr);
    LineTo(dc, mark.right, mark.top - 1);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
}

// ---- TSkinTabBtn

void TSkinTabBtn::PaintControl(HDC dc, const RECT& rect)
{
    TDataSkinButton& buttons = *SkinData->Buttons;
    if (!buttons.Image || buttons.Image->Empty())
        return;
    TFacePainter painter(dc, rect);
    HDC face = painter.Dc();
    FillParentColour(face, rect);
    const HGDIOBJ oldFont = SelectObject(face, CurrentFont());
    const bool flat = GetWindowLongPtrW(Handle, GWL_STYLE) & TCS_FLATBUTTONS;
    const int count = TabCount(), selected = SelectedTab();
    for (int i = 0; i < count; ++i) {
        RECT r{};
        if (!TabRect(i, r))
            continue;
        OffsetRect(&r, 0, 1);
        const TButtonFace look = !WindowEnabled() ? TButtonFace::Disabled
                                 : i == selected  ? TButtonFace::Pressed
                                 : i == HotTab()  ? TButtonFace::Hot
                                                  : TButtonFace::Normal;
        if (!flat || look != TButtonFace::Normal)
            DrawElement(face, r, ButtonFaceCount, static_cast<int>(look), buttons);
        TColor colour = clBtnText;
        if (look == TButtonFace::Normal && buttons.HasNormalColour2)
            colour = buttons.NormalColour2;
        else if (look == TButtonFace::Pressed && buttons.HasPressedColour2)
            colour = buttons.PressedColour2;
        else if (look == TButtonFace::Hot && buttons.HasMouseOverColour2)
            colour = buttons.MouseOverColour2;
        else if (look == TButtonFace::Disabled)
            colour = DisabledTextColour(SkinData->Colours,
                                        buttons.HasNormalColour2 ? buttons.NormalColour2 : clBtnText, ColorToRGB);
        DrawTabText(face, i, r, colour);
    }
    SelectObject(face, oldFont);
    painter.Show();
    if (auto* windowed = dynamic_cast<TWinControl*>(Control); windowed && Variant == 2)
        windowed->PaintGraphicChildren(dc);
}

// ---- TSkinTab31

// The tab set's scroller, its first owned component, gets the skin's
// up-down faces.
void TSkinTab31::InitControl(TWinSkinForm& form, TSkinData& skinData, bool takeColour)
{
    TSkinControl::InitControl(form, skinData, takeColour);
    PrepareTabImages();
    if (Control && Control->ComponentCount() > 0)
        if (auto* scroller = dynamic_cast<TTabScroller*>(Control->Components(0)))
            SkinTabArrows(scroller->Handle(), Control, form, skinData);
}

void TSkinTab31::RefreshSkin()
{
    PrepareTabImages();
    TSkinControl::RefreshSkin();
}

// The tabs hang down from the top edge: the faces flipped top to bottom.
void TSkinTab31::PrepareTabImages()
{
    tabFaces_.reset();
    if (!SkinData || !SkinHasTabFaces(*SkinData) || !dynamic_cast<TTabSet*>(Control))
        return;
    tabFaces_ = Copy24(*SkinData->Tabs->Image);
    FlipVertical(*tabFaces_);
}

bool TSkinTab31::BeforeMessage(TMessage& m)
{
    if (tabFaces_ && !TakeOverPaint(m))
        return false;
    return TSkinControl::BeforeMessage(m);
}

void TSkinTab31::PaintControl(HDC dc, const RECT& rect)
{
    auto* tabSet = dynamic_cast<TTabSet*>(Control);
    if (!tabFaces_ || !tabSet)
        return;
    const TDataSkinBorder& tabs = *SkinData->Tabs;
    TFacePainter painter(dc, rect);
    HDC face = painter.Dc();
    FillSkinColour(face, rect);
    const HGDIOBJ oldFont = SelectObject(face, CurrentFont());
    SetBkMode(face, TRANSPARENT);
    const std::vector<RECT> visible = tabSet->VisibleTabs();
    for (std::size_t i = 0; i < visible.size(); ++i) {
        const int index = tabSet->FirstIndex() + static_cast<int>(i);
        const TTabFace look = TabFaceOf(index == tabSet->TabIndex(), false, WindowEnabled());
        DrawElementFrame(face, visible[i], *tabFaces_, Flipped(tabs.Margins()), tabs.Tile != 0, tabs.Trans != 0,
                         TabFaceCount, static_cast<int>(look));
        SetTextColor(face, ColorToRGB(TabTextColour(SkinData->Colours, tabs, look)));
        RECT text = visible[i];
        DrawTextWide(face, tabSet->Tabs()->Get(index), text,
                     TextFlagsFor(DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX));
    }
    SelectObject(face, oldFont);
    painter.Show();
}

// ---- TSkinAdvPage

namespace {

constexpr SIZE AdvTabSize{100, 21};
constexpr const char* AdvTabPictures[] = {"TabBackGround", "TabBackGroundActive"};

// Assigns `picture` to the control's published picture property `name`,
// when it has one.
void AssignPicture(TControl& control, const char* name, const TBitmap& picture)
{
    if (TPersistent* target = GetObjectPropByName(&control, name))
        target->Assign(picture);
}

} // namespace

void TSkinAdvPage::InitControl(TWinSkinForm& form, TSkinData& skinData, bool takeColour)
{
    AttachControl(form, skinData, takeColour, false);
    BuildTabPictures();
}

void TSkinAdvPage::RefreshSkin()
{
    BuildTabPictures();
    TSkinControl::RefreshSkin();
}

void TSkinAdvPage::RestoreControl()
{
    if (Control)
        for (const char* name : AdvTabPictures)
            AssignPicture(*Control, name, TBitmap());
    TSkinControl::RestoreControl();
}

// The normal face goes to "TabBackGround", the selected one to
// "TabBackGroundActive".
void TSkinAdvPage::BuildTabPictures()
{
    if (Kind != KindTabPictures || !Control || !SkinData || !SkinHasTabFaces(*SkinData))
        return;
    const TDataSkinBorder& tabs = *SkinData->Tabs;
    const TTabFace faces[] = {TTabFace::Normal, TTabFace::Selected};
    for (std::size_t i = 0; i < std::size(faces); ++i) {
        const auto face = BuildElementBitmap({0, 0, AdvTabSize.cx, AdvTabSize.cy}, *tabs.Image, tabs.Margins(), false,
                                             tabs.Tile != 0, TabFaceCount, static_cast<int>(faces[i]));
        AssignPicture(*Control, AdvTabPictures[i], *face);
    }
    Control->Invalidate();
}

} // namespace skin
