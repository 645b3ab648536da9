#include "app/FileDropPan.h"

#include <shellapi.h>

namespace app {

using namespace ui;

const TClassInfo& TAIFileDropPan::StaticClass()
{
    static const TClassInfo info =
        TClassBuilder<TAIFileDropPan>("TAIFileDropPan", &TPanel::StaticClass())
            .Bool("AcceptFile", &TAIFileDropPan::AcceptFile, &TAIFileDropPan::SetAcceptFile)
            .Event("OnDragFile", &TAIFileDropPan::OnDragFile)
            .Creatable()
            .Done();
    return info;
}

TAIFileDropPan::TAIFileDropPan(TComponent* owner)
    : TPanel(owner), fileList_(std::make_unique<TStringList>())
{
    auto* parent = dynamic_cast<TWinControl*>(owner);
    if (!parent)
        throw Exception("The owner of a file-drop panel must be a windowed control");
    SetParent(parent);
    SetAcceptFile(true);
}

TAIFileDropPan::~TAIFileDropPan()
{
    if (Parent() && acceptFile_ && HandleAllocated())
        DragAcceptFiles(Handle(), FALSE);
}

void TAIFileDropPan::SetAcceptFile(bool on)
{
    acceptFile_ = on;
    // The registration belongs to the window of the moment; CreateWnd renews
    // it for a window made later.
    if (HandleAllocated() || (Parent() && Parent()->HandleAllocated()))
        DragAcceptFiles(Handle(), on);
}

void TAIFileDropPan::CreateWnd()
{
    TPanel::CreateWnd();
    DragAcceptFiles(Handle(), acceptFile_);
}

void TAIFileDropPan::Dispatch(TMessage& m)
{
    if (m.Msg == WM_DROPFILES) {
        DropFiles(reinterpret_cast<HDROP>(m.WParam));
        m.Result = 0;
        return;
    }
    TPanel::Dispatch(m);
}

// Takes every dropped path at its full length (the drop handle knows each
// one's size), releases the handle, then tells the owner.
void TAIFileDropPan::DropFiles(HDROP drop)
{
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    fileList_->Clear();
    for (UINT i = 0; i < count; ++i) {
        const UINT len = DragQueryFileW(drop, i, nullptr, 0);
        std::wstring path(len + 1, L'\0');
        path.resize(DragQueryFileW(drop, i, path.data(), len + 1));
        fileList_->Add(path);
    }
    DragFinish(drop);
    OnDragFile(this, fileList_.get());
}

} // namespace app
