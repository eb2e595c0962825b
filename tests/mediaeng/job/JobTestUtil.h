#pragma once
// Helpers shared by the conversion job's tests: a private folder per test and
// a generated source clip.
#include "fixtures/MediaFixtures.h"
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace jobtest {

namespace fs = std::filesystem;

inline fs::path TestFolder()
{
    const char* base = std::getenv("KM_TEST_DIR");
    const ::testing::TestInfo* t = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(t->test_suite_name()) + "." + t->name();
    for (char& c : name)
        if (c == '/') c = '_';
    fs::path dir = fs::path(base ? base : fs::temp_directory_path().c_str()) / name;
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

// Files of a folder whose names start with a dot (temporary outputs).
inline int HiddenFiles(const fs::path& dir)
{
    int n = 0;
    for (const auto& e : fs::recursive_directory_iterator(dir))
        if (e.path().filename().string().rfind(".", 0) == 0) ++n;
    return n;
}

}  // namespace jobtest
