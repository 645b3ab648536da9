#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

#include "app/Startup.h"
#include "skin/data/WinSkinData.h"
#include "tools/win/SkinArgument.h"
#include "tools/win/demo/Demo.h"

namespace {

// The one argument, a skin folder or a skin file, to show the demo in.
// More arguments are an error the user is told of; none keeps the
// compiled-in skin.
void TakeSkinArgument(ui::TForm& mainForm)
{
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!args)
        return;
    const std::vector<std::wstring> given(args + 1, args + count);
    LocalFree(args);
    if (given.size() > 1)
        ui::Application()->HandleException(
            ui::Exception("usage: tessaly_demo.exe [skin folder or skin file]: one argument, not " +
                          std::to_string(given.size())));
    else if (given.size() == 1)
        tools::UseSkin(*ui::FindComponentOf<skin::TSkinData>(mainForm, "SkinData1"), given[0]);
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    ui::TApplication& application = *ui::Application();
    application.Initialize();
    application.SetTitle(L"Tessaly 演示");
    app::RegisterAppClasses();  // the framework's and the skin engine's classes
    ui::RegisterComponentClass(demo::TDemoOptionsFrame::StaticClass());
    TakeSkinArgument(*application.CreateForm<demo::TDemoMain>());
    application.Run();
    return 0;
}
