#include "ui/forms/Dialogs.h"

#include <windows.h>
#include <shlobj.h>

#include <memory>

#include "ui/forms/ErrorGuard.h"

namespace ui {

namespace {

int CALLBACK BrowseCallback(HWND wnd, UINT msg, LPARAM, LPARAM data)
{
    CallGuarded([&] {
        if (msg == BFFM_INITIALIZED) {
            SetWindowTextW(wnd, L"选择目录");
            SendMessageW(wnd, BFFM_SETSELECTIONW, TRUE, data);
        }
    });
    return 0;
}

struct PidlFree {
    void operator()(ITEMIDLIST* pidl) const { CoTaskMemFree(pidl); }
};

// Keeps COM initialised on this thread for the dialog's lifetime.
struct ComScope {
    HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ~ComScope()
    {
        if (SUCCEEDED(hr))
            CoUninitialize();
    }
};

} // namespace

bool SelectDirectory(std::wstring& directory)
{
    ComScope com;
    std::wstring start(GetCurrentDirectoryW(0, nullptr), L'\0');
    start.resize(GetCurrentDirectoryW(static_cast<DWORD>(start.size()), start.data()));

    BROWSEINFOW info{};
    info.hwndOwner = GetActiveWindow();
    info.lpszTitle = L"选择目录";
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NONEWFOLDERBUTTON | BIF_NEWDIALOGSTYLE;
    info.lpfn = BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(start.c_str());
    std::unique_ptr<ITEMIDLIST, PidlFree> pidl(SHBrowseForFolderW(&info));
    if (!pidl)
        return false;
    // Paths longer than MAX_PATH come back through the allocating call.
    PWSTR path = nullptr;
    if (FAILED(SHGetNameFromIDList(pidl.get(), SIGDN_FILESYSPATH, &path)) || !path)
        return false;
    directory = path;
    CoTaskMemFree(path);
    return true;
}

} // namespace ui
