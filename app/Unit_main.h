// The main window: a list of folder paths, filled by dropping folders on the
// window or choosing one, and the two buttons that disguise ("加密") or
// restore ("解密") every listed path.
#pragma once

#include <string>

#include "app/FileDropPan.h"
#include "skin/data/WinSkinData.h"
#include "ui/controls/Buttons.h"
#include "ui/controls/StdCtrls.h"
#include "ui/forms/Forms.h"

namespace app {

// The main window's system-menu command that searches for disguised folders
// (a command of the program's own: below the system's, low four bits clear).
inline constexpr UINT FindDisguisedCommand = 0x0100;
inline constexpr const wchar_t* FindDisguisedItem = L"查找已伪装的文件夹…";

// The address the two link labels open.
inline constexpr const wchar_t* ProjectWebSite = L"https://tessaly.example/";

class TForm_main : public ui::TForm {
    UI_CLASS(TForm_main)
public:
    explicit TForm_main(ui::TComponent* owner);

    TAIFileDropPan* AIFileDropPan1 = nullptr;
    ui::TLabel* Label1 = nullptr;
    ui::TLabel* Label2 = nullptr;
    ui::TListBox* ListBox1 = nullptr;
    ui::TBitBtn* BitBtn1 = nullptr;
    ui::TBitBtn* BitBtn2 = nullptr;
    skin::TSkinData* SkinData1 = nullptr;  // the compiled-in skin

    void AIFileDropPan1DragFile(ui::TComponent* Sender, ui::TStrings* FileList);
    void Label1Click(ui::TObject* Sender);
    void ListBox1MouseDown(ui::TObject* Sender, ui::TMouseButton Button, ui::TShiftState Shift, int X, int Y);
    void ListBox1KeyDown(ui::TObject* Sender, WORD& Key, ui::TShiftState Shift);
    void BitBtn1Click(ui::TObject* Sender);
    void BitBtn2Click(ui::TObject* Sender);

    ui::TMethod FindMethod(std::string_view name) override;

    // Asks for a folder, searches its tree for disguised folders with the
    // progress dialog shown, lists every find and says what was found.
    void FindDisguisedFolders();
    // Lists path unless it is listed already.
    void AddToList(const std::wstring& path);

protected:
    void CreateWnd() override;
    void WndProc(ui::TMessage& m) override;

private:
    // Runs operation on every listed path; the ones it could not process stay
    // listed and one message says how many there are.
    void ProcessList(bool (*operation)(const std::wstring&));
};

// The main window of the process (null before it is created).
TForm_main* Form_main();
void SetForm_main(TForm_main* form);

// Asks the shell to open target as a double click would; true on success.
bool OpenDocument(const std::wstring& target, const std::wstring& parameters);

} // namespace app
