// TSkinControl: the base of every control skinner. A skinner attaches to one
// control (or bare child window), takes over its message handling and
// paints its face from the skin. The form controller keeps the skinners of
// its window in a list: it refreshes them when the skin is reloaded and
// frees them when it detaches. The skinner families derive from this class.
//
// A framework control's messages come to the skinner through a
// TWindowProcHook in front of its WindowProc; a bare window's through a
// TWindowSubclass of its procedure. Either goes when the skinner goes, so a
// freed skinner leaves the control's own handling exactly as it found it.
// Every message then runs: BeforeMessage (false: handled here), the
// previous handling, AfterMessage.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <string_view>

#include "skin/window/FormSkinner.h"
#include "ui/controls/Messages.h"
#include "ui/core/Classes.h"
#include "ui/graphics/Graphics.h"

namespace ui {
class TControl;
class TWindowProcHook;
} // namespace ui

namespace skin {

class TSkinData;
class TWindowSubclass;
class TWinSkinForm;

// Bits of TSkinControl::MouseState.
enum : unsigned {
    MouseHot = 1,      // the mouse is over the control
    MousePressed = 2,  // the left button (or Space) is held down on it
};

class TSkinControl : public ui::TComponent, public TFormSkinner {
public:
    // owner: the control being skinned (the skinner goes with it), or the
    // controller for a bare window.
    explicit TSkinControl(ui::TComponent* owner);
    // Gives the control its own message handling back and leaves the
    // controller's list.
    ~TSkinControl() override;

    // Attaches to the owning framework control: hooks its message handling,
    // registers with `form` and, with takeColour, gives the control the
    // skin's face colour. A second call does nothing.
    virtual void InitControl(TWinSkinForm& form, TSkinData& skinData, bool takeColour);
    // Attaches to a bare window by replacing its procedure.
    virtual void InitWindow(HWND window, TSkinData& skinData, TWinSkinForm& form);
    // Gives the control back what the skinner changed (its colour).
    void RestoreControl() override;
    // Re-applies the skin's colours and repaints, after a skin change.
    void RefreshSkin() override;
    // Invalidates the whole window with its background and updates it at once.
    virtual void RedrawNow();

    // SkinState, Handle and Control are the controller's view (TFormSkinner).
    TWinSkinForm* FormSkin = nullptr;     // the controller it is registered with
    TSkinData* SkinData = nullptr;
    bool SkinEnabled = true;              // false: every message goes straight on (WM_SKINENABLE)
    bool TakeColour = false;
    int Variant = 0;                      // a per-family option
    unsigned MouseState = 0;              // Mouse* bits

protected:
    // First look at a message; false when it is handled here (its result
    // set in m) and must not go on.
    virtual bool BeforeMessage(ui::TMessage& m);
    // A look at a message after the previous handling has run.
    virtual void AfterMessage(ui::TMessage& m);
    // WM_SKINENABLE switched the skinner on or off (SkinEnabled): it shows
    // the skin again, or lets the control paint itself.
    virtual void SkinEnabledChanged();
    // Paints the whole window into dc, or into the window's own context.
    virtual void PaintWindow(HDC dc);
    // Paints the face into rect (window coordinates from 0, 0).
    virtual void PaintControl(HDC, const RECT&) {}

    // The handling the skinner stands in front of; its result goes into m.
    void CallPrevious(ui::TMessage& m);
    // Answers WM_PAINT (or WM_PRINTCLIENT) with PaintControl, into the
    // message's context or between BeginPaint and EndPaint.
    void PaintOnPaintMessage(ui::TMessage& m);
    // Answers WM_PAINT with PaintControl and WM_ERASEBKGND with nothing (the
    // face covers the whole window): false for those two, as BeforeMessage.
    bool TakeOverPaint(ui::TMessage& m);
    // Answers WM_ERASEBKGND with the parent's picture under the control.
    void EraseWithParent(ui::TMessage& m);
    // The caption to paint: the control's, or the bare window's text.
    std::wstring CurrentCaption() const;
    // The font to paint with: the control's, or the bare window's.
    HFONT CurrentFont() const;
    bool HasFocus() const { return Handle && GetFocus() == Handle; }
    bool WindowEnabled() const;
    // flags with DT_RTLREADING added when the control reads right to left.
    UINT TextFlagsFor(UINT flags) const;
    // The image (of `images`, -1 for none) and the text side by side,
    // placed together by the alignment (DT_LEFT, DT_CENTER, DT_RIGHT) and
    // each centred upright in rect.
    void DrawImageAndText(HDC dc, const RECT& rect, UINT alignment, const std::wstring& text, HIMAGELIST images,
                          int image) const;
    // A focus rectangle around `text` as drawn with flags into rect.
    void DrawFocusAroundText(HDC dc, const std::wstring& text, UINT flags, const RECT& rect) const;
    // Fills with the skin's face colour, or with the parent's colour.
    void FillSkinColour(HDC dc, const RECT& rect) const;
    void FillParentColour(HDC dc, const RECT& rect) const;
    ui::TColor ButtonFace() const;
    // Whether the face goes over the parent's picture: Tag 5555 or the
    // skin's xoTransparent option.
    bool WantsTransparentBackground() const;

    RECT WindowRect{};  // screen rectangle of the window at the last paint

    // False once the skinner is gone: for code that runs a message loop in
    // which the control, and the skinner with it, may be freed.
    std::shared_ptr<bool> AliveFlag() const { return alive_; }

    // InitControl's work; without hookMessages the control keeps its own
    // message handling (a skinner that only changes the control's colour).
    void AttachControl(TWinSkinForm& form, TSkinData& skinData, bool takeColour, bool hookMessages);

private:
    void Attach(TWinSkinForm& form, TSkinData& skinData);
    void SkinWindowProc(ui::TMessage& m);

    std::unique_ptr<ui::TWindowProcHook> hook_;
    std::unique_ptr<TWindowSubclass> subclass_;
    ui::TColor savedColor_ = ui::clBtnFace;
    bool attached_ = false;
    // Cleared when the skinner goes, for a message handling that outlives it.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

inline int RectWidth(const RECT& r)
{
    return r.right - r.left;
}

inline int RectHeight(const RECT& r)
{
    return r.bottom - r.top;
}

// The Tag that asks for the parent's picture under a control.
inline constexpr int ParentPictureTag = 5555;

// Published properties read by name, for controls of any class: an absent
// property (or a null object) gives -1, empty text or null.
int GetIntPropByName(const ui::TObject* object, std::string_view name);
// The enumeration value's name in lower case ("true").
std::string GetEnumPropByName(const ui::TObject* object, std::string_view name);
ui::TPersistent* GetObjectPropByName(const ui::TObject* object, std::string_view name);
// Sets a published property from text: an integer property from its
// decimal text, an enumeration by its value's name, a string as it is.
// Anything else (an absent property, another kind, text that does not fit)
// changes nothing.
void SetPropByName(ui::TObject* object, std::string_view name, const std::string& text);

// Pixels of frame `frame` (from 1) of a strip of `count` frames side by side,
// the whole strip height.
RECT StripFrame(const ui::TBitmap& strip, int count, int frame);

// An off-screen picture of a control's size that ends up on the screen in
// one copy: the face is composed on Canvas() and Show() copies it.
class TFacePainter {
public:
    TFacePainter(HDC target, const RECT& rect);
    HDC Dc() { return face_.Canvas()->Handle(); }
    const RECT& Rect() const { return local_; }
    void Show();

private:
    HDC target_;
    RECT rect_;
    RECT local_;
    ui::TBitmap face_;
};

} // namespace skin
