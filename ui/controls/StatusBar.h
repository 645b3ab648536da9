// The status bar over the platform's status window: its panels
// (TStatusPanel), the bar itself (TCustomStatusBar) and the class forms
// create (TStatusBar).
#pragma once

#include "ui/controls/CommonControls.h"

namespace ui {

enum class TStatusPanelBevel { pbNone, pbLowered, pbRaised };
enum class TStatusPanelStyle { psText, psOwnerDraw };

class TStatusPanel : public TCollectionItem {
    UI_CLASS(TStatusPanel)
public:
    using TCollectionItem::TCollectionItem;
    std::wstring Text() const { return text_; }
    void SetText(const std::wstring& text);
    int Width() const { return width_; }
    void SetWidth(int width);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    TStatusPanelBevel Bevel() const { return bevel_; }
    void SetBevel(TStatusPanelBevel bevel);
    TStatusPanelStyle Style() const { return style_; }
    void SetStyle(TStatusPanelStyle style);

private:
    std::wstring text_;
    int width_ = 50;
    TAlignment alignment_ = TAlignment::taLeftJustify;
    TStatusPanelBevel bevel_ = TStatusPanelBevel::pbLowered;
    TStatusPanelStyle style_ = TStatusPanelStyle::psText;
};

using TStatusPanels = TOwnedCollection<TStatusPanel>;
class TCustomStatusBar;
using TDrawPanelEvent = TEvent<void(TCustomStatusBar* StatusBar, TStatusPanel* Panel, const RECT& Rect)>;

// A bar of panels at the bottom of a form (the last panel takes the rest of
// the width), or one simple panel showing SimpleText while SimplePanel is on.
// SizeGrip shows the sizing grip in the bottom-right corner. Owner-drawn
// panels are drawn by OnDrawPanel on Canvas().
class TCustomStatusBar : public TWinControl {
    UI_CLASS(TCustomStatusBar)
public:
    explicit TCustomStatusBar(TComponent* owner);
    ~TCustomStatusBar() override;
    TStatusPanels* Panels() const { return panels_.get(); }
    void SetPanels(TStatusPanels* panels);
    bool SimplePanel() const { return simplePanel_; }
    void SetSimplePanel(bool on);
    std::wstring SimpleText() const { return simpleText_; }
    void SetSimpleText(const std::wstring& text);
    bool SizeGrip() const { return sizeGrip_; }
    void SetSizeGrip(bool on);
    TCanvas* Canvas() { return ControlCanvas(); }
    // The rectangle of panel index in the window, from the window itself.
    bool PanelRect(int index, RECT& rect);

    TDrawPanelEvent OnDrawPanel;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& m) override;

private:
    void UpdatePanels();
    std::unique_ptr<TStatusPanels> panels_;
    bool simplePanel_ = false;
    std::wstring simpleText_;
    bool sizeGrip_ = true;
};

class TStatusBar : public TCustomStatusBar {
    UI_CLASS(TStatusBar)
public:
    using TCustomStatusBar::TCustomStatusBar;
};

} // namespace ui
