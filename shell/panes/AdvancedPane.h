#pragma once
// The advanced pane (view key 4): the advanced operation of the output it
// works on (none, split, join, or for pictures extract from video) chosen in
// an icon list, and that output's advanced settings in a grid. It shows no
// picture.
#include "controls/format/FormatChangeNotify.h"
#include "shell/panes/BaseEditPane.h"

class CListViewFrameAdv;
class CPropertiesEditCtrl;

class CAdvancedPane : public CBaseEditPane, public IFormatChangeNotify {
public:
    CAdvancedPane(CKestrelMediaDoc* doc, wxWindow* view, CKMSplitterExWnd* splitter);

    void Layout(int left, int top, int right, int bottom) override;
    void Apply(uintptr_t wParam, intptr_t lParam) override;
    void ResetToDefaults(int flag) override;
    void BindCurrentFile() override;

    void OnFormatChanged(int id) override;
    int GetCurrentFormat() override;

    CPropertiesEditCtrl* Grid() const { return m_grid; }
    CListViewFrameAdv* Operations() const { return m_list; }

protected:
    std::vector<wxWindow*> Windows() const override;
    void Unbind() override;

private:
    // Rebuilds the rows keeping the selected one.
    void RebuildGrid();

    CPropertiesEditCtrl* m_grid = nullptr;  // children of the view
    CListViewFrameAdv* m_list = nullptr;
};
