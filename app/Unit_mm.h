// The login and password-change dialog: the gate in front of the main window.
#pragma once

#include <string>

#include "ui/controls/Buttons.h"
#include "ui/controls/StdCtrls.h"
#include "ui/forms/Forms.h"

namespace app {

// Login state of the process, set up when the dialog is created.
struct TLoginState {
    std::string StoredPassword;  // ANSI code-page bytes
    bool LoggedIn = false;
    int TryCount = 0;
};
TLoginState& LoginState();

class TForm_mm : public ui::TForm {
    UI_CLASS(TForm_mm)
public:
    explicit TForm_mm(ui::TComponent* owner);

    ui::TLabel* Label1 = nullptr;
    ui::TLabel* Label2 = nullptr;
    ui::TLabel* Label3 = nullptr;
    ui::TMaskEdit* MaskEdit1 = nullptr;
    ui::TMaskEdit* MaskEdit2 = nullptr;
    ui::TMaskEdit* MaskEdit3 = nullptr;
    ui::TBitBtn* BitBtn1 = nullptr;
    ui::TBitBtn* BitBtn2 = nullptr;
    ui::TBitBtn* BitBtn3 = nullptr;

    // Outer heights of the dialog with and without the password-change rows.
    int CollapsedHeight() const;
    int ExpandedHeight() const;

    void FormCreate(ui::TObject* Sender);
    void FormClose(ui::TObject* Sender, ui::TCloseAction& Action);
    void BitBtn1Click(ui::TObject* Sender);
    void BitBtn2Click(ui::TObject* Sender);
    void BitBtn3Click(ui::TObject* Sender);
    void MaskEdit1KeyPress(ui::TObject* Sender, wchar_t& Key);

    ui::TMethod FindMethod(std::string_view name) override;
};

// The typed text of an edit as the system ANSI code page's bytes, the form
// in which passwords are stored and compared.
std::string AnsiText(const ui::TEdit& edit);

} // namespace app
