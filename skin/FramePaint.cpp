// Minimal stand-in until the frame branch is merged: the frame's geometry,
// the client area, the four borders painted from the skin (no caption text,
// icon or buttons) and a rectangular window region. The frame branch's
// version of this file replaces it whole.
#include <stdexcept>

#include "skin/SkinDraw.h"
#include "skin/WinSkinData.h"
#include "skin/WinSkinForm.h"

namespace skin {

using namespace ui;

namespace {

int FrameExtent(int size, int frameCount)
{
    return size / std::max(frameCount, 1);
}

} // namespace

void TWinSkinForm::ComputeFrameGeometry()
{
    if (SkinData->Empty())
        return;
    if (BorderKind == TBorderKind::NoCaption) {
        LeftWidth = TitleHeight = RightWidth = BottomHeight = MenuBarHeight = 0;
    } else {
        TitleHeight = FrameExtent(SkinData->BorderTop->Image->Height(), SkinData->BorderTop->FrameCount);
        LeftWidth = FrameExtent(SkinData->BorderLeft->Image->Width(), SkinData->BorderLeft->FrameCount);
        RightWidth = FrameExtent(SkinData->BorderRight->Image->Width(), SkinData->BorderRight->FrameCount);
        BottomHeight = FrameExtent(SkinData->BorderBottom->Image->Height(), SkinData->BorderBottom->FrameCount);
    }
    BuildCaptionButtons();
}

void TWinSkinForm::OnNcCalcSize(TMessage& m)
{
    CallOldWindowProc(m);
    if (!m.WParam) {
        m.Result = 0;
        return;
    }
    auto& params = *reinterpret_cast<NCCALCSIZE_PARAMS*>(m.LParam);
    const bool keepSystem = (MdiKind == TMdiKind::Child && WindowState != TSkinWindowState::Normal) ||
                            BorderKind == TBorderKind::NoCaption;
    if (!keepSystem) {
        const WINDOWPOS& pos = *params.lppos;
        params.rgrc[0] = {pos.x + LeftWidth, pos.y + TitleHeight + MenuBarHeight, pos.x + pos.cx - RightWidth,
                          pos.y + pos.cy - BottomHeight};
    }
    params.rgrc[1] = params.rgrc[0];
    m.Result = WVR_VALIDRECTS;
}

void TWinSkinForm::OnNcPaint(TMessage& m)
{
    SetSystemMenuStyle(true);
    m.Result = 0;
    if (!SkinData->FramePaintEnabled)
        return;
    if (IsMaximizedMdiChild() || BorderKind == TBorderKind::NoCaption)
        CallOldWindowProc(m);
    else
        PaintFrame(nullptr);
}

void TWinSkinForm::PaintFrame(HDC dc)
{
    if ((SkinState != TSkinState::Running && SkinState != TSkinState::Reskinning) ||
        BorderKind == TBorderKind::NoCaption || IsMaximizedMdiChild())
        return;
    try {
        const TWindowDC windowDC = dc ? TWindowDC(WindowHandle, nullptr) : TWindowDC::Whole(WindowHandle);
        const HDC target = dc ? dc : windowDC.Get();
        GetWindowRect(WindowHandle, &WindowRect);
        const int w = WindowRect.right - WindowRect.left, h = WindowRect.bottom - WindowRect.top;
        WindowWidth = w;
        WindowHeight = h;
        const struct {
            TDataSkinBorder& border;
            RECT rect;
            bool stacked;
        } pieces[] = {
            {*SkinData->BorderLeft, {0, 0, LeftWidth, h}, false},
            {*SkinData->BorderRight, {w - RightWidth, 0, w, h}, false},
            {*SkinData->BorderBottom, {LeftWidth, h - BottomHeight, w - RightWidth, h}, true},
            {*SkinData->BorderTop, {LeftWidth, 0, w - RightWidth, TitleHeight}, true},
        };
        for (const auto& piece : pieces) {
            if (piece.rect.right <= piece.rect.left || piece.rect.bottom <= piece.rect.top)
                continue;
            const int frame = Active || piece.border.FrameCount <= 1 ? 1 : 2;
            auto face = BuildElementBitmap(piece.rect, *piece.border.Image, piece.border.Margins(), piece.stacked,
                                           piece.border.Tile != 1, piece.border.FrameCount, frame);
            BitBlt(target, piece.rect.left, piece.rect.top, face->Width(), face->Height(), face->Canvas()->Handle(),
                   0, 0, SRCCOPY);
        }
    } catch (const std::exception&) {
        // the frame stays as it was
    }
    HotObject = nullptr;
}

void TWinSkinForm::UpdateRegion()
{
    if (SkinState == TSkinState::Closed || !FrameSkinned)
        return;
    RECT r{};
    GetWindowRect(WindowHandle, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w == 0 || h == 0)
        return;
    if (MdiKind == TMdiKind::Child && WindowState != TSkinWindowState::Normal)
        return;
    if (w == RegionWidth && h == RegionHeight && MdiKind != TMdiKind::Child && SkinState != TSkinState::Reskinning)
        return;
    RegionWidth = w;
    RegionHeight = h;
    TRegionHandle region(CreateRectRgn(0, 0, w, h));
    if (SetWindowRgn(WindowHandle, region.Get(), TRUE))
        Region = region.Release();
    RegionOwned = true;
}

void TWinSkinForm::DropRegion()
{
    Region = nullptr;
    SetWindowRgn(WindowHandle, nullptr, MdiKind == TMdiKind::Child);
    RegionOwned = false;
}

void TWinSkinForm::BuildIconBitmap()
{
    IconSize = GetSystemMetrics(SM_CXSMICON);
    IconBitmap->SetSize(IconSize, GetSystemMetrics(SM_CYSMICON));
}

} // namespace skin
