// The update check inside the window program: outcomes arrive through
// CallAfter, notices are message boxes with the resource texts, and a finished
// manual check asks the frame to reload the active view.
#include "UpdateTestSupport.h"
#include "platform/ResourceLibrary.h"
#include "shell/update/UpdateVersion.h"
#include "shell/update/WxUpdateUi.h"
#include "wx/WxTestSupport.h"

namespace {

class WxUpdateUiTest : public kmtest::UpdateTestBase {
protected:
    void SetUp() override
    {
        UpdateTestBase::SetUp();
        m_res = CResourceLibrary::Load(KM_RES_DIR);
        ASSERT_TRUE(m_res);
        SetCurrentResourceLibrary(m_res.get());
    }
    void TearDown() override { SetCurrentResourceLibrary(nullptr); }

    std::unique_ptr<CResourceLibrary> m_res;
    kmtest::CLocalHttpServer server;
};

TEST_F(WxUpdateUiTest, ManualCheckShowsItsAnswerThenReloads)
{
    VersionNumbers newer = *ParseVersionText(GetOwnVersionText());
    newer[1] += 1;
    const std::wstring newerText = FormatVersion(newer);
    server.SetReply("/scripts/updates.php", {200, std::string(newerText.begin(), newerText.end()), false});

    std::vector<wxString> order;
    kmtest::ModalHook hook;
    hook.AnswerMessageBox(wxID_OK);
    CWxUpdateUi ui([&] { order.push_back("reload"); });
    CUpdateChecker checker(Service(server.BaseUrl()), ui, ui);
    checker.CheckNow();
    ASSERT_TRUE(kmtest::PumpUntil([&] { return !order.empty(); }, std::chrono::seconds(60)));
    EXPECT_EQ(hook.Count(), 1);
    EXPECT_EQ(hook.Unexpected(), 0);
    ASSERT_FALSE(hook.Texts().empty());
    EXPECT_NE(std::find(hook.Texts().begin(), hook.Texts().end(), wxString(LoadResString(417))), hook.Texts().end());
    EXPECT_EQ(CSettingsStore::Instance().GetString(L"Settings", L"LastResponse", L""), newerText);
}

TEST_F(WxUpdateUiTest, FailedManualCheckShowsTheFailureText)
{
    kmtest::ModalHook hook;
    hook.AnswerMessageBox(wxID_OK);
    bool reloaded = false;
    CWxUpdateUi ui([&] { reloaded = true; });
    CUpdateChecker checker(
        Service("http://127.0.0.1:" + std::to_string(kmtest::CLocalHttpServer::ClosedPort()) + "/"), ui, ui);
    checker.CheckNow();
    ASSERT_TRUE(kmtest::PumpUntil([&] { return reloaded; }, std::chrono::seconds(60)));
    EXPECT_NE(std::find(hook.Texts().begin(), hook.Texts().end(), wxString(LoadResString(415))), hook.Texts().end());
}

TEST(UpdateStringsTest, NoticeTextsAreInTheResourceFolder)
{
    auto res = CResourceLibrary::Load(KM_RES_DIR);
    ASSERT_TRUE(res);
    for (uint32_t id : {415u, 416u, 417u}) EXPECT_FALSE(res->GetString(id).empty()) << id;
}

}  // namespace
