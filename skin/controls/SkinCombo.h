// Combo boxes in the skin. The native combo box paints itself; its border and
// drop button are then painted over it from the skin (the ComboButton and
// SunkEdge pictures, or the composite of both made when the skin is loaded,
// whose inside is transparent), in the state of the button: normal, pressed,
// disabled, or hot while the pointer is over the button or the combo has the
// focus. The list that drops down wears the skin's scroll bar, painted into
// the list's own frame; a simple combo's list, a child of the combo, gets the
// overlays of any window's scroll bars. Text, keys and the list's rows stay
// the combo box's own.
#pragma once

#include <windows.h>

#include <array>
#include <memory>

#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinEdits.h"
#include "skin/controls/SkinScrollBars.h"

namespace skin {

class TWindowSubclass;

// The face of a combo box: disabled above all, then pressed, then hot (the
// pointer on the button, or the focus in the combo), else normal.
TArrowState ComboFaceState(bool enabled, bool pressed, bool hotOrFocused);

// The first row a list shows for its thumb dragged to `along` pixels past
// the end of the first arrow, on a track of `track` pixels with a thumb of
// `thumb` pixels: the track's free length spans the list's whole range, from
// its first row to the last first row (max - page + 1).
int ThumbDragPosition(const SCROLLINFO& info, int track, int thumb, int along);

// The skin's scroll bar of the list that drops down from a combo box. The
// list is a pop-up window whose vertical bar lies in its own frame: the
// skinner paints the bar there after every change the system may have drawn
// its own over, and drags the thumb itself, so the system never draws its
// thumb during a drag. Arrows and paging are the system's.
class TComboxScrollBar : public TSkinControl {
public:
    using TSkinControl::TSkinControl;

protected:
    bool BeforeMessage(ui::TMessage& m) override;
    void AfterMessage(ui::TMessage& m) override;
    void PaintControl(HDC dc, const RECT& rect) override;

private:
    using TBarKey = std::array<LONG, 8>;
    bool ReadBar(SCROLLBARINFO& info) const;
    static TBarKey KeyOf(const SCROLLBARINFO& info);
    // A press on the bar's thumb (screen point): dragged here until the
    // release; false when the press is elsewhere on the bar.
    bool TrackThumbDrag(POINT screen);
    TScrollFaces faces_;
    TBarKey painted_{};  // the bar as it was last painted
};

class TSkinComBox : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    ~TSkinComBox() override;
    // Also gives the list its scroll bar skinner.
    void InitControl(TWinSkinForm& form, TSkinData& skinData, bool takeColour) override;
    // A bare combo box: its face, its edit, but no list skinner.
    void InitWindow(HWND window, TSkinData& skinData, TWinSkinForm& form) override;
    void RestoreControl() override;
    // The skinner of the combo's list (its drop-down list's bar, or a simple
    // combo's list's overlays), or null.
    TSkinControl* ListSkinner() const;
    // Where the drop button was last painted, in the combo's coordinates.
    const RECT& ButtonRect() const { return buttonRect_; }

protected:
    void AfterMessage(ui::TMessage& m) override;
    void PaintControl(HDC dc, const RECT& rect) override;

private:
    void HookEdit();
    void AttachListSkinner();
    void NoteMouse(ui::TMessage& m);
    TArrowState FaceState() const;
    void PaintSunkEdge(HDC dc, const RECT& rect, TArrowState state, bool leftButton);
    void PaintFlat(HDC dc, const RECT& rect, TArrowState state, bool leftButton);

    std::unique_ptr<TWindowSubclass> edit_;
    RECT buttonRect_{};
};

} // namespace skin
