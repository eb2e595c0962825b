// Main of the window test programs: starts wxWidgets once per process (the
// X server comes from xvfb-run), gives every test its own settings file,
// then runs the tests on this thread, which is the window thread.
#include "wx/DisplayWait.h"
#include "fixtures/TestEnvironment.h"
#include "platform/Settings.h"
#include <gtest/gtest.h>
#include <wx/log.h>
#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/init.h>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

// Fontconfig loses a little memory while it reads its configuration files
// (once per process); the report's stack ends inside the library, which is
// built without frame pointers. A new suppression here names a toolkit
// library (GTK, GLib, Pango, fontconfig, X11) and only for an allocation it
// makes once per process, never one that our code causes: check with
// ASAN_OPTIONS=fast_unwind_on_malloc=0, which shows the whole stack.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

namespace {

class CTestApp : public wxApp {
public:
    bool OnInit() override { return true; }
};

// Points the settings store at a fresh file for each test, so no window test
// sees what an earlier one stored.
class CSettingsPerTest : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo& info) override
    {
        const auto file = kmtest::TestDir() /
                          (std::string("settings-") + info.test_suite_name() + "." + info.name() + ".ini");
        std::error_code ec;
        std::filesystem::remove(file, ec);
        CSettingsStore::Instance().SetPath(file);
    }
};

}  // namespace

int main(int argc, char** argv)
{
    const auto dir = kmtest::PrepareTestProcess();
    // No screen reader bridge: its D-Bus connection is not needed by tests and
    // keeps its buffers until exit.
    setenv("NO_AT_BRIDGE", "1", 1);
    // The arguments as given: GoogleTest takes its own out of argv.
    std::vector<char*> given(argv, argv + argc + 1);
    ::testing::InitGoogleTest(&argc, argv);
    // Listing the tests (ctest's discovery) needs no display.
    if (::testing::GTEST_FLAG(list_tests))
        return RUN_ALL_TESTS();

    if (!kmtest::WaitForDisplay()) {
        std::fprintf(stderr, "wxWidgets did not start: window tests need an X display (xvfb-run) or a Wayland compositor (scripts/test-wayland)\n");
        return 1;
    }
    // Why the toolkit would not start goes to the output too.
    delete wxLog::SetActiveTarget(new wxLogStderr);
    wxApp::SetInstance(new CTestApp);  // wxEntryCleanup deletes it
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) {
        // Now and then, under a loaded parallel run, the toolkit fails to
        // start though the display answers; a fresh process starts.
        kmtest::StartAgain(given.data());
        std::fprintf(stderr, "wxWidgets did not start: window tests need an X display (xvfb-run) or a Wayland compositor (scripts/test-wayland)\n");
        return 1;
    }
    // What wxWidgets logs goes to the output: a message box would wait for
    // an answer nobody gives, at the latest when the program ends.
    delete wxLog::SetActiveTarget(new wxLogStderr);
    CSettingsStore::Instance().SetPath(dir / "settings.ini");
    ::testing::UnitTest::GetInstance()->listeners().Append(new CSettingsPerTest);  // gtest owns it

    int rc = 0;
    {
        // An active loop lets PumpUntil yield; tests never run it themselves.
        wxGUIEventLoop loop;
        wxEventLoopActivator active(&loop);
        rc = RUN_ALL_TESTS();
        // Windows a test closed are deleted at idle time: let that happen.
        loop.YieldFor(wxEVT_CATEGORY_ALL);
    }
    wxTheApp->OnExit();
    wxEntryCleanup();
    kmtest::FinishTestProcess(rc);
    return rc;
}
