// Forms (top-level windows read from stored form data), the screen's list of
// forms, and the application object: main form, message loop, modal loops
// and the default handling of errors.
#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "ui/controls/Controls.h"

namespace ui {

class TMainMenu;
class TMenuItem;

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = unsigned;  // bit n for TBorderIcon n
enum class TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum class TPosition {
    poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
    poMainFormCenter, poOwnerFormCenter
};
enum class TCloseAction { caNone, caHide, caFree, caMinimize };
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };
enum class TTileMode { tbHorizontal, tbVertical };
using TModalResult = int;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = IDOK;
inline constexpr TModalResult mrCancel = IDCANCEL;

using TCloseEvent = TEvent<void(TObject* Sender, TCloseAction& Action)>;

class TForm : public TWinControl {
    UI_CLASS(TForm)
public:
    // Creates the form without reading form data (a form built in code).
    explicit TForm(TComponent* owner);
    ~TForm() override;

    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle style);
    TBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TBorderIcons icons);
    // fsMDIForm: an MDI frame, whose client window holds the fsMDIChild
    // forms. Changing between MDI and other styles remakes the window.
    TFormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle style);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition position) { position_ = position; }
    // Normal, minimized or maximized: the window's state while it is shown,
    // the state it will be shown in while it is hidden.
    TWindowState WindowState() const;
    void SetWindowState(TWindowState state);
    // The menu bar (a reference). An MDI child shows none.
    TMainMenu* Menu() const { return menu_; }
    void SetMenu(TMainMenu* menu);
    // Runs the item of the menu bar with that shortcut; false when none has it.
    bool IsShortCut(int shortCut);
    // Kept for form files and for the skin engine, which switches it off:
    // the form does not scroll its controls either way.
    bool AutoScroll() const { return autoScroll_; }
    void SetAutoScroll(bool on) { autoScroll_ = on; }
    void SetClientWidth(int width);
    void SetClientHeight(int height);
    int StoredClientWidth() const { return ClientWidth(); }
    int StoredClientHeight() const { return ClientHeight(); }
    int PixelsPerInch() const { return pixelsPerInch_; }
    void SetPixelsPerInch(int ppi) { pixelsPerInch_ = ppi; }
    int TextHeight() const { return textHeight_; }
    void SetTextHeight(int h) { textHeight_ = h; }
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool on) { keyPreview_ = on; }
    TIcon* Icon() const { return icon_.get(); }

    // ---- MDI frames (fsMDIForm)
    // The "MDIClient" child that holds the MDI children; null for other forms.
    HWND ClientHandle() const { return clientHandle_; }
    // The active MDI child, or null.
    TForm* ActiveMDIChild() const;
    // The MDI children, the active one first (the client's z-order).
    int MDIChildCount() const { return static_cast<int>(MDIChildList().size()); }
    TForm* MDIChildren(int index) const { return MDIChildList().at(index); }
    // The item whose drop-down lists the MDI children (a reference; set
    // before the frame's window exists).
    TMenuItem* WindowMenu() const { return windowMenu_; }
    void SetWindowMenu(TMenuItem* item);
    TTileMode TileMode() const { return tileMode_; }
    void SetTileMode(TTileMode mode) { tileMode_ = mode; }
    void Tile();
    void Cascade();
    void ArrangeIcons();
    // Activates the next (previous) MDI child.
    void Next();
    void Previous();

    TWinControl* ActiveControl() const { return activeControl_; }
    void SetActiveControl(TWinControl* control);
    // Moves the focus to the next (or previous) control in tab order.
    void SelectNext(bool forward);

    // Shows the form and runs a message loop until ModalResult is set or the
    // form closes; the other windows of the thread are disabled meanwhile.
    TModalResult ShowModal();
    bool Modal() const { return modal_; }
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult result) { modalResult_ = result; }
    // Asks OnClose what to do and does it (hide, free, nothing); closing the
    // main form ends the application.
    void Close();
    // Frees the form once the messages now queued are handled.
    void Release();

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnActivate;
    TCloseEvent OnClose;

protected:
    // Reads the form's stored data from the RCDATA resource named after its
    // class (upper case); derived form classes call it in their constructor
    // and then DoCreate.
    void InitFromResource();
    // The same from the resource of that name (one class, several forms).
    void InitFromResource(const std::wstring& resource);
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    HWND CreateWindowHandle(const TCreateParams& params, const std::wstring& className) override;
    void DestroyWindowHandle(HWND wnd) override;
    int ShowCommand() const override;
    void AlignRemainder(const RECT& room) override;
    void Dispatch(TMessage& m) override;
    // An MDI frame's messages end in the frame procedure, an MDI child's in
    // the child procedure; other forms' in the window's own.
    void DefaultHandler(TMessage& m) override;
    void Notification(TComponent* component, TOperation operation) override;
    // Runs OnCreate; an error in it is shown and the program goes on.
    virtual void DoCreate();
    virtual void DoClose(TCloseAction& action);

private:
    void PlaceOnShow();
    void WmClose(TMessage& m);
    void WmActivate(TMessage& m);
    void WmSize(TMessage& m);
    void ApplyWindowState();
    // Shows the menu bar in the window (again).
    void WmMenuChanged(TMessage& m);
    // Takes the menu bar out of a window about to go, which would destroy it.
    void DetachMenuBar();
    void CreateMDIClient();
    void ShowMDIChild();
    std::vector<TForm*> MDIChildList() const;
    // The frame an MDI child goes into: its owner when that is an MDI frame,
    // else the main form, else the first MDI frame on the screen.
    TForm* MDIFrame() const;
    // The window of the form that owns this one (its owner component), or
    // none: an owned form stays above its owner and goes with it.
    HWND OwnerWindow() const;

    TFormBorderStyle borderStyle_ = TFormBorderStyle::bsSizeable;
    TBorderIcons borderIcons_ = (1u << biSystemMenu) | (1u << biMinimize) | (1u << biMaximize);
    TFormStyle formStyle_ = TFormStyle::fsNormal;
    TPosition position_ = TPosition::poDefaultPosOnly;
    TWindowState windowState_ = TWindowState::wsNormal;
    TTileMode tileMode_ = TTileMode::tbHorizontal;
    HWND clientHandle_ = nullptr;
    TMainMenu* menu_ = nullptr;
    TMenuItem* windowMenu_ = nullptr;
    bool mdiChildWindow_ = false;  // the window was made by an MDI client
    bool autoScroll_ = false;
    int pixelsPerInch_ = 96;
    int textHeight_ = 0;
    bool keyPreview_ = false;
    std::unique_ptr<TIcon> icon_;
    TWinControl* activeControl_ = nullptr;
    bool modal_ = false;
    TModalResult modalResult_ = mrNone;
    bool placed_ = false;
    int pendingClientWidth_ = -1;
    int pendingClientHeight_ = -1;
};

// The form a window belongs to: the nearest framework form among the window
// and its parents (an MDI child's controls belong to the child, not to the
// frame), or null.
TForm* FormOfWindow(HWND wnd);

// Reads the stored form data of the RCDATA resource of that name into root.
void ReadComponentResource(const std::wstring& resource, TComponent& root);
// The resource name of a class's stored form data: its name in upper case.
std::wstring ResourceNameOf(const TComponent& root);

// A container whose controls come from stored form data of its own: a class
// derived from TFrame reads the resource named after it in its constructor,
// so the controls it holds are owned by the frame and named within it. A
// form places the frame like any other control (and may set its Left, Top,
// Align... in its own data).
class TCustomFrame : public TCustomControl {
    UI_CLASS(TCustomFrame)
public:
    explicit TCustomFrame(TComponent* owner);

protected:
    // Reads the frame's stored data; derived frame classes call it in their
    // constructor.
    void InitFromResource() { ReadComponentResource(ResourceNameOf(*this), *this); }
    void CreateParams(TCreateParams& params) override;
};

class TFrame : public TCustomFrame {
    UI_CLASS(TFrame)
public:
    using TCustomFrame::TCustomFrame;
};

// The forms that exist, in creation order.
class TScreen {
public:
    int FormCount() const { return static_cast<int>(forms_.size()); }
    TForm* Forms(int index) const { return forms_.at(index); }
    TForm* ActiveForm() const;
    int Width() const { return GetSystemMetrics(SM_CXSCREEN); }
    int Height() const { return GetSystemMetrics(SM_CYSCREEN); }
    RECT WorkArea() const;
    // The font of menus, as the system sets it.
    TFont* MenuFont();
    // Told of every form about to be shown, before the system shows it (a
    // window-skinning engine dresses it then, so it first appears dressed).
    std::function<void(TForm& form)> OnFormShowing;

private:
    std::unique_ptr<TFont> menuFont_;
    friend class TForm;
    std::vector<TForm*> forms_;
};
TScreen* Screen();

using TExceptionEvent = TEvent<void(TObject* Sender, const std::exception& E)>;

class TApplication : public TComponent {
    UI_CLASS(TApplication)
public:
    explicit TApplication(TComponent* owner);
    ~TApplication() override;

    // A hidden top-level window that owns the application's message boxes
    // and the forms' taskbar presence.
    HWND Handle() const { return handle_; }
    std::wstring Title() const { return title_; }
    void SetTitle(const std::wstring& title) { title_ = title; }
    void Initialize();

    // Creates a form of class F owned by the application; the first form
    // created becomes the main form.
    template <class F>
    F* CreateForm()
    {
        auto* form = new F(this);
        if (!mainForm_)
            mainForm_ = form;
        return form;
    }
    TForm* MainForm() const { return mainForm_; }
    // Whether Run shows the main form before its loop starts.
    bool ShowMainForm() const { return showMainForm_; }
    void SetShowMainForm(bool on) { showMainForm_ = on; }

    // Shows the main form (if so set) and handles messages until Terminate.
    void Run();
    // Handles the messages waiting now and returns.
    void ProcessMessages();
    // Waits for one message and handles it.
    void HandleMessage();
    void Terminate();
    bool Terminated() const { return terminated_; }

    // Shows an error's text in an error box (or runs OnException); the
    // program goes on.
    void HandleException(const std::exception& e);
    int MessageBox(const std::wstring& text, const std::wstring& caption, UINT flags);

    TExceptionEvent OnException;

    // Called by a control that goes, so no notification reaches it later.
    void ControlDestroyed(TControl* control);

private:
    bool ProcessMessage(MSG& msg);
    bool IsMDIMessage(MSG& msg);
    bool IsShortCutKey(MSG& msg);
    bool IsKeyMessage(MSG& msg);
    void TrackMouse(const MSG& msg);

    HWND handle_ = nullptr;
    std::wstring title_ = L"Tessaly";
    TForm* mainForm_ = nullptr;
    bool showMainForm_ = true;
    bool terminated_ = false;
    TControl* mouseControl_ = nullptr;
};

// The application object of the process (created on first use).
TApplication* Application();

// Registers the framework classes with the form reader.
void RegisterFrameworkClasses();

} // namespace ui
