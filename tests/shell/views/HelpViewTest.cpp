// The news view: which page it shows and what a click on a link may open.
#include "shell/views/HelpView.h"
#include "controls/ids/WindowMessages.h"
#include "wx/WxTestSupport.h"
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <wx/frame.h>
#include <wx/html/htmlcell.h>

namespace {

std::vector<wxHtmlCell*> LinkCells(wxHtmlCell* cell)
{
    std::vector<wxHtmlCell*> out;
    for (; cell; cell = cell->GetNext()) {
        if (cell->GetLink()) out.push_back(cell);
        auto inner = LinkCells(cell->GetFirstChild());
        out.insert(out.end(), inner.begin(), inner.end());
    }
    return out;
}

class HelpViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = kmtest::TestDir() / "helpview" / ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir / "res");
        m_frame = new wxFrame(nullptr, wxID_ANY, "news", wxDefaultPosition, wxSize(500, 400));
        m_view = new CHelpView(m_frame, m_dir / "data" / "news.html", m_dir / "res" / "news.html");
        m_view->SetLinkOpener([this](const wxString& url) { m_opened.push_back(url); });
        m_frame->Show();
    }
    void TearDown() override { m_frame->Destroy(); }

    void Write(const std::filesystem::path& p, const std::string& text)
    {
        std::filesystem::create_directories(p.parent_path());
        std::ofstream(p) << text;
    }
    // Clicks each link of the shown page the way the window does on a mouse click.
    void ClickEveryLink()
    {
        for (wxHtmlCell* cell : LinkCells(m_view->GetInternalRepresentation())) {
            wxMouseEvent click(wxEVT_LEFT_UP);
            cell->ProcessMouseClick(m_view, wxPoint(1, 1), click);
        }
    }

    std::filesystem::path m_dir;
    wxFrame* m_frame = nullptr;
    CHelpView* m_view = nullptr;
    std::vector<wxString> m_opened;
};

TEST(HelpViewLinkRuleTest, OnlyHttpAndHttpsOpen)
{
    struct Case {
        const char* url;
        bool opens;
    };
    const Case cases[] = {
        {"http://example.org/", true},   {"HTTPS://example.org/a?b", true}, {"  https://x.example/ ", true},
        {"javascript:alert(1)", false},  {"file:///etc/passwd", false},     {"news.html", false},
        {"/etc/passwd", false},          {"ftp://example.org/", false},     {"mailto:a@b.example", false},
        {"data:text/html,x", false},     {"http:", false},                  {"", false},
    };
    for (const Case& c : cases) EXPECT_EQ(IsBrowserLink(c.url), c.opens) << c.url;
}

TEST_F(HelpViewTest, ShowsTheShippedPageUntilNewsWasStored)
{
    Write(m_dir / "res" / "news.html", "<html><body><p>shipped</p></body></html>");
    m_view->LoadNewsPage();
    EXPECT_EQ(m_view->PageToShow(), m_dir / "res" / "news.html");
    EXPECT_TRUE(m_view->ToText().Contains("shipped"));

    Write(m_dir / "data" / "news.html", "<html><body><p>downloaded</p></body></html>");
    KM::PostWindowMessage(m_view, KM::WM_KM_REINIT_VIEW);  // what a manual check sends
    ASSERT_TRUE(kmtest::PumpUntil([&] { return m_view->ToText().Contains("downloaded"); }));
    EXPECT_FALSE(m_view->IsLoading());
}

TEST_F(HelpViewTest, MissingPagesLeaveTheViewEmptyWithoutAnError)
{
    kmtest::ModalHook hook;
    m_view->LoadNewsPage();
    EXPECT_TRUE(m_view->ToText().Strip(wxString::both).empty());
    EXPECT_EQ(hook.Count(), 0);
}

TEST_F(HelpViewTest, DownloadedLinksOpenOnlyWebAddressesInTheBrowser)
{
    Write(m_dir / "data" / "news.html",
          "<html><body>"
          "<a href=\"javascript:alert(1)\">script</a> "
          "<a href=\"file:///etc/passwd\">file</a> "
          "<a href=\"other.html\">relative</a> "
          "<a href=\"ftp://example.org/x\">ftp</a> "
          "<a href=\"https://example.org/download\">download</a>"
          "</body></html>");
    Write(m_dir / "data" / "other.html", "<html><body><p>elsewhere</p></body></html>");
    m_view->LoadNewsPage();
    const wxString before = m_view->GetOpenedPage();
    ClickEveryLink();
    EXPECT_EQ(m_opened, (std::vector<wxString>{"https://example.org/download"}));
    EXPECT_EQ(m_view->GetOpenedPage(), before);  // the view never left the page
    EXPECT_FALSE(m_view->ToText().Contains("elsewhere"));
}

TEST_F(HelpViewTest, PageResourcesFromTheNetworkAreBlocked)
{
    EXPECT_EQ(m_view->OnOpeningURL(wxHTML_URL_IMAGE, "http://tracker.example/p.png", nullptr), wxHTML_BLOCK);
    EXPECT_EQ(m_view->OnOpeningURL(wxHTML_URL_PAGE, "https://example.org/", nullptr), wxHTML_BLOCK);
    EXPECT_EQ(m_view->OnOpeningURL(wxHTML_URL_IMAGE, "logo.png", nullptr), wxHTML_OPEN);
    EXPECT_EQ(m_view->OnOpeningURL(wxHTML_URL_PAGE, "file:///tmp/news.html", nullptr), wxHTML_OPEN);
}

TEST_F(HelpViewTest, KeyPressesAreConsumed)
{
    wxKeyEvent key(wxEVT_KEY_DOWN);
    key.m_keyCode = WXK_END;
    key.SetEventObject(m_view);
    EXPECT_TRUE(m_view->GetEventHandler()->ProcessEvent(key));
    EXPECT_FALSE(key.GetSkipped());
}

TEST(HelpViewShippedPageTest, ResourceFolderCarriesTheNewsPage)
{
    EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::path(KM_RES_DIR) / "html" / "news.html"));
}

}  // namespace
