#pragma once
// The watermark pane (view key 3): the watermarks of the visual output, drawn
// over the picture in list order, the selected one's settings in a column,
// and the commands that add the five kinds, delete, reorder, copy, cut and
// paste them. Delete in the picture deletes the selected watermark.
#include "controls/editors/WatermarkPropertiesCallback.h"
#include "shell/panes/PaneEditors.h"
#include "shell/panes/PlayerPane.h"
#include <functional>
#include <string>

class CKMToolbar;
class CPropertiesFrameCtrl;
class CWatermarksObj;

class CWatermarkPane : public CPlayerPane, private IWatermarkPropertiesCallback {
public:
    CWatermarkPane(CKestrelMediaDoc* doc, wxWindow* view, CKMSplitterExWnd* splitter);

    void Layout(int left, int top, int right, int bottom) override;
    void Apply(uintptr_t wParam, intptr_t lParam) override;
    void ResetToDefaults(int flag) override;
    bool PreTranslateMessage(const wxKeyEvent& key) override;
    void BindCurrentFile() override;
    void SetPlayerItem(CKMFile* file) override;
    CPreviewPlayerCtrl* Preview() const override { return m_editor; }

    CWatermarkEditorWnd* Editor() const { return m_editor; }
    CPropertiesFrameCtrl* Settings() const { return m_settings; }
    // The list the pane edits: the visual output's, or null.
    CWatermarksObj* CurrentList() const;
    // Asks for the file of an image or media watermark; empty when cancelled.
    // Tests replace it.
    std::function<std::wstring(bool media)> m_chooseFile;

private:
    void RegisterCommands(CCommandTable& commands) override;
    void OnWatermarkSelected(CWatermarkObj* watermark) override;
    void OnWatermarkChanged(CWatermarkObj* watermark) override;
    std::vector<wxWindow*> Windows() const override;
    void Unbind() override;
    void Done(CWatermarkObj* select);
    bool IsEnabled(int id) const;
    void Execute(int id);
    std::wstring AskFile(bool media) const;

    CKMToolbar* m_toolbar = nullptr;             // children of the view
    CWatermarkEditorWnd* m_editor = nullptr;
    CPropertiesFrameCtrl* m_settings = nullptr;
};
