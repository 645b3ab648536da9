#include <gtest/gtest.h>

#include "ProcessDriver.h"

int wmain(int argc, wchar_t** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (argc > 1)
        e2e::SetProgramPath(argv[1]);
    if (argc > 2)
        e2e::SetDemoPath(argv[2]);
    return RUN_ALL_TESTS();
}
