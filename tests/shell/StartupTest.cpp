// Which project the program opens at start-up, the recent-file list it reads
// that from, and the shell's texts against the arguments they are given.
#include "ShellTestSupport.h"
#include "platform/Settings.h"
#include "platform/TextConv.h"
#include "document/KestrelMediaDoc.h"
#include "shell/RecentFileList.h"
#include "document/ShellStrings.h"
#include "shell/StartupDecision.h"
#include <gtest/gtest.h>
#include <fstream>
#include <iterator>

using namespace shelltest;
namespace fs = std::filesystem;
using Kind = StartupDecision::Kind;

namespace {

std::wstring W(const fs::path& p)
{
    return Utf8ToWide(p.string());
}

TEST(Startup, DecisionTable)
{
    fs::path dir = TestFolder("StartupDecision");
    ResourceScope resources;
    CKestrelMediaDoc doc(nullptr, nullptr, nullptr);
    doc.OnNewDocument();
    fs::path good = dir / "good.km";
    ASSERT_TRUE(doc.OnSaveDocument(W(good)));
    std::ifstream in(good, std::ios::binary);
    std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
    auto write = [&](const char* name, std::vector<char> b) {
        std::ofstream(dir / name, std::ios::binary).write(b.data(), static_cast<std::streamsize>(b.size()));
        return W(dir / name);
    };
    std::wstring shortFile = write("short.km", std::vector<char>(bytes.begin(), bytes.begin() + 68));
    std::vector<char> lower = bytes;
    for (int i = 0; i < 4; ++i) lower[i] = static_cast<char>(std::tolower(lower[i]));
    std::wstring lowerMagic = write("lower.km", lower);
    std::wstring wrong = write("wrong.km", std::vector<char>(bytes.size(), 'x'));
    std::wstring exact = write("exact.km", std::vector<char>(bytes.begin(), bytes.begin() + 69));

    struct Case {
        const char* what;
        StartupInputs in;
        Kind kind;
        std::wstring path;
    } cases[] = {
        {"recent project reopened", {true, W(good), L""}, Kind::OpenRecent, W(good)},
        {"option off", {false, W(good), L""}, Kind::NewDocument, L""},
        {"no recent file", {true, L"", L""}, Kind::NewDocument, L""},
        {"recent file missing", {true, W(dir / "gone.km"), L""}, Kind::NewDocument, L""},
        {"recent file short", {true, shortFile, L""}, Kind::NewDocument, L""},
        {"recent file header only", {true, exact, L""}, Kind::OpenRecent, exact},
        {"recent file wrong", {true, wrong, L""}, Kind::NewDocument, L""},
        {"recent file with lower-case magic", {true, lowerMagic, L""}, Kind::OpenRecent, lowerMagic},
        {"command line wins", {true, W(good), wrong}, Kind::OpenCommandLine, wrong},
        {"command line with option off", {false, L"", W(good)}, Kind::OpenCommandLine, W(good)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StartupDecision d = DecideStartupDocument(c.in);
        EXPECT_EQ(d.kind, c.kind);
        EXPECT_EQ(d.path, c.path);
    }
}

TEST(Startup, RecentFilesKeepFiveNewestFirstInTheSettingsStore)
{
    CSettingsStore& store = CSettingsStore::Instance();
    {
        CRecentFileList list(store);
        for (int i = 1; i <= 7; ++i) list.Add(L"/p/" + std::to_wstring(i) + L".km");
        list.Add(L"/p/5.km");  // again: moves to the front, once
    }
    CRecentFileList again(store);
    EXPECT_EQ(again.Entries(),
              (std::vector<std::wstring>{L"/p/5.km", L"/p/7.km", L"/p/6.km", L"/p/4.km", L"/p/3.km"}));
    EXPECT_EQ(store.GetString(CRecentFileList::kSection, L"File1", L""), L"/p/5.km");
    again.Remove(L"/p/7.km");
    EXPECT_EQ(CRecentFileList(store).Entries().size(), 4u);
}

// Every placeholder of a shell text takes one declared argument, so no text
// reads an argument it is not given.
TEST(ShellStrings, TextsTakeTheirDeclaredArguments)
{
    ResourceScope resources;
    DeclareShellStringArgs();
    for (UINT id : {IDS_FILE_DONE, IDS_ENGINE_NOTE, IDS_RUN_START, IDS_RUN_STOP, IDS_RUN_ELAPSED, IDS_RUN_PAUSE,
                    IDS_RUN_RESUME, IDS_RUN_END, IDS_ENGINE_TEXT, IDS_RUN_START_FAILED, IDS_PROJECT_NOT_OPENED,
                    IDS_PROJECT_CUT_OFF, IDS_PROJECT_NOT_SAVED, IDS_PROJECT_CMDLINE, IDS_SAVE_CHANGES, IDS_UNTITLED}) {
        SCOPED_TRACE(id);
        std::wstring text = LoadResString(id);
        ASSERT_FALSE(text.empty());
        size_t placeholders = 0;
        for (size_t i = 0; i + 1 < text.size(); ++i) {
            if (text[i] != L'%') continue;
            if (text[i + 1] == L'%') {
                ++i;
                continue;
            }
            ++placeholders;
        }
        EXPECT_EQ(placeholders, CMsgMng::GetMessageArgs(id).size());
    }
    EXPECT_EQ(ShellText(IDS_RUN_START, {TextArg(L"D"), TextArg(L"T"), TextArg(L"extra")}),
              FormatMessageSafe(LoadResString(IDS_RUN_START), {TextArg(L"D"), TextArg(L"T")}));
    std::wstring docString = LoadResString(IDS_DOC_TEMPLATE);
    EXPECT_NE(docString.find(L"KestrelMedia Config (*.km)\n.km\n"), std::wstring::npos);
}

}  // namespace
