#include "app/Unit_main.h"

#include <shellapi.h>

#include <algorithm>

#include "app/HideMe.h"
#include "app/kexMessages.h"
#include "app/Unit_find.h"
#include "ui/forms/Dialogs.h"

namespace app {

using namespace ui;

namespace {
TForm_main* mainForm = nullptr;
}

TForm_main* Form_main()
{
    return mainForm;
}

void SetForm_main(TForm_main* form)
{
    mainForm = form;
}

bool OpenDocument(const std::wstring& target, const std::wstring& parameters)
{
    const auto cut = target.find_last_of(L"\\:");
    const std::wstring dir = cut == std::wstring::npos ? std::wstring() : target.substr(0, cut + 1);
    const auto result = reinterpret_cast<INT_PTR>(ShellExecuteW(GetActiveWindow(), nullptr, target.c_str(),
                                                                parameters.c_str(), dir.c_str(), SW_SHOWNORMAL));
    return result > 32;
}

const TClassInfo& TForm_main::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TForm_main>("TForm_main", &TForm::StaticClass()).Done();
    return info;
}

TMethod TForm_main::FindMethod(std::string_view name)
{
    using F = TForm_main;
    return FindHandler<F>(this, name,
                          {Handler("AIFileDropPan1DragFile", &F::AIFileDropPan1DragFile),
                           Handler("Label1Click", &F::Label1Click), Handler("ListBox1MouseDown", &F::ListBox1MouseDown),
                           Handler("ListBox1KeyDown", &F::ListBox1KeyDown),
                           Handler("BitBtn1Click", &F::BitBtn1Click), Handler("BitBtn2Click", &F::BitBtn2Click)});
}

TForm_main::TForm_main(TComponent* owner) : TForm(owner)
{
    InitFromResource();
    AIFileDropPan1 = FindComponentOf<TAIFileDropPan>(*this, "AIFileDropPan1");
    Label1 = FindComponentOf<TLabel>(*this, "Label1");
    Label2 = FindComponentOf<TLabel>(*this, "Label2");
    ListBox1 = FindComponentOf<TListBox>(*this, "ListBox1");
    BitBtn1 = FindComponentOf<TBitBtn>(*this, "BitBtn1");
    BitBtn2 = FindComponentOf<TBitBtn>(*this, "BitBtn2");
    SkinData1 = FindComponentOf<skin::TSkinData>(*this, "SkinData1");
    DoCreate();
}

void TForm_main::AIFileDropPan1DragFile(TComponent*, TStrings* fileList)
{
    ListBox1->Items()->Assign(*fileList);
}

void TForm_main::Label1Click(TObject*)
{
    OpenDocument(ProjectWebSite, L"");
}

void TForm_main::ListBox1MouseDown(TObject*, TMouseButton, TShiftState, int, int)
{
    std::wstring path;
    SelectDirectory(path);
    if (!path.empty())
        ListBox1->Items()->Add(path);
    // The list box handles the press after this event, when the chooser has
    // already taken its release: pressed on an entry, it would then wait for
    // that release holding the mouse, and the next click anywhere (on "加密",
    // say) would reach the list and open the chooser again. End that wait as
    // soon as it starts: the posted message comes before any further input.
    PostMessageW(ListBox1->Handle(), WM_CANCELMODE, 0, 0);
}

void TForm_main::CreateWnd()
{
    TForm::CreateWnd();
    // The search joins the system menu, which a new window handle starts afresh.
    const HMENU menu = GetSystemMenu(Handle(), FALSE);
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, FindDisguisedCommand, FindDisguisedItem);
}

void TForm_main::WndProc(TMessage& m)
{
    if (m.Msg == WM_SYSCOMMAND && (m.WParam & 0xFFF0) == FindDisguisedCommand) {
        FindDisguisedFolders();
        m.Result = 0;
        return;
    }
    TForm::WndProc(m);
}

void TForm_main::FindDisguisedFolders()
{
    std::wstring root;
    if (!SelectDirectory(root) || root.empty())
        return;
    kex::TSearchCounts counts;
    {
        TForm_find dialog(this);
        counts = dialog.Run(root, [this](const std::wstring& folder) { AddToList(folder); });
    }
    kex::ShowInfo(SearchSummary(counts));
}

void TForm_main::AddToList(const std::wstring& path)
{
    if (ListBox1->Items()->IndexOf(path) < 0)
        ListBox1->Items()->Add(path);
}

void TForm_main::ListBox1KeyDown(TObject*, WORD& key, TShiftState)
{
    const int index = ListBox1->ItemIndex();
    if (key != VK_DELETE || index < 0)
        return;
    key = 0;
    TStrings& items = *ListBox1->Items();
    items.Delete(index);
    // The next entry takes the selection, so that Delete goes on removing.
    if (items.Count() > 0)
        ListBox1->SetItemIndex(std::min(index, items.Count() - 1));
}

void TForm_main::ProcessList(bool (*operation)(const std::wstring&))
{
    TStrings& items = *ListBox1->Items();
    int failed = 0;
    for (int i = 0; i < items.Count();) {
        if (operation(items[i])) {
            items.Delete(i);
        } else {
            ++failed;
            ++i;
        }
    }
    if (failed > 0)
        kex::ShowInfo(L"有 " + std::to_wstring(failed) + L" 项未能处理，仍留在列表中");
}

void TForm_main::BitBtn1Click(TObject*)
{
    ProcessList(kex::HideFolder);
}

void TForm_main::BitBtn2Click(TObject*)
{
    ProcessList(kex::RestoreFolder);
}

} // namespace app
