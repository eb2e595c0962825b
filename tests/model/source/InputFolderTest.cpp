// The folder source on a temporary tree: what a scan lists for each mask,
// recursion and position, that scans are cached until something changes, the
// "[..]" navigation, and exclusions of files and sub-folders.
#include "engine/MsgMng.h"
#include "model/source/InputFolder.h"
#include "platform/TextConv.h"
#include <gtest/gtest.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class CCapturedMessages : public CComObjectBase<IMsgHandler> {
public:
    HRESULT OnTextMessage(const wchar_t* text, DWORD flags) override
    {
        texts.emplace_back(text ? text : L"");
        this->flags.push_back(flags);
        return S_OK;
    }
    HRESULT OnNotifyMessage(DWORD, DWORD, DWORD) override { return S_OK; }
    std::vector<std::wstring> texts;
    std::vector<DWORD> flags;
};

class FolderTree : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = fs::path(std::getenv("KM_TEST_DIR")) / ("tree-" + std::to_string(counter++));
        fs::create_directories(root / "sub1" / "deep");
        fs::create_directories(root / "sub2");
        for (const char* f : {"a.mp4", "b.AVI", "c.txt", "sub1/d.mp4", "sub1/deep/e.mp4"}) Touch(f);
        fs::create_directory_symlink(root / "sub1", root / "link");
        folder.SetFolder(root.wstring());
    }
    void TearDown() override { fs::remove_all(root); }

    void Touch(const std::string& rel) { std::ofstream(root / rel) << "x"; }
    std::wstring P(const std::string& rel) const { return (root / rel).wstring(); }
    std::vector<std::wstring> Listed()
    {
        std::vector<std::wstring> out;
        for (uint32_t i = 0; i < folder.m_listed.GetCount(); ++i) out.push_back(folder.m_listed.GetAt(i)->m_fileName);
        return out;
    }
    std::vector<std::wstring> SubFolders()
    {
        std::vector<std::wstring> out;
        for (auto& r : folder.m_subFolders) out.push_back(r->name + L"=" + r->path);
        return out;
    }

    static inline int counter = 0;
    fs::path root;
    CInputFolder folder;
};

TEST_F(FolderTree, ScanTable)
{
    struct Case {
        const wchar_t* mask;
        int recursive;
        const wchar_t* into;  // ChangeFolder name from the root, or null
        std::vector<std::string> files;
        std::vector<std::string> subFolders;
    };
    const Case cases[] = {
        {L"*.*", 1, nullptr, {"a.mp4", "b.AVI", "c.txt"}, {"sub1", "sub2"}},
        {L"*.*", 0, nullptr, {"a.mp4", "b.AVI", "c.txt"}, {}},
        {L"*.avi;*.mp4", 0, nullptr, {"a.mp4", "b.AVI"}, {}},
        {L"*.mp4", 1, L"sub1", {"sub1/d.mp4"}, {"sub1/deep"}},
        {L"*.mkv", 1, L"sub2", {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mask " << WideToUtf8(c.mask) << " into " << (c.into ? "sub" : "root"));
        folder.ChangeFolder(nullptr, L"");
        if (c.into) folder.ChangeFolder(nullptr, c.into);
        folder.SetFileMask(c.mask);
        folder.m_recursive = c.recursive;
        folder.ScanFolder();
        std::vector<std::wstring> files, subs;
        for (auto& f : c.files) files.push_back(P(f));
        for (auto& s : c.subFolders) subs.push_back(fs::path(s).filename().wstring() + L"=" + P(s) + L"/");
        EXPECT_EQ(Listed(), files);
        EXPECT_EQ(SubFolders(), subs);  // the link to sub1 is never followed
    }
}

TEST_F(FolderTree, RescansOnlyAfterAChange)
{
    folder.ScanFolder();
    EXPECT_EQ(Listed().size(), 3u);
    Touch("new.mp4");
    folder.ScanFolder();
    EXPECT_EQ(Listed().size(), 3u);  // cached

    folder.SetFileMask(L"*.mp4");
    folder.ScanFolder();
    EXPECT_EQ(Listed(), (std::vector<std::wstring>{P("a.mp4"), P("new.mp4")}));

    Touch("z.mp4");
    folder.m_dirty = 1;  // the refresh command
    folder.ScanFolder();
    EXPECT_EQ(Listed().size(), 3u);

    folder.ChangeFolder(nullptr, L"sub1");
    folder.ScanFolder();
    EXPECT_EQ(Listed(), (std::vector<std::wstring>{P("sub1/d.mp4")}));
}

TEST_F(FolderTree, MissingFolderIsReportedStoredAndScansEmpty)
{
    ComPtr<CCapturedMessages> messages = MakeComObject<CCapturedMessages>();
    IMsgHandler* previous = __SetMessageHandler(messages.Get());
    folder.SelectFile(P("a.mp4"));
    const std::wstring missing = P("no-such-folder");
    folder.SetFolder(missing);
    __SetMessageHandler(previous);

    EXPECT_EQ(folder.m_folder, missing);
    EXPECT_EQ(folder.m_excluded.GetCount(), 0u);
    ASSERT_EQ(messages->flags.size(), 1u);
    EXPECT_TRUE(messages->flags[0] & MSGF_ERROR);
    folder.ScanFolder();
    EXPECT_TRUE(Listed().empty());
    EXPECT_TRUE(SubFolders().empty());
}

TEST(FolderNavigation, ChangeFolderTable)
{
    struct Case {
        const wchar_t* start;
        const wchar_t* name;
        const wchar_t* after;
        const wchar_t* reported;
    };
    const Case cases[] = {
        {L"a/b", L"[..]", L"a", L"b"},
        {L"a", L"[..]", L"", L"a"},
        {L"", L"[..]", L"", L""},
        {L"", L"x", L"x", L"-"},
        {L"a", L"x", L"a/x", L"-"},
        {L"a/b", L"", L"", L"-"},
    };
    for (const Case& c : cases) {
        CInputFolder folder;
        folder.m_subPath = c.start;
        std::wstring reported = L"-";
        folder.ChangeFolder(&reported, c.name);
        EXPECT_EQ(folder.m_subPath, c.after) << "from " << WideToUtf8(c.start);
        EXPECT_EQ(reported, c.reported);
    }
}

TEST(FolderExclusion, SubFolderPathsAndIdempotentExclusion)
{
    CInputFolder folder;
    folder.m_folder = L"/v";
    folder.m_subPath = L"a";
    folder.SelectSubFolder(L"x");
    folder.SelectSubFolder(L"x");
    EXPECT_EQ(folder.m_excluded.GetCount(), 1u);
    EXPECT_EQ(folder.IsNotSelected(L"/v/a/x/"), 0);
    EXPECT_EQ(folder.IsNotSelected(L"/v/a/x"), 1);
    folder.UnselectSubFolder(L"x");
    EXPECT_EQ(folder.IsNotSelected(L"/v/a/x/"), 1);

    folder.SelectFile(L"/v/a/f.mp4");
    folder.SelectFile(L"/v/a/f.mp4");
    folder.UnselectFile(L"/v/a/f.mp4");  // one inclusion undoes any number of exclusions
    EXPECT_EQ(folder.IsNotSelected(L"/v/a/f.mp4"), 1);

    folder.m_folder = L"/v/";  // a root given with its separator is not doubled
    folder.m_subPath.clear();
    EXPECT_EQ(folder.SubFolderPath(L"x"), L"/v/x/");
}

TEST(FolderParams, RegisteredOnTheProjectNodeInOrder)
{
    CConfigMng node;
    CInputFolder folder;
    folder.RegisterParams(&node);
    ASSERT_EQ(node.Params().size(), 4u);
    EXPECT_EQ(node.Params()[0].name, L"folder");
    EXPECT_EQ(node.Params()[1].name, L"recursive");
    EXPECT_EQ(node.Params()[2].name, L"keep_heirarchy");
    EXPECT_EQ(node.Params()[3].name, L"file_mask");
    EXPECT_EQ(folder.m_fileMask, L"*.*");
    EXPECT_EQ(folder.m_recursive, 1);
    EXPECT_EQ(folder.m_keepHierarchy, 1);
}

}  // namespace
