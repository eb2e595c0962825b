#include "shell/views/HelpView.h"
#include "controls/ids/WindowMessages.h"
#include "platform/ResourceLibrary.h"
#include "shell/frame/PageKinds.h"
#include "shell/frame/PageRegistry.h"
#include "shell/update/UpdateService.h"
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/sysopt.h>
#include <wx/utils.h>

bool IsBrowserLink(const wxString& url)
{
    const wxString lower = url.Strip(wxString::both).Lower();
    return lower.StartsWith("http://") || lower.StartsWith("https://");
}

namespace {
// Page loads and images: local files only (the page and what sits beside it).
bool IsLocalAddress(const wxString& url)
{
    const wxString lower = url.Strip(wxString::both).Lower();
    const int colon = lower.Find(':');
    if (colon == wxNOT_FOUND) return true;  // a relative name
    const int slash = lower.Find('/');
    if (slash != wxNOT_FOUND && slash < colon) return true;  // a path with a ':' in it
    return lower.StartsWith("file:");
}

// While it lives, wxFileSystem names a file's type by its extension alone.
// Otherwise the first page load reads the whole desktop MIME database (every
// XDG globs and icons file), the largest single cost of the program's start.
// The news page and what it shows are local .html and image files, whose
// types wx knows by their extensions.
class CTypesByExtension {
public:
    CTypesByExtension() : m_before(wxSystemOptions::GetOption(kOption))
    {
        wxSystemOptions::SetOption(kOption, 1);
    }
    ~CTypesByExtension() { wxSystemOptions::SetOption(kOption, m_before); }
    CTypesByExtension(const CTypesByExtension&) = delete;
    CTypesByExtension& operator=(const CTypesByExtension&) = delete;

private:
    static constexpr const char* kOption = "filesys.no-mimetypesmanager";
    wxString m_before;
};
}  // namespace

CHelpView::CHelpView(wxWindow* parent, std::filesystem::path newsFile, std::filesystem::path shippedPage)
    : wxHtmlWindow(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxHW_SCROLLBAR_AUTO, "helpview"),
      m_newsFile(std::move(newsFile)),
      m_shippedPage(std::move(shippedPage)),
      m_openLink([](const wxString& url) { wxLaunchDefaultBrowser(url); })
{
    Bind(wxEVT_KEY_DOWN, &CHelpView::OnKeyDown, this);
    Bind(EVT_KM_REINIT_VIEW, [this](KM::CWindowMessageEvent& e) {
        ReloadNewsPage();
        e.SetResult(0);
    });
}

CHelpView::CHelpView(wxWindow* parent) : CHelpView(parent, CUpdateService::DefaultNewsFile(), ShippedPage())
{
}

std::filesystem::path CHelpView::ShippedPage()
{
    const CResourceLibrary* res = GetCurrentResourceLibrary();
    const std::filesystem::path folder = res ? res->Folder() : GetExecutableFolder() / "res";
    return folder / "html" / "news.html";
}

std::filesystem::path CHelpView::PageToShow() const
{
    std::error_code ec;
    if (std::filesystem::is_regular_file(m_newsFile, ec)) return m_newsFile;
    return m_shippedPage;
}

void CHelpView::LoadNewsPage()
{
    m_loading = 1;
    const std::filesystem::path page = PageToShow();
    std::error_code ec;
    bool shown = false;
    if (std::filesystem::is_regular_file(page, ec)) {
        wxLogNull quiet;  // an unreadable page leaves the view empty, no error box
        CTypesByExtension byExtension;
        shown = LoadFile(wxFileName(wxString(page.native())));
    }
    if (!shown) SetPage("<html><body></body></html>");
    m_loading = 0;
}

void CHelpView::OnLinkClicked(const wxHtmlLinkInfo& link)
{
    // Never wxHtmlWindow's own handling: it would load the address in place.
    const wxString href = link.GetHref();
    if (IsBrowserLink(href) && m_openLink) m_openLink(href.Strip(wxString::both));
}

wxHtmlOpeningStatus CHelpView::OnOpeningURL(wxHtmlURLType, const wxString& url, wxString*) const
{
    return IsLocalAddress(url) ? wxHTML_OPEN : wxHTML_BLOCK;
}

void CHelpView::OnKeyDown(wxKeyEvent&)
{
    // Consumed: not skipped, so no scrolling, copying or link keys follow.
}

namespace {

wxWindow* MakeNewsView(wxWindow* parent)
{
    auto* view = new CHelpView(parent);  // a child: the parent owns it
    view->LoadNewsPage();
    return view;
}

// The news page, on the news tab, its page loaded as it is made.
const CPageRegistration kPage(ViewPage(kPageNews, kCategoryNews, &MakeNewsView));

}  // namespace
