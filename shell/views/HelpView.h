#pragma once
// CHelpView: the news page of the main window. It shows the news the update
// check stored in the user's data folder, or the page shipped in the resource
// folder until there is one. The stored page came from the network, so it is
// untrusted: a click on a link opens only http and https addresses, and only
// in the user's browser; the view itself never leaves the page, and loads no
// resource from the network. Keys do nothing here (no keyboard navigation).
#include <filesystem>
#include <functional>
#include <wx/html/htmlwin.h>

// True for the addresses a click may open: http:// and https:// only.
bool IsBrowserLink(const wxString& url);

class CHelpView : public wxHtmlWindow {
public:
    using LinkOpener = std::function<void(const wxString& url)>;

    // newsFile: the downloaded page; shippedPage: the page in the resource folder.
    CHelpView(wxWindow* parent, std::filesystem::path newsFile, std::filesystem::path shippedPage);
    // The program's own files (CUpdateService::DefaultNewsFile, res/html/news.html).
    explicit CHelpView(wxWindow* parent);

    // Shows the stored news, else the shipped page; the frame calls it once
    // right after creation.
    void LoadNewsPage();
    // WM_USER+1 (EVT_KM_REINIT_VIEW, after a manual check) calls it: shows the
    // page again from disk.
    void ReloadNewsPage() { LoadNewsPage(); }
    // The file LoadNewsPage shows.
    std::filesystem::path PageToShow() const;
    bool IsLoading() const { return m_loading != 0; }

    // Default: the system's browser.
    void SetLinkOpener(LinkOpener opener) { m_openLink = std::move(opener); }

    void OnLinkClicked(const wxHtmlLinkInfo& link) override;
    wxHtmlOpeningStatus OnOpeningURL(wxHtmlURLType type, const wxString& url, wxString* redirect) const override;

    static std::filesystem::path ShippedPage();

private:
    void OnKeyDown(wxKeyEvent& event);

    std::filesystem::path m_newsFile;
    std::filesystem::path m_shippedPage;
    LinkOpener m_openLink;
    int m_loading = 0;  // 1 while the page is (re)loaded
};
