#include "engine/FolderFilesManager.h"
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

fs::path MakeTree()
{
    const char* base = std::getenv("KM_TEST_DIR");
    fs::path root = fs::path(base ? base : "/tmp") / "walk";
    fs::remove_all(root);
    fs::create_directories(root / "sub" / "deep");
    fs::create_directories(root / "Beta");
    fs::create_directories(root / "outside");
    for (const char* f : {"b.MP4", "a.mp4", "C.avi", "notes.txt", "noext", "sub/x.mp4", "sub/deep/y.MP4", "outside/z.mp4"})
        std::ofstream(root / f) << "x";
    fs::create_directory_symlink(root / "outside", root / "link");
    fs::create_symlink(root / "a.mp4", root / "alias.mp4");  // a link to a file is a file
    return root;
}

std::vector<std::wstring> Walk(const fs::path& dir, const wchar_t* mask, bool recursive, bool folders)
{
    CFolderFilesManager walker;
    walker.Init(dir.wstring().c_str(), mask, nullptr, recursive, folders);
    std::vector<std::wstring> out;
    wchar_t buffer[512];
    while (walker.GetNext(buffer, 512)) out.push_back(folders ? buffer : fs::path(buffer).lexically_relative(dir).wstring());
    return out;
}

using Names = std::vector<std::wstring>;

}  // namespace

TEST(FolderFilesManager, FilesByMaskSortedIgnoringCase)
{
    fs::path root = MakeTree();
    EXPECT_EQ(Walk(root, L"*.mp4", false, false), (Names{L"a.mp4", L"alias.mp4", L"b.MP4"}));
    EXPECT_EQ(Walk(root, L"*.avi;*.MP4;", false, false), (Names{L"a.mp4", L"alias.mp4", L"b.MP4", L"C.avi"}));
    EXPECT_EQ(Walk(root, L"*.*", false, false), (Names{L"a.mp4", L"alias.mp4", L"b.MP4", L"C.avi", L"noext", L"notes.txt"}));
    EXPECT_EQ(Walk(root, L"?.avi", false, false), (Names{L"C.avi"}));
    EXPECT_EQ(Walk(root, L"*.mkv", false, false), Names{});
}

TEST(FolderFilesManager, FoldersAreNamesAndLinksAreNotFollowed)
{
    fs::path root = MakeTree();
    EXPECT_EQ(Walk(root, L"*.mp4", false, true), (Names{L"Beta", L"outside", L"sub"}));
    // Recursion goes into real folders only: nothing from behind "link".
    EXPECT_EQ(Walk(root, L"*.mp4", true, false),
              (Names{L"a.mp4", L"alias.mp4", L"b.MP4", L"outside/z.mp4", L"sub/deep/y.MP4", L"sub/x.mp4"}));
}

TEST(FolderFilesManager, MissingFolderAndSmallBuffer)
{
    CFolderFilesManager walker;
    EXPECT_FALSE(walker.Init(L"/no/such/folder", L"*.*"));
    wchar_t buffer[4];
    EXPECT_FALSE(walker.GetNext(buffer, 4));
    fs::path root = MakeTree();
    ASSERT_TRUE(walker.Init(root.wstring().c_str(), L"*.avi"));
    EXPECT_FALSE(walker.GetNext(buffer, 4));  // the one path does not fit: skipped, not cut
    EXPECT_TRUE(walker.Init(root.wstring().c_str(), L"*.avi"));
    wchar_t big[512];
    ASSERT_TRUE(walker.GetNext(big, 512));
    EXPECT_EQ(walker.GetCurrentFile(), (root / "C.avi").wstring());
}
