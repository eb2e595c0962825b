// Path and folder helpers.
#include "model/util/FileDirTools.h"
#include "platform/TextConv.h"
#include <gtest/gtest.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {
std::string TestDir()
{
    return std::getenv("KM_TEST_DIR");
}

// Points HOME and the XDG variables at a private folder for one test.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : m_name(name)
    {
        if (const char* v = std::getenv(name)) m_old = v, m_had = true;
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv()
    {
        if (m_had)
            setenv(m_name, m_old.c_str(), 1);
        else
            unsetenv(m_name);
    }

private:
    const char* m_name;
    std::string m_old;
    bool m_had = false;
};
}

TEST(FileDirTools, CreateDirectoryMakesEveryLevel)
{
    std::wstring root = Utf8ToWide(TestDir()) + L"/mk";
    EXPECT_EQ(CFileDirTools::CreateDirectoryW(root + L"/a/b/c//"), 1);
    EXPECT_TRUE(fs::is_directory(WideToUtf8(root) + "/a/b/c"));
    EXPECT_EQ(CFileDirTools::CreateDirectoryW(root + L"/a/b/c/"), 1);  // already there
    EXPECT_EQ(CFileDirTools::CreateDirectoryA(WideToUtf8(root) + "/\xC3\xA9t\xC3\xA9"), 1);
    EXPECT_TRUE(fs::is_directory(WideToUtf8(root) + "/\xC3\xA9t\xC3\xA9"));

    std::ofstream(WideToUtf8(root) + "/file") << "x";
    EXPECT_EQ(CFileDirTools::CreateDirectoryW(root + L"/file"), 0);  // a file is no folder
    EXPECT_EQ(CFileDirTools::CreateDirectoryW(root + L"/file/sub"), 0);
    EXPECT_EQ(CFileDirTools::CreateDirectoryW(L"//"), 0);
}

TEST(FileDirTools, RemoveFileSpec)
{
    struct Row {
        const wchar_t* in;
        int add;
        int result;
        const wchar_t* out;
    } rows[] = {
        {L"file.ext", 1, 0, L"file.ext"},
        {L"/file.ext", 1, 0, L"/file.ext"},
        {L"\\file.ext", 0, 0, L"\\file.ext"},
        {L"D:\\dir\\file.ext", 1, 1, L"D:\\dir/"},  // the folder separator, not the one cut
        {L"D:\\dir\\file.ext", 0, 1, L"D:\\dir"},
        {L"a/b\\c", 1, 1, L"a/b/"},
        {L"a\\b/c", 1, 1, L"a\\b/"},
        {L"/home/u/file.ext", 1, 1, L"/home/u/"},
        {L"/home/u/file.ext", 0, 1, L"/home/u"},
        {L"a/b\\c", 0, 1, L"a/b"},  // the later separator
        {L"a\\b/c", 0, 1, L"a\\b"},
        {L"/home/u/", 0, 1, L"/home/u"},
    };
    for (const Row& r : rows) {
        std::wstring s = r.in;
        SCOPED_TRACE(WideToUtf8(s));
        EXPECT_EQ(CFileDirTools::RemoveFileSpec(s, r.add), r.result);
        EXPECT_EQ(s, r.out);
        EXPECT_EQ(CFileDirTools::RemoveFileSpec1(std::wstring(r.in), r.add), r.out);
        std::string n = WideToUtf8(r.in);
        EXPECT_EQ(CFileDirTools::RemoveFileSpec(n, r.add), r.result);
        EXPECT_EQ(n, WideToUtf8(r.out));
    }
}

TEST(FileDirTools, GetRelativePath)
{
    EXPECT_EQ(CFileDirTools::GetRelativePath(std::wstring(L"/m/v"), L"/m/v/clip.mp4"), L"clip.mp4");
    EXPECT_EQ(CFileDirTools::GetRelativePath(std::wstring(L"/m/v/"), L"/m/v/sub/clip.mp4"), L"sub/clip.mp4");
    EXPECT_EQ(CFileDirTools::GetRelativePath(std::wstring(L"/m/v"), L"/m/clip.mp4"), L"clip.mp4");
    EXPECT_EQ(CFileDirTools::GetRelativePath(std::wstring(L"/m/v"), L"/m/x/clip.mp4"), L"x/clip.mp4");
    // No relative path between an absolute and a relative one: the file as given.
    EXPECT_EQ(CFileDirTools::GetRelativePath(std::wstring(L"rel/dir"), L"/m/clip.mp4"), L"/m/clip.mp4");
    EXPECT_EQ(CFileDirTools::GetRelativePath(std::string("/m/v"), "/m/v/caf\xC3\xA9.mp4"), "caf\xC3\xA9.mp4");
}

TEST(FileDirTools, FoldersOfTheUser)
{
    std::string home = TestDir() + "/home";
    fs::create_directories(home + "/Docs here");
    fs::create_directories(home + "/cfg");
    std::ofstream(home + "/cfg/user-dirs.dirs") << "# written by xdg-user-dirs-update\n"
                                                   "XDG_DOCUMENTS_DIR=\"$HOME/Docs here\"\n"
                                                   "XDG_MUSIC_DIR=\"/srv/music/\"\n";
    ScopedEnv h("HOME", home), c("XDG_CONFIG_HOME", home + "/cfg"), d("XDG_DATA_HOME", home + "/data/");

    EXPECT_EQ(CFileDirTools::GetMyDocumentsPathA(), home + "/Docs here");
    EXPECT_EQ(CFileDirTools::GetSpecialFolderPathA(CSIDL_PERSONAL), home + "/Docs here/");
    EXPECT_EQ(CFileDirTools::GetSpecialFolderPathA(CSIDL_MYMUSIC), "/srv/music/");  // one separator
    EXPECT_EQ(CFileDirTools::GetSpecialFolderPathA(CSIDL_MYVIDEO), "");  // not set, no ~/Videos
    EXPECT_EQ(CFileDirTools::GetSpecialFolderPath(CSIDL_PROFILE), Utf8ToWide(home + "/"));
    EXPECT_EQ(CFileDirTools::GetSpecialFolderPathA(12345), "");

    std::string appData = CFileDirTools::GetAppDataPathA();
    EXPECT_EQ(appData, home + "/data/KestrelMedia/");
    EXPECT_TRUE(fs::is_directory(appData));
}

TEST(FileDirTools, DocumentsFallBackToHome)
{
    std::string home = TestDir() + "/home2";
    fs::create_directories(home);
    ScopedEnv h("HOME", home), c("XDG_CONFIG_HOME", home + "/none");
    EXPECT_EQ(CFileDirTools::GetMyDocumentsPath(), Utf8ToWide(home));
}

TEST(FileDirTools, ProgramAndTemporaryFolders)
{
    std::wstring app = CFileDirTools::GetAppPath();
    ASSERT_FALSE(app.empty());
    EXPECT_EQ(app.back(), L'/');
    EXPECT_TRUE(fs::exists(WideToUtf8(app) + "km_tests_model"));

    ScopedEnv t("TMPDIR", TestDir());
    std::string tmp = CFileDirTools::GetTempFolderA();
    EXPECT_EQ(tmp, TestDir() + "/");
    std::wstring a = CFileDirTools::GetTempFileNameW(L"kmtest");
    std::wstring b = CFileDirTools::GetTempFileNameW(L"kmtest");
    ASSERT_FALSE(a.empty());
    EXPECT_NE(a, b);
    EXPECT_EQ(fs::path(WideToUtf8(a)).filename().string().rfind("kmt", 0), 0u);
    EXPECT_TRUE(fs::is_regular_file(WideToUtf8(a)));
    EXPECT_EQ(fs::file_size(WideToUtf8(a)), 0u);
    EXPECT_EQ(CFileDirTools::GetDriveName(2), L"C:\\");
}
