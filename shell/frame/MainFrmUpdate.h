#pragma once
// The page layer of the main frame: every page is made once and kept; showing
// a page hides the windows of the shown one and shows the other's, placed in
// the client area below the ribbon. The source pages are made with the frame;
// a page of one view is made the first time it is shown or asked for, so the
// window comes up without building pages the user may not open.
#include "shell/frame/MainFrmRibbon.h"
#include "shell/frame/PageRegistry.h"
#include <memory>
#include <vector>

class CKestrelMediaDoc;
struct PageInfo;
class wxPanel;

struct CViewGroup {
    int kind = -1;
    std::vector<wxWindow*> layoutWindows;  // the page's splitters, outer first
    std::vector<wxWindow*> pageWindows;    // the first is the page's main view
    PageViewFactory make = nullptr;        // set until the page's view is made
};

class CMainFrmUpdate : public CMainFrmRibbon {
public:
    CMainFrmUpdate(const wxString& title, const wxSize& size);
    ~CMainFrmUpdate() override;

    void ShowViewGroup(int kind);
    void ShowSourceView(bool keep);
    void OnRibbonCategoryChanged();
    void PickFirstFileWhenNoneIsCurrent();

    // The page view that is shown (the main view of the shown page), or null.
    wxWindow* GetActiveView() const { return m_activeView; }
    // The main view of the first page of kind (made now if it was not yet),
    // or null.
    wxWindow* FindMainView(int kind) const;
    const CViewGroup* FindGroup(int kind) const;
    const CViewGroup* ShownGroup() const;
    int LastSourceTypeShown() const { return m_nLastSourceType; }
    wxPanel* GetClientArea() const { return m_client; }

protected:
    // Makes the view of a page that has not been made yet (hidden); a page
    // whose view cannot be made stays empty.
    void MakeGroupView(CViewGroup& group) const;
    // The client area with the three source pages, then the other pages.
    void CreateClient();
    void CreateGroups();
    void PlaceShownPage();
    CKestrelMediaDoc* Document() const;

    std::vector<std::unique_ptr<CViewGroup>> m_groups;

private:
    void CreateSourcePage(const PageInfo& page);
    void AddSourceGroup(int kind, int outerIndex);
    void AddViewGroup(int kind, PageViewFactory make);
    wxWindow* ShownTopWindow() const;
    void DetachPlayerForNewSourceType();

    wxPanel* m_client = nullptr;
    wxWindow* m_activeView = nullptr;
    int m_nLastSourceType = -1;
};
