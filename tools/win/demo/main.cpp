#include <windows.h>

#include "app/Startup.h"
#include "tools/win/demo/Demo.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    ui::TApplication& application = *ui::Application();
    application.Initialize();
    application.SetTitle(L"Tessaly 演示");
    app::RegisterAppClasses();  // the framework's and the skin engine's classes
    ui::RegisterComponentClass(demo::TDemoOptionsFrame::StaticClass());
    application.CreateForm<demo::TDemoMain>();
    application.Run();
    return 0;
}
