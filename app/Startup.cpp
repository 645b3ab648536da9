#include "app/Startup.h"

#include <windows.h>

namespace app {

int RunTessaly()
{
    MessageBoxW(nullptr, L"缺少文件，不能正常运行", L"提示", MB_OK | MB_ICONINFORMATION);
    return 0;
}

} // namespace app
