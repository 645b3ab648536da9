// Scroll bars in the skin's pictures. The system draws a window's scroll
// bars in its non-client area and a scroll bar control draws itself, both
// straight to the screen whenever they scroll; neither can be repainted in
// place. So each visible bar is covered by an overlay, a small window of our
// own placed exactly over it (a sibling of the host, directly above it in
// the z-order, so it is clipped as the host is) and painted from the skin.
// A press on the overlay is handed to the real bar underneath: the system's
// own tracking runs (thumb drag, arrow repeat, paging) and the overlay shows
// its state. The skinner of the host moves, hides and repaints its overlays
// as the host scrolls, resizes, hides and shows, and destroys them with it.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <optional>

#include "skin/controls/SkinControl.h"
#include "skin/draw/SkinDraw.h"

namespace skin {

// The parts of a bar, numbered as the scroll codes that act on them.
enum TScrollPart : int {
    spNone = -1,
    spFirstArrow = SB_LINEUP,
    spSecondArrow = SB_LINEDOWN,
    spPageBefore = SB_PAGEUP,
    spPageAfter = SB_PAGEDOWN,
    spThumb = SB_THUMBTRACK,
};

// Which bar an overlay covers.
enum class TBarKind { Horizontal, Vertical, Control };

// What a bar shows, along its own axis (x of a horizontal bar, y of a
// vertical one).
struct TScrollBarLook {
    bool Vertical = true;
    int Length = 0;     // along the bar
    int Thickness = 0;  // across it
    int ArrowSize = 0;  // the system's arrow size
    bool Enabled = true;
    int HotPart = spNone;
    bool Pressed = false;
    int ThumbStart = 0, ThumbEnd = 0;
    bool operator==(const TScrollBarLook&) const = default;
};

// How thick the skin draws a bar: the width (vertical) or the height
// (horizontal) of a frame of its Scrollbar picture; 0 without one.
int SkinBarThickness(const TSkinData& data, bool vertical);

// The part of the bar at `along` pixels from its start.
int ScrollPartAt(const TScrollBarLook& look, int along);

// Where the thumb is while it is dragged: moved with the cursor from where
// it was pressed, kept between the arrows and of its own length.
void DragThumbTo(TScrollBarLook& look, int pressThumbStart, int cursorMoved);

// The face of one bar from the skin's Scrollbar (arrows, grips), HorzScroll
// or VertScroll (track) and HorzScrollThumb or VertScrollThumb pictures,
// over the skin's face colour. The bar without its thumb and the thumb alone
// are kept between paints (the thumb with a ready mask) and made again only
// when what they show changes, so a paint while the thumb is dragged is a
// few plain copies.
class TScrollFaces {
public:
    // Paints the bar of `look` onto dc from (0, 0); nothing without a
    // Scrollbar picture.
    void Paint(HDC dc, TSkinData& data, const TScrollBarLook& look);
    // Forgets the kept pictures (the skin changed).
    void Clear();

private:
    using TKey = std::array<int, 7>;
    void PaintThumbFace(HDC dc, TSkinData& data, const TScrollBarLook& look);
    ui::TBitmap ground_, face_;
    TKeyedPicture thumb_;
    TKey groundKey_{}, thumbKey_{};
};

// An overlay over one bar of a host window.
class TScrollOverlay {
public:
    TScrollOverlay(TSkinControl& skinner, HWND host, TBarKind kind);
    ~TScrollOverlay();
    TScrollOverlay(const TScrollOverlay&) = delete;
    TScrollOverlay& operator=(const TScrollOverlay&) = delete;

    // Covers the bar where it is now, or hides when the host or the bar is
    // not visible or the skinner is switched off; repaints what changed.
    void Place();
    void Hide();
    // Paints the bar now if it shows something else than at the last paint.
    void Repaint();
    // The part a scroll message acted on shows hot.
    void ScrolledBy(int scrollCode);
    // The skin changed: the faces are made again.
    void Reskin();
    // How thick a window's bar is drawn when the host's frame has room for
    // more than the system's bar: the overlay covers that room too (a
    // scroll bar control keeps its window's size).
    void SetThickness(int thickness);

    HWND Handle() const { return window_; }
    bool Shown() const { return shown_; }
    // The rectangle the overlay covers in the host's client coordinates, at
    // the last placing: the bar, with the room a thicker skin added.
    const RECT& BarInHost() const { return barInHost_; }
    // What the overlay is to cover now, in the host's client coordinates;
    // none while the system shows no bar.
    std::optional<RECT> CoverInHost() const;
    const TScrollBarLook& Look() const { return look_; }

private:
    template <class T>
    friend LRESULT CALLBACK OwnWindowProc(HWND, UINT, WPARAM, LPARAM);
    void Created(HWND window) { window_ = window; }
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);
    void WindowGone();
    bool ReadBarInfo(SCROLLBARINFO& info) const;
    RECT Covered(const RECT& bar) const;
    bool Vertical() const;
    int Along(POINT p) const { return Vertical() ? p.y : p.x; }
    bool ReadLook(const SCROLLBARINFO& info);
    void PaintChange(const SCROLLBARINFO& info, bool always);
    void Paint();
    void MouseMoved(POINT client);
    void Pressed(POINT client);
    void Released(POINT client);
    void HandToBar(bool press, POINT screen);

    TSkinControl& skinner_;
    HWND host_;
    TBarKind kind_;
    HWND window_ = nullptr;
    int arrowSize_;
    TScrollBarLook look_;
    TScrollFaces faces_;
    std::optional<TScrollBarLook> painted_;  // what the screen shows
    int thickness_ = 0;
    RECT bar_{};          // the system's bar on the screen, at the last look
    RECT barInHost_{};    // what the overlay covers, in the host's client coordinates
    POINT barOrigin_{};   // the overlay's top-left corner on the screen
    POINT pressPoint_{};  // the cursor on the screen at the last press
    int pressThumbStart_ = 0;
    bool shown_ = false;
    // Cleared when the overlay goes: a press hand-over runs a nested message
    // loop, in which the host and its skinner may be destroyed.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// The skinner of a framework control with window scroll bars (list box,
// memo, any control with WS_VSCROLL or WS_HSCROLL): an overlay per bar and,
// unless the control has no border, a two-pixel border in the skin's
// colours. A bare window (a simple combo box's list) gets the overlays and
// keeps its own border. The bars are as thick as the skin's Scrollbar
// frames where those are thicker than the system's: the host's frame gets
// the room beside each bar (its client area that much smaller) and the
// overlay covers it.
class TSkinScrollbar : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    ~TSkinScrollbar() override;
    void InitControl(TWinSkinForm& form, TSkinData& skinData, bool takeColour) override;
    void InitWindow(HWND window, TSkinData& skinData, TWinSkinForm& form) override;
    void RestoreControl() override;
    void RefreshSkin() override;
    // The overlays, null once the skinner let go of the control.
    const TScrollOverlay* HorzBar() const { return horzBar_.get(); }
    const TScrollOverlay* VertBar() const { return vertBar_.get(); }

protected:
    bool BeforeMessage(ui::TMessage& m) override;
    void AfterMessage(ui::TMessage& m) override;
    void PaintControl(HDC dc, const RECT& rect) override;
    void SkinEnabledChanged() override;

private:
    void MakeBars();
    // The pixels a bar gains over the system's thickness in this skin.
    int AddedThickness(bool vertical) const;
    void ReframeBars();
    void WidenBars(ui::TMessage& m) const;
    void PlaceBars();
    void PaintBorder(HDC dc) const;
    std::unique_ptr<TScrollOverlay> horzBar_, vertBar_;
    bool hasBorder_ = true;
};

// The skinner of a list view: its scroll bars as any control's, and its
// header (a child window the list view makes) on the skin's header faces.
class TSkinListView : public TSkinScrollbar {
public:
    using TSkinScrollbar::TSkinScrollbar;
    void InitControl(TWinSkinForm& form, TSkinData& skinData, bool takeColour) override;
};

// The skinner of a scroll bar control: one overlay over the whole control.
class TSkinScControl : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    ~TSkinScControl() override;
    void InitControl(TWinSkinForm& form, TSkinData& skinData, bool takeColour) override;
    void RestoreControl() override;
    void RefreshSkin() override;
    const TScrollOverlay* Bar() const { return bar_.get(); }

protected:
    void AfterMessage(ui::TMessage& m) override;
    void PaintControl(HDC dc, const RECT& rect) override;
    void SkinEnabledChanged() override;

private:
    std::unique_ptr<TScrollOverlay> bar_;
};

} // namespace skin
