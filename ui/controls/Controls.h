// Controls: TControl (bounds, parent, visibility, colour, font, caption,
// the replaceable message-handling method), TWinControl (a control with its
// own window) and TGraphicControl (drawn on its parent's window).
//
// Every window the framework creates carries its control in a window property
// under the control atom ("ControlOfs" + instance + thread, both as 8 hex
// digits), so FindControlOfWindow works for all of them. Framework windows of
// their own class get the shared window procedure from the start (a "window
// being created" slot tells it the control on the first message); standard
// controls are the system classes, subclassed right after creation.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/controls/Messages.h"
#include "ui/core/Classes.h"
#include "ui/graphics/Graphics.h"

namespace ui {

class TWinControl;
class TWindowProcHook;
class TPopupMenu;

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
// Whether a control draws a sunken border around its client area.
enum class TBorderStyle { bsNone, bsSingle };
enum class TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftStateBit { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = unsigned;  // bit n for TShiftStateBit n
enum class TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

// Cursor identifiers as stored in form files (crHandPoint = -21).
using TCursor = int;
inline constexpr TCursor crDefault = 0;
inline constexpr TCursor crArrow = -2;
inline constexpr TCursor crHandPoint = -21;
HCURSOR CursorHandle(TCursor cursor);

// Cursor names as form files write them (crHandPoint).
extern const TIdentMap CursorIdents;

using TMouseEvent = TEvent<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TKeyPressEvent = TEvent<void(TObject* Sender, wchar_t& Key)>;
using TKeyEvent = TEvent<void(TObject* Sender, WORD& Key, TShiftState Shift)>;

// The control whose window this is, or nullptr for a window the framework did
// not create in this process.
class TControl;
TControl* FindControlOfWindow(HWND window);
// The atom under which framework windows store their control.
ATOM ControlAtom();

class TControl : public TComponent {
    UI_CLASS(TControl)
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    // The replaceable message-handling method: every message for the control
    // goes through it. Initially it calls WndProc. A TWindowProcHook puts a
    // handler in front of it and takes it out again in any order; code that
    // saves and replaces the function by hand must restore it itself.
    std::function<void(TMessage&)> WindowProc;
    LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    // The names of the hooks now in front of WindowProc, outermost first.
    std::vector<std::string> WindowProcHooks() const;

    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);
    void SetParentComponent(TComponent* parent) override;

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
    void SetTop(int v) { SetBounds(left_, v, width_, height_); }
    void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
    void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
    // Override to react to a new size or place; call the base.
    virtual void SetBounds(int left, int top, int width, int height);
    RECT BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
    virtual RECT ClientRect() const { return {0, 0, width_, height_}; }
    int ClientWidth() const;
    int ClientHeight() const;
    // Client coordinates of the control to and from the screen.
    virtual POINT ClientOrigin() const;
    POINT ClientToScreen(POINT p) const;
    POINT ScreenToClient(POINT p) const;

    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible and every parent visible.
    bool Showing() const;
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool on);
    TFont* Font() const { return font_.get(); }
    void SetFont(TFont* font);
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool on);
    std::wstring Caption() const { return GetText(); }
    void SetCaption(const std::wstring& text) { SetText(text); }
    std::wstring Hint() const { return hint_; }
    void SetHint(const std::wstring& hint) { hint_ = hint; }
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool on) { showHint_ = on; }
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor cursor) { cursor_ = cursor; }
    // Opened by a right click on the control or the context-menu key (a
    // reference).
    TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* menu);
    void Notification(TComponent* component, TOperation operation) override;
    TBiDiMode BiDiMode() const { return bidi_; }
    void SetBiDiMode(TBiDiMode mode);
    // Whether the control takes its parent's BiDiMode (true until BiDiMode
    // is set).
    bool ParentBiDiMode() const { return parentBiDiMode_; }
    void SetParentBiDiMode(bool on);
    // Text reads right to left (any right-to-left mode).
    bool UseRightToLeftReading() const { return bidi_ != TBiDiMode::bdLeftToRight; }

    // Repaints the control's area now or later.
    virtual void Invalidate();
    void Repaint();
    void Update();
    // Brings the control in front of its siblings.
    virtual void BringToFront();

    TNotifyEvent OnClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;

protected:
    // The default message handling: mouse messages to events, then Dispatch.
    // Override to see every message first; call the base for the rest.
    virtual void WndProc(TMessage& m);
    // Handles the messages a class knows by name; the rest go to the base
    // class's Dispatch and finally to DefaultHandler.
    virtual void Dispatch(TMessage& m);
    // What happens to a message nobody handled. Override in windowed controls
    // to call the window's original procedure.
    virtual void DefaultHandler(TMessage& m);

    virtual std::wstring GetText() const { return text_; }
    virtual void SetText(const std::wstring& text);
    // Runs OnClick. Override to add what a click means to the control.
    virtual void Click();
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    // Called when the font changes; override to remake resources.
    virtual void FontChanged();
    // Called when the colour changes (its own or, with ParentColor, the
    // parent's); windowed controls pass it on to their children.
    virtual void ColorChanged();
    // Called when BiDiMode changes (its own or, with ParentBiDiMode, the
    // parent's); windowed controls remake their window.
    virtual void BiDiModeChanged();

    std::wstring text_;

private:
    void ParentFontChanged();
    void ParentColorChanged();
    void ParentBiDiModeChanged();
    void MouseMessage(TMessage& m);

    TWinControl* parent_ = nullptr;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    TAlign align_ = TAlign::alNone;
    bool visible_ = true;
    bool enabled_ = true;
    TColor color_ = clWindow;
    bool parentColor_ = false;
    std::unique_ptr<TFont> font_;
    bool parentFont_ = true;
    std::wstring hint_;
    bool showHint_ = false;
    TCursor cursor_ = crDefault;
    TBiDiMode bidi_ = TBiDiMode::bdLeftToRight;
    bool parentBiDiMode_ = true;
    TPopupMenu* popupMenu_ = nullptr;
    std::vector<TWindowProcHook*> hooks_;  // in the order they were put in

    friend class TWinControl;
    friend class TWindowProcHook;
};

// Puts a handler in front of a control's WindowProc for as long as the hook
// object lives: the handler sees every message first and passes on what it
// does not take with CallPrevious. Hooks may go in any order; one taken out
// from under a later one is spliced out of the chain, so no other hook is
// lost. A hook that outlives its control does nothing when it goes.
class TWindowProcHook {
public:
    using THandler = std::function<void(TMessage&)>;
    TWindowProcHook(TControl& control, std::string name, THandler handler);
    ~TWindowProcHook();
    TWindowProcHook(const TWindowProcHook&) = delete;
    TWindowProcHook& operator=(const TWindowProcHook&) = delete;

    // The message handling the hook was put in front of.
    void CallPrevious(TMessage& m) const;
    // The hooked control; null once it is gone.
    TControl* Control() const { return control_; }
    const std::string& Name() const { return name_; }

    struct TLink;

private:
    friend class TControl;
    TControl* control_;
    std::string name_;
    std::shared_ptr<TLink> link_;
};

// What a windowed control's window is made of.
struct TCreateParams {
    std::wstring SystemClass;  // a system class to subclass; empty: the framework's own class
    DWORD Style = 0;
    DWORD ExStyle = 0;
    UINT ClassStyle = CS_DBLCLKS;
    HCURSOR ClassCursor = nullptr;
    HWND ParentWindow = nullptr;
    int X = 0, Y = 0, Width = 0, Height = 0;
};

class TWinControl : public TControl {
    UI_CLASS(TWinControl)
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    // The window, created (with every parent's) when first asked for.
    HWND Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    // The window if it exists (never creates it).
    HWND WindowHandle() const { return handle_; }
    void HandleNeeded() { Handle(); }
    // Destroys and remakes the window, keeping the control's state.
    void RecreateWnd();

    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Controls(int index) const { return controls_.at(index); }
    // Paints the visible windowless children on dc (the window's own
    // coordinates), as the window's paint does after its own face.
    void PaintGraphicChildren(HDC dc);

    int TabOrder() const;
    void SetTabOrder(int order);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool on);
    // Every windowed child, nested ones included, in tab order.
    std::vector<TWinControl*> TabOrderList() const;

    void Loaded() override;

    bool Focused() const;
    bool CanFocus() const;
    virtual void SetFocus();

    void SetBounds(int left, int top, int width, int height) override;
    RECT ClientRect() const override;
    POINT ClientOrigin() const override;
    void Invalidate() override;
    void BringToFront() override;
    // The graphic (windowless) child at a client point, or nullptr.
    TControl* ControlAtPos(POINT p) const;

    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

protected:
    // Override to describe the window: system class, styles. Call the base.
    virtual void CreateParams(TCreateParams& params);
    // Called right after the window exists; override to send it the state
    // kept while it did not exist (items, limits). Call the base.
    virtual void CreateWnd();
    // Called before the window goes on purpose (recreate); override to save
    // state that lives only in the window. Call the base.
    virtual void DestroyWnd();
    // Makes the window described by params (of the registered class
    // className); override to create it another way (an MDI child asks its
    // MDI client).
    virtual HWND CreateWindowHandle(const TCreateParams& params, const std::wstring& className);
    // Destroys the window; override where the platform wants another way.
    virtual void DestroyWindowHandle(HWND wnd);
    // Detaches the window from the control and destroys it. Classes that
    // destroy their window another way call it from their destructor, while
    // the override is still theirs.
    void DestroyHandle();
    // How ShowWindow shows the window when the control becomes visible.
    virtual int ShowCommand() const;
    void WndProc(TMessage& m) override;
    void Dispatch(TMessage& m) override;
    void DefaultHandler(TMessage& m) override;
    // Paints the control's own surface (and its graphic children). Override
    // in classes that draw themselves; WM_PAINT and WM_PRINTCLIENT both come
    // here with a DC.
    virtual void PaintWindow(HDC dc);
    // Run OnKeyDown (a virtual-key code) and OnKeyPress (a character); a Key
    // set to 0 is swallowed.
    virtual void KeyDown(WORD& key, TShiftState shift);
    virtual void KeyPress(wchar_t& key);
    void SetText(const std::wstring& text) override;
    std::wstring GetText() const override;
    void FontChanged() override;
    void ColorChanged() override;
    void BiDiModeChanged() override;

    // Lays out the aligned children within the client area.
    void AlignControls();
    // Called by AlignControls with what the aligned children leave of the
    // client area; override to fill it (an MDI frame's client window).
    virtual void AlignRemainder(const RECT& room);
    // Called when a child control was placed or sized anew; the base lays
    // out the aligned children again when it is one of them.
    virtual void ControlBoundsChanged(TControl& control);

    TCanvas* ControlCanvas();
    // Answers a reflected WM_CTLCOLOR*: the font's colour on the control's
    // colour; returns the brush for the background.
    LRESULT CtlColor(HDC dc);

private:
    static LRESULT CALLBACK StdWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
    friend LRESULT CALLBACK InitWndProc(HWND, UINT, WPARAM, LPARAM);
    void CreateHandle();
    void RegisterOwnClass(const std::wstring& cls, const TCreateParams& params);
    void AttachWindow(HWND wnd);
    void DetachWindow();
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    void PaintHandler(TMessage& m);
    bool ReflectToChild(TMessage& m);
    // Hands WM_KEYDOWN or WM_CHAR to KeyDown or KeyPress; true when swallowed.
    bool KeyMessage(TMessage& m);
    void WmSetCursor(TMessage& m);
    void WmContextMenu(TMessage& m);
    void UpdateShowing();
    // Gives the mode to every child that follows its parent, all the way down.
    void SpreadBiDiMode();

    HWND handle_ = nullptr;
    WNDPROC defWndProc_ = nullptr;
    std::vector<TControl*> controls_;   // all children, in insertion order (z-order for graphic ones)
    std::vector<TWinControl*> tabList_; // windowed children in tab order
    bool tabStop_ = false;
    int tabOrderWanted_ = -1;  // a TabOrder read from form data, applied once all siblings are read
    bool recreating_ = false;
    std::unique_ptr<TCanvas> canvas_;
    HFONT sentFont_ = nullptr;
    TBrushHandle colorBrush_;
    TColor colorBrushColor_ = clNone;

    friend class TControl;
};

// A control drawn on its parent's window; it owns no window. The parent
// paints it by sending it WM_PAINT with its context in WParam (origin at the
// control's top-left corner), so a handler in front of WindowProc can paint
// it instead.
class TGraphicControl : public TControl {
    UI_CLASS(TGraphicControl)
public:
    explicit TGraphicControl(TComponent* owner);
    ~TGraphicControl() override;
    // The control's canvas; it has a context (the parent's, origin at the
    // control) only while the control paints.
    TCanvas* Canvas() const { return canvas_.get(); }
    // Draws the control on dc, whose origin is the control's top-left corner.
    void PaintTo(HDC dc);

protected:
    // Override to draw the control through Canvas().
    virtual void Paint() = 0;
    void Dispatch(TMessage& m) override;

private:
    std::unique_ptr<TCanvas> canvas_;
};

// A windowed control of the framework's own class that paints itself.
class TCustomControl : public TWinControl {
    UI_CLASS(TCustomControl)
public:
    explicit TCustomControl(TComponent* owner);
    TCanvas* Canvas() { return ControlCanvas(); }

protected:
    void PaintWindow(HDC dc) override;
    // Override to draw the control through Canvas().
    virtual void Paint() {}
};

// The extended window styles of a reading order: right to left reads,
// aligns right (unless told not to) and puts the vertical scroll bar left.
DWORD BiDiExStyle(TBiDiMode mode);

// The shift-state bits held in a mouse message's wParam and the key state.
TShiftState ShiftStateFromMouse(WPARAM keys);
// The shift-state bits of the keyboard as the current message found it.
TShiftState ShiftStateFromKeyboard();

} // namespace ui
