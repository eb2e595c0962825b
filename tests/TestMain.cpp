// Shared main for every test program: a private temporary folder and settings
// file per run so tests never touch the user's own configuration.
#include <gtest/gtest.h>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

// Fontconfig loses a little memory while it reads its configuration files
// (once per process). It is built without frame pointers, so the report's stack
// ends inside the library: blocks allocated by fontconfig are passed over.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

int main(int argc, char** argv)
{
    namespace fs = std::filesystem;
    const char* base = std::getenv("KM_TEST_TMP");
    fs::path root = base ? fs::path(base) : fs::temp_directory_path() / "km-tests";
    fs::path dir = root / ("run-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    setenv("KM_TEST_DIR", dir.c_str(), 1);
    setenv("KM_SETTINGS_FILE", (dir / "settings.ini").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
    setenv("XDG_DATA_HOME", (dir / "data").c_str(), 1);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    ::testing::InitGoogleTest(&argc, argv);
    int rc = RUN_ALL_TESTS();
    std::error_code ec;
    if (rc == 0)
        fs::remove_all(dir, ec);
    return rc;
}
