// The dialog that shows a search for disguised folders while it runs: the
// folder being searched, the folders looked at and found so far, and "取消",
// which stops the search at once and keeps what it found.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "app/SearchJob.h"
#include "ui/controls/ExtCtrls.h"
#include "ui/controls/StdCtrls.h"
#include "ui/forms/Forms.h"

namespace app {

class TForm_find : public ui::TForm {
    UI_CLASS(TForm_find)
public:
    explicit TForm_find(ui::TComponent* owner);

    ui::TLabel* Label1 = nullptr;
    ui::TLabel* Label2 = nullptr;  // the folder being searched
    ui::TLabel* Label3 = nullptr;  // the counts
    ui::TButton* Button1 = nullptr;
    ui::TTimer* Timer1 = nullptr;

    // Searches root's tree with the dialog shown modal; each find goes to
    // onFound as it is made, on this thread. Returns the search's counts once
    // it has ended or was cancelled.
    kex::TSearchCounts Run(const std::wstring& root, const std::function<void(const std::wstring&)>& onFound);

    void Button1Click(ui::TObject* Sender);
    void Timer1Timer(ui::TObject* Sender);

    ui::TMethod FindMethod(std::string_view name) override;

private:
    // Shows the progress and hands on the new finds; true once the search has ended.
    bool TakeProgress();

    std::unique_ptr<kex::TSearchJob> job_;
    std::function<void(const std::wstring&)> onFound_;
    kex::TSearchCounts counts_;
};

// The words of the closing message of a search.
std::wstring SearchSummary(const kex::TSearchCounts& counts);

} // namespace app
