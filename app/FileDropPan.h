// A panel that accepts files and folders dropped on it from the shell and
// hands their full paths to its owner through OnDragFile.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include "ui/controls/ExtCtrls.h"

namespace app {

using TDragFileEvent = ui::TEvent<void(ui::TComponent* Sender, ui::TStrings* FileList)>;

class TAIFileDropPan : public ui::TPanel {
    UI_CLASS(TAIFileDropPan)
public:
    // The owner becomes the panel's parent; it must be a windowed control.
    explicit TAIFileDropPan(ui::TComponent* owner);
    ~TAIFileDropPan() override;

    // True registers the panel's window with the shell as a drop target.
    bool AcceptFile() const { return acceptFile_; }
    void SetAcceptFile(bool on);
    // The paths of the latest drop, in the shell's order; emptied when the
    // next drop arrives. OnDragFile receives this very list.
    ui::TStrings* FileList() const { return fileList_.get(); }

    TDragFileEvent OnDragFile;

protected:
    void CreateWnd() override;
    void Dispatch(ui::TMessage& m) override;

private:
    void DropFiles(HDROP drop);
    bool acceptFile_ = false;
    std::unique_ptr<ui::TStringList> fileList_;
};

} // namespace app
