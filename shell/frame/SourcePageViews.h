#pragma once
// The views of a source page know each other: the list view is told the
// page's properties and preview views, and each of those is told the list
// view, when the main frame puts the page together.

class wxWindow;

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
