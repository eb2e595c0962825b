// Finding the resource folder beside the stored module or the executable.
#include "model/util/ResourceModule.h"
#include "platform/TextConv.h"
#include <gtest/gtest.h>
#include <cstdlib>
#include <fstream>

namespace fs = std::filesystem;

// One test: the library, once loaded, stays loaded for the process.
TEST(ResourceModule, LoadsBesideTheModuleOnceAndKeepsIt)
{
    fs::path base = fs::path(std::getenv("KM_TEST_DIR")) / "resmodule";
    fs::create_directories(base / "empty");
    fs::create_directories(base / "with" / "res");
    fs::create_directories(base / "other" / "res");
    std::ofstream(base / "with" / "res" / "strings.tsv") << "7\tFound beside the module\n";
    std::ofstream(base / "other" / "res" / "strings.tsv") << "7\tThe other one\n";

    // No stored module: beside the test program, where there is none.
    ASSERT_FALSE(fs::exists(GetExecutableFolder() / "res"));
    SetModuleHandle(L"");
    EXPECT_EQ(GetResourceModule(), nullptr);

    SetModuleHandle(Utf8ToWide((base / "empty" / "program").string()));
    EXPECT_EQ(GetResourceModule(), nullptr);

    SetModuleHandle(Utf8ToWide((base / "with" / "program").string()));
    CResourceLibrary* lib = GetResourceModule();
    ASSERT_NE(lib, nullptr);
    EXPECT_EQ(lib->GetString(7), L"Found beside the module");
    EXPECT_EQ(lib->GetString(8), L"");

    // Already loaded: the same library, wherever the stored module now lies.
    SetModuleHandle(Utf8ToWide((base / "other" / "program").string()));
    EXPECT_EQ(GetResourceModule(), lib);
    EXPECT_EQ(GetResourceModule()->GetString(7), L"Found beside the module");
}
