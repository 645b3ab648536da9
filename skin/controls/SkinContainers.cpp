#include "skin/controls/SkinContainers.h"

#include "skin/data/WinSkinData.h"
#include "skin/draw/SkinDraw.h"
#include "skin/window/SkinManage.h"
#include "ui/controls/Controls.h"

namespace skin {

using namespace ui;

void TSkinBox::InitControl(TWinSkinForm& form, TSkinData& skinData, bool takeColour)
{
    AttachControl(form, skinData, takeColour, false);
}

// ---- TSkinGroupBox

bool TSkinGroupBox::BeforeMessage(TMessage& m)
{
    if (!TSkinControl::BeforeMessage(m))
        return false;
    if (m.Msg != WM_PAINT || !Control)
        return true;
    PaintOnPaintMessage(m);
    return false;
}

// The frame's top runs through the middle of the caption's line; the
// caption, drawn on the face colour, interrupts it 8 pixels from the near
// side (the right one with WS_EX_RIGHT).
void TSkinGroupBox::PaintControl(HDC dc, const RECT& rect)
{
    if (!Control)
        return;
    std::wstring caption = GetWindowTextWide(Handle);
    if (caption.empty())
        caption = CurrentCaption();
    {
        TFacePainter painter(dc, rect);
        HDC face = painter.Dc();
        FillSkinColour(face, rect);
        SelectObject(face, CurrentFont());
        SetTextColor(face, ColorToRGB(Control->Font()->Color()));
        SIZE zero{};
        GetTextExtentPoint32W(face, L"0", 1, &zero);
        const int middle = zero.cy / 2 - 1;
        const TPenHandle pen(CreatePen(PS_SOLID, 1, ColorToRGB(SkinData->Colours.ButtonShadow)));
        SelectObject(face, pen.Get());
        SelectObject(face, GetStockObject(HOLLOW_BRUSH));
        RoundRect(face, 1, middle, rect.right - 1, rect.bottom - 1, 5, 5);
        SetBkColor(face, ColorToRGB(ButtonFace()));
        SetBkMode(face, OPAQUE);
        RECT text = rect;
        UINT flags = DT_EXPANDTABS;
        if (GetWindowLongPtrW(Handle, GWL_EXSTYLE) & WS_EX_RIGHT) {
            text.right -= 8;
            flags |= DT_RIGHT;
        } else {
            text.left += 8;
        }
        DrawTextWide(face, caption, text, TextFlagsFor(flags));
        SelectObject(face, GetStockObject(SYSTEM_FONT));
        SelectObject(face, GetStockObject(BLACK_PEN));
        painter.Show();
    }
    if (auto* windowed = dynamic_cast<TWinControl*>(Control))
        windowed->PaintGraphicChildren(dc);
}

bool TSkinBoxH::BeforeMessage(TMessage& m)
{
    switch (m.Msg) {
    case WM_ERASEBKGND: {
        RECT client{};
        GetClientRect(Handle, &client);
        FillSkinColour(reinterpret_cast<HDC>(m.WParam), client);
        m.Result = 1;
        return false;
    }
    case WM_CTLCOLORSTATIC:  // labels paint on the skin's face
        CallPrevious(m);
        SetBkMode(reinterpret_cast<HDC>(m.WParam), TRANSPARENT);
        m.Result = reinterpret_cast<LRESULT>(SkinData->ButtonFaceBrush->Handle());
        return false;
    default: return TSkinControl::BeforeMessage(m);
    }
}

} // namespace skin
