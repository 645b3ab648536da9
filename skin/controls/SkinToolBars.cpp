#include "skin/controls/SkinToolBars.h"

#include "skin/controls/SkinButtons.h"
#include "skin/data/SkinRecords.h"
#include "skin/data/WinSkinData.h"
#include "skin/draw/SkinDraw.h"
#include "skin/window/SkinParts.h"
#include "ui/controls/CoolBar.h"
#include "ui/controls/Menus.h"
#include "ui/controls/ToolBar.h"

#include <algorithm>

namespace skin {

using namespace ui;

int ToolButtonFaceOf(unsigned state)
{
    const auto has = [state](TCustomDrawStateBit bit) { return (state & (1u << bit)) != 0; };
    if (has(cdsSelected) || has(cdsChecked))
        return static_cast<int>(TButtonFace::Pressed);
    if (has(cdsFocused) || has(cdsHot))
        return static_cast<int>(TButtonFace::Hot);
    if (has(cdsDefault) && !has(cdsGrayed) && !has(cdsDisabled))
        return static_cast<int>(TButtonFace::Normal);
    return 0;
}

TSkinToolBar::~TSkinToolBar()
{
    GiveBack();
}

TToolBar* TSkinToolBar::Bar() const
{
    return dynamic_cast<TToolBar*>(Control);
}

void TSkinToolBar::InitControl(TWinSkinForm& form, TSkinData& skinData, bool takeColour)
{
    TSkinBox::InitControl(form, skinData, takeColour);
    TToolBar* bar = Bar();
    if (!bar || drawsBackground_ || drawsButtons_)
        return;
    savedFlat_ = bar->Flat();
    bar->SetFlat(true);
    if (!bar->OnCustomDraw) {
        bar->OnCustomDraw = TToolBarCustomDrawEvent(
            [this](TToolBar* sender, const RECT& rect, bool& defaultDraw) { DrawBackground(sender, rect, defaultDraw); });
        drawsBackground_ = true;
    }
    if (!bar->OnCustomDrawButton) {
        bar->OnCustomDrawButton = TToolBarCustomDrawButtonEvent(
            [this](TToolBar* sender, TToolButton* button, TCustomDrawState state, bool& defaultDraw) {
                DrawButton(sender, button, state, defaultDraw);
            });
        drawsButtons_ = true;
    }
    DrawMenu(true);
    bar->Invalidate();
}

void TSkinToolBar::RestoreControl()
{
    TSkinBox::RestoreControl();
    GiveBack();
}

void TSkinToolBar::GiveBack()
{
    TToolBar* bar = Bar();
    if (!bar || (!drawsBackground_ && !drawsButtons_))
        return;
    if (drawsBackground_)
        bar->OnCustomDraw = {};
    if (drawsButtons_)
        bar->OnCustomDrawButton = {};
    drawsBackground_ = drawsButtons_ = false;
    DrawMenu(false);
    bar->SetFlat(savedFlat_);
    bar->Invalidate();
}

// The drop-downs of the bar's menu are drawn by the skin while it is skinned.
void TSkinToolBar::DrawMenu(bool on) const
{
    TMainMenu* menu = Bar()->Menu();
    if (menu && SkinParts().SetMenuOwnerDraw)
        SkinParts().SetMenuOwnerDraw(*menu, on);
}

// The skin's gradient stretched over the whole bar.
void TSkinToolBar::DrawBackground(TToolBar* bar, const RECT& rect, bool&) const
{
    const TDataSkinObject* picture = SkinData->Toolbar.get();
    if (!SkinEnabled || !picture || !picture->Image || picture->Image->Empty() ||
        (SkinData->Options() & SetOf(xoToolbarBK)))
        return;
    HDC dc = bar->Canvas()->Handle();
    const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
    TBitmap& image = *picture->Image;
    StretchBlt(dc, rect.left, rect.top, RectWidth(rect), RectHeight(rect), image.Canvas()->Handle(), 0, 0,
               image.Width(), image.Height(), SRCCOPY);
    SetStretchBltMode(dc, oldMode);
}

// The face of the button's state under its image and caption, which the
// bar draws in the text colour the skin gives that face.
void TSkinToolBar::DrawButton(TToolBar* bar, TToolButton* button, unsigned state, bool&) const
{
    TDataSkinButton* faces = SkinData->Buttons.get();
    if (!SkinEnabled || !faces || !faces->Image || faces->Image->Empty() ||
        (SkinData->Options() & SetOf(xoToolbarButton)))
        return;
    const int face = ToolButtonFaceOf(state);
    if (face == 0)
        return;
    TFont& font = *bar->Canvas()->Font();
    if (face == static_cast<int>(TButtonFace::Normal) && faces->HasNormalColour2)
        font.SetColor(faces->NormalColour2);
    else if (face == static_cast<int>(TButtonFace::Hot) && faces->HasMouseOverColour2)
        font.SetColor(faces->MouseOverColour2);
    else if (face == static_cast<int>(TButtonFace::Pressed) && faces->HasPressedColour2)
        font.SetColor(faces->PressedColour2);
    RECT r = button->BoundsRect();
    InflateRect(&r, -1, -1);
    DrawElement(bar->Canvas()->Handle(), r, ButtonFaceCount, face, *faces);
}

// ---- TSkinCoolBar

void TSkinCoolBar::InitControl(TWinSkinForm& form, TSkinData& skinData, bool takeColour)
{
    TSkinBox::InitControl(form, skinData, takeColour);
    auto* bar = dynamic_cast<TCoolBar*>(Control);
    if (!bar || !savedColours_.empty())
        return;
    for (int i = 0; i < bar->Bands()->Count(); ++i) {
        TCoolBand& band = *bar->Bands()->Items(i);
        savedColours_.push_back(band.Color());
        band.SetColor(ButtonFace());
    }
}

void TSkinCoolBar::RestoreControl()
{
    TSkinBox::RestoreControl();
    auto* bar = dynamic_cast<TCoolBar*>(Control);
    if (!bar)
        return;
    const int count = std::min(bar->Bands()->Count(), static_cast<int>(savedColours_.size()));
    for (int i = 0; i < count; ++i)
        bar->Bands()->Items(i)->SetColor(savedColours_[static_cast<std::size_t>(i)]);
    savedColours_.clear();
}

} // namespace skin
