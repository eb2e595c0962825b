#pragma once
// The main frame's pages. Each page registers itself from its own file with
// a CPageRegistration at namespace scope: its kind, the ribbon tab that shows
// it and how its views are made. The frame makes the registered pages in
// their order and finds them by kind, tab or source type, so a page is added
// without editing the frame. (The program links the whole shell library, so
// every registration runs.)
#include <memory>
#include <utility>
#include <vector>
#include <wx/defs.h>

class wxWindow;

using PageViewFactory = wxWindow* (*)(wxWindow* parent);

// A source page: its list view at the left, the properties and preview views
// at the right, in an outer and an inner splitter.
struct SourcePageLayout {
    int sourceType = -1;          // the project's source type the page shows
    int splitterSlot = 0;         // its outer splitter among the frame's six; the inner one follows
    int clientOrder = 0;          // the client area makes the source pages in this order
    const wchar_t* widthKey = L"";  // "Workspace" key of the list column's width
    PageViewFactory makeProperties = nullptr;
    PageViewFactory makePreview = nullptr;
};

struct PageInfo {
    int kind = -1;
    int category = -1;                // the ribbon tab that shows the page
    PageViewFactory makeView = nullptr;  // the page's main view (a source page's list)
    bool refillsFileCombo = false;    // the tab's file choice is filled before the page shows
    bool isSource = false;
    // A page of one view is made on first need, unless it must follow work
    // that runs while it is not shown (the conversion's log).
    bool makeWithFrame = false;
    SourcePageLayout source;
};

// A page of one view, shown by its ribbon tab.
PageInfo ViewPage(int kind, int category, PageViewFactory makeView, bool refillsFileCombo = false);
// A source page, shown on the source tab for its source type.
PageInfo SourcePage(int kind, PageViewFactory makeList, const SourcePageLayout& layout);

class CPageRegistration {
public:
    explicit CPageRegistration(const PageInfo& page);
};

// Every registered page, by kind (the order the frame makes their groups in).
std::vector<PageInfo> RegisteredPages();
// The page of a kind, or null.
const PageInfo* FindPage(int kind);

// Makes a view of class View as a child of parent; null (and nothing left
// behind) when the window cannot be made.
template <class View>
wxWindow* MakePageView(wxWindow* parent)
{
    auto view = std::make_unique<View>();
    if (!view->Create(parent, wxID_ANY))
        return nullptr;
    return view.release();  // the parent window owns it now
}
