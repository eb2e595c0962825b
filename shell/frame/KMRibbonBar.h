#pragma once
// The ribbon of the main frame. A change of tab, by the user or by a command,
// runs with the page-switch flag set, so views that are hidden and shown on the
// way do not remember their sizes.
#include <functional>
#include <wx/ribbon/bar.h>

class CKMRibbonBar : public wxRibbonBar {
public:
    CKMRibbonBar(wxWindow* parent, wxWindowID id);

    // Called after every change of tab (user or SetActiveCategory).
    void SetCategoryChangedHandler(std::function<void()> handler) { m_onChanged = std::move(handler); }
    // Shows page as the active tab and runs the change.
    void SetActiveCategory(wxRibbonPage* page);

private:
    void OnPageChanging(wxRibbonBarEvent& event);
    void OnPageChanged(wxRibbonBarEvent& event);
    void RunChange();

    std::function<void()> m_onChanged;
};
