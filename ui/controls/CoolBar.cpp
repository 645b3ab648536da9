// The cool bar and its bands.
#include "ui/controls/CoolBar.h"

#include <algorithm>

#include "ui/controls/CommonControls.h"

namespace ui {

const TClassInfo& TCoolBand::StaticClass()
{
    using B = TCoolBand;
    static const TClassInfo info = TClassBuilder<B>("TCoolBand", &TCollectionItem::StaticClass())
                                       .Reference("Control", &B::Control, &B::SetControl)
                                       .Wide("Text", &B::Text, &B::SetText)
                                       .Int("Width", &B::Width, &B::SetWidth)
                                       .Int("MinHeight", &B::MinHeight, &B::SetMinHeight)
                                       .Bool("Break", &B::Break, &B::SetBreak)
                                       .Int("Color", &B::Color, &B::SetColor, ColorIdents)
                                       .Done();
    return info;
}

void TCoolBand::SetControl(TWinControl* control)
{
    control_ = control;
    Changed();
}

void TCoolBand::SetText(const std::wstring& text)
{
    text_ = text;
    Changed();
}

void TCoolBand::SetWidth(int width)
{
    width_ = width;
    Changed();
}

void TCoolBand::SetMinHeight(int height)
{
    minHeight_ = height;
    Changed();
}

void TCoolBand::SetBreak(bool on)
{
    break_ = on;
    Changed();
}

void TCoolBand::SetColor(TColor color)
{
    color_ = color;
    Changed();
}

const TClassInfo& TCoolBar::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TCoolBar>("TCoolBar", &TWinControl::StaticClass())
                                       .Object("Bands", &TCoolBar::Bands, &TCoolBar::SetBands)
                                       .Creatable()
                                       .Done();
    return info;
}

TCoolBar::TCoolBar(TComponent* owner)
    : TWinControl(owner), bands_(std::make_unique<TCoolBands>([this](TCollectionItem*) { UpdateBands(); }))
{
    SetBounds(0, 0, 150, 75);
    SetAlign(TAlign::alTop);
    SetColor(clBtnFace);
}

TCoolBar::~TCoolBar() = default;

void TCoolBar::SetBands(TCoolBands*) {}

void TCoolBar::Notification(TComponent* component, TOperation operation)
{
    TWinControl::Notification(component, operation);
    if (operation != TOperation::opRemove)
        return;
    for (int i = 0; i < bands_->Count(); ++i)
        if (bands_->Items(i)->control_ == component)
            bands_->Items(i)->control_ = nullptr;
}

void TCoolBar::CreateParams(TCreateParams& params)
{
    InitCommonControlClasses(ICC_COOL_CLASSES);
    TWinControl::CreateParams(params);
    params.SystemClass = REBARCLASSNAMEW;
    params.Style |= CCS_NOPARENTALIGN | CCS_NODIVIDER | RBS_VARHEIGHT | RBS_BANDBORDERS | WS_CLIPCHILDREN;
}

void TCoolBar::CreateWnd()
{
    TWinControl::CreateWnd();
    UpdateBands();
}

void TCoolBar::Loaded()
{
    TWinControl::Loaded();
    UpdateBands();
}

// The window's bands are remade from Bands; each band's control becomes a
// child of the bar's window, which places it.
void TCoolBar::UpdateBands()
{
    // Every band's control tells the bar when it goes, window or not, so
    // that no band keeps a control that is gone.
    for (int i = 0; i < bands_->Count(); ++i)
        if (TWinControl* control = bands_->Items(i)->Control())
            FreeNotification(control);
    if (!HandleAllocated() || Loading())
        return;
    HWND wnd = Handle();
    while (SendMessageW(wnd, RB_GETBANDCOUNT, 0, 0) > 0)
        SendMessageW(wnd, RB_DELETEBAND, 0, 0);
    for (int i = 0; i < bands_->Count(); ++i) {
        TCoolBand& band = *bands_->Items(i);
        std::wstring text = band.Text();
        REBARBANDINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = RBBIM_STYLE | RBBIM_TEXT | RBBIM_SIZE | RBBIM_COLORS | RBBIM_CHILDSIZE;
        info.fStyle = RBBS_CHILDEDGE | RBBS_GRIPPERALWAYS | (band.Break() ? RBBS_BREAK : 0);
        info.lpText = text.data();
        info.cx = static_cast<UINT>(std::max(band.Width(), 0));
        info.clrFore = ColorToRGB(Font()->Color());
        info.clrBack = ColorToRGB(band.Color());
        info.cyMinChild = static_cast<UINT>(std::max(band.MinHeight(), 0));
        if (TWinControl* control = band.Control(); control && control->Parent() == this) {
            control->SetAlign(TAlign::alNone);  // the band places it
            info.fMask |= RBBIM_CHILD;
            info.hwndChild = control->Handle();
            info.cyMinChild = static_cast<UINT>(std::max(band.MinHeight(), control->Height()));
        }
        SendMessageW(wnd, RB_INSERTBANDW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&info));
    }
}

} // namespace ui
