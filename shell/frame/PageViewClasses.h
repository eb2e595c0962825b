#pragma once
// Where the main frame gets its page views: one function per view class, each
// making the view as a child of parent (null when the window could not be
// made).
#include "shell/BaseView.h"
#include <wx/string.h>

class wxWindow;

wxWindow* CreateSourceTypeFileView(wxWindow* parent);
wxWindow* CreateSourceTypeFolderViewFiles(wxWindow* parent);
wxWindow* CreateSourceTypeDVDView(wxWindow* parent);
wxWindow* CreateSourceTypeFileViewProperties(wxWindow* parent);
wxWindow* CreateSourceTypeFileViewPreview(wxWindow* parent);
wxWindow* CreateOutputView(wxWindow* parent);
wxWindow* CreateConvertView(wxWindow* parent);
wxWindow* CreateEditingView(wxWindow* parent);
// The news page, its page loaded.
wxWindow* CreateHelpView(wxWindow* parent);

// A source page's list view is told the page's properties and preview views,
// and each of those is told the list view.
class ISourceListView {
public:
    virtual void SetPeerViews(wxWindow* properties, wxWindow* preview) = 0;

protected:
    ~ISourceListView() = default;
};

class ISourcePeerView {
public:
    virtual void SetListView(wxWindow* list) = 0;

protected:
    ~ISourcePeerView() = default;
};
