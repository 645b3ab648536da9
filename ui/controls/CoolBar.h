// The cool bar over the platform's rebar control: rows of bands (TCoolBand),
// each holding a control the user may move and size.
#pragma once

#include "ui/controls/Controls.h"

namespace ui {

class TCoolBand : public TCollectionItem {
    UI_CLASS(TCoolBand)
public:
    using TCollectionItem::TCollectionItem;
    // The windowed control the band holds (a reference; the cool bar drops
    // it when the control goes).
    TWinControl* Control() const { return control_; }
    void SetControl(TWinControl* control);
    std::wstring Text() const { return text_; }
    void SetText(const std::wstring& text);
    int Width() const { return width_; }
    void SetWidth(int width);
    int MinHeight() const { return minHeight_; }
    void SetMinHeight(int height);
    // Starts a new row.
    bool Break() const { return break_; }
    void SetBreak(bool on);
    TColor Color() const { return color_; }
    void SetColor(TColor color);

private:
    friend class TCoolBar;
    TWinControl* control_ = nullptr;
    std::wstring text_;
    int width_ = 100;
    int minHeight_ = 25;
    bool break_ = true;
    TColor color_ = clBtnFace;
};

using TCoolBands = TOwnedCollection<TCoolBand>;

// Rows of bands, each holding a control (usually a tool bar) that the user
// may move and size by its gripper.
class TCoolBar : public TWinControl {
    UI_CLASS(TCoolBar)
public:
    explicit TCoolBar(TComponent* owner);
    ~TCoolBar() override;
    TCoolBands* Bands() const { return bands_.get(); }
    void SetBands(TCoolBands* bands);
    void Notification(TComponent* component, TOperation operation) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Loaded() override;

private:
    void UpdateBands();
    std::unique_ptr<TCoolBands> bands_;
};

} // namespace ui
