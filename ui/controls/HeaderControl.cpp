// The header control and its sections.
#include "ui/controls/HeaderControl.h"

#include <algorithm>

#include "ui/controls/AlignmentNames.h"
#include "ui/graphics/ImgList.h"

namespace ui {

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

void THeaderControl::Notify(const NMHDR& hdr)
{
    const bool click = hdr.code == HDN_ITEMCLICKW || hdr.code == HDN_ITEMCLICKA;
    const bool changed = hdr.code == HDN_ITEMCHANGEDW || hdr.code == HDN_ITEMCHANGEDA;
    if (!click && !changed)
        return;
    const auto& header = reinterpret_cast<const NMHEADERW&>(hdr);
    if (header.iItem < 0 || header.iItem >= sections_->Count())
        return;
    THeaderSection* section = sections_->Items(header.iItem);
    if (click) {
        OnSectionClick(this, section);
        return;
    }
    if (header.pitem && (header.pitem->mask & HDI_WIDTH) && header.pitem->cxy != section->Width()) {
        section->TakeWidth(header.pitem->cxy);
        OnSectionResize(this, section);
    }
}

void THeaderControl::Dispatch(TMessage& m)
{
    if (m.Msg == CN_NOTIFY) {
        Notify(*reinterpret_cast<const NMHDR*>(m.LParam));
        return;
    }
    TWinControl::Dispatch(m);
}

} // namespace ui
