#pragma once
// A pane that shows the current file in a preview control: it hands the file
// to the control, repaints it, passes the player's stop and play/pause to it,
// and answers the editing tab's file commands (345 chosen, 466 next, 469
// previous).
#include "shell/panes/BaseEditPane.h"
#include "shell/panes/FileNavigation.h"

class CFrameFileObj;
class CKMFile;
class CPreviewPlayerCtrl;

class CPlayerPane : public CBaseEditPane {
public:
    using CBaseEditPane::CBaseEditPane;

    virtual void SetPlayerItem(CKMFile* file);
    virtual void RedrawPlayer();
    // After a stop command.
    virtual void OnStopped() {}
    virtual void PlayerCommand(int id);

    // The pane's preview control (an editor window for some panes).
    virtual CPreviewPlayerCtrl* Preview() const = 0;

protected:
    void RegisterCommands(CCommandTable& commands) override;
    // The preview's crop, eraser and frame filters from the output (null:
    // none); the filter object's reference stays balanced.
    void BindPreviewEdits(CFrameFileObj* output);
    void DropPreviewEdits();
    // The frame filters of the visual output, refreshed with the current
    // values, or none.
    void RefreshPreviewFilters();
    void Unbind() override;

private:
    FileChoice ReadFileChoice() const;
    void SelectInChoice(CKMFile* entry) const;
    void GoToFile(CKMFile* entry);
};
