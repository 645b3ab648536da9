// The header control over the platform's header control: column captions
// (THeaderSection) that the user clicks and resizes.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "ui/controls/CommonControls.h"

namespace ui {

class TImageList;

class THeaderSection : public TCollectionItem {
    UI_CLASS(THeaderSection)
public:
    using TCollectionItem::TCollectionItem;
    std::wstring Text() const { return text_; }
    void SetText(const std::wstring& text);
    int Width() const { return width_; }
    void SetWidth(int width);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    // Set by the header when the user drags the section's edge.
    void TakeWidth(int width) { width_ = width; }

private:
    std::wstring text_;
    int width_ = 50;
    TAlignment alignment_ = TAlignment::taLeftJustify;
    int imageIndex_ = -1;
};

using THeaderSections = TOwnedCollection<THeaderSection>;
class THeaderControl;
using TSectionNotifyEvent = TEvent<void(THeaderControl* HeaderControl, THeaderSection* Section)>;

// Column captions side by side; the user clicks a section or drags its right
// edge to resize it.
class THeaderControl : public TWinControl {
    UI_CLASS(THeaderControl)
public:
    explicit THeaderControl(TComponent* owner);
    ~THeaderControl() override;
    THeaderSections* Sections() const { return sections_.get(); }
    void SetSections(THeaderSections* sections);
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* images);
    void Notification(TComponent* component, TOperation operation) override;

    TSectionNotifyEvent OnSectionClick;
    TSectionNotifyEvent OnSectionResize;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& m) override;

private:
    void UpdateSections();
    // A notification from the header; only the item codes carry a whole
    // NMHEADERW, the rest (NM_RCLICK, ...) no more than an NMHDR.
    void Notify(const NMHDR& hdr);
    std::unique_ptr<THeaderSections> sections_;
    TImageList* images_ = nullptr;
};

} // namespace ui
