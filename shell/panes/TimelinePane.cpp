#include "shell/panes/TimelinePane.h"
#include "controls/ids/CommandIds.h"
#include "controls/toolbar/KMToolbar.h"
#include "model/project/Project.h"
#include "model/source/KMFile.h"
#include "platform/Settings.h"
#include "player/Player.h"
#include "shell/KMSplitterExWnd.h"
#include "shell/KestrelMediaDoc.h"
#include "shell/panes/PaneOutputs.h"
#include "shell/panes/PaneToolbars.h"
#include "shell/panes/TimelineCommands.h"
#include <wx/event.h>

namespace {
constexpr size_t kBehaviourTool = 12;
}  // namespace

CTimelinePane::CTimelinePane(CKestrelMediaDoc* doc, wxWindow* view, CKMSplitterExWnd* splitter,
                             IResizeHandler* resize)
    : CPlayerPane(doc, view, splitter, 405)
{
    m_preview = new CPreviewPlayerCtrl;
    m_preview->Create(view, 1);
    m_ruler = CTimelineRulerWnd::Create(view, CKMSplitterExWnd::kChildId);
    m_ruler->SetPositionListener(m_preview);
    m_ruler->SetChangeHandler([this] {
        SetModified();
        OnRangeChanged();
    });
    m_preview->m_pPosListener = m_ruler;
    m_list = new CTimelineListWnd;
    m_list->Create(view, CKMSplitterExWnd::kChildId);
    m_list->SetListener(this);
    m_rulerSplitter = new CKMSplitterExWnd;
    m_rulerSplitter->Create(view, resize, L"ver_time", 130);
    // From here on the band's height is kept under its own key.
    m_rulerSplitter->m_profileKey = L"posy_offset";
    m_rulerSplitter->m_movesInX = false;
    m_rulerSplitter->m_partner = splitter;
    m_rulerSplitter->m_keptValue = CSettingsStore::Instance().GetInt(L"Settings", L"posy_offset", 130);
    m_lower = CreatePaneToolbar(view, 387);
    m_upper = CreatePaneToolbar(view, 509);
    m_pMainWnd = m_preview;
}

std::vector<wxWindow*> CTimelinePane::Windows() const
{
    return {m_preview, m_ruler, m_list, m_lower, m_upper, m_pSplitter, m_rulerSplitter};
}

void CTimelinePane::Layout(int left, int top, int right, int bottom)
{
    const int w = ColumnWidth();
    const int h = m_rulerSplitter ? m_rulerSplitter->m_keptValue : 0;
    const int t = ToolbarHeight(m_lower);
    Place(m_pSplitter, right - w - 7, top, 7, bottom - h - t - 7);
    Place(m_rulerSplitter, kPaneBarWidth, bottom - h - t - 7, right - left - kPaneBarWidth, 7);
    if (m_rulerSplitter)
        m_rulerSplitter->RedrawNow();
    Place(m_preview, kPaneBarWidth, top, right - left - w - 107, bottom - h - t - 7);
    Place(m_upper, right - w, top, w, t);
    Place(m_list, right - w, top + t + 1, w, bottom - h - 2 * t - 8);
    Place(m_lower, kPaneBarWidth, bottom - h - t, right - left, t);
    Place(m_ruler, kPaneBarWidth, bottom - h, right - left - kPaneBarWidth, h);
}

CKMFile* CTimelinePane::CurrentFile() const
{
    return m_pDoc ? m_pDoc->GetCurrentFile() : nullptr;
}

void CTimelinePane::ResetToDefaults(int)
{
    CKMFile* file = CurrentFile();
    if (!file)
        return;
    file->m_timelines.RemoveAt(-1);
    file->m_currentTimeline = 0;
    SetPlayerItem(file);
}

void CTimelinePane::PauseFirst()
{
    CPlayer* player = CPlayer::Instance();
    if (player && player->PlayState() == 2)
        player->Pause();
}

void CTimelinePane::RefreshRow()
{
    m_ruler->RedrawNow();
    m_list->UpdateCurrentRow();
}

void CTimelinePane::Refill()
{
    m_ruler->RedrawNow();
    m_list->SetItem(CurrentFile());
}

void CTimelinePane::StoreBehaviour(CKMFile& file)
{
    const wxToolBarToolBase* tool = m_lower ? m_lower->GetToolByPos(static_cast<int>(kBehaviourTool)) : nullptr;
    if (tool)
        file.m_timelineBehavior = tool->IsToggled() ? 1 : 0;
}

void CTimelinePane::RegisterCommands(CCommandTable& commands)
{
    CPlayerPane::RegisterCommands(commands);
    using namespace KM::Cmd;
    for (int id : {AddRange, SetRangeStart, SetRangeEnd, MoveRangeToPosition, RemoveRange, ZoomOut, ZoomIn, RangeBehaviour})
        commands.Add(
            id, [this, id] { return Enabled(IsTimelineCommandEnabled(id, {CurrentFile(), m_ruler->ZoomIndex()})); },
            [this, id] { RunTimelineCommand(id); });
}

void CTimelinePane::RunTimelineCommand(int id)
{
    CKMFile* file = CurrentFile();
    const bool enabled = IsTimelineCommandEnabled(id, {file, m_ruler->ZoomIndex()});
    switch (id) {
    case KM::Cmd::AddRange:
    case KM::Cmd::SetRangeStart:
    case KM::Cmd::SetRangeEnd:
    case KM::Cmd::MoveRangeToPosition:
        if (enabled) {
            PauseFirst();
            ApplyRangeCommand(id, *file);
            SetModified();
        }
        id == KM::Cmd::AddRange ? Refill() : RefreshRow();
        return;
    case KM::Cmd::RemoveRange:
        if (enabled) {
            ApplyRangeCommand(id, *file);
            file->m_currentPosition = file->GetStartTime();
            if (CPlayer* player = CPlayer::Instance())
                player->Seek(file->m_currentPosition);
            SetModified();
            RedrawPlayer();
            Refill();
        }
        return;
    case KM::Cmd::ZoomOut:
        if (enabled) m_ruler->ZoomOut();
        return;
    case KM::Cmd::ZoomIn:
        if (enabled) m_ruler->ZoomIn();
        return;
    case KM::Cmd::RangeBehaviour:
        if (enabled) StoreBehaviour(*file);
        return;
    default: return;
    }
}

void CTimelinePane::OnRangeChanged()
{
    m_list->UpdateCurrentRow();
    m_ruler->EnsurePositionVisible();
    m_ruler->RedrawNow();
    RedrawPlayer();
}

void CTimelinePane::OnPositionChanged(int)
{
    OnRangeChanged();
}

void CTimelinePane::SetPlayerItem(CKMFile* file)
{
    m_preview->SetItem(file);
    m_ruler->SetItem(file);
    m_list->SetItem(file);
}

void CTimelinePane::OnStopped()
{
    m_ruler->RedrawNow();
}

void CTimelinePane::BindCurrentFile()
{
    CProject* project = Project();
    const OutputFlags outputs = ProjectOutputs(project);
    if (!outputs.video && !outputs.image && !outputs.audio)
        return;
    Unbind();
    CKMFile* file = CurrentFile();
    m_preview->SetItem(file);
    if (outputs.video || outputs.image) {
        BindPreviewEdits(project->GetCurrentOutput());
    }
    // Ranges belong to video and sound; pictures have none to show.
    const bool ranges = outputs.video || !outputs.image;
    m_ruler->SetItem(ranges ? file : nullptr);
    m_list->SetItem(ranges ? file : nullptr);
}

void CTimelinePane::Unbind()
{
    m_ruler->SetItem(nullptr);
    m_list->SetItem(nullptr);
    CPlayerPane::Unbind();
}
