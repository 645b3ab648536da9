#include "ui/controls/ComCtrls.h"

#include <windowsx.h>

#include <algorithm>

#include "ui/controls/Menus.h"
#include "ui/graphics/ImgList.h"

namespace ui {

void InitCommonControlClasses(DWORD kinds)
{
    static DWORD done = 0;
    if ((done & kinds) == kinds)
        return;
    INITCOMMONCONTROLSEX init{sizeof init, kinds};
    InitCommonControlsEx(&init);
    done |= kinds;
}

namespace {

const std::vector<std::string> AlignmentNames = {"taLeftJustify", "taRightJustify", "taCenter"};

} // namespace

void ApplyStyle(TWinControl& control, DWORD bit, bool on)
{
    if (!control.HandleAllocated())
        return;
    HWND wnd = control.Handle();
    const LONG_PTR style = GetWindowLongPtrW(wnd, GWL_STYLE);
    SetWindowLongPtrW(wnd, GWL_STYLE, on ? (style | bit) : (style & ~static_cast<LONG_PTR>(bit)));
    control.Invalidate();
}

// ---- TStatusBar

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

// ---- TProgressBar

const TClassInfo& TProgressBar::StaticClass()
{
    using B = TProgressBar;
    static const TClassInfo info =
        TClassBuilder<B>("TProgressBar", &TWinControl::StaticClass())
            .Int("Min", &B::Min, &B::SetMin)
            .Int("Max", &B::Max, &B::SetMax)
            .Int("Position", &B::Position, &B::SetPosition)
            .Int("Step", &B::Step, &B::SetStep)
            .Enum("Orientation", {"pbHorizontal", "pbVertical"}, &B::Orientation, &B::SetOrientation)
            .Bool("Smooth", &B::Smooth, &B::SetSmooth)
            .Creatable()
            .Done();
    return info;
}

TProgressBar::TProgressBar(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 150, 16);
}

// A form may give Min, Max and Position in any order: the range is taken as
// it comes and the position is fitted into it once the form is read.
void TProgressBar::SetMin(int value)
{
    min_ = value;
    if (!Loading())
        max_ = std::max(max_, min_);
    SendRange();
}

void TProgressBar::SetMax(int value)
{
    max_ = value;
    if (!Loading())
        min_ = std::min(min_, max_);
    SendRange();
}

void TProgressBar::SetPosition(int value)
{
    position_ = Loading() ? value : std::clamp(value, min_, std::max(min_, max_));
    if (HandleAllocated())
        SendMessageW(Handle(), PBM_SETPOS, static_cast<WPARAM>(position_), 0);
}

void TProgressBar::SendRange()
{
    if (Loading())
        return;
    SetPosition(position_);
    if (HandleAllocated()) {
        SendMessageW(Handle(), PBM_SETRANGE32, static_cast<WPARAM>(min_), static_cast<LPARAM>(max_));
        SendMessageW(Handle(), PBM_SETPOS, static_cast<WPARAM>(position_), 0);
    }
}

void TProgressBar::SetOrientation(TProgressBarOrientation orientation)
{
    orientation_ = orientation;
    ApplyStyle(*this, PBS_VERTICAL, orientation == TProgressBarOrientation::pbVertical);
}

void TProgressBar::SetSmooth(bool on)
{
    smooth_ = on;
    ApplyStyle(*this, PBS_SMOOTH, on);
}

void TProgressBar::CreateParams(TCreateParams& params)
{
    InitCommonControlClasses(ICC_PROGRESS_CLASS);
    TWinControl::CreateParams(params);
    params.SystemClass = PROGRESS_CLASSW;
    if (orientation_ == TProgressBarOrientation::pbVertical)
        params.Style |= PBS_VERTICAL;
    if (smooth_)
        params.Style |= PBS_SMOOTH;
}

void TProgressBar::CreateWnd()
{
    TWinControl::CreateWnd();
    SendRange();
}

void TProgressBar::Loaded()
{
    TWinControl::Loaded();
    max_ = std::max(max_, min_);
    SendRange();
}

// ---- TTrackBar

const TClassInfo& TTrackBar::StaticClass()
{
    using B = TTrackBar;
    static const TClassInfo info =
        TClassBuilder<B>("TTrackBar", &TWinControl::StaticClass())
            .Int("Min", &B::Min, &B::SetMin)
            .Int("Max", &B::Max, &B::SetMax)
            .Int("Position", &B::Position, &B::SetPosition)
            .Int("Frequency", &B::Frequency, &B::SetFrequency)
            .Int("LineSize", &B::LineSize, &B::SetLineSize)
            .Int("PageSize", &B::PageSize, &B::SetPageSize)
            .Enum("Orientation", {"trHorizontal", "trVertical"}, &B::Orientation, &B::SetOrientation)
            .Enum("TickMarks", {"tmBottomRight", "tmTopLeft", "tmBoth"}, &B::TickMarks, &B::SetTickMarks)
            .Enum("TickStyle", {"tsNone", "tsAuto", "tsManual"}, &B::TickStyle, &B::SetTickStyle)
            .Event("OnChange", &B::OnChange)
            .Creatable()
            .Done();
    return info;
}

TTrackBar::TTrackBar(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 150, 45);
    SetTabStop(true);
    SetParentColor(true);
}

void TTrackBar::SetMin(int value)
{
    min_ = value;
    ApplyRange();
}

void TTrackBar::SetMax(int value)
{
    max_ = value;
    ApplyRange();
}

void TTrackBar::SetPosition(int value)
{
    MoveTo(value);
}

void TTrackBar::ApplyRange()
{
    if (HandleAllocated()) {
        SendMessageW(Handle(), TBM_SETRANGEMIN, FALSE, min_);
        SendMessageW(Handle(), TBM_SETRANGEMAX, TRUE, max_);
    }
    MoveTo(position_);
}

// The thumb goes to value fitted into the range, and OnChange hears of a
// move. While a form is read the value is kept as it is: the range may still
// be on its way.
void TTrackBar::MoveTo(int value)
{
    if (Loading()) {
        position_ = value;
        return;
    }
    const int fitted = std::clamp(value, std::min(min_, max_), std::max(min_, max_));
    if (HandleAllocated())
        SendMessageW(Handle(), TBM_SETPOS, TRUE, fitted);
    if (fitted == position_)
        return;
    position_ = fitted;
    OnChange(this);
}

void TTrackBar::Loaded()
{
    TWinControl::Loaded();
    ApplyRange();
}

void TTrackBar::SetFrequency(int value)
{
    frequency_ = value;
    if (HandleAllocated())
        SendMessageW(Handle(), TBM_SETTICFREQ, static_cast<WPARAM>(value), 0);
}

void TTrackBar::SetLineSize(int value)
{
    lineSize_ = value;
    if (HandleAllocated())
        SendMessageW(Handle(), TBM_SETLINESIZE, 0, value);
}

void TTrackBar::SetPageSize(int value)
{
    pageSize_ = value;
    if (HandleAllocated())
        SendMessageW(Handle(), TBM_SETPAGESIZE, 0, value);
}

void TTrackBar::SetOrientation(TTrackBarOrientation orientation)
{
    if (orientation == orientation_)
        return;
    orientation_ = orientation;
    if (HandleAllocated())
        RecreateWnd();
}

void TTrackBar::SetTickMarks(TTickMark marks)
{
    tickMarks_ = marks;
    if (HandleAllocated())
        RecreateWnd();
}

void TTrackBar::SetTickStyle(TTickStyle style)
{
    tickStyle_ = style;
    if (HandleAllocated())
        RecreateWnd();
}

void TTrackBar::CreateParams(TCreateParams& params)
{
    InitCommonControlClasses(ICC_BAR_CLASSES);
    TWinControl::CreateParams(params);
    params.SystemClass = TRACKBAR_CLASSW;
    params.Style |= orientation_ == TTrackBarOrientation::trVertical ? TBS_VERT : TBS_HORZ;
    switch (tickMarks_) {
    case TTickMark::tmBottomRight: params.Style |= TBS_BOTTOM; break;
    case TTickMark::tmTopLeft: params.Style |= TBS_TOP; break;
    case TTickMark::tmBoth: params.Style |= TBS_BOTH; break;
    }
    if (tickStyle_ == TTickStyle::tsNone)
        params.Style |= TBS_NOTICKS;
    else if (tickStyle_ == TTickStyle::tsAuto)
        params.Style |= TBS_AUTOTICKS;
}

void TTrackBar::CreateWnd()
{
    TWinControl::CreateWnd();
    HWND wnd = Handle();
    SendMessageW(wnd, TBM_SETRANGEMIN, FALSE, min_);
    SendMessageW(wnd, TBM_SETRANGEMAX, FALSE, max_);
    SendMessageW(wnd, TBM_SETTICFREQ, static_cast<WPARAM>(frequency_), 0);
    SendMessageW(wnd, TBM_SETLINESIZE, 0, lineSize_);
    SendMessageW(wnd, TBM_SETPAGESIZE, 0, pageSize_);
    SendMessageW(wnd, TBM_SETPOS, TRUE, position_);
}

// The thumb moved by mouse or keys: the bar tells its parent, which hands
// the scroll message back here.
void TTrackBar::Dispatch(TMessage& m)
{
    if (m.Msg == CN_CTLCOLORSTATIC) {
        m.Result = CtlColor(reinterpret_cast<HDC>(m.WParam));
        return;
    }
    if (m.Msg == CN_HSCROLL || m.Msg == CN_VSCROLL) {
        const int now = static_cast<int>(SendMessageW(Handle(), TBM_GETPOS, 0, 0));
        if (now != position_) {
            position_ = now;
            OnChange(this);
        }
        return;
    }
    TWinControl::Dispatch(m);
}

// ---- TUpDown

const TClassInfo& TUpDown::StaticClass()
{
    using U = TUpDown;
    static const TClassInfo info =
        TClassBuilder<U>("TUpDown", &TWinControl::StaticClass())
            .Int("Min", &U::Min, &U::SetMin)
            .Int("Max", &U::Max, &U::SetMax)
            .Int("Position", &U::Position, &U::SetPosition)
            .Int("Increment", &U::Increment, &U::SetIncrement)
            .Bool("Wrap", &U::Wrap, &U::SetWrap)
            .Enum("Orientation", {"udVertical", "udHorizontal"}, &U::Orientation, &U::SetOrientation)
            .Reference("Associate", &U::Associate, &U::SetAssociate)
            .Event("OnChange", &U::OnChange)
            .Creatable()
            .Done();
    return info;
}

TUpDown::TUpDown(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 17, 25);
}

void TUpDown::SetMin(int value)
{
    min_ = value;
    ApplyRange();
}

void TUpDown::SetMax(int value)
{
    max_ = value;
    ApplyRange();
}

void TUpDown::SetPosition(int value)
{
    position_ = Loading() ? value : std::clamp(value, std::min(min_, max_), std::max(min_, max_));
    if (HandleAllocated())
        SendMessageW(Handle(), UDM_SETPOS32, 0, position_);
}

void TUpDown::ApplyRange()
{
    if (Loading())
        return;
    if (HandleAllocated())
        SendMessageW(Handle(), UDM_SETRANGE32, static_cast<WPARAM>(min_), max_);
    SetPosition(position_);
}

void TUpDown::SetIncrement(int value)
{
    increment_ = value;
    if (HandleAllocated()) {
        UDACCEL accel{0, static_cast<UINT>(std::max(value, 1))};
        SendMessageW(Handle(), UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
    }
}

void TUpDown::SetWrap(bool on)
{
    wrap_ = on;
    if (HandleAllocated())
        RecreateWnd();
}

void TUpDown::SetOrientation(TUDOrientation orientation)
{
    orientation_ = orientation;
    if (HandleAllocated())
        RecreateWnd();
}

void TUpDown::SetAssociate(TWinControl* control)
{
    SetReference(associate_, control);
    if (HandleAllocated() && !Loading())
        RecreateWnd();
}

void TUpDown::Notification(TComponent* component, TOperation operation)
{
    TWinControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == associate_)
        associate_ = nullptr;
}

void TUpDown::Loaded()
{
    TWinControl::Loaded();
    ApplyRange();
}

void TUpDown::CreateParams(TCreateParams& params)
{
    InitCommonControlClasses(ICC_UPDOWN_CLASS);
    TWinControl::CreateParams(params);
    params.SystemClass = UPDOWN_CLASSW;
    params.Style |= UDS_ARROWKEYS | UDS_NOTHOUSANDS;
    if (orientation_ == TUDOrientation::udHorizontal)
        params.Style |= UDS_HORZ;
    if (wrap_)
        params.Style |= UDS_WRAP;
    if (associate_)
        params.Style |= UDS_SETBUDDYINT | UDS_ALIGNRIGHT;
}

void TUpDown::CreateWnd()
{
    TWinControl::CreateWnd();
    HWND wnd = Handle();
    if (associate_)
        SendMessageW(wnd, UDM_SETBUDDY, reinterpret_cast<WPARAM>(associate_->Handle()), 0);
    SendMessageW(wnd, UDM_SETRANGE32, static_cast<WPARAM>(min_), max_);
    SendMessageW(wnd, UDM_SETPOS32, 0, position_);
    SetIncrement(increment_);
}

// A step of the arrows (mouse or keys) comes back as a reflected scroll
// message once the window has moved.
void TUpDown::Dispatch(TMessage& m)
{
    if (m.Msg == CN_HSCROLL || m.Msg == CN_VSCROLL) {
        const int now = static_cast<int>(SendMessageW(Handle(), UDM_GETPOS32, 0, 0));
        if (now != position_) {
            position_ = now;
            OnChange(this);
        }
        return;
    }
    TWinControl::Dispatch(m);
}

// ---- THeaderControl

const TClassInfo& THeaderSection::StaticClass()
{
    using S = THeaderSection;
    static const TClassInfo info = TClassBuilder<S>("THeaderSection", &TCollectionItem::StaticClass())
                                       .Wide("Text", &S::Text, &S::SetText)
                                       .Int("Width", &S::Width, &S::SetWidth)
                                       .Enum("Alignment", AlignmentNames, &S::Alignment, &S::SetAlignment)
                                       .Int("ImageIndex", &S::ImageIndex, &S::SetImageIndex)
                                       .Done();
    return info;
}

void THeaderSection::SetText(const std::wstring& text)
{
    text_ = text;
    Changed();
}

void THeaderSection::SetWidth(int width)
{
    width_ = std::max(width, 0);
    Changed();
}

void THeaderSection::SetAlignment(TAlignment alignment)
{
    alignment_ = alignment;
    Changed();
}

void THeaderSection::SetImageIndex(int index)
{
    imageIndex_ = index;
    Changed();
}

const TClassInfo& THeaderControl::StaticClass()
{
    using H = THeaderControl;
    static const TClassInfo info = TClassBuilder<H>("THeaderControl", &TWinControl::StaticClass())
                                       .Object("Sections", &H::Sections, &H::SetSections)
                                       .Reference("Images", &H::Images, &H::SetImages)
                                       .Event("OnSectionClick", &H::OnSectionClick)
                                       .Event("OnSectionResize", &H::OnSectionResize)
                                       .Creatable()
                                       .Done();
    return info;
}

THeaderControl::THeaderControl(TComponent* owner)
    : TWinControl(owner), sections_(std::make_unique<THeaderSections>([this](TCollectionItem*) { UpdateSections(); }))
{
    SetBounds(0, 0, 200, 17);
    SetAlign(TAlign::alTop);
}

THeaderControl::~THeaderControl() = default;

void THeaderControl::SetSections(THeaderSections*) {}

void THeaderControl::SetImages(TImageList* images)
{
    SetReference(images_, images);
    UpdateSections();
}

void THeaderControl::Notification(TComponent* component, TOperation operation)
{
    TWinControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == images_) {
        images_ = nullptr;
        UpdateSections();
    }
}

void THeaderControl::CreateParams(TCreateParams& params)
{
    InitCommonControlClasses(ICC_WIN95_CLASSES);
    TWinControl::CreateParams(params);
    params.SystemClass = WC_HEADERW;
    params.Style |= HDS_BUTTONS | HDS_HORZ | HDS_FULLDRAG;
}

void THeaderControl::CreateWnd()
{
    TWinControl::CreateWnd();
    UpdateSections();
}

void THeaderControl::UpdateSections()
{
    if (!HandleAllocated())
        return;
    HWND wnd = Handle();
    SendMessageW(wnd, HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_ ? images_->Handle() : nullptr));
    while (SendMessageW(wnd, HDM_GETITEMCOUNT, 0, 0) > 0)
        SendMessageW(wnd, HDM_DELETEITEM, 0, 0);
    for (int i = 0; i < sections_->Count(); ++i) {
        const THeaderSection& section = *sections_->Items(i);
        std::wstring text = section.Text();
        HDITEMW item{};
        item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
        item.cxy = section.Width();
        item.pszText = text.data();
        item.fmt = HDF_STRING | (section.Alignment() == TAlignment::taCenter         ? HDF_CENTER
                                 : section.Alignment() == TAlignment::taRightJustify ? HDF_RIGHT
                                                                                     : HDF_LEFT);
        if (section.ImageIndex() >= 0 && images_) {
            item.mask |= HDI_IMAGE;
            item.fmt |= HDF_IMAGE;
            item.iImage = section.ImageIndex();
        }
        SendMessageW(wnd, HDM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
}

void THeaderControl::Notify(const NMHEADERW& header)
{
    if (header.iItem < 0 || header.iItem >= sections_->Count())
        return;
    THeaderSection* section = sections_->Items(header.iItem);
    switch (header.hdr.code) {
    case HDN_ITEMCLICKW:
    case HDN_ITEMCLICKA: OnSectionClick(this, section); break;
    case HDN_ITEMCHANGEDW:
    case HDN_ITEMCHANGEDA:
        if (header.pitem && (header.pitem->mask & HDI_WIDTH) && header.pitem->cxy != section->Width()) {
            section->TakeWidth(header.pitem->cxy);
            OnSectionResize(this, section);
        }
        break;
    default: break;
    }
}

void THeaderControl::Dispatch(TMessage& m)
{
    if (m.Msg == CN_NOTIFY) {
        Notify(*reinterpret_cast<const NMHEADERW*>(m.LParam));
        return;
    }
    TWinControl::Dispatch(m);
}

// ---- TToolButton

const TClassInfo& TToolButton::StaticClass()
{
    using B = TToolButton;
    static const TClassInfo info =
        TClassBuilder<B>("TToolButton", &TControl::StaticClass())
            .Enum("Style", {"tbsButton", "tbsCheck", "tbsDropDown", "tbsSeparator", "tbsDivider"}, &B::Style,
                  &B::SetStyle)
            .Int("ImageIndex", &B::ImageIndex, &B::SetImageIndex)
            .Bool("Down", &B::Down, &B::SetDown)
            .Bool("Grouped", &B::Grouped, &B::SetGrouped)
            .Reference("DropdownMenu", &B::DropdownMenu, &B::SetDropdownMenu)
            .Reference("MenuItem", &B::MenuItem, &B::SetMenuItem)
            .Creatable()
            .Done();
    return info;
}

TToolButton::TToolButton(TComponent* owner) : TControl(owner)
{
    SetBounds(0, 0, 23, 22);
}

// A button that goes leaves its bar first, so that the bar's window drops it.
TToolButton::~TToolButton()
{
    if (TToolBar* bar = Bar(); bar && !bar->Destroying())
        SetParent(nullptr);
}

TToolBar* TToolButton::Bar() const
{
    return dynamic_cast<TToolBar*>(Parent());
}

void TToolButton::BarChanged()
{
    if (TToolBar* bar = Bar(); bar && !Loading())
        bar->RebuildButtons();
}

void TToolButton::SetParent(TWinControl* parent)
{
    TToolBar* before = Bar();
    TControl::SetParent(parent);
    if (before && before != Bar())
        before->RebuildButtons();
    BarChanged();
}

void TToolButton::SetStyle(TToolButtonStyle style)
{
    style_ = style;
    BarChanged();
}

void TToolButton::SetImageIndex(int index)
{
    imageIndex_ = index;
    BarChanged();
}

void TToolButton::SetDown(bool down)
{
    down_ = down;
    if (TToolBar* bar = Bar(); bar && bar->HandleAllocated())
        if (const WPARAM id = bar->CommandOf(*this))
            SendMessageW(bar->Handle(), TB_CHECKBUTTON, id, down);
}

void TToolButton::SetGrouped(bool on)
{
    grouped_ = on;
    BarChanged();
}

void TToolButton::SetDropdownMenu(TPopupMenu* menu)
{
    SetReference(dropdownMenu_, menu);
}

void TToolButton::SetMenuItem(TMenuItem* item)
{
    SetReference(menuItem_, item);
}

void TToolButton::Notification(TComponent* component, TOperation operation)
{
    TControl::Notification(component, operation);
    if (operation != TOperation::opRemove)
        return;
    if (component == dropdownMenu_)
        dropdownMenu_ = nullptr;
    if (component == menuItem_)
        menuItem_ = nullptr;
}

// A click on a check button turns it over first (the window has done so
// for a click of the user; a click from the program asks the window).
void TToolButton::Click()
{
    if (style_ == TToolButtonStyle::tbsCheck)
        SetDown(!down_);
    TControl::Click();
}

// The caption and the enabled state are shown by the bar's window.
void TToolButton::Dispatch(TMessage& m)
{
    if (m.Msg == CM_TEXTCHANGED || m.Msg == CM_ENABLEDCHANGED || m.Msg == CM_VISIBLECHANGED)
        BarChanged();
    TControl::Dispatch(m);
}

// ---- TToolBar

const TClassInfo& TToolBar::StaticClass()
{
    using B = TToolBar;
    static const TClassInfo info = TClassBuilder<B>("TToolBar", &TWinControl::StaticClass())
                                       .Bool("Flat", &B::Flat, &B::SetFlat)
                                       .Bool("ShowCaptions", &B::ShowCaptions, &B::SetShowCaptions)
                                       .Int("ButtonWidth", &B::ButtonWidth, &B::SetButtonWidth)
                                       .Int("ButtonHeight", &B::ButtonHeight, &B::SetButtonHeight)
                                       .Reference("Images", &B::Images, &B::SetImages)
                                       .Reference("Menu", &B::Menu, &B::SetMenu)
                                       .Event("OnCustomDraw", &B::OnCustomDraw)
                                       .Event("OnCustomDrawButton", &B::OnCustomDrawButton)
                                       .Creatable()
                                       .Done();
    return info;
}

TToolBar::TToolBar(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 150, 29);
    SetAlign(TAlign::alTop);
    SetParentColor(true);
}

void TToolBar::SetFlat(bool on)
{
    flat_ = on;
    ApplyStyle(*this, TBSTYLE_FLAT, on);
}

void TToolBar::SetShowCaptions(bool on)
{
    showCaptions_ = on;
    RebuildButtons();
}

void TToolBar::SetButtonWidth(int width)
{
    buttonWidth_ = width;
    RebuildButtons();
}

void TToolBar::SetButtonHeight(int height)
{
    buttonHeight_ = height;
    RebuildButtons();
}

void TToolBar::SetImages(TImageList* images)
{
    SetReference(images_, images);
    RebuildButtons();
}

void TToolBar::Notification(TComponent* component, TOperation operation)
{
    TWinControl::Notification(component, operation);
    if (operation != TOperation::opRemove)
        return;
    if (component == menu_) {
        menu_ = nullptr;
        FreeMenuButtons();
    }
    std::erase(menuButtons_, component);
    if (component == images_) {
        images_ = nullptr;
        RebuildButtons();
    }
}

// The bar is placed by its Align; the window only lays out its buttons.
void TToolBar::CreateParams(TCreateParams& params)
{
    InitCommonControlClasses(ICC_BAR_CLASSES);
    TWinControl::CreateParams(params);
    params.SystemClass = TOOLBARCLASSNAMEW;
    params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER | TBSTYLE_TOOLTIPS | (flat_ ? TBSTYLE_FLAT : 0);
}

void TToolBar::CreateWnd()
{
    TWinControl::CreateWnd();
    SendMessageW(Handle(), TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(Handle(), TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    RebuildButtons();
}

void TToolBar::Loaded()
{
    TWinControl::Loaded();
    if (menu_)
        MakeMenuButtons();
    RebuildButtons();
}

namespace {

BYTE ButtonStyleOf(const TToolButton& button)
{
    switch (button.Style()) {
    case TToolButtonStyle::tbsCheck: return BTNS_CHECK | (button.Grouped() ? BTNS_GROUP : 0);
    case TToolButtonStyle::tbsDropDown: return BTNS_DROPDOWN;
    case TToolButtonStyle::tbsSeparator:
    case TToolButtonStyle::tbsDivider: return BTNS_SEP;
    case TToolButtonStyle::tbsButton: break;
    }
    // A button showing a menu item is as wide as its caption, like the
    // entries of a menu bar.
    return button.MenuItem() ? BTNS_BUTTON | BTNS_AUTOSIZE : BTNS_BUTTON;
}

bool IsSeparator(const TToolButton& button)
{
    return button.Style() == TToolButtonStyle::tbsSeparator || button.Style() == TToolButtonStyle::tbsDivider;
}

} // namespace

// The window's buttons are remade from the tool buttons among the bar's
// children, in their order; a button's command is its place + 1.
void TToolBar::RebuildButtons()
{
    buttons_.clear();
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* b = dynamic_cast<TToolButton*>(Controls(i)); b && b->Visible())
            buttons_.push_back(b);
    if (!HandleAllocated() || Loading())
        return;
    HWND wnd = Handle();
    while (SendMessageW(wnd, TB_BUTTONCOUNT, 0, 0) > 0)
        SendMessageW(wnd, TB_DELETEBUTTON, 0, 0);
    SendMessageW(wnd, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_ ? images_->Handle() : nullptr));
    std::vector<std::wstring> captions;
    captions.reserve(buttons_.size());
    std::vector<TBBUTTON> native(buttons_.size());
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        const TToolButton& b = *buttons_[i];
        TBBUTTON& t = native[i];
        t.idCommand = static_cast<int>(i + 1);
        t.fsStyle = ButtonStyleOf(b);
        t.fsState = static_cast<BYTE>((b.Enabled() ? TBSTATE_ENABLED : 0) | (b.Down() ? TBSTATE_CHECKED : 0));
        t.iBitmap = IsSeparator(b) ? b.Width() : (b.ImageIndex() >= 0 && images_ ? b.ImageIndex() : I_IMAGENONE);
        captions.push_back(b.Caption());
        t.iString = showCaptions_ && !IsSeparator(b) ? reinterpret_cast<INT_PTR>(captions.back().c_str()) : -1;
    }
    SendMessageW(wnd, TB_SETBUTTONSIZE, 0, MAKELPARAM(buttonWidth_, buttonHeight_));
    if (!native.empty())
        SendMessageW(wnd, TB_ADDBUTTONSW, native.size(), reinterpret_cast<LPARAM>(native.data()));
    PlaceButtons();
    Invalidate();
}

void TToolBar::PlaceButtons()
{
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        RECT r{};
        if (SendMessageW(Handle(), TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r)))
            buttons_[i]->TControl::SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
}

TToolButton* TToolBar::ButtonOfCommand(WPARAM id) const
{
    return id >= 1 && id <= buttons_.size() ? buttons_[id - 1] : nullptr;
}

WPARAM TToolBar::CommandOf(const TToolButton& button) const
{
    const auto at = std::find(buttons_.begin(), buttons_.end(), &button);
    return at == buttons_.end() ? 0 : static_cast<WPARAM>(at - buttons_.begin() + 1);
}

// The mouse belongs to the bar's window, which operates the buttons; the
// tool buttons (windowless children) take no mouse messages of their own.
void TToolBar::WndProc(TMessage& m)
{
    TControl::WndProc(m);
}

// The window has turned a check button over (and let the others of its
// group up): the buttons take the states it shows.
void TToolBar::ButtonClicked(TToolButton& button)
{
    for (TToolButton* b : buttons_)
        if (b->Style() == TToolButtonStyle::tbsCheck)
            b->down_ = SendMessageW(Handle(), TB_ISBUTTONCHECKED, CommandOf(*b), 0) != 0;
    button.TControl::Click();
}

// The arrow of a drop-down button opens its menu below the button.
void TToolBar::DropDown(const NMTOOLBARW& notify)
{
    TToolButton* button = ButtonOfCommand(static_cast<WPARAM>(notify.iItem));
    if (!button || !button->DropdownMenu())
        return;
    const POINT at = ClientToScreen({notify.rcButton.left, notify.rcButton.bottom});
    button->DropdownMenu()->SetPopupComponent(button);
    button->DropdownMenu()->Popup(at.x, at.y);
}

namespace {

TCustomDrawState DrawStateOf(UINT itemState)
{
    const std::pair<UINT, TCustomDrawStateBit> bits[] = {
        {CDIS_SELECTED, cdsSelected}, {CDIS_GRAYED, cdsGrayed},   {CDIS_DISABLED, cdsDisabled},
        {CDIS_CHECKED, cdsChecked},   {CDIS_FOCUS, cdsFocused},   {CDIS_DEFAULT, cdsDefault},
        {CDIS_HOT, cdsHot},           {CDIS_MARKED, cdsMarked},   {CDIS_INDETERMINATE, cdsIndeterminate}};
    TCustomDrawState state = 0;
    for (auto [flag, bit] : bits)
        if (itemState & flag)
            state |= 1u << bit;
    return state;
}

} // namespace

// The custom-draw handlers paint on Canvas(), attached to the context the
// bar draws on. A button face painted by a handler keeps the bar's own
// edges and checked background off it.
LRESULT TToolBar::CustomDraw(NMTBCUSTOMDRAW& draw)
{
    NMCUSTOMDRAW& cd = draw.nmcd;
    bool defaultDraw = true;
    if (cd.dwDrawStage == CDDS_PREPAINT) {
        if (OnCustomDraw) {
            const TCanvasAttachment attached(*Canvas(), cd.hdc);
            OnCustomDraw(this, ClientRect(), defaultDraw);
        }
        if (!defaultDraw)
            return CDRF_SKIPDEFAULT;
        return OnCustomDrawButton ? CDRF_NOTIFYITEMDRAW : CDRF_DODEFAULT;
    }
    if (cd.dwDrawStage == CDDS_ITEMPREPAINT && OnCustomDrawButton) {
        TToolButton* button = ButtonOfCommand(cd.dwItemSpec);
        if (!button)
            return CDRF_DODEFAULT;
        {
            const TCanvasAttachment attached(*Canvas(), cd.hdc);
            Canvas()->Font()->Assign(*Font());
            OnCustomDrawButton(this, button, DrawStateOf(cd.uItemState), defaultDraw);
        }
        return defaultDraw ? TBCDRF_NOEDGES | TBCDRF_NOOFFSET | TBCDRF_NOBACKGROUND : CDRF_SKIPDEFAULT;
    }
    return CDRF_DODEFAULT;
}

void TToolBar::Dispatch(TMessage& m)
{
    switch (m.Msg) {
    case CN_COMMAND:
        if (TToolButton* button = ButtonOfCommand(LOWORD(m.WParam)))
            ButtonClicked(*button);
        return;
    case CN_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(m.LParam);
        if (header->code == NM_CUSTOMDRAW) {
            m.Result = CustomDraw(*reinterpret_cast<NMTBCUSTOMDRAW*>(m.LParam));
            return;
        }
        if (header->code == TBN_DROPDOWN) {
            DropDown(*reinterpret_cast<const NMTOOLBARW*>(m.LParam));
            m.Result = TBDDRET_DEFAULT;
            return;
        }
        break;
    }
    case WM_SIZE:
        TWinControl::Dispatch(m);
        PlaceButtons();
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // A press on a menu's button drops its items at once, as on a menu bar.
        if (const int index = ButtonIndexAt({GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)});
            index >= 0 && Buttons(index)->MenuItem()) {
            TrackMenu(Buttons(index));
            return;
        }
        break;
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
        // The items of a drop-down this bar opened (it owns the menu's loop).
        if (DispatchMenuMessage(m))
            return;
        break;
    case WM_MENUSELECT:
        NoteDropDownSelect(m.WParam, m.LParam);
        break;
    case WM_ERASEBKGND: {
        // A flat bar would ask its parent for the background, and a form
        // paints all of itself in WM_PAINT: the bar fills its own.
        RECT r;
        GetClientRect(Handle(), &r);
        TBrushHandle brush(CreateSolidBrush(ColorToRGB(Color())));
        FillRect(reinterpret_cast<HDC>(m.WParam), &r, brush.Get());
        m.Result = 1;
        return;
    }
    default: break;
    }
    TWinControl::Dispatch(m);
}

// ---- TCoolBar

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
    if (!HandleAllocated() || Loading())
        return;
    HWND wnd = Handle();
    while (SendMessageW(wnd, RB_GETBANDCOUNT, 0, 0) > 0)
        SendMessageW(wnd, RB_DELETEBAND, 0, 0);
    for (int i = 0; i < bands_->Count(); ++i) {
        TCoolBand& band = *bands_->Items(i);
        if (band.Control())
            FreeNotification(band.Control());
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
