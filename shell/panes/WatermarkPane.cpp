#include "shell/panes/WatermarkPane.h"
#include "controls/browse/FileFilters.h"
#include "controls/grid/PropertiesFrameCtrl.h"
#include "controls/ids/CommandIds.h"
#include "controls/toolbar/KMToolbar.h"
#include "model/project/Project.h"
#include "model/schema/SchemaProperty.h"
#include "shell/KMSplitterExWnd.h"
#include "shell/KestrelMediaDoc.h"
#include "shell/panes/PaneOutputs.h"
#include "shell/panes/PaneToolbars.h"
#include <wx/filedlg.h>

namespace {
constexpr int32_t kPlacementProperty = 29;  // the anchor: "Top-Left" ... "Bottom-Right"
}  // namespace

CWatermarkPane::CWatermarkPane(CKestrelMediaDoc* doc, wxWindow* view, CKMSplitterExWnd* splitter)
    : CPlayerPane(doc, view, splitter, 407)
{
    m_toolbar = CreatePaneToolbar(view, 390);
    m_editor = new CWatermarkEditorWnd;
    m_editor->Create(view, CKMSplitterExWnd::kChildId);
    m_editor->SetCallback(this);
    m_settings = new CPropertiesFrameCtrl;
    m_settings->Create(view);
    m_pMainWnd = m_editor;
}

std::vector<wxWindow*> CWatermarkPane::Windows() const
{
    return {m_toolbar, m_editor, m_settings, m_pSplitter};
}

void CWatermarkPane::Layout(int left, int top, int right, int bottom)
{
    const int width = PlaceSettingsColumn(m_settings, left, top, right, bottom);
    const int t = ToolbarHeight(m_toolbar);
    Place(m_toolbar, kPaneBarWidth, top, width, t);
    Place(m_editor, kPaneBarWidth, top + t, width, bottom - top - t);
}

CWatermarksObj* CWatermarkPane::CurrentList() const
{
    CFrameFileObj* output = CurrentOutput();
    return output ? &output->m_watermarks : nullptr;
}

void CWatermarkPane::Apply(uintptr_t wParam, intptr_t lParam)
{
    CWatermarkObj* selected = m_editor->Selected();
    const auto* row = reinterpret_cast<const wxPGProperty*>(lParam);
    const CSchemaProperty* property = row ? CPropertiesEditCtrl::RowProperty(row) : nullptr;
    const bool placement = selected && property && property->id == kPlacementProperty;
    if (placement) {
        // A new anchor starts at no distance from it.
        selected->x = 0;
        selected->y = 0;
    }
    if (placement || wParam != 0)
        m_pView->CallAfter([this] { m_settings->Refresh(); });
    if (selected) {
        selected->ApplyToEngine(1);
        RedrawPlayer();
    }
}

void CWatermarkPane::ResetToDefaults(int)
{
    CWatermarksObj* list = CurrentList();
    if (!list || list->GetCount() == 0)
        return;
    list->RemoveAt(-1);
    m_editor->ClearSelection();
    m_editor->Reload();
    RedrawPlayer();
    OnWatermarkSelected(nullptr);
    SetModified();
}

bool CWatermarkPane::IsEnabled(int id) const
{
    CWatermarksObj* list = CurrentList();
    CWatermarkObj* selected = m_editor->Selected();
    switch (id) {
    case KM::Cmd::AddTextWatermark:
    case KM::Cmd::AddImageWatermark:
    case KM::Cmd::AddWatermarkKind2:
    case KM::Cmd::AddWatermarkKind3: return list != nullptr;
    case KM::Cmd::AddMediaWatermark: return list && ProjectOutputs(Project()).video;
    case KM::Cmd::DeleteWatermark:
    case KM::Cmd::EditCopy:
    case KM::Cmd::EditCut: return selected != nullptr;
    case KM::Cmd::MoveDown: return selected && list && list->CanMoveDown(selected->GetId());
    case KM::Cmd::MoveUp: return selected && list && list->CanMoveUp(selected->GetId());
    case KM::Cmd::EditPaste: return list && list->HasCopy();
    default: return false;
    }
}


void CWatermarkPane::RegisterCommands(CCommandTable& commands)
{
    CPlayerPane::RegisterCommands(commands);
    using namespace KM::Cmd;
    // The commands of the watermark toolbar and menu.
    for (int id : {AddTextWatermark, AddImageWatermark, AddWatermarkKind2, AddWatermarkKind3, AddMediaWatermark,
                   DeleteWatermark, MoveDown, MoveUp, EditCopy, EditCut, EditPaste})
        commands.Add(
            id, [this, id] { return Enabled(IsEnabled(id)); },
            [this, id] {
                // A command that is not offered (a key, a stale button) does nothing.
                if (IsEnabled(id))
                    Execute(id);
            });
}


std::wstring CWatermarkPane::AskFile(bool media) const
{
    if (m_chooseFile)
        return m_chooseFile(media);
    wxFileDialog dialog(m_pView, wxFileSelectorPromptStr, wxEmptyString, wxEmptyString,
                        ToFileDialogWildcard(FilterForButton(media ? SPB_MEDIA_FILE : SPB_IMAGE_FILE)),
                        wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    return dialog.ShowModal() == wxID_OK ? dialog.GetPath().ToStdWstring() : std::wstring();
}

void CWatermarkPane::Execute(int id)
{
    CWatermarksObj* list = CurrentList();
    CWatermarkObj* selected = m_editor->Selected();
    switch (id) {
    case KM::Cmd::AddTextWatermark: Done(list->AddTextWatermark()); break;
    case KM::Cmd::AddWatermarkKind2: Done(list->AddWatermarkKind2()); break;
    case KM::Cmd::AddWatermarkKind3: Done(list->AddWatermarkKind3()); break;
    case KM::Cmd::AddImageWatermark:
    case KM::Cmd::AddMediaWatermark: {
        const bool media = id == KM::Cmd::AddMediaWatermark;
        const std::wstring path = AskFile(media);
        if (path.empty())
            return;
        CWatermarkObj* added = media ? list->AddWatermarkKind4() : list->AddImageWatermark();
        added->path = path;
        added->ApplyToEngine(1);
        Done(added);
        break;
    }
    case KM::Cmd::DeleteWatermark: Done(list->RemoveById(selected->GetId())); break;
    case KM::Cmd::MoveDown:
        list->MoveDown(selected->GetId());
        m_editor->MoveDown(selected->GetId());
        SetModified();
        break;
    case KM::Cmd::MoveUp:
        list->MoveUp(selected->GetId());
        m_editor->MoveUp(selected->GetId());
        SetModified();
        break;
    case KM::Cmd::EditCopy: list->CopyWatermark(selected); break;
    case KM::Cmd::EditCut:
        list->CopyWatermark(selected);
        Done(list->RemoveById(selected->GetId()));
        break;
    case KM::Cmd::EditPaste: {
        CWatermarkObj* pasted = list->PasteWatermark();
        m_editor->ClearSelection();
        m_editor->Reload();
        RedrawPlayer();
        Done(pasted);
        break;
    }
    default: break;
    }
}

void CWatermarkPane::Done(CWatermarkObj* select)
{
    m_editor->Reload();
    m_editor->SelectWatermark(select);
    SetModified();
}

bool CWatermarkPane::PreTranslateMessage(const wxKeyEvent& key)
{
    if (key.GetKeyCode() != WXK_DELETE || wxWindow::FindFocus() != m_editor || !m_editor->Selected())
        return false;
    OnExecuteCommand(KM::Cmd::DeleteWatermark);
    return true;
}

void CWatermarkPane::SetPlayerItem(CKMFile* file)
{
    m_editor->SetItem(file, CurrentList());
}

void CWatermarkPane::BindCurrentFile()
{
    CProject* project = Project();
    const OutputFlags outputs = ProjectOutputs(project);
    if (!outputs.video && !outputs.image && !outputs.audio)
        return;
    const WatermarkId kept = m_editor->SelectedId();
    Unbind();
    CKMFile* file = m_pDoc->GetCurrentFile();
    CWatermarksObj* list = CurrentList();
    m_editor->SetItem(file, list);
    if (list && list->FindById(kept))
        m_editor->SetSelection(kept);
    BindPreviewEdits(project->GetCurrentOutput());
    // The grid follows the editor's selection, which the new list may still hold.
    OnWatermarkSelected(m_editor->Selected());
}

void CWatermarkPane::Unbind()
{
    m_settings->Grid().BuildRowsFromParameterTree(nullptr, nullptr, true);
    m_editor->SetItem(nullptr, nullptr);
    CPlayerPane::Unbind();
}

void CWatermarkPane::OnWatermarkSelected(CWatermarkObj* watermark)
{
    m_settings->Grid().BuildRowsFromParameterTree(watermark, nullptr, true);
}

void CWatermarkPane::OnWatermarkChanged(CWatermarkObj*)
{
    SetModified();
    m_settings->Grid().RefreshValues();
}
