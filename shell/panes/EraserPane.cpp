#include "shell/panes/EraserPane.h"
#include "controls/grid/PropertiesFrameCtrl.h"
#include "controls/ids/CommandIds.h"
#include "controls/toolbar/KMToolbar.h"
#include "model/project/Project.h"
#include "shell/KMSplitterExWnd.h"
#include "shell/KestrelMediaDoc.h"
#include "shell/panes/PaneToolbars.h"
#include <wx/event.h>

CEraserPane::CEraserPane(CKestrelMediaDoc* doc, wxWindow* view, CKMSplitterExWnd* splitter)
    : CPlayerPane(doc, view, splitter, 409)
{
    m_editor = new CEraserEditorWnd;
    m_editor->SetEraserEdit(1);
    m_settings = new CPropertiesFrameCtrl;
    m_editor->SetChangeHandler([this] { m_settings->OnChange(); });
    m_editor->Create(view, CKMSplitterExWnd::kChildId);
    m_settings->Create(view);
    m_toolbar = CreatePaneToolbar(view, 395);
    m_pMainWnd = m_editor;
}

std::vector<wxWindow*> CEraserPane::Windows() const
{
    return {m_editor, m_settings, m_toolbar, m_pSplitter};
}

void CEraserPane::Layout(int left, int top, int right, int bottom)
{
    // Unlike the other panes, the picture and its toolbar reach under the splitter bar.
    const int width = PlaceSettingsColumn(m_settings, left, top, right, bottom) + 7;
    const int t = ToolbarHeight(m_toolbar);
    Place(m_toolbar, kPaneBarWidth, bottom - t, width, t);
    Place(m_editor, kPaneBarWidth, top, width, bottom - top - t);
}

void CEraserPane::Apply(uintptr_t wParam, intptr_t)
{
    if (wParam != 0)
        m_pView->CallAfter([this] { m_settings->Refresh(); });
    CProject* project = Project();
    CEraserObj* eraser = project ? project->GetCurrentEraser() : nullptr;
    if (!eraser)
        return;
    m_editor->SetEraserRecord(eraser);
    RedrawPlayer();
}

void CEraserPane::ResetToDefaults(int flag)
{
    CProject* project = Project();
    CEraserObj* eraser = project ? project->GetCurrentEraser() : nullptr;
    if (!eraser)
        return;
    eraser->eraser_type = 0;
    eraser->eraser_left = 0;
    eraser->eraser_top = 0;
    eraser->eraser_right = 100;
    eraser->eraser_bottom = 100;
    eraser->eraser_strength = 8;
    eraser->eraser_cell = 8;
    if (flag)
        BindCurrentFile();
}

void CEraserPane::RegisterCommands(CCommandTable& commands)
{
    CPlayerPane::RegisterCommands(commands);
    for (const int flag : {1, 0}) {  // the picture with the eraser rectangle, or the erased result
        commands.Add(
            flag ? KM::Cmd::ShowSourcePicture : KM::Cmd::ShowResultPicture,
            [this, flag] { return Checked(m_editor->EraserEdit() == flag); },
            [this, flag] {
                m_editor->SetEraserEdit(flag);
                RedrawPlayer();
            });
    }
}


void CEraserPane::BindCurrentFile()
{
    CFrameFileObj* output = CurrentOutput();
    if (!output)
        return;
    Unbind();
    m_editor->SetItem(m_pDoc->GetCurrentFile());
    BindPreviewEdits(output);
    m_settings->Grid().BuildRowsFromParameterTree(&output->m_eraser, nullptr, true);
    m_editor->SetEraserRecord(&output->m_eraser);
    RedrawPlayer();
}

CPreviewPlayerCtrl* CEraserPane::Preview() const
{
    return m_editor;
}

void CEraserPane::Unbind()
{
    m_settings->Grid().BuildRowsFromParameterTree(nullptr, nullptr, true);
    m_editor->SetEraserRecord(nullptr);
    CPlayerPane::Unbind();
}
