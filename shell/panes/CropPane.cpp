#include "shell/panes/CropPane.h"
#include "controls/editors/CropEditCtrl.h"
#include "controls/grid/PropertiesFrameCtrl.h"
#include "controls/ids/CommandIds.h"
#include "controls/toolbar/KMToolbar.h"
#include "model/project/Project.h"
#include "shell/KMSplitterExWnd.h"
#include "shell/KestrelMediaDoc.h"
#include "shell/panes/PaneToolbars.h"
#include <wx/event.h>

CCropPane::CCropPane(CKestrelMediaDoc* doc, wxWindow* view, CKMSplitterExWnd* splitter)
    : CPlayerPane(doc, view, splitter, 406)
{
    m_editor = new CCropEditCtrl;
    m_settings = new CPropertiesFrameCtrl;
    m_editor->Create(view, CKMSplitterExWnd::kChildId);
    m_editor->SetChangeHandler([this] { m_settings->OnChange(); });
    m_settings->Create(view);
    m_toolbar = CreatePaneToolbar(view, 395);
    m_pMainWnd = m_editor;
}

std::vector<wxWindow*> CCropPane::Windows() const
{
    return {m_editor, m_settings, m_toolbar, m_pSplitter};
}

void CCropPane::Layout(int left, int top, int right, int bottom)
{
    const int width = PlaceSettingsColumn(m_settings, left, top, right, bottom);
    const int t = ToolbarHeight(m_toolbar);
    Place(m_toolbar, kPaneBarWidth, bottom - t, width, t);
    Place(m_editor, kPaneBarWidth, top, width, bottom - top - t);
}

void CCropPane::Apply(uintptr_t, intptr_t)
{
    RedrawPlayer();
}

void CCropPane::ResetToDefaults(int flag)
{
    CProject* project = Project();
    CCropObj* crop = project ? project->GetCurrentCrop() : nullptr;
    if (!crop)
        return;
    crop->crop_left = crop->crop_right = crop->crop_top = crop->crop_bottom = 0;
    crop->flip_h = crop->flip_v = crop->rotate = 0;
    if (flag)
        BindCurrentFile();
}

void CCropPane::RegisterCommands(CCommandTable& commands)
{
    CPlayerPane::RegisterCommands(commands);
    for (const int flag : {1, 0}) {  // the whole frame with the crop frame, or the result
        commands.Add(
            flag ? KM::Cmd::ShowSourcePicture : KM::Cmd::ShowResultPicture, [this, flag] { return Checked(m_editFlag == flag); },
            [this, flag] {
                m_editFlag = flag;
                ShowEditFrame();
                RedrawPlayer();
            });
    }
}


bool CCropPane::PreTranslateMessage(const wxKeyEvent& key)
{
    if (key.GetKeyCode() != WXK_ESCAPE)
        return false;
    // Escape belongs to whoever has the focus: in the grid it cancels the
    // edit there, only in the picture does it clear the margins.
    if (wxWindow::FindFocus() != m_editor || !m_editor->Model().ResetCrop())
        return false;
    RedrawPlayer();
    return true;
}

void CCropPane::ShowEditFrame()
{
    CProject* project = Project();
    m_editor->SetCrop(project ? project->GetCurrentCrop() : nullptr, m_editFlag == 1);
}

void CCropPane::BindCurrentFile()
{
    CFrameFileObj* output = CurrentOutput();
    if (!output)
        return;
    Unbind();
    ShowEditFrame();
    BindPreviewEdits(output);
    m_settings->Grid().BuildRowsFromParameterTree(&output->m_crop, nullptr, true);
    m_editor->SetItem(m_pDoc->GetCurrentFile());
}

CPreviewPlayerCtrl* CCropPane::Preview() const
{
    return m_editor;
}

void CCropPane::Unbind()
{
    m_editor->SetCrop(nullptr, false);
    m_settings->Grid().BuildRowsFromParameterTree(nullptr, nullptr, true);
    CPlayerPane::Unbind();
}
