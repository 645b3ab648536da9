#include "app/Startup.h"

#include "app/FileDropPan.h"
#include "app/Unit_main.h"
#include "app/Unit_mm.h"
#include "skin/controls/SkinDiscovery.h"
#include "skin/data/WinSkinData.h"
#include "skin/window/SkinManage.h"
#include "skin/window/SkinMenuParts.h"
#include "ui/forms/Forms.h"

namespace app {

void RegisterAppClasses()
{
    ui::RegisterFrameworkClasses();
    ui::RegisterComponentClass(TAIFileDropPan::StaticClass());
    skin::RegisterSkinClasses();
    skin::InstallControlSkinning();
    skin::InstallMenuParts();
}

TForm_mm* CreateStartupForms()
{
    // The random generator behind the password file was seeded from the time
    // of day when the process started.
    ui::TApplication& application = *ui::Application();
    application.Initialize();
    RegisterAppClasses();
    SetForm_main(application.CreateForm<TForm_main>());  // hidden until a correct password
    application.SetShowMainForm(false);
    return application.CreateForm<TForm_mm>();  // a missing password file ends the program here
}

int RunTessaly()
{
    CreateStartupForms()->ShowModal();  // returns only after a correct password
    ui::Application()->Run();
    skin::FreeGlobalSkinManage();  // every window still open gets its own procedure back
    return 0;
}

} // namespace app
