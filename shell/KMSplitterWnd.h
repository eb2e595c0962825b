#pragma once
// The source pages' two-pane splitter. It keeps its own list of pane windows
// and lays out those, so swapping pages (which exchanges the child windows)
// never confuses which window is which pane.
#include <vector>
#include <wx/splitter.h>

class CKMSplitterWnd : public wxSplitterWindow {
public:
    CKMSplitterWnd() = default;

    // The panes in order (row-major); at most two are laid out.
    void SetPanes(std::vector<wxWindow*> panes);
    const std::vector<wxWindow*>& GetPanes() const { return m_panes; }
    // The listed pane at index when the list is long enough, else the
    // splitter's own window at row (or column) index.
    wxWindow* GetPane(int row, int column) const;

    // Puts the listed panes into the splitter's two places before laying out.
    void SizeWindows() override;

private:
    std::vector<wxWindow*> m_panes;
};
