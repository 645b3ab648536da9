// Forms (top-level windows read from stored form data), the screen's list of
// forms, and the application object: main form, message loop, modal loops
// and the default handling of errors.
#pragma once

#include <windows.h>

#include <exception>
#include <string>
#include <vector>

#include "ui/Controls.h"

namespace ui {

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = unsigned;  // bit n for TBorderIcon n
enum class TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum class TPosition {
    poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
    poMainFormCenter, poOwnerFormCenter
};
enum class TCloseAction { caNone, caHide, caFree, caMinimize };
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
    TFormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle style);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition position) { position_ = position; }
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
    // class (upper case) and then runs OnCreate; derived form classes call it
    // at the end of their constructor.
    void InitFromResource();
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& m) override;
    // Runs OnCreate; an error in it is shown and the program goes on.
    virtual void DoCreate();
    virtual void DoClose(TCloseAction& action);

private:
    void PlaceOnShow();
    void WmClose(TMessage& m);
    void WmActivate(TMessage& m);

    TFormBorderStyle borderStyle_ = TFormBorderStyle::bsSizeable;
    TBorderIcons borderIcons_ = (1u << biSystemMenu) | (1u << biMinimize) | (1u << biMaximize);
    TFormStyle formStyle_ = TFormStyle::fsNormal;
    TPosition position_ = TPosition::poDefaultPosOnly;
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

// The forms that exist, in creation order.
class TScreen {
public:
    int FormCount() const { return static_cast<int>(forms_.size()); }
    TForm* Forms(int index) const { return forms_.at(index); }
    TForm* ActiveForm() const;
    int Width() const { return GetSystemMetrics(SM_CXSCREEN); }
    int Height() const { return GetSystemMetrics(SM_CYSCREEN); }
    RECT WorkArea() const;

private:
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
