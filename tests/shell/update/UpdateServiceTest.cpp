// The version exchange and the news download against a local server.
#include "UpdateTestSupport.h"
#include "shell/update/UpdateVersion.h"
#include <fstream>
#include <sstream>

using kmtest::CLocalHttpServer;

namespace {
const char* const kVersionPath = "/scripts/updates.php";
const char* const kNewsPath = "/scripts/auto_news.php";

VersionNumbers Own()
{
    return *ParseVersionText(GetOwnVersionText());
}
std::string Text(const VersionNumbers& v)
{
    return std::to_string(v[0]) + "." + std::to_string(v[1]) + "." + std::to_string(v[2]);
}
std::string ReadFile(const std::filesystem::path& p)
{
    std::ifstream f(p, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}
}  // namespace

TEST(UpdateVersionTest, OwnVersionIsThreeNumbersFromTheBuild)
{
    const std::wstring own = GetOwnVersionText();
    ASSERT_TRUE(ParseVersionText(own).has_value()) << std::string(own.begin(), own.end());
    EXPECT_EQ(FormatVersion(Own()), own);
}

TEST(UpdateVersionTest, OnlyThreeDottedNumbersParse)
{
    struct Case {
        const wchar_t* text;
        bool valid;
    };
    const Case cases[] = {
        {L"1.2.3", true},       {L"0.0.0", true},       {L"10.20.300", true},  {L"", false},
        {L"1.2", false},        {L"1.2.3.4", false},    {L"1..3", false},      {L"1.2.3 ", false},
        {L"v1.2.3", false},     {L"-1.2.3", false},     {L"1.2.x", false},     {L"<html>", false},
        {L"1.2.1234567890", false},  // would overflow 32 bits
    };
    for (const Case& c : cases) EXPECT_EQ(ParseVersionText(c.text).has_value(), c.valid) << c.valid;
}

TEST(UpdateVersionTest, VersionsCompareByNumberNotByText)
{
    EXPECT_GT(*ParseVersionText(L"1.10.0"), *ParseVersionText(L"1.9.0"));
    EXPECT_GT(*ParseVersionText(L"2.0.0"), *ParseVersionText(L"1.99.99"));
    EXPECT_EQ(*ParseVersionText(L"01.002.3"), *ParseVersionText(L"1.2.3"));
}

class UpdateServiceTest : public kmtest::UpdateTestBase {
protected:
    CLocalHttpServer server;
};

TEST_F(UpdateServiceTest, VersionAnswersCountOnlyAsStatus200WithNNN)
{
    VersionNumbers newer = Own();
    newer[0] += 1;
    ASSERT_GT(Own(), (VersionNumbers{0, 0, 0}));
    const VersionNumbers older{0, 0, 0};
    VersionNumbers minorNewer = Own();
    minorNewer[1] += 10;  // "x.10.y" beside "x.9.y" is smaller as text, larger as a number

    struct Case {
        const char* what;
        int status;
        std::string body;
        int result;
        std::wstring answer;
    };
    const Case cases[] = {
        {"same version", 200, Text(Own()), UPDATE_UP_TO_DATE, GetOwnVersionText()},
        {"newer", 200, Text(newer), UPDATE_NEWER, FormatVersion(newer)},
        {"newer minor, numeric", 200, Text(minorNewer), UPDATE_NEWER, FormatVersion(minorNewer)},
        {"blanks and line breaks", 200, " \t" + Text(newer) + "\r\n", UPDATE_NEWER, FormatVersion(newer)},
        {"older", 200, Text(older), UPDATE_UP_TO_DATE, FormatVersion(older)},
        {"404 with a version body", 404, Text(newer), UPDATE_CHECK_FAILED, L""},
        {"500", 500, Text(newer), UPDATE_CHECK_FAILED, L""},
        {"empty body", 200, "", UPDATE_CHECK_FAILED, L""},
        {"blanks only", 200, " \r\n", UPDATE_CHECK_FAILED, L""},
        {"an HTML page", 200, "<html><body>Sign in</body></html>", UPDATE_CHECK_FAILED, L""},
        {"600 characters", 200, std::string(600, '9'), UPDATE_CHECK_FAILED, L""},
        {"a version padded to 600", 200, Text(newer) + std::string(595, ' ') + "x", UPDATE_CHECK_FAILED, L""},
    };
    const CUpdateService service = Service(server.BaseUrl());
    for (const Case& c : cases) {
        server.SetReply(kVersionPath, {c.status, c.body, false});
        std::wstring answer = L"stale";
        EXPECT_EQ(service.CheckForUpdates(answer, nullptr), c.result) << c.what;
        EXPECT_EQ(answer, c.answer) << c.what;
    }
}

TEST_F(UpdateServiceTest, RefusedConnectionAndStalledServerAreFailures)
{
    std::wstring answer;
    const CUpdateService refused = Service("http://127.0.0.1:" + std::to_string(CLocalHttpServer::ClosedPort()) + "/");
    EXPECT_EQ(refused.CheckForUpdates(answer, nullptr), UPDATE_CHECK_FAILED);
    EXPECT_FALSE(refused.DownloadNews(nullptr));

    server.SetReply(kVersionPath, {200, "9.9.9", true});
    const CUpdateService stalled = Service(server.BaseUrl(), 300);
    EXPECT_EQ(stalled.CheckForUpdates(answer, nullptr), UPDATE_CHECK_FAILED);
    EXPECT_EQ(server.RequestCount(kVersionPath), 1);
}

TEST_F(UpdateServiceTest, OtherSchemesThanHttpAreNeverFetched)
{
    std::filesystem::create_directories(m_dir / "scripts");
    std::ofstream(m_dir / "scripts" / "updates.php") << "9.9.9";
    std::wstring answer;
    const CUpdateService file = Service("file://" + m_dir.string() + "/");
    EXPECT_EQ(file.CheckForUpdates(answer, nullptr), UPDATE_CHECK_FAILED);
}

TEST_F(UpdateServiceTest, NewsPageReplacesTheFileWholeOrNotAtAll)
{
    const CUpdateService service = Service(server.BaseUrl());
    server.SetReply(kNewsPath, {200, "\r\n<html><body>Caf\xc3\xa9 news</body></html>\n", false});
    ASSERT_TRUE(service.DownloadNews(nullptr));
    EXPECT_EQ(ReadFile(NewsPath()), "<html><body>Caf\xc3\xa9 news</body></html>");

    struct Case {
        const char* what;
        CLocalHttpServer::Reply reply;
    };
    const Case failures[] = {
        {"404 with a body", {404, "<html>missing</html>", false}},
        {"empty", {200, "", false}},
        {"longer than the page limit", {200, std::string(CUpdateService::kMaxNewsChars + 1, 'a'), false}},
    };
    for (const Case& c : failures) {
        server.SetReply(kNewsPath, c.reply);
        EXPECT_FALSE(service.DownloadNews(nullptr)) << c.what;
        EXPECT_EQ(ReadFile(NewsPath()), "<html><body>Caf\xc3\xa9 news</body></html>") << c.what;
    }
    // Nothing but the page itself is left in the folder.
    int files = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(NewsPath().parent_path())) ++files;
    EXPECT_EQ(files, 1);
}

TEST_F(UpdateServiceTest, NewsThatCannotBeStoredLeavesNoPartialFile)
{
    server.SetReply(kNewsPath, {200, "<html>news</html>", false});
    const CUpdateService service = Service(server.BaseUrl());
    // The folder's name is taken by a file: nothing can be created in it.
    std::ofstream(NewsPath().parent_path()) << "a file";
    EXPECT_FALSE(service.DownloadNews(nullptr));
    EXPECT_EQ(ReadFile(NewsPath().parent_path()), "a file");

    // The page's name is taken by a folder: the rename fails, the temporary goes.
    std::filesystem::remove(NewsPath().parent_path());
    std::filesystem::create_directories(NewsPath() / "inside");
    EXPECT_FALSE(service.DownloadNews(nullptr));
    EXPECT_TRUE(std::filesystem::is_directory(NewsPath() / "inside"));
    int files = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(NewsPath().parent_path())) ++files;
    EXPECT_EQ(files, 1);
}
