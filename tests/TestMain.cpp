// Shared main for the test programs without windows: a private temporary
// folder and settings file per run so tests never touch the user's own
// configuration. Window test programs use tests/wx/WxTestMain.cpp instead.
#include "fixtures/TestEnvironment.h"
#include <gtest/gtest.h>

// Fontconfig loses a little memory while it reads its configuration files
// (once per process). It is built without frame pointers, so the report's stack
// ends inside the library: blocks allocated by fontconfig are passed over.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

int main(int argc, char** argv)
{
    kmtest::PrepareTestProcess();
    ::testing::InitGoogleTest(&argc, argv);
    int rc = RUN_ALL_TESTS();
    kmtest::FinishTestProcess(rc);
    return rc;
}
