#include "app/Unit_find.h"

namespace app {

using namespace ui;

const TClassInfo& TForm_find::StaticClass()
{
    static const TClassInfo info = TClassBuilder<TForm_find>("TForm_find", &TForm::StaticClass()).Done();
    return info;
}

TMethod TForm_find::FindMethod(std::string_view name)
{
    using F = TForm_find;
    return FindHandler<F>(this, name,
                          {Handler("Button1Click", &F::Button1Click), Handler("Timer1Timer", &F::Timer1Timer)});
}

TForm_find::TForm_find(TComponent* owner) : TForm(owner)
{
    InitFromResource();
    Label1 = FindComponentOf<TLabel>(*this, "Label1");
    Label2 = FindComponentOf<TLabel>(*this, "Label2");
    Label3 = FindComponentOf<TLabel>(*this, "Label3");
    Button1 = FindComponentOf<TButton>(*this, "Button1");
    Timer1 = FindComponentOf<TTimer>(*this, "Timer1");
    DoCreate();
}

kex::TSearchCounts TForm_find::Run(const std::wstring& root, const std::function<void(const std::wstring&)>& onFound)
{
    onFound_ = onFound;
    counts_ = {};
    Label2->SetCaption(root);
    job_ = std::make_unique<kex::TSearchJob>(root);
    if (!TakeProgress()) {
        Timer1->SetEnabled(true);
        ShowModal();  // ended by the search's end, "取消" or closing the dialog
        Timer1->SetEnabled(false);
        job_->Cancel();
    }
    job_->Wait();
    TakeProgress();  // the finds made after the last tick
    job_.reset();
    return counts_;
}

bool TForm_find::TakeProgress()
{
    kex::TSearchProgress progress = job_->TakeProgress();
    for (const std::wstring& folder : progress.NewFinds)
        onFound_(folder);
    counts_ = progress.Counts;
    if (!progress.Folder.empty())
        Label2->SetCaption(progress.Folder);
    Label3->SetCaption(L"已查看 " + std::to_wstring(counts_.Searched) + L" 个文件夹，找到 " +
                       std::to_wstring(counts_.Found) + L" 个");
    return progress.Finished;
}

void TForm_find::Timer1Timer(TObject*)
{
    if (job_ && TakeProgress())
        SetModalResult(mrOk);
}

void TForm_find::Button1Click(TObject*)
{
    job_->Cancel();
    SetModalResult(mrCancel);
}

std::wstring SearchSummary(const kex::TSearchCounts& counts)
{
    return std::wstring(counts.Cancelled ? L"查找已取消" : L"查找完毕") + L"：找到 " + std::to_wstring(counts.Found) +
           L" 个已伪装的文件夹（已加入列表），" + std::to_wstring(counts.Skipped) + L" 个文件夹无法查找。";
}

} // namespace app
