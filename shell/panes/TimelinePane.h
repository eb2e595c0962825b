#pragma once
// The timeline pane (view key 1): the current file in a preview, a ruler of
// its current range below, the list of its ranges at the right, and the
// commands that add, remove, move and bound ranges at the play position and
// zoom the ruler.
#include "shell/panes/PaneEditors.h"
#include "shell/panes/PlayerPane.h"

class CKMToolbar;
class IResizeHandler;

class CTimelinePane : public CPlayerPane, private IPossitionChangeNotify {
public:
    CTimelinePane(CKestrelMediaDoc* doc, wxWindow* view, CKMSplitterExWnd* splitter, IResizeHandler* resize);

    void Layout(int left, int top, int right, int bottom) override;
    void ResetToDefaults(int flag) override;
    void BindCurrentFile() override;
    void SetPlayerItem(CKMFile* file) override;
    void OnStopped() override;
    CPreviewPlayerCtrl* Preview() const override { return m_preview; }

    // A range changed on the ruler or in the list.
    void OnRangeChanged();

    CTimelineRulerWnd* Ruler() const { return m_ruler; }
    CTimelineListWnd* RangeList() const { return m_list; }
    CKMSplitterExWnd* RulerSplitter() const { return m_rulerSplitter; }
    CKMToolbar* LowerToolbar() const { return m_lower; }

protected:
    void RegisterCommands(CCommandTable& commands) override;
    std::vector<wxWindow*> Windows() const override;
    void Unbind() override;

private:
    void RunTimelineCommand(int id);
    CKMFile* CurrentFile() const;
    void PauseFirst();
    void RefreshRow();
    void Refill();
    void StoreBehaviour(CKMFile& file);
    // The range list made another range current.
    void OnPositionChanged(int reason) override;

    CPreviewPlayerCtrl* m_preview = nullptr;       // children of the view
    CTimelineRulerWnd* m_ruler = nullptr;
    CTimelineListWnd* m_list = nullptr;
    CKMToolbar* m_lower = nullptr;
    CKMToolbar* m_upper = nullptr;
    CKMSplitterExWnd* m_rulerSplitter = nullptr;
};
