// The status bar and its panels.
#include "ui/controls/StatusBar.h"

#include <algorithm>

#include "ui/controls/AlignmentNames.h"

namespace ui {

const TClassInfo& TStatusPanel::StaticClass()
{
    using P = TStatusPanel;
    static const TClassInfo info =
        TClassBuilder<P>("TStatusPanel", &TCollectionItem::StaticClass())
            .Wide("Text", &P::Text, &P::SetText)
            .Int("Width", &P::Width, &P::SetWidth)
            .Enum("Alignment", AlignmentNames, &P::Alignment, &P::SetAlignment)
            .Enum("Bevel", {"pbNone", "pbLowered", "pbRaised"}, &P::Bevel, &P::SetBevel)
            .Enum("Style", {"psText", "psOwnerDraw"}, &P::Style, &P::SetStyle)
            .Done();
    return info;
}

void TStatusPanel::SetText(const std::wstring& text)
{
    text_ = text;
    Changed();
}

void TStatusPanel::SetWidth(int width)
{
    width_ = std::max(width, 0);
    Changed();
}

void TStatusPanel::SetAlignment(TAlignment alignment)
{
    alignment_ = alignment;
    Changed();
}

void TStatusPanel::SetBevel(TStatusPanelBevel bevel)
{
    bevel_ = bevel;
    Changed();
}

void TStatusPanel::SetStyle(TStatusPanelStyle style)
{
    style_ = style;
    Changed();
}

const TClassInfo& TCustomStatusBar::StaticClass()
{
    using B = TCustomStatusBar;
    static const TClassInfo info = TClassBuilder<B>("TCustomStatusBar", &TWinControl::StaticClass())
                                       .Object("Panels", &B::Panels, &B::SetPanels)
                                       .Bool("SimplePanel", &B::SimplePanel, &B::SetSimplePanel)
                                       .Wide("SimpleText", &B::SimpleText, &B::SetSimpleText)
                                       .Bool("SizeGrip", &B::SizeGrip, &B::SetSizeGrip)
                                       .Event("OnDrawPanel", &B::OnDrawPanel)
                                       .Done();
    return info;
}

const TClassInfo& TStatusBar::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TStatusBar>("TStatusBar", &TCustomStatusBar::StaticClass()).Creatable().Done();
    return info;
}

TCustomStatusBar::TCustomStatusBar(TComponent* owner)
    : TWinControl(owner), panels_(std::make_unique<TStatusPanels>([this](TCollectionItem*) { UpdatePanels(); }))
{
    SetBounds(0, 0, 200, 19);
    SetAlign(TAlign::alBottom);
    SetColor(clBtnFace);
}

TCustomStatusBar::~TCustomStatusBar() = default;

void TCustomStatusBar::SetPanels(TStatusPanels*) {}

void TCustomStatusBar::SetSimplePanel(bool on)
{
    simplePanel_ = on;
    UpdatePanels();
}

void TCustomStatusBar::SetSimpleText(const std::wstring& text)
{
    simpleText_ = text;
    UpdatePanels();
}

void TCustomStatusBar::SetSizeGrip(bool on)
{
    sizeGrip_ = on;
    ApplyStyle(*this, SBARS_SIZEGRIP, on);
}

bool TCustomStatusBar::PanelRect(int index, RECT& rect)
{
    return SendMessageW(Handle(), SB_GETRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect)) != 0;
}

// The bar is placed by its Align like any control, not by the window itself.
void TCustomStatusBar::CreateParams(TCreateParams& params)
{
    InitCommonControlClasses(ICC_BAR_CLASSES);
    TWinControl::CreateParams(params);
    params.SystemClass = STATUSCLASSNAMEW;
    params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | (sizeGrip_ ? SBARS_SIZEGRIP : 0);
}

void TCustomStatusBar::CreateWnd()
{
    TWinControl::CreateWnd();
    UpdatePanels();
}

// Panels end where their widths add up to; the last one takes the rest. A
// tab before the text centres it, two put it right.
void TCustomStatusBar::UpdatePanels()
{
    if (!HandleAllocated())
        return;
    HWND wnd = Handle();
    const int count = panels_->Count();
    SendMessageW(wnd, SB_SIMPLE, simplePanel_ || count == 0, 0);
    if (simplePanel_ || count == 0) {
        SendMessageW(wnd, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(simpleText_.c_str()));
        return;
    }
    std::vector<int> edges(static_cast<std::size_t>(count));
    int right = 0;
    for (int i = 0; i < count; ++i)
        edges[static_cast<std::size_t>(i)] = right += panels_->Items(i)->Width();
    edges.back() = -1;
    SendMessageW(wnd, SB_SETPARTS, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(edges.data()));
    for (int i = 0; i < count; ++i) {
        const TStatusPanel& panel = *panels_->Items(i);
        WPARAM how = static_cast<WPARAM>(i);
        if (panel.Bevel() == TStatusPanelBevel::pbNone)
            how |= SBT_NOBORDERS;
        else if (panel.Bevel() == TStatusPanelBevel::pbRaised)
            how |= SBT_POPOUT;
        if (panel.Style() == TStatusPanelStyle::psOwnerDraw) {
            SendMessageW(wnd, SB_SETTEXTW, how | SBT_OWNERDRAW, 0);
            continue;
        }
        const wchar_t* lead = panel.Alignment() == TAlignment::taCenter         ? L"\t"
                              : panel.Alignment() == TAlignment::taRightJustify ? L"\t\t"
                                                                                : L"";
        const std::wstring text = lead + panel.Text();
        SendMessageW(wnd, SB_SETTEXTW, how, reinterpret_cast<LPARAM>(text.c_str()));
    }
}

void TCustomStatusBar::Dispatch(TMessage& m)
{
    if (m.Msg == CN_DRAWITEM) {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam);
        const int index = static_cast<int>(item.itemID);
        if (index >= 0 && index < panels_->Count()) {
            const TCanvasAttachment attached(*Canvas(), item.hDC);
            Canvas()->Font()->Assign(*Font());
            OnDrawPanel(this, panels_->Items(index), item.rcItem);
        }
        m.Result = TRUE;
        return;
    }
    TWinControl::Dispatch(m);
}

} // namespace ui
