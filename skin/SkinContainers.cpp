#include "skin/SkinContainers.h"

#include "skin/WinSkinData.h"

namespace skin {

using namespace ui;

void TSkinBox::InitControl(TWinSkinForm& form, TSkinData& skinData, bool takeColour)
{
    AttachControl(form, skinData, takeColour, false);
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
